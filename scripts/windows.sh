#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows pass of the test command: cross-builds the core, the Win32 layer, the command-line
# tools and the unit tests with mingw-w64 (build-win/), builds the data folder with
# zelvoran-dictc.exe and compares it with the Linux build's, and runs the unit tests, the
# Win32 layer's tests and zelvoran-lookup.exe under Wine, headless: a private Wine prefix in
# the build folder with Wine's null graphics driver, and a Greek locale, so that the ANSI code
# page is 1253. Run after the Linux build (scripts/test.sh), whose data and zelvoran-lookup it
# compares with; alone it builds and runs what it can.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"
start=$SECONDS

WIN_BUILD="${ZELVORAN_WINDOWS_BUILD_DIR:-$ROOT/build-win}"
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
export ZELVORAN_WINE="$WINE" WINESERVER

# The Greek UTF-8 locale, which a fresh Debian lacks.
if ! locale -a 2>/dev/null | grep -qix 'el_GR\.utf-\?8'; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo sed -i 's/^# *\(el_GR\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^el_GR\.UTF-8 UTF-8' /etc/locale.gen || echo 'el_GR.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi

linux_program=""
[ -x "$PROGRAM/zelvoran-lookup" ] && [ -f "$PROGRAM/data/ZelvoranI.tbo" ] && linux_program="$PROGRAM"
cmake -S "$ROOT" -B "$WIN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" -DZELVORAN_WERROR=ON \
  -DZELVORAN_LINUX_PROGRAM_DIR="$linux_program" >/dev/null
cmake --build "$WIN_BUILD" -j2 --target zelvoran_unit_tests zelvoran_win32_tests zelvoran-lookup \
  zelvoran-dictc zelvoran_content
built=$SECONDS

# Wine, headless: its own prefix (created once per build folder), no display, no messages.
export WINEPREFIX="$WIN_BUILD/wineprefix" WINEDEBUG=-all WINEARCH=win64 LANG=el_GR.UTF-8 LC_ALL=
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$WINEPREFIX/.zelvoran-ready" ]; then
  rm -rf "$WINEPREFIX"
  # No .NET or HTML engine installers: the tests need neither.
  WINEDLLOVERRIDES="mscoree,mshtml=" "$WINE" wineboot --init >/dev/null 2>&1 || true
  "$WINESERVER" -w
  "$WINE" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
  touch "$WINEPREFIX/.zelvoran-ready"
fi
# One server for all the runs, instead of one started and stopped for each program; started
# once the prefix's own server (of the set-up above, or of a run that was stopped) has gone.
"$WINESERVER" -k 2>/dev/null || true
"$WINESERVER" -w
"$WINESERVER" -p </dev/null >/dev/null 2>&1
# Wine's services start with the first program and outlive it; started here, they hold no
# test's output open.
"$WINE" reg query 'HKCU\Software\Wine\Drivers' </dev/null >/dev/null 2>&1
trap '"$WINESERVER" -k 2>/dev/null || true' EXIT

# The data folder, built by zelvoran-dictc.exe; the same bytes as the Linux build's.
win_data="$WIN_BUILD/program/data"
if [ ! -f "$win_data/ZelvoranI.tbo" ] || [ "$WIN_BUILD/tools/dictc/zelvoran-dictc.exe" -nt "$win_data/ZelvoranI.tbo" ]; then
  rm -rf "$win_data"
  (cd "$WIN_BUILD" && "$WINE" tools/dictc/zelvoran-dictc.exe build program/data >/dev/null)
fi
if [ -n "$linux_program" ]; then
  for f in "$linux_program"/data/*; do
    cmp -s "$f" "$win_data/$(basename "$f")" ||
      { echo "FAIL: zelvoran-dictc.exe wrote another $(basename "$f") than zelvoran-dictc"; exit 1; }
  done
  echo "zelvoran-dictc.exe: the same $(ls "$linux_program/data" | wc -l) data files as on Linux"
fi

# GetVersionExA's code for the versions a 64-bit Wine can pretend to be: 5.2 has none, the
# 6.x family is 8, and Windows 10 tells a program without a compatibility manifest 6.2.
version_key='HKCU\Software\Wine\AppDefaults\zelvoran_win32_tests.exe'
for pair in winxp64:0 vista:8 win7:8 win8:8 win10:8; do
  "$WINE" reg add "$version_key" /v Version /d "${pair%%:*}" /f >/dev/null
  ZELVORAN_EXPECTED_VERSION_CODE="${pair##*:}" "$WINE" "$WIN_BUILD/tests/win32/zelvoran_win32_tests.exe" \
    --gtest_brief=1 --gtest_filter='Win32SystemInfo.*' </dev/null >/dev/null ||
    { echo "FAIL: GetWindowsVersionCode under Wine's ${pair%%:*}"; exit 1; }
done
"$WINE" reg delete "$version_key" /f >/dev/null
echo "GetVersionExA: the code of 5 Windows versions"

# Wine lists one keyboard layout, that of the locale, and cannot switch layouts: the search for
# the Greek and the English layout runs once under each.
for pair in el_GR.UTF-8:Greek C.UTF-8:English; do
  LANG="${pair%%:*}" ZELVORAN_EXPECTED_LAYOUT="${pair##*:}" "$WINE" \
    "$WIN_BUILD/tests/win32/zelvoran_win32_tests.exe" --gtest_brief=1 \
    --gtest_filter='Win32KeyboardLayouts.*' </dev/null >/dev/null ||
    { echo "FAIL: FindKeyboardLayouts under ${pair%%:*}"; exit 1; }
done
echo "FindKeyboardLayouts: the Greek layout under el_GR, the English one under C"

(cd "$WIN_BUILD" && ctest --output-on-failure -j2)
echo "Windows pass: $((SECONDS - start)) s (build $((built - start)) s)"
