#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The benchmark report's table from made-up results: units, the median over repetitions, the
# target check, benchmarks that did not run, the ratios' direction, and the README section.
# Usage: bench_report_table.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
src="$2"
tool="$src/bench/report_table.py"
command -v python3 >/dev/null || { echo "skipped: no python3"; exit 0; }
work="$(mktemp -d /tmp/zelvoran-report-test-XXXXXX)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cat >"$work/bench.json" <<'JSON'
{"context": {}, "benchmarks": [
 {"name": "BM_LoadDictionary_mean", "run_name": "BM_LoadDictionary", "run_type": "aggregate",
  "aggregate_name": "mean", "real_time": 1000, "time_unit": "us"},
 {"name": "BM_LoadDictionary_median", "run_name": "BM_LoadDictionary", "run_type": "aggregate",
  "aggregate_name": "median", "real_time": 150000, "time_unit": "us"},
 {"name": "BM_LoadDictionaryBundled", "run_name": "BM_LoadDictionaryBundled",
  "run_type": "iteration", "real_time": 17.1, "time_unit": "ms"},
 {"name": "BM_StartLookup_median", "run_name": "BM_StartLookup", "run_type": "aggregate",
  "aggregate_name": "median", "real_time": 28, "time_unit": "us", "median_us": 14.7,
  "slowest_key_us": 1200},
 {"name": "BM_StoreInsert", "run_name": "BM_StoreInsert", "run_type": "iteration",
  "error_occurred": true, "error_message": "store not loaded"},
 {"name": "BM_HugeEntryText_median", "run_name": "BM_HugeEntryText", "run_type": "aggregate",
  "aggregate_name": "median", "real_time": 2170000, "time_unit": "ns"},
 {"name": "BM_DictdPrefixMatch_median", "run_name": "BM_DictdPrefixMatch",
  "run_type": "aggregate", "aggregate_name": "median", "real_time": 135, "time_unit": "us",
  "matches": 62.4},
 {"name": "BM_InProcessPrefixMatch_median", "run_name": "BM_InProcessPrefixMatch",
  "run_type": "aggregate", "aggregate_name": "median", "real_time": 2.7, "time_unit": "us",
  "rows": 118}
]}
JSON
echo '{"results": [{"mean": 0.002, "stddev": 0.0005}, {"mean": 0.040, "stddev": 0.002}]}' \
  >"$work/cmd-en.json"
printf 'nproc=2\ncpu=Test CPU\nmemory=1.0 GiB\nos=Test OS\ndate=today\nload=0 0 0\n' \
  >"$work/machine.txt"

python3 "$tool" table "$work" 3 >"$work/report.md"
row() { grep -F "| $1 | $2 |" "$work/report.md" || fail "no row for $1 ($2)"; }
expect() { printf '%s\n' "$1" | grep -qF -- "$2" || fail "expected '$2' in: $1"; }

expect "$(row "Load the dictionary" synthetic)" "| 150 ms | < 100 ms | **no** |"
expect "$(row "Load the dictionary" bundled)" "| 17.1 ms | < 100 ms | yes |"
expect "$(row "START lookup, one keystroke (median)" synthetic)" "| 14.7 µs | < 0.1 ms | yes |"
expect "$(row "START lookup, slowest keystroke (its best time)" synthetic)" "| 1.2 ms | < 1 ms | **no** |"
expect "$(row "Store insert into 10,000 own entries, with the reload" synthetic)" \
  "not measured (store not loaded)"
expect "$(row "Window start to first paint" bundled)" "not measured (not run)"
expect "$(grep -F '`BM_HugeEntryText`' "$work/report.md")" "2.17 ms"
expect "$(grep -F 'Prefix MATCH' "$work/report.md")" \
  "| 135 µs (62 matches) | 2.7 µs (118 rows) | Zelvoran 50× faster |"
expect "$(grep -F 'English prefix' "$work/report.md")" \
  "| 2.00 ms ± 0.50 | 40.00 ms ± 2.00 | dictd 20× faster |"
expect "$(grep -F 'Greek prefix' "$work/report.md")" "not measured"
expect "$(head -n 1 "$work/report.md")" "the median of 3 repetitions"
if grep -q 'BM_Dictd\|BM_InProcess\|BM_LoadDictionary`' "$work/report.md"; then
  fail "a figure of the tables also listed among the others"
fi

# The README: only the marked section changes; without its markers the file is left alone.
printf 'head\n<!-- bench:begin -->\nold\n<!-- bench:end -->\ntail\n' >"$work/README.md"
python3 "$tool" readme "$work/README.md" "$work/report.md"
[ "$(head -n 2 "$work/README.md")" = $'head\n<!-- bench:begin -->' ] || fail "README head changed"
[ "$(tail -n 2 "$work/README.md")" = $'<!-- bench:end -->\ntail' ] || fail "README tail changed"
grep -q '^old$' "$work/README.md" && fail "old section kept"
grep -qF "Load the dictionary" "$work/README.md" || fail "report not in the README"
printf 'no markers\n' >"$work/plain.md"
if python3 "$tool" readme "$work/plain.md" "$work/report.md" 2>/dev/null; then
  fail "a README without markers was accepted"
fi
[ "$(cat "$work/plain.md")" = "no markers" ] || fail "a README without markers was changed"
echo ok
