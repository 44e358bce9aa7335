// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/bench_app.h"

#if ZELVORAN_BENCH_GUI

#include <QApplication>
#include <memory>

#include "app/ui/main_lex.h"

namespace zelvoran::bench {

QApplication& BenchApp() {
  static int argc = 1;
  static char name[] = "zelvoran-bench";
  static char* argv[] = {name, nullptr};
  static std::unique_ptr<QApplication> app = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    auto a = std::make_unique<QApplication>(argc, argv);
    InstallFontSubstitutions();
    return a;
  }();
  return *app;
}

}  // namespace zelvoran::bench

#endif
