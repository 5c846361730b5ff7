#include "app/startup_lock_win32.h"

namespace kavri {
namespace {

constexpr char kMutexName[] = "Local\\kavri.TKVMain.startup";
// A start that takes longer than this (a hung first instance) no longer
// holds the others back.
constexpr DWORD kWaitMs = 10000;

}  // namespace

StartupLock::StartupLock() : mutex_(CreateMutexA(nullptr, FALSE, kMutexName)) {
  if (!mutex_) return;
  const DWORD waited = WaitForSingleObject(mutex_.Get(), kWaitMs);
  owned_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

void StartupLock::Release() {
  if (owned_) ReleaseMutex(mutex_.Get());
  owned_ = false;
}

}  // namespace kavri
