// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/anchor_layout.h"

namespace zelvoran {

void AnchorLayout::Add(QWidget* widget, Rect design, unsigned anchors,
                       std::function<Rect(Rect)> adjust) {
  items_.push_back({widget, design, anchors, std::move(adjust)});
  widget->setGeometry(design.left, design.top, design.width, design.height);
}

void AnchorLayout::Apply(QSize client) const {
  const Size now{client.width(), client.height()};
  for (const Item& item : items_) {
    Rect r = AnchoredBounds(item.design, item.anchors, design_, now);
    if (item.adjust) r = item.adjust(r);
    item.widget->setGeometry(r.left, r.top, r.width, r.height);
  }
}

Rect AnchorLayout::Design(const QWidget* widget) const {
  for (const Item& item : items_) {
    if (item.widget == widget) return item.design;
  }
  return {};
}

}  // namespace zelvoran
