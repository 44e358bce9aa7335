#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the whole benchmark suite on the full-size synthetic data and on the bundled data, with a
# private dictd server on 127.0.0.1 serving the same FreeDict content for the side-by-side
# figures, times whole commands (Debian's dict client against zelvoran-lookup) with hyperfine,
# and writes a Markdown report with the targets and the machine it ran on.
#
# Usage: bash scripts/bench_report.sh [--no-readme] [--repetitions N]
# The report goes to build/bench/report.md and, unless --no-readme, replaces the section of
# README.md between "<!-- bench:begin -->" and "<!-- bench:end -->". It takes a few minutes.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

update_readme=1
repetitions=3
while [ $# -gt 0 ]; do
  case "$1" in
    --no-readme) update_readme=0 ;;
    --repetitions)
      shift
      [[ "${1:-}" =~ ^[1-9][0-9]?$ ]] || { echo "--repetitions takes a number from 1 to 99" >&2; exit 2; }
      repetitions="$1"
      ;;
    *) echo "usage: bash scripts/bench_report.sh [--no-readme] [--repetitions N]" >&2; exit 2 ;;
  esac
  shift
done

ensure_packages "${BUILD_PACKAGES[@]}" dictd dict hyperfine python3

cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j2 --target zelvoran-bench zelvoran-lookup zelvoran-dictc Zelvoran \
  zelvoran_content
build_data
[ -f "$PROGRAM/data/ZelvoranI.tbo" ] || { echo "no bundled data in $PROGRAM/data" >&2; exit 1; }

work="$(mktemp -d /tmp/zelvoran-bench-report-XXXXXX)"
dictd_pid=""
cleanup() {
  if [ -n "$dictd_pid" ] && kill -0 "$dictd_pid" 2>/dev/null; then
    kill "$dictd_pid" 2>/dev/null || true
    for _ in $(seq 1 50); do
      kill -0 "$dictd_pid" 2>/dev/null || break
      sleep 0.1
    done
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# --- a private dictd on a free port of 127.0.0.1; it runs as the dictd user, so its folder
# must be writable by everyone ---
chmod 777 "$work"
port="$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1]); s.close()')"
{
  printf 'global {\n  listen_to 127.0.0.1\n  port %s\n  pid_file %s\n}\n' "$port" "$work/dictd.pid"
  printf 'access {\n  allow 127.0.0.1\n  allow localhost\n}\n'
  for db in eng-ell ell-eng; do
    src="/usr/share/dictd/freedict-$db"
    [ -f "$src.index" ] && [ -f "$src.dict.dz" ] || { echo "missing $src.index or .dict.dz" >&2; exit 1; }
    printf 'database %s {\n  data "%s.dict.dz"\n  index "%s.index"\n}\n' "$db" "$src" "$src"
  done
} >"$work/dictd.conf"
dictd --config "$work/dictd.conf"
for _ in $(seq 1 100); do
  [ -s "$work/dictd.pid" ] && dict -h 127.0.0.1 -p "$port" -D >/dev/null 2>&1 && break
  sleep 0.1
done
[ -s "$work/dictd.pid" ] || { echo "dictd did not start" >&2; exit 1; }
dictd_pid="$(cat "$work/dictd.pid")"
dict -h 127.0.0.1 -p "$port" -D >/dev/null || { echo "dictd does not answer on port $port" >&2; exit 1; }
echo "dictd serving eng-ell and ell-eng on 127.0.0.1:$port (pid $dictd_pid)"

# --- the whole suite ---
echo "Running the benchmark suite ($repetitions repetitions)..."
ZELVORAN_DICTD_PORT="$port" ZELVORAN_PROGRAM_DIR="$PROGRAM" QT_QPA_PLATFORM=offscreen \
  "$BUILD/bench/zelvoran-bench" --benchmark_repetitions="$repetitions" \
  --benchmark_report_aggregates_only=true --benchmark_out="$work/bench.json" \
  --benchmark_out_format=json

# --- whole commands: one English and one Greek beginning, each against its own database ---
echo "Timing whole commands..."
(
  cd "$PROGRAM"
  hyperfine -N --warmup 5 --runs 40 --export-json "$work/cmd-en.json" \
    -n dict "dict -h 127.0.0.1 -p $port -d eng-ell -m -s prefix hous" \
    -n zelvoran-lookup "./zelvoran-lookup hous"
  hyperfine -N --warmup 5 --runs 40 --export-json "$work/cmd-el.json" \
    -n dict "dict -h 127.0.0.1 -p $port -d ell-eng -m -s prefix σπί" \
    -n zelvoran-lookup "./zelvoran-lookup σπί"
)

# --- the machine ---
{
  echo "nproc=$(nproc)"
  echo "cpu=$(grep -m1 '^model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
  echo "memory=$(awk '/^MemTotal/ {printf "%.1f GiB", $2 / 1048576}' /proc/meminfo)"
  echo "os=$(. /etc/os-release && echo "$PRETTY_NAME"), kernel $(uname -r)"
  echo "date=$(date -u '+%Y-%m-%d %H:%M UTC')"
  echo "load=$(cut -d' ' -f1-3 /proc/loadavg)"
  echo "dictd=$(dictd --version 2>&1 | head -n1)"
  echo "hyperfine=$(hyperfine --version)"
} >"$work/machine.txt"

mkdir -p "$BUILD/bench"
python3 "$ROOT/bench/report_table.py" table "$work" "$repetitions" >"$BUILD/bench/report.md"
echo "Wrote $BUILD/bench/report.md"

if [ "$update_readme" -eq 1 ]; then
  python3 "$ROOT/bench/report_table.py" readme "$ROOT/README.md" "$BUILD/bench/report.md"
  echo "Updated the benchmark section of README.md"
fi
