// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/main_core.h"
#include "app/toolbar.h"
#include "app/ui/main_lex.h"
#include "app/window_commands.h"
#include "platform/linux/posix_file_system.h"
#include "platform/linux/qt_text.h"
#include "platform/message_boxes.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fixture_data.h"
#include "tests/support/gui_typing.h"
#include "tests/support/recording_messages.h"
#include "text/cp1253.h"

namespace zelvoran {
namespace {

using B = ToolbarButton;
namespace fs = std::filesystem;

using testing::RecordingMessages;

// A program folder in a temporary directory with the small fixture dictionary and the
// content pictures; the window is created with it as the current directory.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallFontSubstitutions();
    char tmpl[] = "/tmp/zelvoran-gui-XXXXXX";
    dir_ = ::mkdtemp(tmpl);
    folder_ = dir_ + "/";
    fs::create_directories(dir_ + "/content");
    fs::copy_file(fs::path(ZELVORAN_SOURCE_DIR) / "content" / "orangeline.bmp",
                  dir_ + "/content/orangeline.bmp");
    folders_.windows = dir_ + "/windows";
    folders_.root = dir_ + "/c/";
    old_cwd_ = fs::current_path();
  }
  void TearDown() override {
    window_.reset();
    fs::current_path(old_cwd_);
    fs::remove_all(dir_);
  }

  void WriteFixture() { testing::WriteData(files_, folder_, testing::SmallDataSet()); }

  // Creates and shows the window, and waits until it is exposed and active.
  TMainLex& Open() {
    fs::current_path(dir_);
    window_ =
        std::make_unique<TMainLex>(Services{files_, folders_, info_, nullptr, &messages_}, state_);
    window_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    window_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    return *window_;
  }

  static Rect Bounds(const QWidget* w) {
    const QRect r = w->geometry();
    return {r.x(), r.y(), r.width(), r.height()};
  }
  bool Raised(B b) { return Bounds(window_->Button(b)) == ToolbarInfo(b).raised; }
  bool AtRest(B b) { return Bounds(window_->Button(b)) == ToolbarInfo(b).rest; }
  // Through the window, as the pointer does, so the move reaches the control under it.
  void MoveTo(QWidget* w, QPoint p) {
    QTest::mouseMove(window_->windowHandle(), w->mapTo(window_.get(), p));
    QApplication::processEvents();
  }
  void MoveToCentre(QWidget* w) { MoveTo(w, w->rect().center()); }
  static void Type(QWidget* w, const QString& text) { testing::TypeText(w, text); }

  std::string dir_, folder_;
  fs::path old_cwd_;
  PosixFileSystem files_;
  testing::FakeSystemFolders folders_;
  testing::FakeSystemInfo info_;
  RecordingMessages messages_;
  ProgramState state_;
  std::unique_ptr<TMainLex> window_;
};

TEST_F(MainWindowTest, StateAfterCreationAndFirstShow) {
  WriteFixture();
  TMainLex& w = Open();
  EXPECT_EQ(MainLex, &w);
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Zelvoran Glossa"));
  EXPECT_EQ(w.size(), QSize(592, 338));
  EXPECT_EQ(w.palette().color(QPalette::Window), QColor(127, 150, 228));
  EXPECT_EQ(state_.ProgramFolder, folder_);
  EXPECT_EQ(state_.Dict.EnglishIndex.Count(), 6);
  EXPECT_EQ(state_.Dict.GreekIndex.Count(), 5);
  EXPECT_EQ(state_.CurrentSearchMode, SearchMode::kStart);
  EXPECT_TRUE(messages_.problems.empty());

  for (const ToolbarButtonInfo& b : ToolbarButtons()) {
    EXPECT_TRUE(AtRest(b.button)) << b.hover_number;
    EXPECT_EQ(FromQ(w.Button(b.button)->toolTip()), b.hint);
  }
  EXPECT_EQ(Bounds(w.Entries_List), (Rect{2, 88, 211, 228}));
  EXPECT_EQ(Bounds(w.Description_Text), (Rect{216, 88, 373, 228}));
  EXPECT_EQ(Bounds(w.MiddleColor_Edit), (Rect{208, 88, 25, 228}));
  EXPECT_EQ(Bounds(w.Entry_Text), (Rect{10, 52, 195, 24}));
  // Right-justified at 477 + 110; at least as wide as designed, wider when its face needs it.
  EXPECT_EQ(w.Quimbrell_Label->geometry().right(), 477 + 110 - 1);
  EXPECT_GE(w.Quimbrell_Label->width(), 110);
  EXPECT_GE(w.Quimbrell_Label->width(),
            w.Quimbrell_Label->fontMetrics().horizontalAdvance(w.Quimbrell_Label->text()));
  EXPECT_EQ(Bounds(w.Main_Image), (Rect{0, 46, 592, 292}));
  EXPECT_EQ(w.Entry_Text->toolTip(), QStringLiteral("Λήμμα προς Αναζήτηση"));
  EXPECT_FALSE(w.Line_Image->Picture().isNull());
  EXPECT_EQ(w.Button(B::kLang)->Glyph().cacheKey(), w.EnImage.cacheKey());
  EXPECT_EQ(w.GrImage.size(), QSize(42, 32));
  EXPECT_EQ(w.AutoTrImage.size(), QSize(25, 23));
  EXPECT_EQ(w.QuimbrellImage->Picture().size(), QSize(21, 18));

  EXPECT_EQ(w.Core().CurrentDirection, Direction::kEnglish);
  EXPECT_EQ(w.Core().List.Count(), 0);
  EXPECT_EQ(w.Entries_List->model()->rowCount(), 0);
  EXPECT_TRUE(w.Entry_Label->text().isEmpty());
  EXPECT_TRUE(w.Description_Text->toPlainText().isEmpty());
  EXPECT_TRUE(w.Description_Text->isReadOnly());
  EXPECT_FALSE(w.ModifyEntryItem->isEnabled());
  EXPECT_FALSE(w.DeleteEntryItem->isEnabled());
  EXPECT_FALSE(w.IsStayOnTop());
}

TEST_F(MainWindowTest, TabOrderRunsFromTheEntryBoxThroughTheToolbar) {
  TMainLex& w = Open();
  std::vector<QWidget*> want = {w.Entry_Text, w.Entries_List, w.Description_Text,
                                w.Fill_List_Button};
  for (const ToolbarButtonInfo& b : ToolbarButtons()) {
    if (b.button != B::kPrevMenu && b.button != B::kNextMenu) want.push_back(w.Button(b.button));
  }
  std::vector<QWidget*> got;
  QWidget* cur = w.Entry_Text;
  for (size_t i = 0; i < want.size(); ++i) {
    got.push_back(cur);
    do {
      cur = cur->nextInFocusChain();
    } while (!(cur->focusPolicy() & Qt::TabFocus) || !cur->isVisibleTo(&w) || !cur->isEnabled());
  }
  EXPECT_EQ(got, want);
}

TEST_F(MainWindowTest, MissingDataStillShowsTheEmptyWindow) {
  fs::remove(dir_ + "/content/orangeline.bmp");
  TMainLex& w = Open();
  EXPECT_TRUE(w.Line_Image->Picture().isNull());
  EXPECT_EQ(state_.CurrentSearchMode, SearchMode::kStart);
  EXPECT_EQ(w.size(), QSize(592, 338));
}

TEST_F(MainWindowTest, RejectedProfileIsReportedAndTheWindowStaysEmpty) {
  WriteFixture();
  files_.WriteFile(folder_ + "data/ZelvoranProfile.txt", "english-headwords=many\r\n");
  TMainLex& w = Open();
  ASSERT_EQ(messages_.problems.size(), 1u);
  EXPECT_EQ(messages_.problems[0], state_.DataProblem);
  EXPECT_EQ(state_.Dict.EnglishIndex.Count(), 0);
  EXPECT_EQ(w.Core().List.Count(), 0);
}

TEST_F(MainWindowTest, HoverRaisesButtonsAndPairs) {
  TMainLex& w = Open();
  MoveToCentre(w.Button(B::kPrev));
  EXPECT_TRUE(Raised(B::kPrev));
  EXPECT_TRUE(Raised(B::kPrevMenu));
  // The arrow was brought to the front after its main button: it covers Next_Button's edge.
  EXPECT_EQ(w.childAt(109, 20), w.Button(B::kPrevMenu));

  MoveToCentre(w.Button(B::kPrevMenu));
  EXPECT_TRUE(Raised(B::kPrev));
  EXPECT_TRUE(Raised(B::kPrevMenu));

  MoveToCentre(w.Button(B::kCopy));
  EXPECT_TRUE(AtRest(B::kPrev));
  EXPECT_TRUE(AtRest(B::kPrevMenu));
  EXPECT_TRUE(Raised(B::kCopy));

  // The explanation box and the labels change nothing.
  MoveToCentre(w.Description_Text);
  MoveToCentre(w.CopyrightLabel);
  MoveToCentre(w.Quimbrell_Label);
  EXPECT_TRUE(Raised(B::kCopy));

  // The window's surface between two buttons lowers everything.
  MoveTo(&w, QPoint(275, 20));
  for (const ToolbarButtonInfo& b : ToolbarButtons()) EXPECT_TRUE(AtRest(b.button));

  MoveToCentre(w.Button(B::kPin));
  EXPECT_EQ(Bounds(w.Button(B::kPin)), (Rect{515, 9, 27, 24}));
  MoveToCentre(w.Entry_Text);
  EXPECT_TRUE(AtRest(B::kPin));
  MoveToCentre(w.Button(B::kExit));
  MoveTo(w.Entries_List->viewport(), QPoint(20, 100));
  EXPECT_TRUE(AtRest(B::kExit));
  MoveToCentre(w.Button(B::kHelp));
  MoveTo(&w, QPoint(200, 330));  // over the background picture
  EXPECT_TRUE(AtRest(B::kHelp));
  MoveToCentre(w.Button(B::kSearch));
  MoveTo(&w, QPoint(214, 150));  // the filler strip between list and explanation
  EXPECT_TRUE(AtRest(B::kSearch));
}

TEST_F(MainWindowTest, ResizeKeepsListAndExplanationOnOneLine) {
  TMainLex& w = Open();
  for (QSize s : {QSize(700, 400), QSize(600, 351), QSize(592, 338), QSize(400, 250),
                  QSize(1000, 777), QSize(300, 200)}) {
    w.resize(s);
    QApplication::processEvents();
    const QRect list = w.Entries_List->geometry();
    const QRect desc = w.Description_Text->geometry();
    EXPECT_EQ((list.height() - 2 * w.Entries_List->FrameWidth()) % 16, 0) << s.height();
    EXPECT_EQ(list.y() + list.height(), desc.y() + desc.height()) << s.height();
    EXPECT_EQ(w.MiddleColor_Edit->height(), desc.height());
    EXPECT_EQ(desc.x() + desc.width(), s.width() - 3);
    EXPECT_EQ(w.Quimbrell_Label->geometry().right(), s.width() - 6);
    EXPECT_EQ(w.CopyrightLabel->y(), s.height() - 18);
  }
  w.resize(50, 40);
  QApplication::processEvents();
  EXPECT_EQ(w.size(), QSize(kMinOuterWidth - kFrameWidth, kMinOuterHeight - kFrameHeight));
  EXPECT_EQ(w.Description_Text->width(), 0);
}

TEST_F(MainWindowTest, HeadwordLabelJustification) {
  TMainLex& w = Open();
  w.SetHeadwordLabel(Utf8ToCp1253("σοφός"));
  AlignHeadwordLabel(w.Core());
  EXPECT_FALSE(w.HeadwordLabelLeftJustified());
  EXPECT_TRUE(w.Entry_Label->alignment() & Qt::AlignRight);
  EXPECT_EQ(w.Entry_Label->geometry().right(), w.Description_Text->geometry().right());

  const std::string wide(80, 'W');
  ASSERT_GT(w.MeasureLabelText(wide), w.Description_Text->width());
  w.SetHeadwordLabel(wide);
  AlignHeadwordLabel(w.Core());
  EXPECT_TRUE(w.HeadwordLabelLeftJustified());
  EXPECT_TRUE(w.Entry_Label->alignment() & Qt::AlignLeft);
  EXPECT_EQ(w.Entry_Label->x(), w.Description_Text->x());

  // Widening the window until the headword fits justifies it right again.
  w.resize(2000, 338);
  QApplication::processEvents();
  EXPECT_FALSE(w.HeadwordLabelLeftJustified());
}

TEST_F(MainWindowTest, LanguageSwitchTwiceReturnsToTheStart) {
  TMainLex& w = Open();
  w.Entry_Text->setFocus();
  Type(w.Entry_Text, QStringLiteral("word"));
  EXPECT_EQ(w.EntryText(), "word");

  QTest::mouseClick(w.Button(B::kLang), Qt::LeftButton);
  EXPECT_EQ(w.Core().CurrentDirection, Direction::kGreek);
  EXPECT_EQ(w.Button(B::kLang)->Glyph().cacheKey(), w.GrImage.cacheKey());
  EXPECT_TRUE(w.Entry_Text->text().isEmpty());
  EXPECT_TRUE(w.Entry_Text->hasFocus());

  QTest::mouseClick(w.Button(B::kLang), Qt::LeftButton);
  EXPECT_EQ(w.Core().CurrentDirection, Direction::kEnglish);
  EXPECT_EQ(w.Button(B::kLang)->Glyph().cacheKey(), w.EnImage.cacheKey());
  EXPECT_TRUE(w.Entry_Text->text().isEmpty());
  EXPECT_TRUE(w.Entry_Text->hasFocus());
}

TEST_F(MainWindowTest, TextCrossesTheWidgetEdgeAsWindows1253) {
  TMainLex& w = Open();
  w.SetEntryText(Utf8ToCp1253("Άλφα"));
  EXPECT_EQ(w.Entry_Text->text(), QStringLiteral("Άλφα"));
  w.Entry_Text->setText(QStringLiteral("a\u4e2db"));  // no Windows-1253 byte for the middle
  EXPECT_EQ(w.EntryText(), "a?b");

  w.SetDescription(Utf8ToCp1253("πρώτη\r\nδεύτερη"));
  EXPECT_EQ(w.Description_Text->document()->blockCount(), 2);
  EXPECT_EQ(w.DescriptionText(), Utf8ToCp1253("πρώτη\r\nδεύτερη"));
  EXPECT_EQ(w.DescriptionDisplayLines(),
            (std::vector<std::string>{Utf8ToCp1253("πρώτη"), Utf8ToCp1253("δεύτερη")}));
}

TEST_F(MainWindowTest, FocusIsRecordedAndKeptOverToolbarClicks) {
  TMainLex& w = Open();
  w.Entry_Text->setText(QStringLiteral("abc"));
  w.Description_Text->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(w.Core().FocusedControlTag, FocusedControl::kDescriptionText);
  QTest::mouseClick(w.Button(B::kCopy), Qt::LeftButton);
  EXPECT_EQ(w.Core().FocusedControlTag, FocusedControl::kDescriptionText);
  w.Entries_List->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(w.Core().FocusedControlTag, FocusedControl::kEntriesList);
  w.Entry_Text->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(w.Core().FocusedControlTag, FocusedControl::kEntryText);
  EXPECT_EQ(w.Entry_Text->selectedText(), QStringLiteral("abc"));
}

TEST_F(MainWindowTest, EnterTriggersTheDefaultButtonFromEveryTextControl) {
  TMainLex& w = Open();
  QSignalSpy spy(w.Fill_List_Button, &QPushButton::clicked);
  for (QWidget* target :
       {static_cast<QWidget*>(w.Entry_Text), static_cast<QWidget*>(w.Entries_List),
        static_cast<QWidget*>(w.Description_Text)}) {
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Return);
  }
  EXPECT_EQ(spy.count(), 3);
  EXPECT_TRUE(w.Description_Text->toPlainText().isEmpty());
}

TEST_F(MainWindowTest, ListShowsTensOfThousandsOfUniformRows) {
  TMainLex& w = Open();
  MainCore& core = w.Core();
  for (int i = 0; i < 32736; ++i)
    core.List.Add("row " + std::to_string(i), RowRef{Direction::kEnglish, i + 1});
  core.List.Add(std::string(60, 'm'), RowRef{Direction::kEnglish, 40000});
  core.List.Selected = 5;
  w.ListRowsChanged();
  QApplication::processEvents();
  ASSERT_EQ(w.Entries_List->model()->rowCount(), 32737);
  const QModelIndex first = w.Entries_List->model()->index(0, 0);
  EXPECT_EQ(w.Entries_List->visualRect(first).height(), 16);
  EXPECT_EQ(w.Entries_List->currentIndex().row(), 5);
  EXPECT_EQ(w.ListRowAt({10, 20}), 1);

  // The long-headword tooltip.
  w.Entries_List->scrollToBottom();
  QApplication::processEvents();
  const QRect last = w.Entries_List->visualRect(w.Entries_List->model()->index(32736, 0));
  MoveTo(w.Entries_List->viewport(), last.center());
  EXPECT_EQ(w.Entries_List->toolTip(), QString(60, QChar('m')));
  const QRect prev = w.Entries_List->visualRect(w.Entries_List->model()->index(32735, 0));
  MoveTo(w.Entries_List->viewport(), prev.center());
  EXPECT_TRUE(w.Entries_List->toolTip().isEmpty());

  // A click reports the row to the core.
  QTest::mouseClick(w.Entries_List->viewport(), Qt::LeftButton, Qt::NoModifier, prev.center());
  EXPECT_EQ(core.List.Selected, 32735);
  // The click shows the row and hands the focus back to the entry box, which takes the tag.
  EXPECT_EQ(core.FocusedControlTag, FocusedControl::kEntryText);
}

TEST_F(MainWindowTest, PinAndExit) {
  TMainLex& w = Open();
  QTest::mouseClick(w.Button(B::kPin), Qt::LeftButton);
  EXPECT_TRUE(w.IsStayOnTop());
  QTest::mouseClick(w.Button(B::kPin), Qt::LeftButton);
  EXPECT_FALSE(w.IsStayOnTop());
  QTest::mouseClick(w.Button(B::kExit), Qt::LeftButton);
  EXPECT_FALSE(w.isVisible());
}

}  // namespace
}  // namespace zelvoran
