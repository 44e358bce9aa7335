// SPDX-License-Identifier: GPL-3.0-or-later
// Entries_List as a model/view list over the core's rows: uniform 16-pixel rows drawn by a
// delegate, so a list of tens of thousands of rows costs no more than the rows in view.
#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <QStyledItemDelegate>
#include <functional>

namespace zelvoran {

struct EntriesListModel;

inline constexpr int kListRowHeight = 16;
// A row's text stands this many pixels from the row's left edge.
inline constexpr int kListTextIndent = 2;

class EntriesListQtModel final : public QAbstractListModel {
 public:
  EntriesListQtModel(const EntriesListModel& rows, QObject* parent)
      : QAbstractListModel(parent), rows_(rows) {}
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  // The core changed the rows.
  void Reset() {
    beginResetModel();
    endResetModel();
  }

 private:
  const EntriesListModel& rows_;
};

// One line per row: 2 pixels from the left edge, vertically centred.
class EntryRowDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

class EntriesListView final : public QListView {
 public:
  EntriesListView(const EntriesListModel& rows, QWidget* parent);
  EntriesListQtModel& Model() { return *model_; }
  // Shows the core's selection (-1: none) without reporting it as a click.
  void ShowSelection(int row);
  int FrameWidth() const { return frameWidth(); }

  std::function<void(int)> on_click;  // a row chosen by mouse or keyboard
  std::function<void()> on_enter;     // focus received (not when a popup menu hands it back)
  std::function<void(QPoint)> on_mouse_move;
  // The copy keys (Ctrl+C, Ctrl+Insert) and the context menu (at this screen position; a
  // right click on a row chooses that row first, as a click does).
  std::function<void()> on_copy;
  std::function<void(QPoint)> on_context_menu;

 protected:
  bool event(QEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;

 private:
  EntriesListQtModel* model_;
  bool syncing_ = false;
  bool key_navigation_ = false;
};

}  // namespace zelvoran
