// SPDX-License-Identifier: GPL-3.0-or-later
#include "custom/ui/insert_entry_form.h"

#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/guard.h"
#include "platform/linux/qt_text.h"
#include "platform/message_boxes.h"

namespace zelvoran {
namespace {

// $00FFFFFA (blue, green, red): a very light cyan.
const QColor kFieldBackground(0xFA, 0xFF, 0xFF);
const QColor kTeal(0x00, 0x80, 0x80);
const QColor kMaroon(0x80, 0x00, 0x00);

// The explanation's fixed-pitch font with Greek: DejaVu Sans Mono (fonts-dejavu-core, which the
// set-up installs), else Liberation Mono (fonts-liberation2), else whatever monospace face the
// system matches to the typewriter style. The system's own fixed font is not asked: with more
// fonts installed it may resolve to a face that is not fixed-pitch.
QFont FixedPitchFont() {
  QFont f;
  f.setFamilies({QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono")});
  f.setStyleHint(QFont::TypeWriter, QFont::PreferMatch);
  f.setFixedPitch(true);
  f.setPixelSize(13);
  return f;
}

void SetColours(QWidget* w, const QColor* text, const QColor* base) {
  QPalette p = w->palette();
  if (text) p.setColor(QPalette::Text, *text);
  if (base) p.setColor(QPalette::Base, *base);
  w->setPalette(p);
}

}  // namespace

TInsertEntryFrm::TInsertEntryFrm(const EntryDialogSetup& setup, MessageBoxes* messages,
                                 QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      setup_(setup),
      messages_(messages) {
  setObjectName("TInsertEntryFrm");
  setWindowTitle(QStringLiteral("Εισαγωγή Νέου Λήμματος"));
  setFixedSize(367, 233);

  auto label = [this](const char* utf8, int x, int y) {
    auto* l = new QLabel(QString::fromUtf8(utf8), this);
    l->move(x, y);
    return l;
  };
  label("Λήμμα", 8, 12);
  InsertEntry_Text = new QLineEdit(this);
  InsertEntry_Text->setObjectName("InsertEntry_Text");
  InsertEntry_Text->setAccessibleName(QStringLiteral("Λήμμα"));
  InsertEntry_Text->setGeometry(80, 8, 279, 21);
  InsertEntry_Text->setMaxLength(static_cast<int>(kMaxEntryDialogHeadword));
  SetColours(InsertEntry_Text, &kTeal, nullptr);

  label("Κατηγορία", 8, 40);
  InsertEntry_ShortCut = new QComboBox(this);
  InsertEntry_ShortCut->setObjectName("InsertEntry_ShortCut");
  InsertEntry_ShortCut->setAccessibleName(QStringLiteral("Κατηγορία"));
  InsertEntry_ShortCut->setGeometry(80, 36, 279, 21);
  InsertEntry_ShortCut->setEditable(false);
  SetColours(InsertEntry_ShortCut, &kMaroon, nullptr);
  {
    QPalette p = InsertEntry_ShortCut->palette();
    p.setColor(QPalette::ButtonText, kMaroon);
    InsertEntry_ShortCut->setPalette(p);
  }

  label("Περιγραφή", 8, 64);
  InsertEntry_Descr = new QPlainTextEdit(this);
  InsertEntry_Descr->setObjectName("InsertEntry_Descr");
  InsertEntry_Descr->setAccessibleName(QStringLiteral("Περιγραφή"));
  InsertEntry_Descr->setGeometry(8, 82, 351, 110);
  InsertEntry_Descr->setFont(FixedPitchFont());
  InsertEntry_Descr->setTabChangesFocus(true);

  InsertCancel_Button = new QPushButton(QStringLiteral("Ακύρωση"), this);
  InsertCancel_Button->setObjectName("InsertCancel_Button");
  InsertCancel_Button->setGeometry(184, 200, 81, 25);
  InsertCancel_Button->setAutoDefault(false);
  InsertOk_Button = new QPushButton(QStringLiteral("Εισαγωγή"), this);
  InsertOk_Button->setObjectName("InsertOk_Button");
  InsertOk_Button->setGeometry(278, 200, 81, 25);
  InsertOk_Button->setDefault(true);

  setTabOrder(InsertEntry_Text, InsertEntry_ShortCut);
  setTabOrder(InsertEntry_ShortCut, InsertEntry_Descr);
  setTabOrder(InsertEntry_Descr, InsertCancel_Button);
  setTabOrder(InsertCancel_Button, InsertOk_Button);

  connect(InsertOk_Button, &QPushButton::clicked, this, [this] { InsertOk_ButtonClick(); });
  connect(InsertCancel_Button, &QPushButton::clicked, this, [this] { InsertCancel_ButtonClick(); });
  FormShow();
}

void TInsertEntryFrm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!InsertEntry_Text->isEnabled()) InsertEntry_Descr->setFocus();
}

void TInsertEntryFrm::FormShow() {
  SetColours(InsertEntry_Text, nullptr, &kFieldBackground);
  SetColours(InsertEntry_Descr, nullptr, &kFieldBackground);
  for (const std::string& item : setup_.CategoryItems) {
    InsertEntry_ShortCut->addItem(ToQ(item));
  }
  if (setup_.EditMode == EditMode::kInsert) {
    InsertEntry_Text->clear();
    InsertEntry_Descr->clear();
    InsertEntry_ShortCut->setCurrentIndex(-1);
    return;
  }
  if (setup_.Origin == Origin::kAddition || setup_.Origin == Origin::kDictionary) {
    // A dictionary entry's headword and category cannot change.
    InsertEntry_Text->setEnabled(false);
    InsertEntry_ShortCut->setEnabled(false);
  }
  InsertEntry_Text->setText(ToQ(setup_.Headword));
  InsertEntry_Descr->setPlainText(MemoToQ(setup_.Explanation));
  InsertEntry_ShortCut->setCurrentIndex(
      setup_.CategoryRow < InsertEntry_ShortCut->count() ? setup_.CategoryRow : -1);
  setWindowTitle(QStringLiteral("Μεταβολή Λήμματος"));
  InsertOk_Button->setText(QStringLiteral("Ok"));
}

EntryDialogResult TInsertEntryFrm::Result() const {
  return {FromQ(InsertEntry_Text->text()), InsertEntry_ShortCut->currentIndex(),
          MemoFromQ(InsertEntry_Descr->toPlainText())};
}

void TInsertEntryFrm::InsertOk_ButtonClick() {
  // An unexpected failure closes the dialog as cancelled.
  const bool completed = Guarded([this] {
    const EntryDialogResult r = Result();
    if (const auto message =
            CheckEntryDialog(setup_.EditMode, setup_.Origin, r.Headword, r.Explanation)) {
      if (messages_) messages_->ShowMessage(*message);
      return;
    }
    if (setup_.Accepts && !setup_.Accepts(r)) return;
    accept();
  });
  if (!completed) reject();
}

void TInsertEntryFrm::InsertCancel_ButtonClick() {
  InsertEntry_Text->clear();
  InsertEntry_ShortCut->setCurrentIndex(-1);
  InsertEntry_Descr->clear();
  reject();
}

}  // namespace zelvoran
