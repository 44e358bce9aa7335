// SPDX-License-Identifier: GPL-3.0-or-later
// The catch-all at a handler's boundary: an unexpected failure ends the operation silently,
// leaving what was done so far.
#pragma once

#include <utility>

namespace zelvoran {

template <typename F>
void Guarded(F&& f) noexcept {
  try {
    std::forward<F>(f)();
  } catch (...) {
  }
}

}  // namespace zelvoran
