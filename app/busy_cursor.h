// SPDX-License-Identifier: GPL-3.0-or-later
// The hourglass while a long operation runs: shown from On() (or from the start) until the
// guard leaves its scope, however it leaves it.
#pragma once

#include "app/main_view.h"

namespace zelvoran {

class BusyCursor {
 public:
  enum class Start { kNow, kLater };
  explicit BusyCursor(WindowView& view, Start start = Start::kNow) : view_(view) {
    if (start == Start::kNow) On();
  }
  ~BusyCursor() {
    if (on_) view_.SetBusy(false);
  }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

  void On() {
    if (!on_) view_.SetBusy(true);
    on_ = true;
  }

 private:
  WindowView& view_;
  bool on_ = false;
};

}  // namespace zelvoran
