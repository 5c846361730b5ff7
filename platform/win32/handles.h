#pragma once

// One small owning class per handle type. Release() gives the handle back to
// the system now; Detach() hands ownership to the caller.

#include <windows.h>
#include <objbase.h>

#include <utility>

namespace kavri {

template <typename Handle, typename Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { Release(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Detach()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Detach());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return Traits::IsValid(handle_); }
  Handle* Put() {
    Release();
    return &handle_;
  }
  void Reset(Handle handle) {
    Release();
    handle_ = handle;
  }
  void Release() {
    if (Traits::IsValid(handle_)) Traits::Close(handle_);
    handle_ = Traits::Empty();
  }
  Handle Detach() { return std::exchange(handle_, Traits::Empty()); }

 private:
  Handle handle_ = Traits::Empty();
};

struct KernelHandleTraits {
  static HANDLE Empty() { return nullptr; }
  static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
using KernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;

struct FindHandleTraits {
  static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { FindClose(h); }
};
using FindHandle = UniqueHandle<HANDLE, FindHandleTraits>;

struct RegKeyTraits {
  static HKEY Empty() { return nullptr; }
  static bool IsValid(HKEY h) { return h != nullptr; }
  static void Close(HKEY h) { RegCloseKey(h); }
};
using RegKey = UniqueHandle<HKEY, RegKeyTraits>;

struct GlobalMemoryTraits {
  static HGLOBAL Empty() { return nullptr; }
  static bool IsValid(HGLOBAL h) { return h != nullptr; }
  static void Close(HGLOBAL h) { GlobalFree(h); }
};
using GlobalMemory = UniqueHandle<HGLOBAL, GlobalMemoryTraits>;

struct LocalMemoryTraits {
  static HLOCAL Empty() { return nullptr; }
  static bool IsValid(HLOCAL h) { return h != nullptr; }
  static void Close(HLOCAL h) { LocalFree(h); }
};
using LocalMemory = UniqueHandle<HLOCAL, LocalMemoryTraits>;

struct FontTraits {
  static HFONT Empty() { return nullptr; }
  static bool IsValid(HFONT h) { return h != nullptr; }
  static void Close(HFONT h) { DeleteObject(h); }
};
using Font = UniqueHandle<HFONT, FontTraits>;

struct AcceleratorTraits {
  static HACCEL Empty() { return nullptr; }
  static bool IsValid(HACCEL h) { return h != nullptr; }
  static void Close(HACCEL h) { DestroyAcceleratorTable(h); }
};
using AcceleratorTable = UniqueHandle<HACCEL, AcceleratorTraits>;

struct IconTraits {
  static HICON Empty() { return nullptr; }
  static bool IsValid(HICON h) { return h != nullptr; }
  static void Close(HICON h) { DestroyIcon(h); }
};
using Icon = UniqueHandle<HICON, IconTraits>;

// A lock on movable global memory for the life of the scope.
class GlobalLockScope {
 public:
  explicit GlobalLockScope(HGLOBAL memory)
      : memory_(memory), data_(memory ? GlobalLock(memory) : nullptr) {}
  ~GlobalLockScope() {
    if (data_) GlobalUnlock(memory_);
  }
  GlobalLockScope(const GlobalLockScope&) = delete;
  GlobalLockScope& operator=(const GlobalLockScope&) = delete;

  unsigned char* Data() const { return static_cast<unsigned char*>(data_); }
  explicit operator bool() const { return data_ != nullptr; }

 private:
  HGLOBAL memory_;
  void* data_;
};

template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { Release(); }
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      Release();
      p_ = std::exchange(other.p_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  Interface* Get() const { return p_; }
  Interface* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  Interface** Put() {
    Release();
    return &p_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  void Release() {
    if (p_) p_->Release();
    p_ = nullptr;
  }
  Interface* Detach() { return std::exchange(p_, nullptr); }

 private:
  Interface* p_ = nullptr;
};

}  // namespace kavri
