#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# zelvoran-lookup on the bundled data: run from the program folder, plain and JSON output and
# exit statuses. Usage: lookup_cli.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$(cd "$1" && pwd)"
program="$build/program"
tool="$program/zelvoran-lookup"
[ -x "$tool" ] || { echo "zelvoran-lookup not built"; exit 1; }
fail() { echo "FAIL: $*"; exit 1; }

# The command-line conventions of both tools, as processes: help and version on standard
# output with status 0, an unknown option's usage on standard error with status 2.
tmp="$(mktemp -d /tmp/zelvoran-cli-XXXXXX)"
trap 'rm -rf "$tmp"' EXIT
for t in "$tool" "$build/tools/dictc/zelvoran-dictc"; do
  name="$(basename "$t")"
  "$t" --help >"$tmp/out" 2>"$tmp/err" || fail "$name --help failed"
  grep -q "^usage:" "$tmp/out" && [ ! -s "$tmp/err" ] || fail "$name --help: not the usage on stdout"
  "$t" --version >"$tmp/out" 2>"$tmp/err" || fail "$name --version failed"
  grep -qx "$name (Zelvoran Glossa) [0-9][0-9.]*" "$tmp/out" || fail "$name --version: $(cat "$tmp/out")"
  set +e
  "$t" --no-such-option >"$tmp/out" 2>"$tmp/err"; status=$?
  set -e
  [ "$status" -eq 2 ] || fail "$name: an unknown option gave status $status"
  grep -q "usage:" "$tmp/err" && [ ! -s "$tmp/out" ] || fail "$name: unknown option's usage not on stderr"
done
# After "--" a folder named "-data" is an operand, before it an unknown option.
set +e
(cd "$tmp" && "$build/tools/dictc/zelvoran-dictc" verify -data >/dev/null 2>&1); status_option=$?
(cd "$tmp" && "$build/tools/dictc/zelvoran-dictc" verify -- -data >/dev/null 2>&1); status_operand=$?
set -e
[ "$status_option" -eq 2 ] && [ "$status_operand" -eq 1 ] ||
  fail "zelvoran-dictc verify -data / -- -data gave $status_option / $status_operand"
if [ ! -f "$program/data/ZelvoranI.tbo" ]; then
  echo "skipped: no bundled data in $program/data"
  exit 0
fi
cd "$program"

# A usage error: status 2 and a message on stderr.
set +e
"$tool" --mode middle x >/dev/null 2>err.txt; status=$?
set -e
[ "$status" -eq 2 ] || fail "usage error gave status $status"
grep -q usage: err.txt || fail "no usage message"
rm -f err.txt

# An English beginning: its rows; with --row 0, then an empty line, the headword and the
# explanation.
json="$("$tool" --json wat)" || fail "wat found nothing"
rows="$(python3 -c 'import json,sys; print(len(json.loads(sys.argv[1])["rows"]))' "$json")"
first="$("$tool" wat | head -n 1)"
[ -n "$first" ] || fail "no first row"
shown="$("$tool" --row 0 wat)" || fail "--row 0 found nothing"
[ "$(printf '%s\n' "$shown" | sed -n "$((rows + 1))p")" = "" ] || fail "no empty line after the rows"
[ "$(printf '%s\n' "$shown" | sed -n "$((rows + 2))p")" = "${first% \*}" ] || fail "headword not shown"
if printf '%s' "$shown" | grep -q $'\r'; then fail "CR left in plain output"; fi

# JSON: direction, parallel rows and slots, the selection.
json="$("$tool" --json νερό)" || fail "νερό found nothing"
python3 - "$json" <<'PY'
import json, sys
d = json.loads(sys.argv[1])
assert d["direction"] == "G", d["direction"]
assert len(d["rows"]) == len(d["slots"]) > 0
assert d["selected"] == 0
PY

# Nothing found: status 1.
set +e
"$tool" --mode end "qqqqqqqqqqqqqqqqqqqq" >/dev/null; status=$?
set -e
[ "$status" -eq 1 ] || fail "no rows gave status $status"
# Base forms and suggestions: best first, one per line; status 1 with none.
[ "$("$tool" --base-forms σπιτιού | head -n 1)" = "σπίτι" ] || fail "σπιτιού does not lead to σπίτι"
[ "$("$tool" --base-forms went | head -n 1)" = "go" ] || fail "went does not lead to go"
[ "$("$tool" --suggest θαλλασα | head -n 1)" = "θάλασσα" ] || fail "no θάλασσα for θαλλασα"
[ "$("$tool" --json --suggest recieve | python3 -c 'import json,sys; print(json.load(sys.stdin)[0])')" = "receive" ] ||
  fail "no receive for recieve"
set +e
"$tool" --base-forms qqqqqqqq >/dev/null; status=$?
set -e
[ "$status" -eq 1 ] || fail "no base form gave status $status"
echo ok
