// SPDX-License-Identifier: GPL-3.0-or-later
#include "custom/ui/select_custom_dir_form.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTextDocument>
#include <QTextEdit>

#include "custom/custom_dialogs.h"
#include "platform/file_system.h"
#include "platform/linux/qt_text.h"
#include "platform/message_boxes.h"

namespace zelvoran {
namespace {

// The dialog's font: MS Sans Serif (a face of similar metrics where it is missing).
QFont DialogFont(int pixels) {
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(pixels);
  return font;
}

constexpr int kMessagePixels = 11;
constexpr int kSmallestMessagePixels = 9;

}  // namespace

TSelectCustomDirForm::TSelectCustomDirForm(std::string reason, FileSystem& fs,
                                           const SystemFolders& folders, const SystemInfo& info,
                                           MessageBoxes* messages, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      reason_(std::move(reason)),
      fs_(fs),
      folders_(folders),
      info_(info),
      messages_(messages) {
  setObjectName("TSelectCustomDirForm");
  setWindowTitle(QStringLiteral("Επιλογή Φακέλου για Επεξεργασμένα Λήμματα"));
  setFixedSize(477, 218);
  setFont(DialogFont(kMessagePixels));

  const QIcon icon = style()->standardIcon(QStyle::SP_DirIcon);
  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  Image1->setAccessibleName(QStringLiteral("Φάκελος"));
  Image1->setGeometry(8, 16, 41, 33);
  Image1->setPixmap(icon.pixmap(32, 32));
  Image2 = new QLabel(this);
  Image2->setObjectName("Image2");
  Image2->setAccessibleName(QStringLiteral("Προειδοποίηση"));
  Image2->setGeometry(8, 16, 49, 49);
  Image2->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(48, 48));

  MsgMemo = new QTextEdit(this);
  MsgMemo->setObjectName("MsgMemo");
  MsgMemo->setAccessibleName(QStringLiteral("Μήνυμα"));
  MsgMemo->setGeometry(48, 16, 233, 113);
  MsgMemo->setReadOnly(true);
  MsgMemo->setFrameShape(QFrame::NoFrame);
  MsgMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  MsgMemo->setLineWrapMode(QTextEdit::WidgetWidth);
  MsgMemo->document()->setDocumentMargin(2);
  {
    QPalette p = MsgMemo->palette();
    p.setColor(QPalette::Base, palette().color(QPalette::Window));
    MsgMemo->setPalette(p);
  }

  Label1 = new QLabel(QStringLiteral("Φάκελος"), this);
  Label1->setObjectName("Label1");
  Label1->move(8, 139);
  Dir_Edit = new QLineEdit(this);
  Dir_Edit->setObjectName("Dir_Edit");
  Dir_Edit->setAccessibleName(QStringLiteral("Φάκελος"));
  Dir_Edit->setGeometry(64, 136, 209, 21);
  // A path longer than the field is read whole in its tooltip, and from its start in the field.
  connect(Dir_Edit, &QLineEdit::textChanged, Dir_Edit, &QLineEdit::setToolTip);
  Dir_Edit->installEventFilter(this);

  DirectoryListBox1 = new QListWidget(this);
  DirectoryListBox1->setObjectName("DirectoryListBox1");
  DirectoryListBox1->setAccessibleName(QStringLiteral("Φάκελοι"));
  DirectoryListBox1->setGeometry(288, 17, 177, 112);
  DriveComboBox1 = new QComboBox(this);
  DriveComboBox1->setObjectName("DriveComboBox1");
  DriveComboBox1->setAccessibleName(QStringLiteral("Δίσκος"));
  DriveComboBox1->setGeometry(288, 136, 177, 19);

  BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
  BitBtn1->setObjectName("BitBtn1");
  BitBtn1->setGeometry(128, 176, 105, 25);
  BitBtn1->setDefault(true);
  BitBtn2 = new QPushButton(QStringLiteral("Άκυρο"), this);
  BitBtn2->setObjectName("BitBtn2");
  BitBtn2->setGeometry(256, 176, 105, 25);
  BitBtn2->setAutoDefault(false);

  connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
  // Opening a folder of the list (double-click or Enter) makes it the current folder.
  connect(DirectoryListBox1, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    ShowFolder(FromQ(item->data(Qt::UserRole).toString()));
  });
  connect(DriveComboBox1, &QComboBox::activated, this, [this](int index) {
    if (index >= 0 && static_cast<size_t>(index) < drives_.size()) {
      ShowFolder(drives_[static_cast<size_t>(index)]);
    }
  });
  FormShow();
}

void TSelectCustomDirForm::FormShow() {
  setWindowTitle(QStringLiteral("Επιλογή φακέλου για επεξεργασμένα λήμματα"));
  Image1->show();
  Image2->hide();
  MsgMemo->setPlainText(MemoToQ(FolderPromptText(reason_)));
  MsgMemo->selectAll();
  MsgMemo->setAlignment(Qt::AlignCenter);
  MsgMemo->moveCursor(QTextCursor::Start);
  FitMessage();

  drives_ = folders_.Drives();
  for (const std::string& d : drives_) DriveComboBox1->addItem(ToQ(d));
  const int c_drive = DriveOf(drives_, folders_.RootOfDriveC());
  DriveComboBox1->setCurrentIndex(c_drive);
  if (c_drive >= 0) {
    // The list starts on drive C: without proposing that drive's path.
    const QSignalBlocker block(DirectoryListBox1);
    ShowFolder(drives_[static_cast<size_t>(c_drive)]);
  }
  ShowPath(ToQ(ProposedCustomFolder(fs_, folders_, info_)));
}

void TSelectCustomDirForm::FitMessage() {
  const int width = MsgMemo->contentsRect().width();
  const int height = MsgMemo->contentsRect().height();
  for (int pixels = kMessagePixels; pixels >= kSmallestMessagePixels; --pixels) {
    MsgMemo->setFont(DialogFont(pixels));
    QTextDocument* document = MsgMemo->document();
    document->setDefaultFont(MsgMemo->font());
    document->setTextWidth(width);
    if (document->size().height() <= height) return;
  }
  // Even the smallest font leaves some over: the rest is reached by scrolling.
  MsgMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void TSelectCustomDirForm::ShowPath(const QString& path) {
  Dir_Edit->setText(path);
  Dir_Edit->setCursorPosition(0);
}

void TSelectCustomDirForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Dir_Edit->setFocus();
  // The whole path selected, so that typing replaces it, with its start in view.
  Dir_Edit->setSelection(static_cast<int>(Dir_Edit->text().size()),
                         -static_cast<int>(Dir_Edit->text().size()));
}

bool TSelectCustomDirForm::eventFilter(QObject* watched, QEvent* event) {
  // Left, the path shows from its start again.
  if (watched == Dir_Edit && event->type() == QEvent::FocusOut) Dir_Edit->setCursorPosition(0);
  return QDialog::eventFilter(watched, event);
}

void TSelectCustomDirForm::ShowFolder(const std::string& folder) {
  const FolderListing listing = ListFolder(fs_, folder);
  DirectoryListBox1->clear();
  int depth = 0;
  auto add = [this](const std::string& path, int indent, bool open) {
    std::string name = path;
    while (name.size() > 1 && (name.back() == '\\' || name.back() == '/')) name.pop_back();
    const size_t sep = name.find_last_of("\\/");
    if (sep != std::string::npos && sep + 1 < name.size()) name = name.substr(sep + 1);
    auto* item =
        new QListWidgetItem(QString(indent * 2, QChar(' ')) + ToQ(name), DirectoryListBox1);
    item->setData(Qt::UserRole, ToQ(path));
    item->setIcon(style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirIcon));
    return item;
  };
  for (const std::string& a : listing.ancestors) add(a, depth++, true);
  if (!listing.ancestors.empty()) {
    DirectoryListBox1->setCurrentRow(DirectoryListBox1->count() - 1);
  }
  for (const std::string& c : listing.children) add(c, depth, false);
  const std::string previous = current_;
  current_ = listing.ancestors.empty() ? folder : listing.ancestors.back();
  if (current_ != previous && !DirectoryListBox1->signalsBlocked()) DirectoryListBox1Change();
}

void TSelectCustomDirForm::DirectoryListBox1Change() {
  ShowPath(ToQ(current_));
}

std::string TSelectCustomDirForm::ChosenFolder() const {
  return FromQ(Dir_Edit->text());
}

void TSelectCustomDirForm::BitBtn1Click() {
  const FolderConfirmation c = ConfirmFolderChoice(fs_, ChosenFolder());
  if (c.close) {
    accept();
  } else if (messages_) {
    messages_->ShowMessage(c.message);
  }
}

}  // namespace zelvoran
