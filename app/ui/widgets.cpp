#include "app/ui/widgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace zelvoran {

GlyphButton::GlyphButton(const ToolbarButtonInfo& info, QPixmap glyph, QWidget* parent)
    : QAbstractButton(parent), info_(info), glyph_(std::move(glyph)) {
  setMouseTracking(true);
  setFocusPolicy(Qt::TabFocus);
}

void GlyphButton::SetGlyph(QPixmap glyph) {
  glyph_ = std::move(glyph);
  update();
}

void GlyphButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect();
  if (IsRaised() || isDown()) {
    const bool down = isDown();
    p.setPen(down ? QColor(60, 70, 120) : QColor(235, 240, 255));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(down ? QColor(235, 240, 255) : QColor(60, 70, 120));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
  }
  if (hasFocus()) {
    p.setPen(QPen(QColor(255, 255, 255, 160), 1, Qt::DotLine));
    p.drawRect(r.adjusted(2, 2, -3, -3));
  }
  if (!glyph_.isNull()) {
    const QSize s = glyph_.size().boundedTo(r.size());
    QRect target(QPoint(0, 0), s);
    target.moveCenter(r.center() + (isDown() ? QPoint(1, 1) : QPoint()));
    p.drawPixmap(target, glyph_);
  }
}

void GlyphButton::mouseMoveEvent(QMouseEvent* e) {
  if (on_hover) on_hover(info_.hover_number);
  QAbstractButton::mouseMoveEvent(e);
  e->accept();  // handled here: it must not reach the window's surface, which lowers all
}

void PictureBox::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter p(this);
  p.drawPixmap(rect(), picture_);
}

void EntryEdit::keyPressEvent(QKeyEvent* e) {
  if (on_list_key && e->modifiers() == Qt::NoModifier) {
    switch (e->key()) {
      case Qt::Key_Down:
        on_list_key(EntryKey::kDown);
        break;
      case Qt::Key_Up:
        on_list_key(EntryKey::kUp);
        break;
      case Qt::Key_PageUp:
        on_list_key(EntryKey::kPageUp);
        break;
      case Qt::Key_PageDown:
        on_list_key(EntryKey::kPageDown);
        break;
      default:
        break;
    }
  }
  QLineEdit::keyPressEvent(e);
}

void EntryEdit::focusInEvent(QFocusEvent* e) {
  QLineEdit::focusInEvent(e);
  if (on_enter) on_enter();
}

void EntryEdit::mouseMoveEvent(QMouseEvent* e) {
  if (on_mouse_move) on_mouse_move();
  QLineEdit::mouseMoveEvent(e);
}

DescriptionEdit::DescriptionEdit(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void DescriptionEdit::mouseDoubleClickEvent(QMouseEvent* e) {
  QPlainTextEdit::mouseDoubleClickEvent(e);
  if (on_double_click) on_double_click(textCursor().selectedText());
}

void DescriptionEdit::focusInEvent(QFocusEvent* e) {
  QPlainTextEdit::focusInEvent(e);
  if (on_enter) on_enter();
}

void DescriptionEdit::keyPressEvent(QKeyEvent* e) {
  // Enter is not text here: it goes on to the window's default button.
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    e->ignore();
    return;
  }
  QPlainTextEdit::keyPressEvent(e);
}

}  // namespace zelvoran
