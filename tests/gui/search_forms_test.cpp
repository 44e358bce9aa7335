// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/ui/search_forms.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace zelvoran {
namespace {

// Runs `act` on the modal dialog of type T once it is open.
template <typename T, typename F>
void WhenOpen(F act) {
  QTimer::singleShot(0, [act] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible() && dynamic_cast<T*>(d)) {
        act(*dynamic_cast<T*>(d));
        return;
      }
    }
    ADD_FAILURE() << "no dialog open";
  });
}

TEST(SearchForms, CriteriaDialogReturnsTheTextsAsTyped) {
  QtSearchDialogs dialogs(nullptr);
  WhenOpen<TSearchForm>([](TSearchForm& f) {
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Κριτήρια Αναζήτησης Λημμάτων"));
    EXPECT_EQ(f.size(), QSize(260, 217));
    EXPECT_EQ(f.ShortCuts_Combo->count(), 3);
    EXPECT_EQ(f.ShortCuts_Combo->currentIndex(), 0);
    f.Start_Edit->setText(QStringLiteral(" αρ"));
    f.End_Edit->setText(QStringLiteral("ση "));
    f.ShortCuts_Combo->setCurrentIndex(2);
    QTest::mouseClick(f.BitBtn1, Qt::LeftButton);
  });
  const auto r = dialogs.RunSearchForm({"", "\xE9\xE1\xF4\xF1\xE9\xEA\xDE", "field"});
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->StartText, " \xE1\xF1");
  EXPECT_EQ(r->ContainText, "");
  EXPECT_EQ(r->EndText, "\xF3\xE7 ");
  EXPECT_EQ(r->CategoryIndex, 2);
}

TEST(SearchForms, CancelReturnsNothing) {
  QtSearchDialogs dialogs(nullptr);
  WhenOpen<TSearchForm>([](TSearchForm& f) {
    f.Start_Edit->setText("x");
    QTest::mouseClick(f.BitBtn2, Qt::LeftButton);
  });
  EXPECT_FALSE(dialogs.RunSearchForm({""}).has_value());
  WhenOpen<TMessageForm>([](TMessageForm& f) { QTest::keyClick(&f, Qt::Key_Escape); });
  EXPECT_FALSE(dialogs.RunMessageForm().has_value());
}

TEST(SearchForms, WordWindowReturnsTheWordOnEnter) {
  QtSearchDialogs dialogs(nullptr);
  WhenOpen<TMessageForm>([](TMessageForm& f) {
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Αναζήτηση στις Ερμηνείες"));
    EXPECT_EQ(f.BitBtn1->text(), QStringLiteral("ΟΚ"));
    f.DescrSearch_Edit->setText(QStringLiteral("σπίτι"));
    QTest::keyClick(f.DescrSearch_Edit, Qt::Key_Return);
  });
  EXPECT_EQ(dialogs.RunMessageForm(), std::optional<std::string>("\xF3\xF0\xDF\xF4\xE9"));
}

TEST(SearchForms, AbbreviationsWindowListsTheRowsAndClosesWithEnterOrEscape) {
  QtSearchDialogs dialogs(nullptr);
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
    bool checked = false;
    WhenOpen<TShortCutsForm>([&checked, key](TShortCutsForm& f) {
      EXPECT_EQ(f.StringGrid1->rowCount(), 3);
      EXPECT_EQ(f.StringGrid1->item(0, 0)->text(), QStringLiteral("ουσ."));
      EXPECT_EQ(f.StringGrid1->item(2, 1)->text(), QStringLiteral("third"));
      EXPECT_EQ(f.StringGrid1->rowHeight(1), 18);
      f.resize(800, 600);
      QApplication::processEvents();
      EXPECT_GT(f.StringGrid1->width(), 700);
      EXPECT_GT(f.BitBtn1->width(), 150);
      f.resize(10, 10);
      EXPECT_GE(f.width(), 392);
      checked = true;
      QTest::keyClick(&f, key);
    });
    dialogs.RunShortCutsForm({{"\xEF\xF5\xF3.", "noun"}, {"b", "second"}, {"c", "third"}});
    EXPECT_TRUE(checked);
  }
}

}  // namespace
}  // namespace zelvoran
