// SPDX-License-Identifier: GPL-3.0-or-later
// The system clipboard and viewer chain on Windows. The chain's messages reach the main window
// through its window procedure.
#include <cstring>

#include "platform/clipboard.h"
#include "platform/win32/win32_api.h"

namespace zelvoran {
namespace {

HWND ToHwnd(Clipboard::Window window) {
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(window));
}

Clipboard::Window FromHwnd(HWND hwnd) {
  return static_cast<Clipboard::Window>(reinterpret_cast<uintptr_t>(hwnd));
}

// Opened for the duration of one operation; another program may hold it open, in which case
// the operation fails and the clipboard is left as it is.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != 0) {}
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool ok() const { return open_; }

 private:
  bool open_;
};

// Global memory holding `size` bytes copied from `data`; nullptr when it cannot be had.
HGLOBAL GlobalCopy(const void* data, size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!memory) return nullptr;
  void* target = GlobalLock(memory);
  if (!target) {
    GlobalFree(memory);
    return nullptr;
  }
  std::memcpy(target, data, size);
  GlobalUnlock(memory);
  return memory;
}

class Win32Clipboard final : public Clipboard {
 public:
  explicit Win32Clipboard(Window owner) : owner_(ToHwnd(owner)) {}

  bool HasText() const override { return IsClipboardFormatAvailable(CF_TEXT) != 0; }

  std::optional<std::string> ReadText() const override {
    OpenedClipboard open(owner_);
    if (!open.ok()) return std::nullopt;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) return std::nullopt;
    const char* text = static_cast<const char*>(GlobalLock(data));
    if (!text) return std::nullopt;
    // The block may lack its terminating zero: never read past its size.
    const size_t size = GlobalSize(data);
    const size_t length = strnlen(text, size);
    std::string result(text, length);
    GlobalUnlock(data);
    return result;
  }

  bool WriteText(std::string_view text) override {
    std::string bytes(text);
    bytes.push_back('\0');
    HGLOBAL ansi = GlobalCopy(bytes.data(), bytes.size());
    if (!ansi) return false;
    OpenedClipboard open(owner_);
    if (!open.ok() || !EmptyClipboard()) {
      GlobalFree(ansi);
      return false;
    }
    if (!SetClipboardData(CF_TEXT, ansi)) {
      GlobalFree(ansi);
      return false;
    }
    return true;
  }

  bool Empty() override {
    OpenedClipboard open(owner_);
    return open.ok() && EmptyClipboard() != 0;
  }

  Window SetClipboardViewer(Window window) override {
    return FromHwnd(::SetClipboardViewer(ToHwnd(window)));
  }

  bool ChangeClipboardChain(Window remove, Window next) override {
    ::ChangeClipboardChain(ToHwnd(remove), ToHwnd(next));
    return true;
  }

  intptr_t SendMessage(Window to, uint32_t message, uint64_t wparam, uint64_t lparam) override {
    return static_cast<intptr_t>(SendMessageA(ToHwnd(to), message, static_cast<WPARAM>(wparam),
                                              static_cast<LPARAM>(lparam)));
  }

 private:
  HWND owner_;
};

}  // namespace

std::unique_ptr<Clipboard> CreateWin32Clipboard(Clipboard::Window owner) {
  return std::make_unique<Win32Clipboard>(owner);
}

}  // namespace zelvoran
