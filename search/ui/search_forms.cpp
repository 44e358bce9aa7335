// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/ui/search_forms.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>

#include "platform/linux/qt_text.h"

namespace zelvoran {
namespace {

QFont SansFont(int pixels, bool bold = false) {
  QFont f("MS Sans Serif");
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

// Fixed single border, no caption-bar buttons.
void MakeFixedDialog(QDialog* d, const QString& caption, int width, int height) {
  d->setWindowTitle(caption);
  d->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  d->setFixedSize(width, height);
  d->setFont(SansFont(11));
}

QLabel* AddLabel(QWidget* parent, const QString& text, int left, int top, bool bold = false,
                 bool underline = false) {
  auto* l = new QLabel(text, parent);
  QFont f = SansFont(11, bold);
  f.setUnderline(underline);
  l->setFont(f);
  l->move(left, top);
  l->adjustSize();
  return l;
}

// A magnifying glass: the decorative picture of the search windows.
QLabel* AddPicture(QWidget* parent, int left, int top, int width, int height) {
  QPixmap pix(width, height);
  pix.fill(Qt::transparent);
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  const int r = std::min(width, height) * 3 / 8;
  p.setPen(QPen(QColor(0, 0, 128), 3));
  p.setBrush(QColor(200, 225, 255));
  p.drawEllipse(QPoint(r + 3, r + 3), r, r);
  p.setPen(QPen(QColor(128, 64, 0), 5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPoint(2 * r, 2 * r), QPoint(width - 4, height - 4));
  p.end();
  auto* l = new QLabel(parent);
  l->setPixmap(pix);
  l->setAccessibleName(QStringLiteral("Μεγεθυντικός φακός"));
  l->setGeometry(left, top, width, height);
  l->setAttribute(Qt::WA_TranslucentBackground);
  return l;
}

QPushButton* AddButton(QWidget* parent, const QString& text, int left, int top, int width,
                       int height) {
  auto* b = new QPushButton(text, parent);
  b->setGeometry(left, top, width, height);
  return b;
}

// Runs the modal dialog, then hands the activation back to the main window: not every window
// manager does that by itself when a dialog closes, and the focus goes to the entry box next.
int ExecThenActivate(QDialog& dialog, QWidget* owner) {
  const int result = dialog.exec();
  if (owner) owner->activateWindow();
  return result;
}

void CentreOn(QWidget* dialog, QWidget* owner) {
  if (owner) {
    const QRect o = owner->frameGeometry();
    dialog->move(o.center() - QPoint(dialog->width() / 2, dialog->height() / 2));
  }
}

}  // namespace

TMessageForm::TMessageForm(QWidget* parent) : QDialog(parent) {
  MakeFixedDialog(this, QStringLiteral("Αναζήτηση στις Ερμηνείες"), 239, 158);
  AddPicture(this, 16, 12, 45, 45);
  AddLabel(this, QStringLiteral("Λέξη προς Αναζήτηση:"), 76, 12, true);
  DescrSearch_Edit = new QLineEdit(this);
  DescrSearch_Edit->setAccessibleName(QStringLiteral("Λέξη προς Αναζήτηση"));
  DescrSearch_Edit->setGeometry(72, 36, 137, 21);
  AddLabel(this, QStringLiteral("Σημείωση:"), 24, 64, false, true);
  auto* memo = new QPlainTextEdit(this);
  memo->setGeometry(24, 80, 201, 33);
  memo->setReadOnly(true);
  memo->setAccessibleName(QStringLiteral("Σημείωση"));
  memo->setFrameShape(QFrame::NoFrame);
  memo->setFocusPolicy(Qt::NoFocus);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo->setPlainText(
      QStringLiteral("Η αναζήτηση αυτή ίσως χρειαστεί\nμερικά λεπτά για να "
                     "ολοκληρωθεί."));
  QPalette pal = memo->palette();
  pal.setColor(QPalette::Base, palette().color(QPalette::Window));
  memo->setPalette(pal);
  memo->document()->setDocumentMargin(0);
  BitBtn1 = AddButton(this, QStringLiteral("ΟΚ"), 12, 120, 101, 25);
  BitBtn1->setDefault(true);
  BitBtn2 = AddButton(this, QStringLiteral("Άκυρο"), 124, 120, 101, 25);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
  DescrSearch_Edit->setFocus();
}

TSearchForm::TSearchForm(QWidget* parent) : QDialog(parent) {
  MakeFixedDialog(this, QStringLiteral("Κριτήρια Αναζήτησης Λημμάτων"), 260, 217);
  AddPicture(this, 20, 8, 45, 37);
  AddLabel(this, QStringLiteral("Αναζήτηση των Λημμάτων που:"), 76, 12);
  AddLabel(this, QStringLiteral("Αρχίζουν με:"), 20, 48, true);
  Start_Edit = new QLineEdit(this);
  Start_Edit->setAccessibleName(QStringLiteral("Αρχίζουν με"));
  Start_Edit->setGeometry(120, 44, 121, 21);
  AddLabel(this, QStringLiteral("Περιέχουν:"), 20, 76, true);
  Contain_edit = new QLineEdit(this);
  Contain_edit->setAccessibleName(QStringLiteral("Περιέχουν"));
  Contain_edit->setGeometry(120, 72, 121, 21);
  AddLabel(this, QStringLiteral("Καταλήγουν σε:"), 20, 104, true);
  End_Edit = new QLineEdit(this);
  End_Edit->setAccessibleName(QStringLiteral("Καταλήγουν σε"));
  End_Edit->setGeometry(120, 100, 121, 21);
  AddLabel(this, QStringLiteral("Ανήκουν στην Κατηγορία:"), 20, 132, true);
  ShortCuts_Combo = new QComboBox(this);
  ShortCuts_Combo->setGeometry(24, 148, 217, 21);
  ShortCuts_Combo->setEditable(false);
  ShortCuts_Combo->setMaxVisibleItems(12);
  ShortCuts_Combo->setToolTip(QStringLiteral("Επιλογή Επιστήμης"));
  ShortCuts_Combo->setAccessibleName(QStringLiteral("Ανήκουν στην Κατηγορία"));
  ShortCuts_Combo->setAccessibleDescription(ShortCuts_Combo->toolTip());
  QPalette pal = ShortCuts_Combo->palette();
  pal.setColor(QPalette::Text, QColor(128, 0, 0));
  pal.setColor(QPalette::ButtonText, QColor(128, 0, 0));
  ShortCuts_Combo->setPalette(pal);
  BitBtn1 = AddButton(this, QStringLiteral("OK"), 16, 180, 105, 25);
  BitBtn1->setDefault(true);
  BitBtn2 = AddButton(this, QStringLiteral("Άκυρο"), 144, 180, 105, 25);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
  QWidget::setTabOrder(Start_Edit, Contain_edit);
  QWidget::setTabOrder(Contain_edit, End_Edit);
  QWidget::setTabOrder(End_Edit, ShortCuts_Combo);
  QWidget::setTabOrder(ShortCuts_Combo, BitBtn1);
  QWidget::setTabOrder(BitBtn1, BitBtn2);
  Start_Edit->setFocus();
}

TShortCutsForm::TShortCutsForm(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Πίνακας Κυριοτέρων Συντομογραφιών"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::WindowMaximizeButtonHint);
  setFont(SansFont(11));
  setMinimumSize(400 - 8, 100 - 27);  // the outer minimum of 400 x 100, less the frame
  resize(432, 250);                   // outer 440 x 277
  StringGrid1 = new QTableWidget(this);
  StringGrid1->setAccessibleName(QStringLiteral("Συντομογραφίες και η σημασία τους"));
  StringGrid1->setColumnCount(2);
  StringGrid1->horizontalHeader()->hide();
  StringGrid1->verticalHeader()->hide();
  StringGrid1->setColumnWidth(0, 64);
  StringGrid1->setColumnWidth(1, 481);
  StringGrid1->verticalHeader()->setDefaultSectionSize(18);
  StringGrid1->verticalHeader()->setMinimumSectionSize(18);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setShowGrid(true);
  StringGrid1->setFocusPolicy(Qt::ClickFocus);  // not reachable with Tab
  BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
  BitBtn1->setDefault(true);
  BitBtn1->setAutoDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

void TShortCutsForm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  // The grid keeps its distance to all four sides, the button to the left, right and bottom.
  StringGrid1->setGeometry(0, 0, width(), height() - 49);
  BitBtn1->setGeometry(152, height() - 38, std::max(60, width() - 282), 25);
}

void TShortCutsForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  StringGrid1->setFocus();
}

bool TShortCutsForm::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) StringGrid1->setFocus();  // FormActivate
  return QDialog::event(e);
}

std::optional<std::string> QtSearchDialogs::RunMessageForm() {
  TMessageForm form(owner_);
  CentreOn(&form, owner_);
  if (ExecThenActivate(form, owner_) != QDialog::Accepted) return std::nullopt;
  return FromQ(form.DescrSearch_Edit->text());
}

std::optional<SearchFormResult> QtSearchDialogs::RunSearchForm(
    const std::vector<std::string>& fields) {
  TSearchForm form(owner_);
  for (const std::string& f : fields) form.ShortCuts_Combo->addItem(ToQ(f));
  form.ShortCuts_Combo->setCurrentIndex(0);
  CentreOn(&form, owner_);
  if (ExecThenActivate(form, owner_) != QDialog::Accepted) return std::nullopt;
  SearchFormResult r;
  r.StartText = FromQ(form.Start_Edit->text());
  r.ContainText = FromQ(form.Contain_edit->text());
  r.EndText = FromQ(form.End_Edit->text());
  r.CategoryIndex = form.ShortCuts_Combo->currentIndex();
  return r;
}

void QtSearchDialogs::RunShortCutsForm(
    const std::vector<std::pair<std::string, std::string>>& rows) {
  TShortCutsForm form(owner_);
  form.StringGrid1->setRowCount(static_cast<int>(rows.size()));
  const QColor fixed = form.palette().color(QPalette::Button);
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    auto* abbr = new QTableWidgetItem(ToQ(rows[static_cast<size_t>(r)].first));
    abbr->setBackground(fixed);  // the first column is the grid's fixed column
    form.StringGrid1->setItem(r, 0, abbr);
    form.StringGrid1->setItem(r, 1, new QTableWidgetItem(ToQ(rows[static_cast<size_t>(r)].second)));
  }
  if (QScreen* screen = owner_ ? owner_->screen() : QGuiApplication::primaryScreen()) {
    const QRect s = screen->availableGeometry();
    form.move(s.center() - QPoint(220, 138));
  }
  ExecThenActivate(form, owner_);
}

}  // namespace zelvoran
