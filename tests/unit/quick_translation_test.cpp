// SPDX-License-Identifier: GPL-3.0-or-later
// Switching quick translation on and off, and its handling of clipboard changes.
#include <gtest/gtest.h>

#include <stdexcept>

#include "app/desktop_commands.h"
#include "desktop/quick_translation.h"
#include "tests/support/fake_desktop.h"
#include "text/cp1253.h"

namespace zelvoran::testing {
namespace {

TEST(QuickTranslationTest, SwitchingOnEmptiesTheClipboardBeforeJoiningAndShowsTheTexts) {
  DesktopHarness h;
  h.clipboard.text = "waiting";
  AutoTranslate_ButtonClick(h.core);
  EXPECT_TRUE(h.core.QuickTranslationOn);
  EXPECT_EQ(h.clipboard.log, (std::vector<std::string>{"empty", "join"}));
  EXPECT_FALSE(h.clipboard.text.has_value());
  // The notification that joining brings finds no text: the word is not looked up.
  EXPECT_EQ(h.received, (std::vector<uint32_t>{Clipboard::kDrawClipboard}));
  EXPECT_EQ(h.view.entry_text, "");
  EXPECT_TRUE(h.entry_changes.empty());
  EXPECT_EQ(h.view.restore_calls, 0);

  EXPECT_EQ(Cp1253ToUtf8(h.view.application_title), "Γρήγορη Μετάφραση - Zelvoran Glossa");
  EXPECT_EQ(Cp1253ToUtf8(h.view.window_caption), "Zelvoran Glossa - Γρήγορη Μετάφραση");
  EXPECT_EQ(Cp1253ToUtf8(h.view.auto_translate_hint), "Τερματισμός Γρήγορης Μετάφρασης");
  EXPECT_TRUE(h.view.auto_translate_picture_on);

  // Copying the word again looks it up.
  h.clipboard.OtherProgramCopies("waiting");
  EXPECT_EQ(h.view.entry_text, "waiting");
}

TEST(QuickTranslationTest, SwitchingOffRestoresTheTextsAndLeavesTheChain) {
  DesktopHarness h;
  AutoTranslate_ButtonClick(h.core);
  h.clipboard.log.clear();
  AutoTranslate_ButtonClick(h.core);
  EXPECT_FALSE(h.core.QuickTranslationOn);
  EXPECT_EQ(h.clipboard.log, (std::vector<std::string>{"leave"}));
  EXPECT_EQ(h.clipboard.chain.Head(), 0u);
  EXPECT_EQ(h.view.application_title, "Zelvoran Glossa");
  EXPECT_EQ(h.view.window_caption, "Zelvoran Glossa");
  EXPECT_EQ(Cp1253ToUtf8(h.view.auto_translate_hint), "Γρήγορη Μετάφραση");
  EXPECT_FALSE(h.view.auto_translate_picture_on);
  h.clipboard.OtherProgramCopies("word");
  EXPECT_EQ(h.view.entry_text, "");
}

TEST(QuickTranslationTest, CopiedTextReplacesTheEntryBoxAndRestoresTheApplication) {
  DesktopHarness h;
  AutoTranslate_ButtonClick(h.core);
  h.view.SetEntryText("old");
  h.view.minimized = true;
  h.entry_changes.clear();
  const std::string greek = Utf8ToCp1253("λόγος");
  h.clipboard.OtherProgramCopies(greek);
  EXPECT_EQ(h.view.entry_text, greek);
  // Emptied first, then the paste: the change handler runs for both.
  EXPECT_EQ(h.entry_changes, (std::vector<std::string>{"", greek}));
  EXPECT_FALSE(h.view.minimized);
  EXPECT_EQ(h.view.restore_calls, 1);
}

TEST(QuickTranslationTest, NonTextAndOwnWritesLeaveTheWindowAlone) {
  DesktopHarness h;
  AutoTranslate_ButtonClick(h.core);
  h.view.SetEntryText("kept");
  h.view.minimized = true;
  h.clipboard.OtherProgramCopiesNonText();
  h.core.CopyInProgress = true;
  h.clipboard.OtherProgramCopies("own");
  EXPECT_EQ(h.view.entry_text, "kept");
  EXPECT_TRUE(h.view.minimized);
}

TEST(QuickTranslationTest, LongTextWithLineBreaksGoesToThePasteAsItIs) {
  DesktopHarness h;
  AutoTranslate_ButtonClick(h.core);
  std::string text(1 << 20, 'a');
  text[10] = '\r';
  text[11] = '\n';
  text[500] = '\0';
  h.clipboard.OtherProgramCopies(text);
  EXPECT_EQ(h.view.entry_text, text);
}

TEST(QuickTranslationTest, AFailingEntryBoxStillPassesTheNotificationOn) {
  DesktopHarness h;
  int after_draws = 0;
  const auto after = h.clipboard.chain.CreateWindow([&](uint32_t m, uint64_t, uint64_t) {
    if (m == Clipboard::kDrawClipboard) ++after_draws;
    return intptr_t{0};
  });
  h.clipboard.chain.SetClipboardViewer(after);
  AutoTranslate_ButtonClick(h.core);
  ASSERT_EQ(h.core.NextClipboardViewer, after);
  h.view.on_entry_change = [] { throw std::runtime_error("lookup failed"); };
  after_draws = 0;
  h.clipboard.OtherProgramCopies("word");
  EXPECT_EQ(after_draws, 1);
}

TEST(QuickTranslationTest, DeactivationMinimisesOnlyWhileOn) {
  DesktopHarness h;
  QuickTranslation_ApplicationDeactivate(h.core);
  EXPECT_FALSE(h.view.minimized);
  AutoTranslate_ButtonClick(h.core);
  QuickTranslation_ApplicationDeactivate(h.core);
  EXPECT_TRUE(h.view.minimized);
  // Copying in the other program brings the dictionary back.
  h.clipboard.OtherProgramCopies("back");
  EXPECT_FALSE(h.view.minimized);
}

TEST(QuickTranslationTest, OtherMessagesAreLeftToTheWindow) {
  DesktopHarness h;
  EXPECT_FALSE(HandleClipboardChainMessage(h.core, 0x0010, 0, 0));
  EXPECT_TRUE(HandleClipboardChainMessage(h.core, Clipboard::kChangeCbChain, 5, 6));
}

TEST(QuickTranslationTest, WorksWithoutAClipboardService) {
  DesktopHarness h;
  h.core.svc.clipboard = nullptr;
  AutoTranslate_ButtonClick(h.core);
  QuickTranslation_DrawClipboard(h.core);
  QuickTranslation_ChangeCbChain(h.core, 1, 2);
  AutoTranslate_ButtonClick(h.core);
  QuickTranslation_FormDestroy(h.core);
  EXPECT_FALSE(h.core.QuickTranslationOn);
  EXPECT_TRUE(h.clipboard.log.empty());
}

}  // namespace
}  // namespace zelvoran::testing
