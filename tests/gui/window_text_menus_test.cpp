// SPDX-License-Identifier: GPL-3.0-or-later
// The context menus and clipboard keys of the three text controls, the accessible names, and
// the focus after the stay-on-top switch, on the real window over Qt's clipboard.
#include <QAccessible>
#include <QClipboard>
#include <functional>

#include "platform/linux/clipboard_qt.h"
#include "platform/linux/qt_text.h"
#include "tests/gui/window_fixture.h"

namespace zelvoran::testing {
namespace {

class WindowTextMenusTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    QApplication::clipboard()->clear();
  }
  void TearDown() override {
    WindowTest::TearDown();
    QApplication::clipboard()->clear();
  }
  // The window with quick translation on, showing "catalogue" while the entry box holds "cat".
  TMainLex& OpenQuickTranslating() {
    TMainLex& w = Open([this](Services& s) { s.clipboard = &clipboard_; });
    Click(B::kAutoTranslate);
    TypeWord("cat");
    Key(Qt::Key_Down);
    EXPECT_EQ(Label(), "catalogue");
    return w;
  }
  // Nothing was looked up since OpenQuickTranslating.
  void ExpectNotLookedUp() {
    EXPECT_EQ(EntryText(), "cat");
    EXPECT_EQ(Label(), "catalogue");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"cat", "catalogue"}));
  }
  static QString ClipboardText() { return QApplication::clipboard()->text(); }
  static QStringList Captions(QMenu& menu) {
    QStringList out;
    for (const QAction* a : menu.actions()) out << (a->isSeparator() ? QString("-") : a->text());
    return out;
  }
  static std::vector<bool> Enabled(QMenu& menu) {
    std::vector<bool> out;
    for (const QAction* a : menu.actions()) {
      if (!a->isSeparator()) out.push_back(a->isEnabled());
    }
    return out;
  }
  static void Trigger(QMenu& menu, const QString& caption) {
    for (QAction* a : menu.actions()) {
      if (a->text() == caption) {
        a->trigger();
        return;
      }
    }
    ADD_FAILURE() << "no item " << caption.toStdString();
  }

  QtClipboard clipboard_;
};

TEST_F(WindowTextMenusTest, MenusOfferWhatEachControlAllows) {
  TMainLex& w = Open();
  auto entry = w.BuildEntryMenu();
  EXPECT_EQ(Captions(*entry),
            (QStringList{"Αποκοπή", "Αντιγραφή", "Επικόλληση", "Διαγραφή", "-", "Επιλογή όλων"}));
  EXPECT_EQ(Enabled(*entry), (std::vector<bool>{false, false, true, false, false}));
  TypeWord("cat");
  w.Entry_Text->setSelection(0, 2);
  EXPECT_EQ(Enabled(*w.BuildEntryMenu()), (std::vector<bool>{true, true, true, true, true}));

  // The read-only explanation box: no cut, paste or delete; the speech command after them.
  EXPECT_EQ(Captions(*w.BuildDescriptionMenu()),
            (QStringList{"Αντιγραφή", "-", "Επιλογή όλων", "-", "Εκφώνηση"}));
  w.DescriptionMenuExtras.clear();
  EXPECT_EQ(Captions(*w.BuildDescriptionMenu()), (QStringList{"Αντιγραφή", "-", "Επιλογή όλων"}));
  EXPECT_EQ(Enabled(*w.BuildDescriptionMenu()), (std::vector<bool>{true, true}));
  w.SetDescription("");
  EXPECT_EQ(Enabled(*w.BuildDescriptionMenu()), (std::vector<bool>{false, false}));

  // A command added for the explanation comes after a separator, in every later menu.
  auto* speak = new QAction(QStringLiteral("Εκφώνηση"), &w);
  w.DescriptionMenuExtras.push_back(speak);
  EXPECT_EQ(Captions(*w.BuildDescriptionMenu()),
            (QStringList{"Αντιγραφή", "-", "Επιλογή όλων", "-", "Εκφώνηση"}));

  EXPECT_EQ(Captions(*w.BuildListMenu()), QStringList{"Αντιγραφή"});
  EXPECT_EQ(Enabled(*w.BuildListMenu()), std::vector<bool>{true});
  Core().List.Selected = -1;
  EXPECT_EQ(Enabled(*w.BuildListMenu()), std::vector<bool>{false});
}

TEST_F(WindowTextMenusTest, ExplanationCopiesAreNotLookedUp) {
  TMainLex& w = OpenQuickTranslating();
  const QString explanation = w.Description_Text->toPlainText();
  ASSERT_FALSE(explanation.isEmpty());
  w.Description_Text->setFocus();
  QApplication::processEvents();

  // The menu without a selection copies the whole explanation and leaves nothing selected.
  Trigger(*w.BuildDescriptionMenu(), QStringLiteral("Αντιγραφή"));
  EXPECT_EQ(ClipboardText(), explanation);
  EXPECT_FALSE(w.Description_Text->textCursor().hasSelection());
  ExpectNotLookedUp();

  for (const auto& way : {std::pair{Qt::Key_C, Qt::ControlModifier},
                          std::pair{Qt::Key_Insert, Qt::ControlModifier}}) {
    const auto& key = way.first;
    const auto& mods = way.second;
    QApplication::clipboard()->setText(QStringLiteral("cat"));  // another program: looked up
    EXPECT_EQ(EntryText(), "cat");
    TypeWord("cat");
    Key(Qt::Key_Down);
    w.Description_Text->setFocus();
    QTextCursor c = w.Description_Text->textCursor();
    c.setPosition(0);
    c.setPosition(3, QTextCursor::KeepAnchor);
    w.Description_Text->setTextCursor(c);
    QTest::keyClick(w.Description_Text, key, mods);
    EXPECT_EQ(ClipboardText(), explanation.left(3));
    ExpectNotLookedUp();
  }
}

TEST_F(WindowTextMenusTest, EntryAndListCopiesAreNotLookedUp) {
  TMainLex& w = OpenQuickTranslating();
  w.Entry_Text->setFocus();
  w.Entry_Text->setSelection(1, 2);
  Trigger(*w.BuildEntryMenu(), QStringLiteral("Αντιγραφή"));
  EXPECT_EQ(ClipboardText(), QStringLiteral("at"));
  ExpectNotLookedUp();

  w.Entry_Text->setSelection(0, 1);
  QTest::keyClick(w.Entry_Text, Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_EQ(ClipboardText(), QStringLiteral("c"));
  ExpectNotLookedUp();

  Trigger(*w.BuildListMenu(), QStringLiteral("Αντιγραφή"));
  EXPECT_EQ(ClipboardText(), QStringLiteral("catalogue"));
  ExpectNotLookedUp();

  // Shift+Delete cuts: the rest of the box is looked up, the cut text is not.
  w.Entry_Text->setFocus();
  w.Entry_Text->setSelection(2, 1);
  QTest::keyClick(w.Entry_Text, Qt::Key_Delete, Qt::ShiftModifier);
  EXPECT_EQ(ClipboardText(), QStringLiteral("t"));
  EXPECT_EQ(EntryText(), "ca");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"cat", "catalogue"}));

  // The menu's cut and delete; select all.
  TypeWord("catal");
  w.Entry_Text->setSelection(3, 2);
  Trigger(*w.BuildEntryMenu(), QStringLiteral("Αποκοπή"));
  EXPECT_EQ(ClipboardText(), QStringLiteral("al"));
  EXPECT_EQ(EntryText(), "cat");
  w.Entry_Text->setSelection(0, 1);
  Trigger(*w.BuildEntryMenu(), QStringLiteral("Διαγραφή"));
  EXPECT_EQ(EntryText(), "at");
  EXPECT_EQ(ClipboardText(), QStringLiteral("al"));
  Trigger(*w.BuildEntryMenu(), QStringLiteral("Επιλογή όλων"));
  EXPECT_EQ(w.Entry_Text->selectedText(), QStringLiteral("at"));

  // Paste from the menu pastes at the cursor, as Ctrl+V does.
  w.Entry_Text->setCursorPosition(0);
  Trigger(*w.BuildEntryMenu(), QStringLiteral("Επικόλληση"));
  EXPECT_EQ(EntryText(), "alat");
}

// An entry with its pronunciation and an explanation of two lines.
class WindowCopyLineEndsTest : public WindowTextMenusTest {
 protected:
  void SetUp() override {
    WindowTextMenusTest::SetUp();
    dictc::DataSet d = WindowDataSet();
    for (auto& e : d.English) {
      if (e.Headword == "cat") {
        e.Pronunciation = "/kˈat/";
        e.Explanation = W("γάτα\r\nαίλουρος");
      }
    }
    WriteData(files_, folder_, d);
  }
};

TEST_F(WindowCopyLineEndsTest, EveryWayOfCopyingTheEntryGivesLineFeeds) {
  TMainLex& w = Open([this](Services& s) { s.clipboard = &clipboard_; });
  TypeWord("cat");
  ASSERT_EQ(Label(), "cat");
  const QString entry = QStringLiteral("/kˈat/\nγάτα\nαίλουρος");
  const std::vector<std::pair<const char*, std::function<void()>>> ways = {
      {"the copy button", [&] { Click(B::kCopy); }},
      {"Ctrl+C", [&] { QTest::keyClick(w.Description_Text, Qt::Key_C, Qt::ControlModifier); }},
      {"Ctrl+Insert",
       [&] { QTest::keyClick(w.Description_Text, Qt::Key_Insert, Qt::ControlModifier); }},
      {"the menu", [&] { Trigger(*w.BuildDescriptionMenu(), QStringLiteral("Αντιγραφή")); }},
  };
  for (const auto& [name, copy] : ways) {
    SCOPED_TRACE(name);
    QApplication::clipboard()->setText(QStringLiteral("-"));
    w.Description_Text->setFocus();
    QApplication::processEvents();
    copy();
    EXPECT_EQ(ClipboardText(), entry);
  }
  // A selection over the line break.
  w.Description_Text->setFocus();
  w.Description_Text->selectAll();
  QTest::keyClick(w.Description_Text, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(ClipboardText(), QStringLiteral("γάτα\nαίλουρος"));
}

TEST_F(WindowTextMenusTest, ControlsHaveGreekAccessibleNames) {
  TMainLex& w = Open([this](Services& s) { s.clipboard = &clipboard_; });
  for (const ToolbarButtonInfo& info : ToolbarButtons()) {
    EXPECT_EQ(FromQ(w.Button(info.button)->accessibleName()), info.hint);
  }
  EXPECT_EQ(w.Entry_Text->accessibleName(), QStringLiteral("Λήμμα προς Αναζήτηση"));
  EXPECT_EQ(w.Entries_List->accessibleName(), QStringLiteral("Λίστα λημμάτων"));
  EXPECT_EQ(w.Description_Text->accessibleName(), QStringLiteral("Ερμηνεία λήμματος"));
  EXPECT_FALSE(w.Fill_List_Button->accessibleName().isEmpty());

  // The window is a frame named by its caption; the decoration is an unnamed filler.
  QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&w);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->role(), QAccessible::Window);
  EXPECT_EQ(window->text(QAccessible::Name), QStringLiteral("Zelvoran Glossa"));
  QAccessibleInterface* filler = QAccessible::queryAccessibleInterface(w.MiddleColor_Edit);
  ASSERT_NE(filler, nullptr);
  EXPECT_EQ(filler->role(), QAccessible::Client);

  // Names and descriptions follow the mode and the direction.
  Click(B::kAutoTranslate);
  EXPECT_EQ(w.Button(B::kAutoTranslate)->accessibleName(),
            QStringLiteral("Τερματισμός Γρήγορης Μετάφρασης"));
  EXPECT_EQ(window->text(QAccessible::Name), QStringLiteral("Zelvoran Glossa - Γρήγορη Μετάφραση"));
  const QString english = w.Button(B::kLang)->accessibleDescription();
  Click(B::kLang);
  EXPECT_NE(w.Button(B::kLang)->accessibleDescription(), english);
  Click(B::kLang);
  EXPECT_EQ(w.Button(B::kLang)->accessibleDescription(), english);
}

TEST_F(WindowTextMenusTest, StayOnTopKeepsTheFocusInTheEntryBox) {
  TMainLex& w = Open();
  TypeWord("cat");
  for (bool on : {true, false}) {
    Click(B::kPin);
    EXPECT_EQ(w.IsStayOnTop(), on);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_TRUE(w.Entry_Text->hasFocus());
    EXPECT_EQ(Core().FocusedControlTag, FocusedControl::kEntryText);
  }
}

}  // namespace
}  // namespace zelvoran::testing
