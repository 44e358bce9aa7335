#!/usr/bin/env bash
# The X11 keyboard layouts on a private X server with two groups (us, gr).
# Arguments: BUILD_DIR SOURCE_DIR. Skips (exit 0 with a note) when no X server can be started.
set -euo pipefail
BUILD="$1"
TESTS="$BUILD/tests/zelvoran_gui_tests"
if [ ! -x "$TESTS" ]; then
  echo "skipped: $TESTS not built"
  exit 0
fi
for tool in xvfb-run setxkbmap xauth; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed"
    exit 0
  fi
done
export ZELVORAN_XKB_TEST=1 QT_QPA_PLATFORM=offscreen
exec xvfb-run -a -s "-screen 0 800x600x24" bash -c '
  setxkbmap -layout us,gr || { echo "skipped: setxkbmap failed"; exit 0; }
  "$0" --gtest_filter="X11Keyboard*" --gtest_brief=1' "$TESTS"
