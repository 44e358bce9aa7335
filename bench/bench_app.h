// SPDX-License-Identifier: GPL-3.0-or-later
// The one QApplication of the benchmark program, created on first use (offscreen unless
// QT_QPA_PLATFORM says otherwise). Every Qt benchmark shares it: a second application object
// would corrupt Qt's global state and crash the program at exit.
#pragma once

class QApplication;

namespace zelvoran::bench {

QApplication& BenchApp();

}  // namespace zelvoran::bench
