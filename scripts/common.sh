# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the set-up scripts: installs missing Debian packages and builds the project.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${ZELVORAN_BUILD_DIR:-$ROOT/build}"
PROGRAM="$BUILD/program"

# Compiler cache entries are keyed on paths relative to the checkout, so clones and work trees
# in other folders reuse each other's objects.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$ROOT}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"

BUILD_PACKAGES=(cmake ninja-build g++ pkg-config ccache qt6-base-dev libgl-dev libx11-dev
  libxkbcommon-dev xkb-data libxcb1-dev libxcb-xfixes0-dev libxtst-dev
  libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev python3
  dict-freedict-eng-ell dict-freedict-ell-eng wordnet-base fonts-dejavu-core fonts-liberation2
  qt6-multimedia-dev libespeak-ng-dev libespeak-ng1 espeak-ng-data)

# What CPack's Debian package needs: dpkg-shlibdeps for the dependencies, file to find the
# binaries.
PACKAGE_PACKAGES=(dpkg-dev file)

# The GUI and end-to-end tests: a private X server with two keyboard layouts, a private session
# bus with the accessibility bus, and the tools that type, click, read the clipboard and read
# the windows through AT-SPI.
TEST_PACKAGES=(xvfb xauth xdotool xclip x11-utils x11-xkb-utils libx11-data poppler-utils dbus-x11
  at-spi2-core python3 python3-pyatspi)

# What the test command needs beyond the build: clang with its sanitizer and fuzzer run-time
# (the sanitizer and fuzz builds), the tests' X and accessibility tools, and the tools the
# package test builds and checks the .deb with.
CHECK_PACKAGES=(clang libclang-rt-14-dev "${TEST_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}" lintian
  man-db desktop-file-utils appstream)

# The Windows pass (scripts/windows.sh): the 64-bit mingw-w64 C++ compiler with POSIX threads,
# zlib for it, GoogleTest's sources, 64-bit Wine to run the tests, and the Greek locale's
# sources.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev googletest wine64 locales)

# Installs the packages that are not installed yet (as root, or through sudo).
ensure_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  # Waits for another installer's lock instead of failing at once.
  local wait=(-o DPkg::Lock::Timeout=600)
  $sudo apt-get "${wait[@]}" update -qq
  $sudo apt-get "${wait[@]}" install -y -qq --no-install-recommends "${missing[@]}"
}

# Drops the CMake cache of build folder $1 when it was configured with a compiler other than
# $2, so that the folder can be configured again with $2.
forget_other_compiler() {
  local cache="$1/CMakeCache.txt"
  [ -f "$cache" ] || return 0
  if ! grep -q "^CMAKE_CXX_COMPILER:[A-Z]*=.*/$2\$" "$cache"; then
    rm -rf "$cache" "$1/CMakeFiles"
  fi
}

# Configures and builds everything into $BUILD; extra arguments go to cmake.
build_all() {
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$BUILD" -j2
}

# Builds data/ of the program folder from the FreeDict packages when it is missing or older
# than its sources.
build_data() {
  local dictc="$BUILD/tools/dictc/zelvoran-dictc"
  [ -x "$dictc" ] || return 0
  local index="$PROGRAM/data/ZelvoranI.tbo"
  local stale=0
  [ -f "$index" ] || stale=1
  [ -f "$PROGRAM/data/ZelvoranForms.dat" ] || stale=1
  for src in /usr/share/dictd/freedict-eng-ell.* /usr/share/dictd/freedict-ell-eng.* \
    /usr/share/wordnet/*.exc "$dictc"; do
    [ -e "$src" ] && [ "$src" -nt "$index" ] && stale=1
  done
  if [ "$stale" -eq 1 ]; then
    "$dictc" build "$PROGRAM/data"
  fi
}
