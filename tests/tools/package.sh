#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB` builds it from the build folder; its name, file list,
# control fields and metadata are checked (lintian, desktop-file-validate, appstreamcli), and
# the packaged commands run from an unpacked copy. Usage: package.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$(cd "$1" && pwd)"
source_dir="$2"
fail() { echo "FAIL: $*"; exit 1; }
[ -x "$build/program/Zelvoran" ] || { echo "skipped: the program is not built"; exit 0; }
if [ ! -f /usr/share/dictd/freedict-eng-ell.index ] || [ ! -f /usr/share/dictd/freedict-ell-eng.index ]; then
  echo "skipped: the FreeDict packages are not installed"
  exit 0
fi
for tool in cpack dpkg-deb dpkg-shlibdeps file lintian desktop-file-validate appstreamcli man; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/common.sh installs it)"
done
tmp="$(mktemp -d /tmp/zelvoran-package-XXXXXX)"
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$tmp"
}
trap cleanup EXIT

(cd "$build" && cpack -G DEB -B "$tmp/out" >"$tmp/cpack.log" 2>&1) || { cat "$tmp/cpack.log"; fail "cpack failed"; }
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
deb="$tmp/out/zelvoran-glossa_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $(basename "$deb"); cpack made: $(ls "$tmp/out")"

# --- control fields ---
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = zelvoran-glossa ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture: $(field Architecture)"
depends="$(field Depends)"
for dep in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins; do
  printf '%s\n' "$depends" | tr ',' '\n' | sed 's/^ *//; s/ .*//' | grep -qxF "$dep" ||
    fail "Depends lacks $dep: $depends"
done
field Maintainer | grep -q '<.*@.*>' || fail "no maintainer address"
[ "$(field Description | wc -l)" -ge 3 ] || fail "no extended description"

# No maintainer scripts: removing the package removes every file it installed.
dpkg-deb -e "$deb" "$tmp/control"
[ "$(cd "$tmp/control" && ls | sort | tr '\n' ' ')" = "control md5sums " ] ||
  fail "unexpected control files: $(ls "$tmp/control")"

# --- file list: paths, owners and modes ---
dpkg-deb -c "$deb" >"$tmp/contents"
awk '$2 != "root/root" { print "not owned by root:", $0 }' "$tmp/contents" | grep . && fail "files not owned by root"
awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $1, $6 }' "$tmp/contents" | sort -k2 >"$tmp/files"
lib=/usr/lib/zelvoran-glossa
{
  printf '%s\n' -rwxr-xr-x\ /usr/bin/zelvoran-dictc -rwxr-xr-x\ /usr/bin/zelvoran-glossa \
    -rwxr-xr-x\ /usr/bin/zelvoran-lookup -rwxr-xr-x\ $lib/Zelvoran -rwxr-xr-x\ $lib/zelvoran-lookup \
    "-rw-r--r-- /usr/share/applications/zelvoran-glossa.desktop" \
    "-rw-r--r-- /usr/share/doc/zelvoran-glossa/changelog.gz" \
    "-rw-r--r-- /usr/share/doc/zelvoran-glossa/copyright" \
    "-rw-r--r-- /usr/share/icons/hicolor/scalable/apps/zelvoran-glossa.svg" \
    "-rw-r--r-- /usr/share/man/man1/zelvoran-dictc.1.gz" \
    "-rw-r--r-- /usr/share/man/man1/zelvoran-glossa.1.gz" \
    "-rw-r--r-- /usr/share/man/man1/zelvoran-lookup.1.gz" \
    "-rw-r--r-- /usr/share/metainfo/example.quimbrell.ZelvoranGlossa.metainfo.xml"
  (cd "$source_dir/content" && find . -type f ! -name .keep | sed "s|^\.|-rw-r--r-- $lib/content|")
} | sort -k2 >"$tmp/expected"
grep -v " $lib/data/" "$tmp/files" | diff -u "$tmp/expected" - || fail "the file list differs (- expected, + packaged)"
# data/ holds the dictionary built at package time, and none of a user's files.
for f in ZelvoranI.tbo ZelvoranDat.tbo ZelvoranSrt.tbo ZelvoranEC.tbo ZelvoranProfile.txt; do
  grep -qx -- "-rw-r--r-- $lib/data/$f" "$tmp/files" || fail "data/$f missing"
done
grep -E " $lib/data/(ZelvoranH?I?C\.tbo|temp)" "$tmp/files" && fail "a user's file in the package"

# --- lintian: no errors; the warnings are listed ---
set +e
lintian --allow-root --fail-on error "$deb" >"$tmp/lintian.txt" 2>&1
status=$?
set -e
grep -E '^[EW]: ' "$tmp/lintian.txt" || true
[ "$status" -eq 0 ] || { cat "$tmp/lintian.txt"; fail "lintian reports errors or failed ($status)"; }

# --- an unpacked copy: metadata and manual pages ---
root="$tmp/root"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/zelvoran-glossa.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/"*.metainfo.xml || fail "appstreamcli validate"
appstreamcli validate-tree --no-net "$root" >"$tmp/tree.txt" 2>&1 || { cat "$tmp/tree.txt"; fail "appstreamcli validate-tree"; }
meta="$root/usr/share/metainfo/example.quimbrell.ZelvoranGlossa.metainfo.xml"
for want in '<release version="'"$version"'"' '<p xml:lang="el">' '<content_rating' '<screenshot ' \
  '<project_license>GPL-3.0-or-later AND CC-BY-SA-3.0</project_license>'; do
  grep -qF "$want" "$meta" || fail "metainfo lacks $want"
done
copyright="$root/usr/share/doc/zelvoran-glossa/copyright"
head -n 1 "$copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "copyright file not machine-readable"
for l in GPL-3+ CC-BY-SA-3.0; do grep -qx "License: $l" "$copyright" || fail "copyright lacks License: $l"; done
for page in "$root"/usr/share/man/man1/*.1.gz; do
  warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)"
  [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done

# --- the packaged commands, from another folder, with a fresh user's settings ---
export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config"
mkdir -p "$XDG_CONFIG_HOME"
cd /
out="$("$root/usr/bin/zelvoran-lookup" house)" || fail "zelvoran-lookup house found nothing"
printf '%s\n' "$out" | grep -qx house || fail "zelvoran-lookup house: no row 'house'"
"$root/usr/bin/zelvoran-lookup" --version | grep -qx "zelvoran-lookup (Zelvoran Glossa) $version" || fail "--version"
"$root/usr/bin/zelvoran-lookup" --help | grep -q "^usage:" || fail "--help"
"$root/usr/bin/zelvoran-lookup" --json -- σπίτι | grep -q '"direction":"G"' || fail "a Greek lookup after --"
"$root/usr/bin/zelvoran-dictc" verify "$root$lib/data" | tail -n 1 | grep -qx "no faults" || fail "the packaged data has faults"
[ ! -e "$XDG_CONFIG_HOME/Zelvoran.ini" ] || fail "a lookup wrote the settings file"

# The launcher starts the packaged program in its program folder.
(QT_QPA_PLATFORM=offscreen exec "$root/usr/bin/zelvoran-glossa" >/dev/null 2>&1) &
pid=$!
started=0
for _ in $(seq 1 200); do
  if [ "$(readlink "/proc/$pid/exe" 2>/dev/null)" = "$root$lib/Zelvoran" ] &&
    [ "$(readlink "/proc/$pid/cwd")" = "$root$lib" ]; then
    started=1
    break
  fi
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.05
done
[ "$started" -eq 1 ] || fail "the packaged launcher did not start the program"
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "the packaged program stopped at start-up"
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=""
echo "ok: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB, Installed-Size $(field Installed-Size) KiB"
echo "Depends: $depends"
