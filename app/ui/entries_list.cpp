// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/entries_list.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "app/main_core.h"
#include "app/ui/widgets.h"
#include "platform/linux/qt_text.h"

namespace zelvoran {

int EntriesListQtModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_.Count();
}

QVariant EntriesListQtModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_.Count()) return {};
  if (role == Qt::DisplayRole) return ToQ(rows_.Items[static_cast<size_t>(index.row())].text);
  return {};
}

void EntryRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  const bool selected = option.state & QStyle::State_Selected;
  const QPalette& pal = option.palette;
  painter->save();
  if (selected) painter->fillRect(option.rect, pal.brush(QPalette::Highlight));
  painter->setPen(pal.color(selected ? QPalette::HighlightedText : QPalette::Text));
  painter->setFont(option.font);
  const QRect text_rect = option.rect.adjusted(kListTextIndent, 0, 0, 0);
  painter->drawText(text_rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                    index.data(Qt::DisplayRole).toString());
  if (option.state & QStyle::State_HasFocus) {
    painter->setPen(QPen(pal.color(QPalette::Text), 1, Qt::DotLine));
    painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
  }
  painter->restore();
}

QSize EntryRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
  return {option.rect.width(), kListRowHeight};
}

EntriesListView::EntriesListView(const EntriesListModel& rows, QWidget* parent)
    : QListView(parent), model_(new EntriesListQtModel(rows, this)) {
  setModel(model_);
  setItemDelegate(new EntryRowDelegate(this));
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setTextElideMode(Qt::ElideNone);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(2);
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
}

void EntriesListView::ShowSelection(int row) {
  syncing_ = true;
  if (row >= 0 && row < model_->rowCount()) {
    const QModelIndex i = model_->index(row);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    scrollTo(i);
  } else {
    selectionModel()->clear();
  }
  syncing_ = false;
}

void EntriesListView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QListView::currentChanged(current, previous);
  if (!syncing_ && key_navigation_ && current.isValid() && on_click) on_click(current.row());
}

void EntriesListView::mouseReleaseEvent(QMouseEvent* e) {
  QListView::mouseReleaseEvent(e);
  const QModelIndex i = indexAt(e->position().toPoint());
  if (e->button() == Qt::LeftButton && i.isValid() && on_click) on_click(i.row());
}

void EntriesListView::mouseMoveEvent(QMouseEvent* e) {
  if (on_mouse_move) on_mouse_move(e->position().toPoint());
  QListView::mouseMoveEvent(e);
}

bool EntriesListView::event(QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride && IsCopyKey(static_cast<QKeyEvent*>(e))) {
    e->accept();
    return true;
  }
  return QListView::event(e);
}

void EntriesListView::contextMenuEvent(QContextMenuEvent* e) {
  if (!on_context_menu) {
    QListView::contextMenuEvent(e);
    return;
  }
  QPoint at = e->globalPos();
  if (e->reason() == QContextMenuEvent::Mouse) {
    const QModelIndex i = indexAt(viewport()->mapFromGlobal(e->globalPos()));
    if (i.isValid() && on_click) on_click(i.row());
  } else if (currentIndex().isValid()) {
    at = viewport()->mapToGlobal(visualRect(currentIndex()).bottomLeft());
  }
  on_context_menu(at);
  e->accept();
}

void EntriesListView::keyPressEvent(QKeyEvent* e) {
  if (IsCopyKey(e) && on_copy) {
    on_copy();
    e->accept();
    return;
  }
  key_navigation_ = true;
  QListView::keyPressEvent(e);
  key_navigation_ = false;
}

void EntriesListView::focusInEvent(QFocusEvent* e) {
  QListView::focusInEvent(e);
  if (on_enter && e->reason() != Qt::PopupFocusReason) on_enter();
}

}  // namespace zelvoran
