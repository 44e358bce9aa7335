#!/usr/bin/env bash
# Builds everything and runs every test; then a short pass of every fuzz target
# (build-fuzz/), and the unit and GUI tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan/).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages "${BUILD_PACKAGES[@]}" xvfb xauth xdotool poppler-utils x11-xkb-utils \
  xclip x11-utils libx11-data
build_all
build_data
(cd "$BUILD" && ctest --output-on-failure -j2)

bash "$ROOT/scripts/fuzz.sh" 5

ASAN_BUILD="${ZELVORAN_ASAN_BUILD_DIR:-$ROOT/build-asan}"
cmake -S "$ROOT" -B "$ASAN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZELVORAN_SANITIZE=ON -DZELVORAN_BUILD_BENCH=OFF >/dev/null
cmake --build "$ASAN_BUILD" -j2 --target zelvoran_unit_tests zelvoran_gui_tests
(cd "$ASAN_BUILD" &&
  ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1}" \
  UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}" \
  ctest --output-on-failure -j2 -R '^(unit|gui)$')
