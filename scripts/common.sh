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
  libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev
  dict-freedict-eng-ell dict-freedict-ell-eng wordnet-base fonts-dejavu-core fonts-liberation2)

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

# Configures and builds everything into $BUILD.
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
