# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the end-to-end scripts: a private X server with the keyboard layouts us and gr.
# -noreset keeps the layouts when the last client disconnects (without it the server resets and
# forgets them between two commands). Sets DISPLAY and stops the server on exit.

require_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || {
      echo "FAIL: $tool is not installed (the set-up in scripts/ installs it)" >&2
      exit 1
    }
  done
}

start_private_x() {
  require_tools Xvfb setxkbmap
  local fd_file
  fd_file="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fd_file" >/dev/null 2>&1 &
  X_PID=$!
  for _ in $(seq 200); do
    [ -s "$fd_file" ] && break
    sleep 0.05
  done
  local number
  number="$(head -1 "$fd_file")"
  rm -f "$fd_file"
  [ -n "$number" ] || { echo "FAIL: Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$number"
  setxkbmap -layout us,gr
  setxkbmap -query | grep -q '^layout: *us,gr$' || {
    echo "FAIL: the X server did not keep the layouts us,gr" >&2
    exit 1
  }
}

stop_private_x() {
  [ -n "${X_PID:-}" ] && kill "$X_PID" 2>/dev/null || true
}
