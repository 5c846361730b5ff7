#pragma once

#include "platform/win32/handles.h"

namespace kavri {

// Serialises the start of kavri processes between the search for a running
// window and the moment a new window can be found. The file manager starts
// one process per selected item when several are sent to kavri at once;
// without this, several of them could each find no window and open one.
class StartupLock {
 public:
  StartupLock();
  ~StartupLock() { Release(); }
  StartupLock(const StartupLock&) = delete;
  StartupLock& operator=(const StartupLock&) = delete;

  void Release();

 private:
  KernelHandle mutex_;
  bool owned_ = false;
};

}  // namespace kavri
