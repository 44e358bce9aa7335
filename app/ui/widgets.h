// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls where they differ from the stock widgets: glyph buttons with a
// hover number, stretched pictures, and the entry and explanation boxes with their handlers.
#pragma once

#include <QAbstractButton>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QWidget>
#include <functional>

#include "app/toolbar.h"

namespace zelvoran {

// A toolbar button that carries a picture only; drawn raised while it stands at its raised
// bounds.
// Its hint is also its accessible name.
class GlyphButton final : public QAbstractButton {
 public:
  GlyphButton(const ToolbarButtonInfo& info, QPixmap glyph, QWidget* parent);
  const ToolbarButtonInfo& Info() const { return info_; }
  void SetGlyph(QPixmap glyph);
  const QPixmap& Glyph() const { return glyph_; }
  bool IsRaised() const { return y() == info_.raised.top; }

  std::function<void(int)> on_hover;  // the mouse-move handler, with the hover number

 protected:
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent*) override;
  void mouseMoveEvent(QMouseEvent* e) override;

 private:
  ToolbarButtonInfo info_;
  QPixmap glyph_;
};

// A picture stretched to the control.
class PictureBox final : public QWidget {
 public:
  explicit PictureBox(QWidget* parent) : QWidget(parent) {}
  void SetPicture(QPixmap p) {
    picture_ = std::move(p);
    update();
  }
  const QPixmap& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QPixmap picture_;
};

enum class EntryKey { kDown, kUp, kPageUp, kPageDown };

// Entry_Text: the list keys are reported and still reach the edit. The copy, cut and paste
// keys (Ctrl+C, Ctrl+Insert; Ctrl+X, Shift+Delete; Ctrl+V, Shift+Insert) and the context
// menu are reported instead of running the edit's own clipboard operations.
class EntryEdit final : public QLineEdit {
 public:
  explicit EntryEdit(QWidget* parent) : QLineEdit(parent) {}
  std::function<void(EntryKey)> on_list_key;
  std::function<void()> on_enter;  // focus received (not when a popup menu hands it back)
  std::function<void()> on_mouse_move;
  std::function<void()> on_copy;
  std::function<void()> on_cut;
  std::function<void()> on_paste;
  std::function<void(QPoint)> on_context_menu;  // at this screen position

 protected:
  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
};

// A pop-up menu whose items are chosen with the left mouse button only; another button pressed
// outside it still closes it.
class LeftButtonMenu final : public QMenu {
 public:
  using QMenu::QMenu;

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
};

// Description_Text: read-only, word-wrapped; a double-click selects the run of word characters
// under the pointer (the lookup's own: letters and "-", so "e-mail" is one word; elsewhere the
// toolkit's selection stays) and reports it. The copy keys and the context menu are reported
// instead of copying by themselves.
class DescriptionEdit final : public QPlainTextEdit {
 public:
  explicit DescriptionEdit(QWidget* parent);
  std::function<void(const QString&)> on_double_click;
  std::function<void()> on_enter;
  std::function<void()> on_copy;
  std::function<void(QPoint)> on_context_menu;

 protected:
  bool event(QEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;

 private:
  void SelectLookupWord(QPoint at);
};

// Whether `e` is one of the keys that copy, cut or paste. The controls take these keys
// before any window shortcut, so that each reaches the control's own handler.
bool IsCopyKey(const QKeyEvent* e);
bool IsCutKey(const QKeyEvent* e);
bool IsPasteKey(const QKeyEvent* e);

}  // namespace zelvoran
