// SPDX-License-Identifier: GPL-3.0-or-later
// Quick translation on Qt's clipboard (offscreen): a real line edit as the entry box, and other
// programs standing in as code that writes QClipboard directly.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>

#include "app/desktop_commands.h"
#include "app/lookup_presenter.h"
#include "desktop/copy_paste.h"
#include "desktop/quick_translation.h"
#include "platform/linux/clipboard_qt.h"
#include "tests/support/fake_desktop.h"
#include "text/cp1253.h"

namespace zelvoran::testing {
namespace {

QString Q(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// The entry box is a QLineEdit; its change signal runs the entry box's change handler.
class LineEditView : public FakeMainView {
 public:
  LineEditView() {
    QObject::connect(&edit, &QLineEdit::textChanged, [this] {
      entry_text = EntryText();
      if (on_entry_change) on_entry_change();
    });
  }
  std::string EntryText() const override { return Utf8ToCp1253(edit.text().toStdString()); }
  void SetEntryText(std::string_view text) override {
    const QString q = QString::fromStdString(Cp1253ToUtf8(text));
    if (q != edit.text()) edit.setText(q);
  }
  std::string EntrySelectedText() const override {
    return Utf8ToCp1253(edit.selectedText().toStdString());
  }
  void SelectAllEntryText() override { edit.selectAll(); }
  void CollapseEntrySelection() override { edit.deselect(); }
  void PasteIntoEntryText() override { edit.paste(); }

  QLineEdit edit;
};

class QtQuickTranslationTest : public ::testing::Test {
 protected:
  QtQuickTranslationTest() {
    QGuiApplication::clipboard()->clear();
    core.MainWindowHandle =
        clipboard.Chain().CreateWindow([this](uint32_t m, uint64_t w, uint64_t l) -> intptr_t {
          HandleClipboardChainMessage(core, m, w, l);
          return 0;
        });
    view.on_entry_change = [this] {
      looked_up.push_back(view.EntryText());
      Entry_TextChange(core);
    };
  }
  ~QtQuickTranslationTest() override {
    QuickTranslation_FormDestroy(core);
    clipboard.Chain().DestroyWindow(core.MainWindowHandle);
  }
  // Another program's viewer joins the chain; it counts the notifications that reach it and
  // passes them on.
  Clipboard::Window JoinOther() {
    const Clipboard::Window other =
        clipboard.Chain().CreateWindow([this](uint32_t m, uint64_t w, uint64_t l) -> intptr_t {
          if (m == Clipboard::kDrawClipboard) ++other_draws;
          if (other_next != 0) clipboard.SendMessage(other_next, m, w, l);
          return 0;
        });
    other_next = clipboard.Chain().SetClipboardViewer(other);
    return other;
  }

  FakeFileSystem fs;
  FakeSystemFolders folders;
  FakeSystemInfo info;
  TwoLayoutKeyboard keyboard;
  QtClipboard clipboard;
  ProgramState state;
  LineEditView view;
  MainCore core{Services{.fs = fs,
                         .folders = folders,
                         .info = info,
                         .keyboard = &keyboard,
                         .clipboard = &clipboard},
                state, view};
  std::vector<std::string> looked_up;
  int other_draws = 0;
  Clipboard::Window other_next = 0;
};

TEST_F(QtQuickTranslationTest, AnotherProgramsTextFillsTheEntryBoxAndIsLookedUp) {
  AutoTranslate_ButtonClick(core);
  view.minimized = true;
  QGuiApplication::clipboard()->setText(Q("θάλασσα"));
  EXPECT_EQ(view.edit.text(), Q("θάλασσα"));
  ASSERT_FALSE(looked_up.empty());
  EXPECT_EQ(looked_up.back(), Utf8ToCp1253("θάλασσα"));
  EXPECT_FALSE(view.minimized);

  QGuiApplication::clipboard()->setText(Q("sea"));
  EXPECT_EQ(view.edit.text(), Q("sea"));
  EXPECT_EQ(looked_up.back(), "sea");
}

TEST_F(QtQuickTranslationTest, TheProgramsOwnCopyDoesNotReachTheEntryBox) {
  AutoTranslate_ButtonClick(core);
  JoinOther();
  view.SetEntryText("kept");
  core.List.Add(Utf8ToCp1253("σπίτι"), RowRef{Direction::kGreek, 1});
  core.List.Selected = 0;
  const int draws = other_draws;
  Copy_ButtonClick(core);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), Q("σπίτι"));
  EXPECT_EQ(view.edit.text(), Q("kept"));
  EXPECT_GT(other_draws, draws);  // the chain still hears of it
}

TEST_F(QtQuickTranslationTest, SwitchingOnEmptiesTheClipboard) {
  QGuiApplication::clipboard()->setText(Q("waiting"));
  AutoTranslate_ButtonClick(core);
  EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
  EXPECT_TRUE(view.edit.text().isEmpty());
  EXPECT_TRUE(looked_up.empty());
}

TEST_F(QtQuickTranslationTest, SwitchedOffTheClipboardIsNotFollowed) {
  AutoTranslate_ButtonClick(core);
  AutoTranslate_ButtonClick(core);
  QGuiApplication::clipboard()->setText(Q("ignored"));
  EXPECT_TRUE(view.edit.text().isEmpty());
}

TEST_F(QtQuickTranslationTest, AViewerJoiningAfterUsPassesNotificationsToUs) {
  AutoTranslate_ButtonClick(core);
  const Clipboard::Window other = JoinOther();
  EXPECT_EQ(clipboard.Chain().Head(), other);
  EXPECT_EQ(other_next, core.MainWindowHandle);
  other_draws = 0;
  QGuiApplication::clipboard()->setText(Q("word"));
  EXPECT_EQ(other_draws, 1);
  EXPECT_EQ(view.edit.text(), Q("word"));
}

TEST_F(QtQuickTranslationTest, DataThatIsNotTextIsPassedOnOnly) {
  JoinOther();
  AutoTranslate_ButtonClick(core);  // we are the head, the other viewer after us
  view.SetEntryText("kept");
  const int draws = other_draws;
  auto* data = new QMimeData;
  data->setData("application/octet-stream", QByteArray("\x00\x01\xff", 3));
  QGuiApplication::clipboard()->setMimeData(data);
  EXPECT_EQ(view.edit.text(), Q("kept"));
  EXPECT_EQ(other_draws, draws + 1);
}

TEST_F(QtQuickTranslationTest, AMegabyteOfTextIsCutToTheEntryBoxsLimit) {
  AutoTranslate_ButtonClick(core);
  QGuiApplication::clipboard()->setText(QString(1 << 20, QChar('a')));
  EXPECT_EQ(view.edit.text().size(), view.edit.maxLength());
}

TEST_F(QtQuickTranslationTest, TheDesktopGetsLineFeedsAndTheCoreCrLf) {
  EXPECT_FALSE(clipboard.ReadsAway());  // offscreen: QClipboard answers
  ASSERT_TRUE(clipboard.WriteText("one\r\ntwo\r\n"));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), Q("one\ntwo\n"));
  EXPECT_EQ(clipboard.ReadText(), "one\r\ntwo\r\n");
  QGuiApplication::clipboard()->setText(Q("three\nfour\r\nfive"));
  EXPECT_EQ(clipboard.ReadText(), "three\r\nfour\r\nfive");
  // Text beyond Windows-1253 (an entry with its pronunciation) takes the same way.
  ASSERT_TRUE(clipboard.WriteUnicodeText("/hˈaʊs/\r\nI. σ\r\nII.\r"));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), Q("/hˈaʊs/\nI. σ\nII.\n"));
}

}  // namespace
}  // namespace zelvoran::testing
