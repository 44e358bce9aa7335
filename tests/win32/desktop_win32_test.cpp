// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 keyboard layouts and shell execution against the real calls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "app/keyboard.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_file_system.h"
#include "tests/support/temp_dir.h"
#include "tests/win32/win32_test_main.h"

namespace zelvoran {
namespace {

TEST(Win32KeyboardLayouts, LocaleNamesAndTheLayoutsTheSystemHas) {
  Win32KeyboardLayouts layouts;
  struct Case {
    uint32_t locale;
    const char* name;
  };
  for (const Case& c : {Case{0x0408, "Greek"}, Case{0x0409, "English"}, Case{0x0809, "English"},
                        Case{0x0407, "German"}}) {
    EXPECT_EQ(layouts.EnglishLanguageName(c.locale), c.name) << std::hex << c.locale;
  }
  EXPECT_EQ(layouts.EnglishLanguageName(0xFFFFF), std::nullopt);

  const std::vector<KeyboardLayouts::Handle> list = layouts.List(20);
  ASSERT_FALSE(list.empty());
  EXPECT_TRUE(layouts.List(0).empty());
  const std::string name = layouts.ActiveLayoutName();
  ASSERT_EQ(name.size(), 8u);
  EXPECT_TRUE(std::all_of(name.begin(), name.end(), [](char c) { return std::isxdigit(c); }));

  // The scan over what the system lists: a layout it picks is one of the list, named in the
  // language it was picked for. (Wine lists one layout, its keyboard's, and activating a
  // layout changes nothing there, so each listed handle is seen under the active name.)
  const LayoutHandles found = FindKeyboardLayouts(layouts);
  // What the system gave, in the XML report (--gtest_output=xml).
  RecordProperty("layouts", static_cast<int>(list.size()));
  RecordProperty("active_layout", name);
  RecordProperty("greek_found", found.GreekKeyboardLayout != 0);
  RecordProperty("english_found", found.EnglishKeyboardLayout != 0);
  const std::optional<std::string> language =
      layouts.EnglishLanguageName(static_cast<uint32_t>(std::stoul(name, nullptr, 16)));
  for (const auto& [handle, wanted] : {std::pair{found.GreekKeyboardLayout, "Greek"},
                                       std::pair{found.EnglishKeyboardLayout, "English"}}) {
    if (handle == 0) {
      EXPECT_NE(language, wanted);
      continue;
    }
    EXPECT_NE(std::find(list.begin(), list.end(), handle), list.end());
    EXPECT_TRUE(layouts.Activate(handle));
    EXPECT_EQ(layouts.EnglishLanguageName(
                  static_cast<uint32_t>(std::stoul(layouts.ActiveLayoutName(), nullptr, 16))),
              wanted);
  }
  EXPECT_TRUE(found.GreekKeyboardLayout != 0 || found.EnglishKeyboardLayout != 0);
  // The test command names the language of the layout Wine gives for the locale it runs in.
  if (const char* expected = std::getenv("ZELVORAN_EXPECTED_LAYOUT")) {
    EXPECT_NE(
        std::string(expected) == "Greek" ? found.GreekKeyboardLayout : found.EnglishKeyboardLayout,
        0u)
        << expected;
  }
}

TEST(Win32Shell, StartsProgramsAndReportsWhatCannotBeOpened) {
  Win32Shell shell;
  Win32FileSystem fs;
  const std::string dir = testing::MakeTempDir("zelvoran-shell");
  const std::string marker = dir + "\\started.txt";
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  // The parameter string is split as a command line: the quoted path is one argument.
  ASSERT_TRUE(shell.StartProgram(self, "--touch \"" + marker + "\""));
  EXPECT_TRUE(win32_tests::PumpUntil([&] { return fs.ReadFile(marker) == "touched"; }, 10000));

  EXPECT_FALSE(shell.StartProgram(dir + "\\missing.exe", ""));
  EXPECT_FALSE(shell.OpenFile(dir + "\\missing.htm"));
  EXPECT_FALSE(shell.OpenFile(dir));  // a folder is not a document
  for (const char* address : {"", "no scheme", ":empty", "https:", "1http://x"}) {
    EXPECT_FALSE(shell.OpenAddress(address)) << address;
  }
  // The started program may still be ending, with the folder in use.
  EXPECT_TRUE(win32_tests::PumpUntil([&] {
    std::error_code error;
    std::filesystem::remove_all(dir, error);
    return !error;
  }));
}

}  // namespace
}  // namespace zelvoran
