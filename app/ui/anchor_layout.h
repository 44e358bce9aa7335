// SPDX-License-Identifier: GPL-3.0-or-later
// Places child widgets by their designed bounds and anchors whenever the client area
// changes size.
#pragma once

#include <QSize>
#include <QWidget>
#include <functional>
#include <vector>

#include "app/anchors.h"

namespace zelvoran {

class AnchorLayout {
 public:
  explicit AnchorLayout(Size design_client) : design_(design_client) {}

  // `adjust` may correct the anchored bounds (for example to whole list rows).
  void Add(QWidget* widget, Rect design, unsigned anchors,
           std::function<Rect(Rect)> adjust = nullptr);
  void Apply(QSize client) const;
  // The bounds a widget had designed (empty for a widget not added).
  Rect Design(const QWidget* widget) const;

 private:
  struct Item {
    QWidget* widget;
    Rect design;
    unsigned anchors;
    std::function<Rect(Rect)> adjust;
  };
  Size design_;
  std::vector<Item> items_;
};

}  // namespace zelvoran
