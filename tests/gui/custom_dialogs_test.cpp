// SPDX-License-Identifier: GPL-3.0-or-later
// The entry dialog and the folder dialog driven as the user would, standalone and through the
// editing commands.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <functional>

#include "app/custom_commands.h"
#include "custom/ui/insert_entry_form.h"
#include "custom/ui/qt_custom_dialogs.h"
#include "custom/ui/select_custom_dir_form.h"
#include "tests/unit/store_fixture.h"

namespace zelvoran {
namespace {

using testing::W;

// Types text key by key; Greek letters go as key events carrying their text.
void Type(QWidget* w, const QString& text) {
  for (QChar ch : text) {
    if (ch == QChar('\n')) {
      QTest::keyClick(w, Qt::Key_Return);
      continue;
    }
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
  }
}

// Runs `act` on the modal dialog of type T as soon as it is shown.
template <typename T>
void WhenShown(std::function<void(T&)> act) {
  QTimer::singleShot(0, [act] {
    if (auto* d = qobject_cast<T*>(QApplication::activeModalWidget())) {
      act(*d);
    } else {
      WhenShown<T>(act);
    }
  });
}

EntryDialogSetup InsertSetup() {
  EntryDialogSetup s;
  s.EditMode = EditMode::kInsert;
  s.CategoryItems = {" ", W("ουσιαστικό"), W("ιατρική")};
  return s;
}

TEST(InsertEntryFormTest, InsertModeLooksAsDesigned) {
  testing::FakeMessageBoxes boxes;
  TInsertEntryFrm form(InsertSetup(), &boxes);
  form.show();
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Εισαγωγή Νέου Λήμματος"));
  EXPECT_EQ(form.size(), QSize(367, 233));
  EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_EQ(form.InsertOk_Button->text(), QStringLiteral("Εισαγωγή"));
  EXPECT_TRUE(form.InsertOk_Button->isDefault());
  EXPECT_EQ(form.InsertCancel_Button->text(), QStringLiteral("Ακύρωση"));
  EXPECT_EQ(form.InsertEntry_Text->maxLength(), 80);
  EXPECT_EQ(form.InsertEntry_Text->palette().color(QPalette::Base), QColor(0xFA, 0xFF, 0xFF));
  EXPECT_EQ(form.InsertEntry_Descr->palette().color(QPalette::Base), QColor(0xFA, 0xFF, 0xFF));
  EXPECT_EQ(form.InsertEntry_Text->palette().color(QPalette::Text), QColor(0, 0x80, 0x80));
  EXPECT_EQ(form.InsertEntry_ShortCut->palette().color(QPalette::Text), QColor(0x80, 0, 0));
  EXPECT_FALSE(form.InsertEntry_ShortCut->isEditable());
  // The explanation's font is fixed-pitch and has the Greek letters of its own, whatever else
  // the machine has installed: every character as wide as every other.
  const QFont descr = form.InsertEntry_Descr->font();
  EXPECT_TRUE(QFontInfo(descr).fixedPitch()) << QFontInfo(descr).family().toStdString();
  const QFontMetrics metrics(descr);
  const QString sample = QStringLiteral("iMW.1 αωΆΏϊΰ;ςΣ");
  for (QChar ch : sample) {
    EXPECT_TRUE(metrics.inFont(ch)) << QString(ch).toStdString();
    EXPECT_EQ(metrics.horizontalAdvance(ch), metrics.horizontalAdvance(QLatin1Char('i')))
        << QString(ch).toStdString();
  }
  ASSERT_EQ(form.InsertEntry_ShortCut->count(), 3);
  EXPECT_EQ(form.InsertEntry_ShortCut->itemText(2), QStringLiteral("ιατρική"));
  EXPECT_EQ(form.InsertEntry_ShortCut->currentIndex(), -1);
  QStringList labels;
  for (auto* l : form.findChildren<QLabel*>()) labels << l->text();
  EXPECT_TRUE(labels.contains("Λήμμα") && labels.contains("Κατηγορία") &&
              labels.contains("Περιγραφή"));
}

TEST(InsertEntryFormTest, OkNeedsBothFieldsThenHandsBackWhatWasTyped) {
  testing::FakeMessageBoxes boxes;
  TInsertEntryFrm form(InsertSetup(), &boxes);
  form.show();
  QTest::mouseClick(form.InsertOk_Button, Qt::LeftButton);
  ASSERT_EQ(boxes.messages.size(), 1u);
  EXPECT_EQ(boxes.messages[0], "Πρέπει να συμπληρωθούν το Λήμμα και η Περιγραφή");
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Rejected);

  Type(form.InsertEntry_Text, QStringLiteral(" γάτος "));
  form.InsertEntry_ShortCut->setCurrentIndex(2);
  Type(form.InsertEntry_Descr, QStringLiteral("tomcat\nmale cat"));
  QTest::mouseClick(form.InsertOk_Button, Qt::LeftButton);
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_EQ(boxes.messages.size(), 1u);
  const EntryDialogResult r = form.Result();
  EXPECT_EQ(r.Headword, W(" γάτος "));  // as typed; the store trims
  EXPECT_EQ(r.CategoryRow, 2);
  EXPECT_EQ(r.Explanation, "tomcat\r\nmale cat");
}

TEST(InsertEntryFormTest, UpdateOfDictionaryEntryLocksHeadwordAndCategory) {
  testing::FakeMessageBoxes boxes;
  EntryDialogSetup s = InsertSetup();
  s.EditMode = EditMode::kUpdate;
  s.Origin = Origin::kDictionary;
  s.Headword = "cat";
  s.CategoryRow = 1;
  TInsertEntryFrm form(s, &boxes);
  form.show();
  QApplication::setActiveWindow(&form);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Μεταβολή Λήμματος"));
  EXPECT_EQ(form.InsertOk_Button->text(), QStringLiteral("Ok"));
  EXPECT_FALSE(form.InsertEntry_Text->isEnabled());
  EXPECT_FALSE(form.InsertEntry_ShortCut->isEnabled());
  EXPECT_EQ(form.InsertEntry_Text->text(), "cat");
  EXPECT_EQ(form.InsertEntry_ShortCut->currentIndex(), 1);
  EXPECT_TRUE(form.InsertEntry_Descr->toPlainText().isEmpty());
  QTest::mouseClick(form.InsertOk_Button, Qt::LeftButton);  // an empty addition is fine
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_TRUE(boxes.messages.empty());
}

TEST(InsertEntryFormTest, UpdateOfOwnEntryPrefillsAndCancelEmpties) {
  EntryDialogSetup s = InsertSetup();
  s.EditMode = EditMode::kUpdate;
  s.Origin = Origin::kOwn;
  s.Headword = W("γάτος");
  s.Explanation = "line 1\r\nline 2";
  TInsertEntryFrm form(s, nullptr);
  form.show();
  EXPECT_TRUE(form.InsertEntry_Text->isEnabled());
  EXPECT_EQ(form.InsertEntry_Text->text(), QStringLiteral("γάτος"));
  EXPECT_EQ(form.InsertEntry_Descr->toPlainText(), "line 1\nline 2");
  QTest::mouseClick(form.InsertCancel_Button, Qt::LeftButton);
  EXPECT_EQ(form.result(), QDialog::Rejected);
  EXPECT_TRUE(form.InsertEntry_Text->text().isEmpty());
  EXPECT_TRUE(form.InsertEntry_Descr->toPlainText().isEmpty());
  EXPECT_EQ(form.InsertEntry_ShortCut->currentIndex(), -1);
}

class FolderFormTest : public ::testing::Test {
 protected:
  FolderFormTest() {
    fs.CreateDirectories("c:\\Users\\docs");
    fs.CreateDirectories("c:\\Work");
  }
  testing::FakeFileSystem fs;
  testing::FakeSystemFolders folders;
  testing::FakeSystemInfo info;
  testing::FakeMessageBoxes boxes;
};

TEST_F(FolderFormTest, ShowsReasonProposalAndDriveC) {
  TSelectCustomDirForm form("INVALID", fs, folders, info, &boxes);
  form.show();
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Επιλογή φακέλου για επεξεργασμένα λήμματα"));
  EXPECT_EQ(form.size(), QSize(477, 218));
  EXPECT_TRUE(form.Image1->isVisible());
  EXPECT_FALSE(form.Image2->isVisible());
  EXPECT_TRUE(form.MsgMemo->toPlainText().startsWith(
      QStringLiteral("Ο φάκελος που έχει οριστεί για την αποθήκευση")));
  EXPECT_TRUE(form.MsgMemo->isReadOnly());
  EXPECT_EQ(form.Label1->text(), QStringLiteral("Φάκελος"));
  EXPECT_EQ(form.BitBtn1->text(), "OK");
  EXPECT_EQ(form.BitBtn2->text(), QStringLiteral("Άκυρο"));
  EXPECT_EQ(form.DriveComboBox1->currentText(), "c:\\");
  EXPECT_EQ(form.Dir_Edit->text(), "c:\\ZelvoranGlossa");
  // The list shows drive C: and its folders.
  QStringList rows;
  for (int i = 0; i < form.DirectoryListBox1->count(); ++i) {
    rows << form.DirectoryListBox1->item(i)->text().trimmed();
  }
  EXPECT_EQ(rows, (QStringList{"c:", "dict", "users", "work"}));

  TSelectCustomDirForm null_form("NULL", fs, folders, info, &boxes);
  EXPECT_TRUE(null_form.MsgMemo->toPlainText().startsWith(
      QStringLiteral("Για να επεξεργαστείτε λήμματα στο Zelvoran Glossa")));
}

TEST_F(FolderFormTest, TheWholeMessageAndThePathsStartAreReadable) {
  // A long proposal, as a home folder gives it.
  folders.root = "/tmp/ux/home_user/";
  fs.CreateDirectories("/tmp/ux/home_user");
  for (const char* reason : {"NULL", "INVALID"}) {
    SCOPED_TRACE(reason);
    TSelectCustomDirForm form(reason, fs, folders, info, &boxes);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(form.size(), QSize(477, 218));
    // The message is wrapped inside the memo's fixed size, with nothing below its last line.
    QTextEdit* memo = form.MsgMemo;
    EXPECT_EQ(memo->geometry(), QRect(48, 16, 233, 113));
    EXPECT_LE(memo->document()->size().height(), memo->viewport()->height());
    EXPECT_EQ(memo->verticalScrollBar()->maximum(), 0);
    EXPECT_GE(QFontInfo(memo->font()).pixelSize(), 9);
    const QTextBlock last = memo->document()->lastBlock();
    EXPECT_TRUE(last.text().endsWith(reason == std::string("NULL")
                                         ? QStringLiteral("παρακάτω.")
                                         : QStringLiteral("δημιουργήσετε.")));
    // The path is shown from its start, selected whole so that typing replaces it.
    EXPECT_EQ(form.Dir_Edit->text(), QStringLiteral("/tmp/ux/home_user/ZelvoranGlossa"));
    EXPECT_TRUE(form.Dir_Edit->hasFocus());
    EXPECT_EQ(form.Dir_Edit->cursorPosition(), 0);
    EXPECT_EQ(form.Dir_Edit->selectedText(), form.Dir_Edit->text());
    EXPECT_EQ(form.Dir_Edit->toolTip(), form.Dir_Edit->text());
    // While the user edits it, it scrolls to the cursor; left, it shows its start again.
    QTest::keyClick(form.Dir_Edit, Qt::Key_End);
    EXPECT_EQ(form.Dir_Edit->cursorPosition(), form.Dir_Edit->text().size());
    form.DirectoryListBox1->setFocus();
    EXPECT_EQ(form.Dir_Edit->cursorPosition(), 0);
  }
}

TEST_F(FolderFormTest, BrowsingFillsTheEditAndOkCreatesTheFolder) {
  TSelectCustomDirForm form("NULL", fs, folders, info, &boxes);
  form.show();
  auto open = [&](const QString& name) {
    const auto items = form.DirectoryListBox1->findItems(name, Qt::MatchEndsWith);
    ASSERT_EQ(items.size(), 1) << name.toStdString();
    emit form.DirectoryListBox1->itemActivated(items[0]);
  };
  open("users");
  EXPECT_EQ(form.Dir_Edit->text(), "c:\\users");
  open("docs");
  EXPECT_EQ(form.Dir_Edit->text(), "c:\\users\\docs");
  EXPECT_EQ(form.Dir_Edit->cursorPosition(), 0);  // a browsed path shows from its start too

  form.Dir_Edit->clear();
  QTest::keyClicks(form.Dir_Edit, "c:\\New\\Deeper\\Mine");
  QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_TRUE(fs.DirectoryExists("c:\\New\\Deeper\\Mine"));
  EXPECT_EQ(form.ChosenFolder(), "c:\\New\\Deeper\\Mine");
}

TEST_F(FolderFormTest, FolderThatCannotBeCreatedKeepsTheDialogOpen) {
  fs.fail_if = [](const std::string& op, const std::string& path) {
    return op == "mkdir" && path == "q:\\";
  };
  TSelectCustomDirForm form("NULL", fs, folders, info, &boxes);
  form.show();
  form.Dir_Edit->setText("Q:\\Mine");
  QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
  EXPECT_TRUE(form.isVisible());
  ASSERT_EQ(boxes.messages.size(), 1u);
  EXPECT_EQ(boxes.messages[0],
            "Παρουσιάστηκε πρόβλημα κατά τη δημιουργία του φακέλου. Παρακαλώ επιλέξτε άλλο "
            "φάκελο");
  QTest::mouseClick(form.BitBtn2, Qt::LeftButton);
  EXPECT_EQ(form.result(), QDialog::Rejected);
}

// The editing commands with the real dialogs shown modally over a window.
class CustomDialogsCommandTest : public testing::StoreTest {
 protected:
  CustomDialogsCommandTest() : qt_dialogs(&window, fs, folders, info, &boxes) {
    core.svc.custom_dialogs = &qt_dialogs;
    window.show();
  }
  void SetUp() override { Load(); }
  QWidget window;
  QtCustomDialogs qt_dialogs;
};

TEST_F(CustomDialogsCommandTest, InsertModifyDeleteThroughTheMenu) {
  // No folder yet: the folder dialog asks first, and the chosen folder is created.
  state.Paths = {};
  fs.Put("C:\\Dict\\Zelvoran", "program");
  fs.SetReadOnly("C:\\Dict\\Zelvoran", true);
  fs.CreateDirectories("C:\\WINDOWS");
  WhenShown<TSelectCustomDirForm>([](TSelectCustomDirForm& d) {
    d.Dir_Edit->setText("D:\\Entries");
    QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
  });
  WhenShown<TInsertEntryFrm>([](TInsertEntryFrm& d) {
    QTest::mouseClick(d.InsertOk_Button, Qt::LeftButton);  // empty: the message, still open
    Type(d.InsertEntry_Text, QStringLiteral("cattle"));
    d.InsertEntry_ShortCut->setCurrentIndex(1);
    Type(d.InsertEntry_Descr, QStringLiteral("βοοειδή"));
    QTest::mouseClick(d.InsertOk_Button, Qt::LeftButton);
  });
  view.menu_choice = 1;
  EXPECT_EQ(CustomEntries_ButtonClick(core), CustomEntriesChoice::kInsert);
  EXPECT_EQ(boxes.messages,
            std::vector<std::string>{"Πρέπει να συμπληρωθούν το Λήμμα και η Περιγραφή"});
  EXPECT_EQ(File("C:\\WINDOWS\\Zelvoran.ini"), "D:\\Entries\r\n");
  EXPECT_EQ(English()[4], "cattle*");
  EXPECT_EQ(state.Dict.EnglishIndex.Slot(5).Category, W("ουσ."));
  EXPECT_EQ(view.busy_depth, 0);

  // Modify: the dialog opens prefilled and stores the new text.
  SelectEntry(false, "cattle");
  view.description = W("ουσ.\r\nβοοειδή");
  view.modify_enabled = view.delete_enabled = true;
  WhenShown<TInsertEntryFrm>([](TInsertEntryFrm& d) {
    EXPECT_EQ(d.InsertEntry_Descr->toPlainText(), QStringLiteral("βοοειδή"));
    EXPECT_EQ(d.InsertEntry_ShortCut->currentIndex(), 1);
    d.InsertEntry_Descr->selectAll();
    Type(d.InsertEntry_Descr, QStringLiteral("αγελάδες"));
    QTest::mouseClick(d.InsertOk_Button, Qt::LeftButton);
  });
  view.menu_choice = 2;
  EXPECT_EQ(CustomEntries_ButtonClick(core), CustomEntriesChoice::kModify);
  EXPECT_EQ(English()[4], "cattle*");
  const HeadwordRecord& r = state.Dict.EnglishIndex.Slot(5);
  EXPECT_EQ(ShiftCodec(File("D:\\Entries\\ZelvoranC.tbo").substr(0, r.TextLength),
                       ShiftDirection::kDecode),
            W("αγελάδες"));

  // Delete: No keeps the entry, Yes removes it and its row.
  SelectEntry(false, "cattle");
  view.modify_enabled = view.delete_enabled = true;
  view.menu_choice = 3;
  boxes.answer = false;
  CustomEntries_ButtonClick(core);
  EXPECT_EQ(English()[4], "cattle*");
  EXPECT_EQ(core.List.Count(), 1);
  boxes.answer = true;
  CustomEntries_ButtonClick(core);
  EXPECT_EQ(English()[4], "doctor");
  EXPECT_EQ(core.List.Count(), 0);
  EXPECT_EQ(boxes.questions.size(), 2u);
}

}  // namespace
}  // namespace zelvoran
