#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop install: `cmake --install` into a temporary prefix gives the program folder with
# its data built, the launcher, the menu entry and the icon; the launcher starts the program in
# its program folder. Usage: install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$1"
[ -x "$build/program/Zelvoran" ] || { echo "skipped: the program is not built"; exit 0; }
if [ ! -f /usr/share/dictd/freedict-eng-ell.index ] || [ ! -f /usr/share/dictd/freedict-ell-eng.index ]; then
  echo "skipped: the FreeDict packages are not installed"
  exit 0
fi
prefix="$(mktemp -d /tmp/zelvoran-install-XXXXXX)"
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$prefix"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1 || { cat "$prefix.log"; rm -f "$prefix.log"; fail "install failed"; }
rm -f "$prefix.log"

folder="$prefix/lib/zelvoran-glossa"
for f in Zelvoran zelvoran-lookup; do
  [ -x "$folder/$f" ] || fail "$f not installed as an executable"
done
for f in data/ZelvoranI.tbo data/ZelvoranDat.tbo data/ZelvoranSrt.tbo data/ZelvoranEC.tbo \
  data/ZelvoranProfile.txt content/Zelvoran.htm content/copyright.rtf content/orangeline.bmp; do
  [ -s "$folder/$f" ] || fail "$f missing or empty in the program folder"
done
[ ! -e "$folder/content/.keep" ] || fail "content/.keep installed"
[ -x "$prefix/bin/zelvoran-glossa" ] || fail "no launcher"
icon="$prefix/share/icons/hicolor/scalable/apps/zelvoran-glossa.svg"
[ -s "$icon" ] || fail "no icon"
grep -q '<svg' "$icon" || fail "the icon is not an SVG"

# The menu entry: the keys a desktop's menu reads.
desktop="$prefix/share/applications/zelvoran-glossa.desktop"
[ -f "$desktop" ] || fail "no menu entry"
[ "$(head -n 1 "$desktop")" = "[Desktop Entry]" ] || fail "menu entry without its group"
for line in "Type=Application" "Name=Zelvoran Glossa" "Exec=zelvoran-glossa" \
  "Icon=zelvoran-glossa" "Categories=Office;Dictionary;" "Terminal=false"; do
  grep -qxF "$line" "$desktop" || fail "menu entry lacks $line"
done
# Greek letters are the UTF-8 sequences that begin with the bytes CE and CF.
LC_ALL=C grep -q $'^Name\\[el\\]=.*[\xce\xcf]' "$desktop" || fail "menu entry lacks a Greek Name[el]"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the menu entry"
fi

# Installing again rebuilds data/ and keeps the user's own entries that live in it.
printf 'own\r\n' >"$folder/data/ZelvoranC.tbo"
cmake --install "$build" --prefix "$prefix" >/dev/null 2>&1 || fail "second install failed"
[ "$(cat "$folder/data/ZelvoranC.tbo")" = $'own\r' ] || fail "a second install lost the user's entries"
rm "$folder/data/ZelvoranC.tbo"

# The installed data answers a lookup, run from the program folder and through the command on
# PATH from elsewhere; the other files beside the program folder are there.
(cd "$folder" && ./zelvoran-lookup wat >/dev/null) || fail "zelvoran-lookup finds nothing in the installed data"
(cd / && "$prefix/bin/zelvoran-lookup" wat >/dev/null) || fail "bin/zelvoran-lookup finds nothing"
"$prefix/bin/zelvoran-dictc" --version >/dev/null || fail "bin/zelvoran-dictc does not run"
for f in share/man/man1/zelvoran-lookup.1.gz share/man/man1/zelvoran-dictc.1.gz \
  share/doc/zelvoran-glossa/copyright share/metainfo/example.quimbrell.ZelvoranGlossa.metainfo.xml; do
  [ -s "$prefix/$f" ] || fail "$f not installed"
done

# The launcher, started from elsewhere, runs the program with its program folder as the
# current directory (also through a symbolic link to it).
ln -s "$prefix/bin/zelvoran-glossa" "$prefix/link-to-launcher"
for launcher in "$prefix/bin/zelvoran-glossa" "$prefix/link-to-launcher"; do
  (cd / && QT_QPA_PLATFORM=offscreen exec "$launcher" >/dev/null 2>&1) &
  pid=$!
  started=0
  for _ in $(seq 1 100); do
    if [ "$(readlink "/proc/$pid/exe" 2>/dev/null)" = "$(readlink -f "$folder/Zelvoran")" ]; then
      started=1
      break
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  [ "$started" -eq 1 ] || fail "$launcher did not start the program"
  [ "$(readlink "/proc/$pid/cwd")" = "$(readlink -f "$folder")" ] ||
    fail "the program runs in $(readlink "/proc/$pid/cwd"), not its program folder"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  pid=""
done

# A launcher whose program folder is gone says so and fails.
rm "$folder/Zelvoran"
if "$prefix/bin/zelvoran-glossa" 2>"$prefix/err.txt"; then fail "the launcher succeeded without the program"; fi
grep -q "zelvoran-glossa:" "$prefix/err.txt" || fail "no message from the launcher"
echo ok
