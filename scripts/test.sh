#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds everything and runs every test; then a short pass of every fuzz target
# (build-fuzz/), and the unit and GUI tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan/). Warnings are errors in every build here; the
# ordinary build uses GCC, the fuzz and sanitizer builds clang, so both compilers stay clean.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${CHECK_PACKAGES[@]}"
build_all -DZELVORAN_WERROR=ON
build_data
# Every test runs once: the end-to-end tests wait for the states they need, so a busy machine
# makes them slower, never failing.
(cd "$BUILD" && ctest --output-on-failure -j2)
bash "$ROOT/scripts/windows.sh"

bash "$ROOT/scripts/fuzz.sh" 5

ASAN_BUILD="${ZELVORAN_ASAN_BUILD_DIR:-$ROOT/build-asan}"
forget_other_compiler "$ASAN_BUILD" clang++
CC=clang CXX=clang++ cmake -S "$ROOT" -B "$ASAN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZELVORAN_WERROR=ON -DZELVORAN_SANITIZE=ON -DZELVORAN_BUILD_BENCH=OFF >/dev/null
cmake --build "$ASAN_BUILD" -j2 --target zelvoran_unit_tests zelvoran_gui_tests
# The tests over the bundled data read the data folder the ordinary build made.
mkdir -p "$ASAN_BUILD/program"
ln -sfn "$PROGRAM/data" "$ASAN_BUILD/program/data"
(cd "$ASAN_BUILD" &&
  ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1}" \
  UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}" \
  ctest --output-on-failure -j2 -R '^(unit|gui)\.')
