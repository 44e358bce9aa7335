// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 clipboard: Greek text through CF_TEXT, and the viewer chain with two windows of this
// process told of a write by another process.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "platform/clipboard.h"
#include "platform/win32/win32_api.h"
#include "tests/win32/win32_test_main.h"
#include "text/cp1253.h"

namespace zelvoran {
namespace {

using win32_tests::PumpUntil;
using win32_tests::RunChild;
using win32_tests::ToHex;

// A viewer as a program implements one: it notes each text it is told of and passes the
// chain's messages on to the viewer it joined in front of.
struct Viewer {
  Clipboard::Window self = 0;
  Clipboard::Window next = 0;
  std::vector<std::string> seen;
};

std::map<HWND, Viewer*>& Viewers() {
  static std::map<HWND, Viewer*> viewers;
  return viewers;
}

Clipboard& SystemClipboard() {
  static const std::unique_ptr<Clipboard> clipboard = CreateWin32Clipboard(0);
  return *clipboard;
}

LRESULT CALLBACK ViewerProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto it = Viewers().find(hwnd);
  if (it != Viewers().end()) {
    Viewer& v = *it->second;
    Clipboard& clipboard = SystemClipboard();
    if (message == Clipboard::kDrawClipboard) {
      v.seen.push_back(clipboard.ReadText().value_or("<none>"));
      if (v.next) clipboard.SendMessage(v.next, message, wparam, static_cast<uint64_t>(lparam));
      return 0;
    }
    if (message == Clipboard::kChangeCbChain) {
      if (static_cast<Clipboard::Window>(wparam) == v.next) {
        v.next = static_cast<Clipboard::Window>(lparam);
      } else if (v.next) {
        clipboard.SendMessage(v.next, message, wparam, static_cast<uint64_t>(lparam));
      }
      return 0;
    }
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

class ViewerWindow {
 public:
  ViewerWindow() {
    static const ATOM kClass = [] {
      WNDCLASSA c{};
      c.lpfnWndProc = ViewerProc;
      c.hInstance = GetModuleHandleA(nullptr);
      c.lpszClassName = "ZelvoranTestViewer";
      return RegisterClassA(&c);
    }();
    hwnd_ = CreateWindowExA(0, MAKEINTATOM(kClass), "viewer", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    viewer.self = static_cast<Clipboard::Window>(reinterpret_cast<uintptr_t>(hwnd_));
    Viewers()[hwnd_] = &viewer;
  }
  ~ViewerWindow() {
    Viewers().erase(hwnd_);
    DestroyWindow(hwnd_);
  }
  ViewerWindow(const ViewerWindow&) = delete;
  ViewerWindow& operator=(const ViewerWindow&) = delete;
  bool ok() const { return hwnd_ != nullptr; }
  Viewer viewer;

 private:
  HWND hwnd_ = nullptr;
};

// Greek text, every letter of Windows-1253 included.
std::vector<std::string> GreekTexts() {
  std::string all = "\xA2";  // Ά
  for (int c = 0xB8; c <= 0xFE; ++c) {
    if (c != 0xBB && c != 0xBD && c != 0xD2) all += static_cast<char>(c);
  }
  return {Utf8ToCp1253("σπίτι"), Utf8ToCp1253("Άλφα, ΐ ΰ; «ς»\r\nδεύτερη γραμμή"), all, "house"};
}

TEST(Win32Clipboard, GreekRoundTripsThroughCfText) {
  Clipboard& clipboard = SystemClipboard();
  for (const std::string& text : GreekTexts()) {
    ASSERT_TRUE(clipboard.WriteText(text));
    EXPECT_TRUE(clipboard.HasText());
    EXPECT_EQ(clipboard.ReadText(), text) << Cp1253ToUtf8(text);
    // Windows derives the UTF-16 form through the ANSI code page: Greek only under 1253.
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE unicode = GetClipboardData(CF_UNICODETEXT);
    std::string utf8;
    if (unicode) {
      const wchar_t* wide = static_cast<const wchar_t*>(GlobalLock(unicode));
      const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
      utf8.resize(static_cast<size_t>(size));
      WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), size, nullptr, nullptr);
      utf8.pop_back();
      GlobalUnlock(unicode);
    }
    CloseClipboard();
    EXPECT_EQ(utf8, Cp1253ToUtf8(text));
  }
  // Written by another process.
  ASSERT_EQ(RunChild({"--write-clipboard", ToHex(GreekTexts()[1])}), 0);
  EXPECT_EQ(clipboard.ReadText(), GreekTexts()[1]);
  ASSERT_TRUE(clipboard.Empty());
  EXPECT_FALSE(clipboard.HasText());
  EXPECT_EQ(clipboard.ReadText(), std::nullopt);
}

TEST(Win32Clipboard, ViewerChainOfTwoWindowsHearsAnotherProcess) {
  Clipboard& clipboard = SystemClipboard();
  ViewerWindow first, second;
  ASSERT_TRUE(first.ok() && second.ok());
  Viewer& a = first.viewer;
  Viewer& b = second.viewer;

  // Joining: each new head is told at once, and learns who was head before it.
  a.next = clipboard.SetClipboardViewer(a.self);
  EXPECT_EQ(a.next, 0u);
  b.next = clipboard.SetClipboardViewer(b.self);
  EXPECT_EQ(b.next, a.self);
  ASSERT_TRUE(PumpUntil([&] { return a.seen.size() >= 1 && b.seen.size() >= 1; }));
  a.seen.clear();
  b.seen.clear();

  // Another process writes: the head is told, and passes it on to the first window.
  const std::string text = Utf8ToCp1253("Γρήγορη μετάφραση");
  ASSERT_EQ(RunChild({"--write-clipboard", ToHex(text)}), 0);
  ASSERT_TRUE(PumpUntil([&] { return !a.seen.empty() && !b.seen.empty(); }));
  EXPECT_EQ(b.seen, std::vector<std::string>{text});
  EXPECT_EQ(a.seen, std::vector<std::string>{text});

  // The first window leaves from behind the head: the head learns that its next is gone.
  EXPECT_TRUE(clipboard.ChangeClipboardChain(a.self, a.next));
  PumpUntil([&] { return b.next == 0; }, 2000);
  EXPECT_EQ(b.next, 0u);
  a.seen.clear();
  b.seen.clear();
  ASSERT_EQ(RunChild({"--write-clipboard", ToHex("second")}), 0);
  ASSERT_TRUE(PumpUntil([&] { return !b.seen.empty(); }));
  PumpUntil([] { return false; }, 200);  // anything late would arrive now
  EXPECT_EQ(b.seen, std::vector<std::string>{"second"});
  EXPECT_TRUE(a.seen.empty());

  // The head leaves too: nobody is told any more.
  EXPECT_TRUE(clipboard.ChangeClipboardChain(b.self, b.next));
  b.seen.clear();
  ASSERT_EQ(RunChild({"--write-clipboard", ToHex("third")}), 0);
  PumpUntil([] { return false; }, 200);
  EXPECT_TRUE(a.seen.empty());
  EXPECT_TRUE(b.seen.empty());
}

}  // namespace
}  // namespace zelvoran
