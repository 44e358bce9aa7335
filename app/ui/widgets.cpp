// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/widgets.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTextBlock>

#include "dictionary/entry_display.h"
#include "platform/linux/qt_text.h"

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

bool GlyphButton::event(QEvent* e) {
  if (e->type() == QEvent::ToolTipChange) setAccessibleName(toolTip());
  return QAbstractButton::event(e);
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

namespace {

// The standard key, or the desktop-independent combination that always means it (Ctrl+Insert,
// Shift+Delete, Shift+Insert, whatever key scheme the desktop's theme chooses).
bool Matches(const QKeyEvent* e, QKeySequence::StandardKey key, Qt::KeyboardModifier modifier,
             Qt::Key alternative) {
  if (e->matches(key)) return true;
  return e->key() == alternative && (e->modifiers() & ~Qt::KeypadModifier) == modifier;
}

// A context menu that the keyboard asked for opens at the control's text cursor, else at the
// pointer.
QPoint MenuPosition(QWidget* w, QContextMenuEvent* e, QRect cursor) {
  if (e->reason() == QContextMenuEvent::Mouse) return e->globalPos();
  return w->mapToGlobal(cursor.bottomLeft());
}

}  // namespace

bool IsCopyKey(const QKeyEvent* e) {
  return Matches(e, QKeySequence::Copy, Qt::ControlModifier, Qt::Key_Insert);
}
bool IsCutKey(const QKeyEvent* e) {
  return Matches(e, QKeySequence::Cut, Qt::ShiftModifier, Qt::Key_Delete);
}
bool IsPasteKey(const QKeyEvent* e) {
  return Matches(e, QKeySequence::Paste, Qt::ShiftModifier, Qt::Key_Insert);
}

bool EntryEdit::event(QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride) {
    const auto* k = static_cast<QKeyEvent*>(e);
    if (IsCopyKey(k) || IsCutKey(k) || IsPasteKey(k)) {
      e->accept();
      return true;
    }
  }
  return QLineEdit::event(e);
}

void EntryEdit::keyPressEvent(QKeyEvent* e) {
  const std::function<void()>* clipboard_key = IsCopyKey(e)    ? &on_copy
                                               : IsCutKey(e)   ? &on_cut
                                               : IsPasteKey(e) ? &on_paste
                                                               : nullptr;
  if (clipboard_key && *clipboard_key) {
    (*clipboard_key)();
    e->accept();
    return;
  }
  // The key alone decides, whatever the modifiers: the keypad's arrows and Page keys (NumLock
  // off) carry the keypad modifier and act as the main keys do.
  if (on_list_key) {
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
  // A closing popup menu hands the focus back: the box never lost it as far as the user is
  // concerned, and its selection must stay for the menu's command.
  if (on_enter && e->reason() != Qt::PopupFocusReason) on_enter();
}

void EntryEdit::contextMenuEvent(QContextMenuEvent* e) {
  if (!on_context_menu) {
    QLineEdit::contextMenuEvent(e);
    return;
  }
  on_context_menu(MenuPosition(this, e, cursorRect()));
  e->accept();
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

void LeftButtonMenu::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton && rect().contains(e->position().toPoint())) {
    e->accept();
    return;
  }
  QMenu::mousePressEvent(e);
}

void LeftButtonMenu::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    e->accept();
    return;
  }
  QMenu::mouseReleaseEvent(e);
}

void DescriptionEdit::mouseDoubleClickEvent(QMouseEvent* e) {
  QPlainTextEdit::mouseDoubleClickEvent(e);
  if (e->button() == Qt::LeftButton) SelectLookupWord(e->position().toPoint());
  if (on_double_click) on_double_click(textCursor().selectedText());
}

void DescriptionEdit::SelectLookupWord(QPoint at) {
  const QTextCursor hit = cursorForPosition(at);
  const QTextBlock block = hit.block();
  const QString text = block.text();
  auto word = [&text](int i) {
    if (i < 0 || i >= text.size()) return false;
    const std::string c = FromQ(QString(text[i]));
    return c.size() == 1 && IsLookupWordCharacter(static_cast<unsigned char>(c[0]));
  };
  // The character under the pointer lies on either side of the nearest cursor position.
  const int pos = hit.positionInBlock();
  const int from = word(pos) ? pos : word(pos - 1) ? pos - 1 : -1;
  if (from < 0) return;  // not on a word: the toolkit's selection stays
  int begin = from, end = from + 1;
  while (word(begin - 1)) --begin;
  while (word(end)) ++end;
  QTextCursor c(block);
  c.setPosition(block.position() + begin);
  c.setPosition(block.position() + end, QTextCursor::KeepAnchor);
  setTextCursor(c);
}

void DescriptionEdit::focusInEvent(QFocusEvent* e) {
  QPlainTextEdit::focusInEvent(e);
  if (on_enter && e->reason() != Qt::PopupFocusReason) on_enter();
}

bool DescriptionEdit::event(QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride && IsCopyKey(static_cast<QKeyEvent*>(e))) {
    e->accept();
    return true;
  }
  return QPlainTextEdit::event(e);
}

void DescriptionEdit::contextMenuEvent(QContextMenuEvent* e) {
  if (!on_context_menu) {
    QPlainTextEdit::contextMenuEvent(e);
    return;
  }
  on_context_menu(MenuPosition(viewport(), e, cursorRect()));
  e->accept();
}

void DescriptionEdit::keyPressEvent(QKeyEvent* e) {
  if (IsCopyKey(e) && on_copy) {
    on_copy();
    e->accept();
    return;
  }
  // Enter is not text here: it goes on to the window's default button.
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    e->ignore();
    return;
  }
  QPlainTextEdit::keyPressEvent(e);
}

}  // namespace zelvoran
