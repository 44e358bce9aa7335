// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/anchors.h"

#include <algorithm>

namespace zelvoran {
namespace {

// One axis: position and extent.
void Axis(int& pos, int& extent, bool near_edge, bool far_edge, int delta) {
  if (near_edge && far_edge) {
    extent = std::max(0, extent + delta);
  } else if (far_edge) {
    pos += delta;
  }
}

}  // namespace

Rect AnchoredBounds(const Rect& design, unsigned anchors, Size design_client, Size client) {
  Rect r = design;
  Axis(r.left, r.width, anchors & kAnchorLeft, anchors & kAnchorRight,
       client.width - design_client.width);
  Axis(r.top, r.height, anchors & kAnchorTop, anchors & kAnchorBottom,
       client.height - design_client.height);
  return r;
}

int WholeRowsHeight(int height, int row_height, int frame) {
  if (row_height <= 0) return std::max(0, height);
  const int inner = height - 2 * frame;
  if (inner <= 0) return std::max(0, std::min(height, 2 * frame));
  return inner / row_height * row_height + 2 * frame;
}

}  // namespace zelvoran
