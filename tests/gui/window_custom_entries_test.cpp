// SPDX-License-Identifier: GPL-3.0-or-later
// The user's entries on the real window: the editing menu, the entry dialog, the delete
// confirmation and the listing of the edited entries.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <fstream>

#include "custom/ui/insert_entry_form.h"
#include "custom/ui/select_custom_dir_form.h"
#include "tests/gui/window_fixture.h"

namespace zelvoran::testing {
namespace {

using Strings = std::vector<std::string>;

enum MenuItemIndex { kShowEdited = 0, kInsert = 1, kModify = 2, kDelete = 3 };

class WindowCustomEntriesTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    user_ = dir_ + "/user";
    fs::create_directories(user_);
  }
  // The settings file names the user's folder, as a previous run would have left it.
  void RememberUserFolder() {
    std::ofstream(folders_.windows + "/Zelvoran.ini", std::ios::binary) << user_ << "\r\n";
  }
  // Opens CustomEntriesMenu with the button and chooses `item`; returns which items were
  // enabled.
  std::vector<bool> Choose(int item) {
    std::vector<bool> enabled;
    WhenMenuOpens(item, nullptr, nullptr, &enabled);
    Click(B::kCustomEntries);
    return enabled;
  }
  static void Replace(QPlainTextEdit* memo, const QString& text) {
    memo->setFocus();
    memo->selectAll();
    Type(memo, text);
  }

  std::string user_;
};

TEST_F(WindowCustomEntriesTest, InsertModifyAndDeleteAnOwnEntry) {
  RememberUserFolder();
  TMainLex& w = Open();
  ASSERT_EQ(state_.Paths.CustomEnglishIndexPath.rfind(user_, 0), 0u);

  // Insert: OK with empty fields gives the message and keeps the dialog open.
  bool inserted = false;
  WhenShown<TInsertEntryFrm>([&](TInsertEntryFrm& d) {
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Εισαγωγή Νέου Λήμματος"));
    QTest::mouseClick(d.InsertOk_Button, Qt::LeftButton);
    EXPECT_TRUE(d.isVisible());
    Type(d.InsertEntry_Text, QStringLiteral("cattle"));
    d.InsertEntry_ShortCut->setCurrentIndex(1);  // ουσιαστικό
    Type(d.InsertEntry_Descr, QStringLiteral("βοοειδή"));
    QTest::mouseClick(d.InsertOk_Button, Qt::LeftButton);
    inserted = !d.isVisible();
  });
  EXPECT_EQ(Choose(kInsert), (std::vector<bool>{true, true, false, false}));
  EXPECT_TRUE(inserted);
  EXPECT_EQ(messages_.messages, Strings{"Πρέπει να συμπληρωθούν το Λήμμα και η Περιγραφή"});
  EXPECT_TRUE(fs::exists(user_ + "/ZelvoranIC.tbo"));

  TypeWord("cattle");
  ASSERT_FALSE(Rows().empty());
  EXPECT_EQ(Rows().front(), "cattle *");
  EXPECT_EQ(Description(), "ουσ.\r\nβοοειδή");
  EXPECT_TRUE(w.ModifyEntryItem->isEnabled());
  EXPECT_TRUE(w.DeleteEntryItem->isEnabled());

  // Modify: the dialog opens with the entry, without its category line.
  bool modified = false;
  WhenShown<TInsertEntryFrm>([&](TInsertEntryFrm& d) {
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Μεταβολή Λήμματος"));
    EXPECT_EQ(d.InsertEntry_Text->text(), QStringLiteral("cattle"));
    EXPECT_TRUE(d.InsertEntry_Text->isEnabled());
    EXPECT_EQ(d.InsertEntry_ShortCut->currentIndex(), 1);
    EXPECT_EQ(d.InsertEntry_Descr->toPlainText(), QStringLiteral("βοοειδή"));
    Replace(d.InsertEntry_Descr, QStringLiteral("αγελάδες"));
    QTest::mouseClick(d.InsertOk_Button, Qt::LeftButton);
    modified = !d.isVisible();
  });
  EXPECT_EQ(Choose(kModify), (std::vector<bool>{true, true, true, true}));
  EXPECT_TRUE(modified);
  EXPECT_TRUE(Rows().empty());  // the display was emptied after the change
  TypeWord("cattle");
  EXPECT_EQ(Description(), "ουσ.\r\nαγελάδες");

  // Delete answered No: nothing changes.
  Choose(kDelete);
  EXPECT_EQ(messages_.questions, Strings{"Να διαγραφεί το Λήμμα; | Επιβεβαίωση Διαγραφής"});
  EXPECT_EQ(Rows().front(), "cattle *");
  EXPECT_EQ(Description(), "ουσ.\r\nαγελάδες");
  TypeWord("cattl");
  EXPECT_EQ(Rows().front(), "cattle *");

  // Yes removes the row at once and the entry from the index.
  TypeWord("cattle");
  messages_.answer = true;
  const size_t rows = Rows().size();
  Choose(kDelete);
  EXPECT_EQ(messages_.questions.size(), 2u);
  EXPECT_EQ(Rows().size(), rows - 1);
  EXPECT_EQ(Description(), "");
  TypeWord("cattle");
  EXPECT_NE(Rows().front(), "cattle *");
  EXPECT_EQ(Label(), "");
}

TEST_F(WindowCustomEntriesTest, AnAdditionToADictionaryEntryAndTheListing) {
  RememberUserFolder();
  TMainLex& w = Open();
  TypeWord("cat");
  ASSERT_EQ(Label(), "cat");
  EXPECT_FALSE(w.DeleteEntryItem->isEnabled());

  // A dictionary entry keeps its headword and category; the memo takes the addition.
  WhenShown<TInsertEntryFrm>([&](TInsertEntryFrm& d) {
    EXPECT_FALSE(d.InsertEntry_Text->isEnabled());
    EXPECT_FALSE(d.InsertEntry_ShortCut->isEnabled());
    EXPECT_EQ(d.InsertEntry_Text->text(), QStringLiteral("cat"));
    EXPECT_TRUE(d.InsertEntry_Descr->toPlainText().isEmpty());
    Replace(d.InsertEntry_Descr, QStringLiteral("κατοικίδιο"));
    QTest::mouseClick(d.InsertOk_Button, Qt::LeftButton);
  });
  EXPECT_EQ(Choose(kModify), (std::vector<bool>{true, true, true, false}));
  TypeWord("cat");
  EXPECT_EQ(Rows().front(), "cat");  // an addition is not marked
  const std::string shown = Description();
  const std::string tail = "\r\n\r\nΣυμπλήρωση δική σας:\r\nκατοικίδιο\r\n";
  ASSERT_GE(shown.size(), tail.size());
  EXPECT_EQ(shown.substr(shown.size() - tail.size()), tail);
  EXPECT_NE(shown.find("γάτα"), std::string::npos);
  EXPECT_FALSE(w.DeleteEntryItem->isEnabled());

  // Modify again opens with the addition as stored; OK without a change and Cancel both keep
  // the entry as it was (no line break is added on each round).
  for (QPushButton* TInsertEntryFrm::*button :
       {&TInsertEntryFrm::InsertOk_Button, &TInsertEntryFrm::InsertCancel_Button}) {
    WhenShown<TInsertEntryFrm>([&](TInsertEntryFrm& d) {
      EXPECT_EQ(d.InsertEntry_Descr->toPlainText(), QStringLiteral("κατοικίδιο"));
      QTest::mouseClick(d.*button, Qt::LeftButton);
    });
    Choose(kModify);
    TypeWord("cat");
    EXPECT_EQ(Description(), shown);
  }

  // An own entry, then the listing: own entries marked, additions not, English first.
  WhenShown<TInsertEntryFrm>([&](TInsertEntryFrm& d) {
    Type(d.InsertEntry_Text, QStringLiteral("ζώο"));
    Type(d.InsertEntry_Descr, QStringLiteral("animal"));
    QTest::mouseClick(d.InsertOk_Button, Qt::LeftButton);
  });
  Choose(kInsert);
  TypeWord("dog");
  Choose(kShowEdited);
  EXPECT_EQ(Rows(), (Strings{"cat", "ζώο *"}));
  EXPECT_EQ(EntryText(), "");
  EXPECT_EQ(Label(), "");
  EXPECT_TRUE(Forward().empty());
  EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(WindowCustomEntriesTest, WithNoFolderKnownTheFolderDialogAsksFirst) {
  TMainLex& w = Open();
  ASSERT_TRUE(state_.Paths.CustomEnglishIndexPath.empty());
  const std::string chosen = dir_ + "/chosen";
  WhenShown<TSelectCustomDirForm>([&](TSelectCustomDirForm& d) {
    d.Dir_Edit->setText(Q(chosen));
    QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
  });
  WhenShown<TInsertEntryFrm>([&](TInsertEntryFrm& d) {
    Type(d.InsertEntry_Text, QStringLiteral("zebra"));
    Type(d.InsertEntry_Descr, QStringLiteral("ζέβρα"));
    QTest::mouseClick(d.InsertOk_Button, Qt::LeftButton);
  });
  Choose(kInsert);
  EXPECT_TRUE(fs::is_directory(chosen));
  EXPECT_TRUE(fs::exists(chosen + "/ZelvoranIC.tbo"));
  std::ifstream settings(folders_.windows + "/Zelvoran.ini", std::ios::binary);
  std::string line;
  std::getline(settings, line);
  EXPECT_EQ(line, chosen + "\r");
  TypeWord("zebra");
  EXPECT_EQ(Rows().front(), "zebra *");
  EXPECT_EQ(Description(), "ζέβρα");
  EXPECT_TRUE(w.DeleteEntryItem->isEnabled());
}

}  // namespace
}  // namespace zelvoran::testing
