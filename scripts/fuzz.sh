#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang and runs each for a bounded time.
#   bash scripts/fuzz.sh [SECONDS_PER_TARGET]     (default 60; CI runs a short smoke pass)
# A crashing input is copied into tests/fuzz/regressions/<target>/, where the unit tests
# replay it from then on.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
seconds="${1:-60}"
ensure_packages clang libclang-rt-14-dev libgtest-dev zlib1g-dev cmake ninja-build
FUZZ_BUILD="${ZELVORAN_FUZZ_BUILD_DIR:-$ROOT/build-fuzz}"
forget_other_compiler "$FUZZ_BUILD" clang++
CC=clang CXX=clang++ cmake -S "$ROOT" -B "$FUZZ_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZELVORAN_WERROR=ON -DZELVORAN_FUZZ=ON -DZELVORAN_BUILD_GUI=OFF -DZELVORAN_BUILD_BENCH=OFF >/dev/null
targets=()
for src in "$ROOT"/tests/fuzz/*_fuzz.cpp; do targets+=("$(basename "$src" .cpp)"); done
cmake --build "$FUZZ_BUILD" -j2 --target "${targets[@]}"
status=0
for t in "${targets[@]}"; do
  name="${t%_fuzz}"
  corpus="$FUZZ_BUILD/corpus/$name"
  kept="$ROOT/tests/fuzz/regressions/$name"
  mkdir -p "$corpus" "$FUZZ_BUILD/crashes/$name"
  [ -d "$kept" ] && cp -n "$kept"/* "$corpus"/ 2>/dev/null || true
  echo "fuzzing $name for ${seconds}s"
  if ! "$FUZZ_BUILD/tests/fuzz/$t" -max_total_time="$seconds" -max_len=8192 -timeout=10 \
      -rss_limit_mb=2048 -artifact_prefix="$FUZZ_BUILD/crashes/$name/" "$corpus" \
      >"$FUZZ_BUILD/$name.log" 2>&1; then
    echo "fuzz target $name failed; see $FUZZ_BUILD/$name.log"
    tail -n 30 "$FUZZ_BUILD/$name.log"
    mkdir -p "$kept"
    cp "$FUZZ_BUILD/crashes/$name/"* "$kept"/ 2>/dev/null || true
    status=1
  else
    grep -E "^Done|DONE" "$FUZZ_BUILD/$name.log" | tail -n 1
  fi
done
exit $status
