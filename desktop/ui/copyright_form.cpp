// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/ui/copyright_form.h"

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "app/desktop_commands.h"
#include "app/guard.h"
#include "platform/linux/qt_text.h"

namespace zelvoran {
namespace {

constexpr int kClientWidth = 255;
constexpr int kClientHeight = 288;

// MS Sans Serif, or a sans-serif face of similar width where it is missing.
QFont SansSerif(int pixels) {
  QFont font;
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
  font.setPixelSize(pixels);
  return font;
}

Qt::Alignment ToQt(RtfAlignment alignment) {
  switch (alignment) {
    case RtfAlignment::kCenter:
      return Qt::AlignHCenter;
    case RtfAlignment::kRight:
      return Qt::AlignRight;
    case RtfAlignment::kJustify:
      return Qt::AlignJustify;
    case RtfAlignment::kLeft:
      break;
  }
  return Qt::AlignLeft;
}

QTextCharFormat ToQt(const RtfCharFormat& f) {
  QTextCharFormat format;
  format.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(f.italic);
  format.setFontUnderline(f.underline);
  format.setFontPointSize(f.half_points / 2.0);
  if (f.color) format.setForeground(QColor(f.color->red, f.color->green, f.color->blue));
  if (!f.font.empty()) format.setFontFamilies({QString::fromStdString(f.font)});
  return format;
}

// The publisher's emblem: a ring with a "Q", drawn on a transparent ground.
QPixmap Emblem(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor navy(0, 0, 128);
  const QColor orange(232, 128, 24);
  p.setPen(QPen(navy, 3));
  p.setBrush(orange);
  p.drawEllipse(QRectF(4, 4, size - 8, size - 8));
  QFont font(QStringLiteral("DejaVu Serif"));
  font.setPixelSize(size / 2);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("Q"));
  return pixmap;
}

// A link label at its designed bounds; a caption wider than the design grows to the left, so
// the right edge stays where it was laid out.
ClickableLabel* MakeLink(QWidget* parent, std::string_view caption, const QRect& bounds) {
  auto* label = new ClickableLabel(ToQ(caption), parent);
  QFont font = SansSerif(13);
  font.setUnderline(true);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, Qt::blue);
  label->setPalette(palette);
  label->setCursor(Qt::PointingHandCursor);
  const int needed = label->fontMetrics().horizontalAdvance(label->text()) + 2;
  const int width = std::max(bounds.width(), needed);
  label->setGeometry(bounds.right() + 1 - width, bounds.top(), width, bounds.height());
  return label;
}

}  // namespace

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  QLabel::mousePressEvent(event);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  QLabel::mouseReleaseEvent(event);
  if (click) emit clicked();
}

void FillTextDocument(QTextDocument& target, const RtfDocument& source) {
  target.clear();
  QTextCursor cursor(&target);
  bool first = true;
  for (const RtfParagraph& paragraph : source.paragraphs) {
    QTextBlockFormat block;
    block.setAlignment(ToQt(paragraph.alignment));
    // Twips to pixels at 96 dots per inch; a hanging first line may reach into the margin.
    const double left = std::max(0, paragraph.left_indent) / 15.0;
    block.setLeftMargin(left);
    block.setTextIndent(std::max(-left, paragraph.first_line_indent / 15.0));
    if (first) {
      cursor.setBlockFormat(block);
      first = false;
    } else {
      cursor.insertBlock(block);
    }
    for (const RtfRun& run : paragraph.runs) {
      QString text = QString::fromStdString(run.text);
      text.replace(QLatin1Char('\n'), QChar::LineSeparator);
      cursor.insertText(text, ToQt(run.format));
    }
  }
}

TCopyrightForm::TCopyrightForm(const FileSystem& fs, Shell* shell, MessageBoxes* messages,
                               QWidget* parent)
    : QDialog(parent), fs_(fs), shell_(shell), messages_(messages) {
  setObjectName(QStringLiteral("CopyrightForm"));
  setWindowTitle(QStringLiteral("Zelvoran Glossa έκδ.1.2"));
  setFixedSize(kClientWidth, kClientHeight);
  setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
  const QFont form_font = SansSerif(11);
  setFont(form_font);

  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setAccessibleName(QStringLiteral("Έμβλημα των Εκδόσεων Quimbrell"));
  Image1->setGeometry(8, 8, 81, 81);
  Image1->setAttribute(Qt::WA_TranslucentBackground);
  Image1->setPixmap(Emblem(81));

  SiteLabel = MakeLink(this, kPublisherSiteCaption, QRect(152, 16, 93, 16));
  SiteLabel->setObjectName(QStringLiteral("SiteLabel"));
  MailLabel = MakeLink(this, kPublisherMailCaption, QRect(144, 40, 100, 16));
  MailLabel->setObjectName(QStringLiteral("MailLabel"));

  CopyrightRTF = new QTextEdit(this);
  CopyrightRTF->setObjectName(QStringLiteral("CopyrightRTF"));
  CopyrightRTF->setAccessibleName(QStringLiteral("Πληροφορίες Copyright"));
  CopyrightRTF->setGeometry(8, 80, 241, 161);
  CopyrightRTF->setReadOnly(true);
  CopyrightRTF->setFocusPolicy(Qt::NoFocus);
  CopyrightRTF->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  CopyrightRTF->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  CopyrightRTF->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QPalette palette = CopyrightRTF->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Button));
  CopyrightRTF->setPalette(palette);
  CopyrightRTF->document()->setDefaultFont(form_font);

  BitBtn1 =
      new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setGeometry(70, 252, 113, 25);
  BitBtn1->setMinimumWidth(60);
  BitBtn1->setDefault(true);
  BitBtn1->setAutoDefault(true);
  BitBtn1->setFocus();

  // The modal result is cancel whether the window closes by OK, Enter or Escape.
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
  connect(SiteLabel, &ClickableLabel::clicked, this, [this] { SiteLabelClick(); });
  connect(MailLabel, &ClickableLabel::clicked, this, [this] { MailLabelClick(); });
}

void TCopyrightForm::ShowModal() {
  exec();
}

void TCopyrightForm::FormActivate() {
  Guarded([this] {
    if (const std::optional<RtfDocument> notice = LoadCopyrightNotice(fs_)) {
      FillTextDocument(*CopyrightRTF->document(), *notice);
    }
  });
}

void TCopyrightForm::SiteLabelClick() {
  Guarded([this] { zelvoran::SiteLabelClick(shell_, messages_); });
}

void TCopyrightForm::MailLabelClick() {
  Guarded([this] { zelvoran::MailLabelClick(shell_, messages_); });
}

bool TCopyrightForm::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) FormActivate();
  return QDialog::event(event);
}

void TCopyrightForm::showEvent(QShowEvent* event) {
  if (!centred_) {
    centred_ = true;
    if (const QScreen* screen =
            this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
      QRect frame = frameGeometry();
      frame.moveCenter(screen->availableGeometry().center());
      move(frame.topLeft());
    }
  }
  QDialog::showEvent(event);
}

std::unique_ptr<AboutWindow> CopyrightFormFactory::CreateAboutWindow() {
  return std::make_unique<TCopyrightForm>(fs_, shell_, messages_);
}

}  // namespace zelvoran
