#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the program under a private X server, types a word and saves a PNG of the window.
#   bash scripts/screenshot.sh [OUTPUT.png] [WORD]
# With ZELVORAN_SHOT_ABOUT=1 it then opens the about window and saves the screen with it as
# OUTPUT-about.png.
# Uses the bundled data when it has been built (build/program/data), else the tests' small
# fixture dictionary (ZELVORAN_SHOT_DATA=synthetic: the full-size synthetic one). Also prints the time from process start until the window is mapped.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${ZELVORAN_BUILD_DIR:-$ROOT/build}"
OUT="$(realpath -m "${1:-$ROOT/build/screenshot.png}")"
WORD="${2:-καλημέρα}"

for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; exit 1; }
done
if [ ! -f "$BUILD/build.ninja" ]; then
  cmake -S "$ROOT" -B "$BUILD" -G Ninja >/dev/null
fi
cmake --build "$BUILD" -j2 --target Zelvoran zelvoran_content zelvoran-fixture-data >/dev/null

# A program folder of its own, so that a fixture never lands beside the real program.
PROGRAM="$(mktemp -d /tmp/zelvoran-shot-XXXXXX)"
cleanup() {
  [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null || true
  [ -n "${X_PID:-}" ] && kill "$X_PID" 2>/dev/null || true
  rm -rf "$PROGRAM"
}
trap cleanup EXIT
cp "$BUILD/program/Zelvoran" "$PROGRAM/"
cp -r "$ROOT/content" "$PROGRAM/content"
if [ "${ZELVORAN_SHOT_DATA:-}" = synthetic ]; then
  "$BUILD/tests/zelvoran-fixture-data" "$PROGRAM/data" synthetic
  echo "data: full-size synthetic"
elif [ -f "$BUILD/program/data/ZelvoranI.tbo" ]; then
  cp -r "$BUILD/program/data" "$PROGRAM/data"
  echo "data: bundled"
elif [ -x "$BUILD/tools/dictc/zelvoran-dictc" ]; then
  "$BUILD/tools/dictc/zelvoran-dictc" build "$PROGRAM/data"
  echo "data: built from the FreeDict packages"
else
  "$BUILD/tests/zelvoran-fixture-data" "$PROGRAM/data" small
  echo "data: test fixture"
fi

# A free display number.
N=90
while [ -e "/tmp/.X11-unix/X$N" ] || [ -e "/tmp/.X$N-lock" ]; do N=$((N + 1)); done
export DISPLAY=":$N"
Xvfb "$DISPLAY" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
X_PID=$!
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done

# Settings and user folders of a fresh user.
export HOME="$PROGRAM/home" XDG_CONFIG_HOME="$PROGRAM/home/.config"
mkdir -p "$XDG_CONFIG_HOME"
START=$(date +%s%N)
(cd "$PROGRAM" && exec ./Zelvoran) &
APP_PID=$!
WIN=""
for _ in $(seq 2000); do
  WIN="$(xdotool search --onlyvisible --name '^Zelvoran Glossa$' 2>/dev/null | head -1 || true)"
  [ -n "$WIN" ] && break
  sleep 0.005
done
END=$(date +%s%N)
[ -n "$WIN" ] || { echo "the window did not appear" >&2; exit 1; }
echo "start to window on screen: $(((END - START) / 1000000)) ms"

sleep 0.3
xdotool windowfocus --sync "$WIN" 2>/dev/null || true
xdotool type --delay 40 --window "$WIN" "$WORD"
sleep 0.5
import -window "$WIN" "$OUT"
echo "screenshot: $OUT"

if [ "${ZELVORAN_SHOT_ABOUT:-}" = 1 ]; then
  # The "Copyright ©" label at the bottom left of the window opens the about window.
  read -r WX WY WW WH < <(xdotool getwindowgeometry --shell "$WIN" |
    awk -F= '/^X=/{x=$2}/^Y=/{y=$2}/^WIDTH=/{w=$2}/^HEIGHT=/{h=$2}END{print x, y, w, h}')
  xdotool mousemove $((WX + 12)) $((WY + WH - 11)) click 1
  sleep 0.8
  ABOUT="${OUT%.png}-about.png"
  import -window root "$ABOUT"
  echo "screenshot: $ABOUT"
fi
