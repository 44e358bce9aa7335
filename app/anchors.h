// SPDX-License-Identifier: GPL-3.0-or-later
// Anchored layout: a control keeps its distance to the window edges it is anchored to when
// the window's client area changes size.
#pragma once

#include "app/main_view.h"

namespace zelvoran {

enum Anchor : unsigned {
  kAnchorLeft = 1,
  kAnchorTop = 2,
  kAnchorRight = 4,
  kAnchorBottom = 8,
  kAnchorAll = 15,
};

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size&) const = default;
};

// The bounds of a control designed at `design` in a client area of `design_client`, after the
// client area became `client`. Anchored to both edges of an axis it stretches (never below a
// size of 0); to the far edge only it moves; otherwise it keeps its place.
Rect AnchoredBounds(const Rect& design, unsigned anchors, Size design_client, Size client);

// A list with a frame of `frame` pixels on each side and rows of `row_height`: the largest
// height not above `height` that shows a whole number of rows.
int WholeRowsHeight(int height, int row_height, int frame);

}  // namespace zelvoran
