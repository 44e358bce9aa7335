// SPDX-License-Identifier: GPL-3.0-or-later
// The catch-all at a handler's boundary: an unexpected failure ends the operation silently,
// leaving what was done so far. Each handler has one, around its whole body; the routines it
// calls let failures pass.
#pragma once

#include <utility>

namespace zelvoran {

// Runs `f`; false when it ended by an exception.
template <typename F>
bool Guarded(F&& f) noexcept {
  try {
    std::forward<F>(f)();
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace zelvoran
