#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# zelvoran-lookup.exe under Wine answers as the Linux zelvoran-lookup does, on the same data:
# the same lines (the Windows console's CR LF aside) and the same exit status.
# Usage: lookup_exe.sh WINDOWS_PROGRAM_DIR LINUX_PROGRAM_DIR; the Wine loader in $ZELVORAN_WINE.
set -euo pipefail
win="$1"
linux="$2"
wine="${ZELVORAN_WINE:-/usr/lib/wine/wine64}"
[ -f "$win/zelvoran-lookup.exe" ] || { echo "zelvoran-lookup.exe not built"; exit 1; }
[ -x "$linux/zelvoran-lookup" ] || { echo "no Linux zelvoran-lookup in $linux"; exit 1; }
[ -f "$win/data/ZelvoranI.tbo" ] || { echo "no data in $win/data"; exit 1; }
failures=0
checks=0
while IFS= read -r line; do
  [ -n "$line" ] || continue
  eval "args=($line)"
  set +e
  expected="$(cd "$linux" && ./zelvoran-lookup "${args[@]}" 2>&1)"
  expected_status=$?
  got="$(cd "$win" && "$wine" zelvoran-lookup.exe "${args[@]}" 2>&1 | tr -d '\r'; exit "${PIPESTATUS[0]}")"
  got_status=$?
  set -e
  checks=$((checks + 1))
  if [ "$got" != "$expected" ] || [ "$got_status" != "$expected_status" ]; then
    failures=$((failures + 1))
    echo "FAIL: zelvoran-lookup $line: status $got_status (Linux $expected_status)"
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$got") | head -n 10 || true
  fi
done <<'QUERIES'
wat
--row 0 wat
--json νερό
--json --row 0 σπίτι
--mode middle ερό
--base-forms σπιτιού
--base-forms went
--suggest θαλλασα
--json --suggest recieve
--mode end qqqqqqqqqqqqqqqqqqqq
--base-forms qqqqqqqq
--mode sideways x
--version
QUERIES
echo "$((checks - failures)) of $checks lookups as on Linux"
[ "$failures" -eq 0 ]
