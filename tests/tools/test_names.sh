#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every test that ctest lists has a readable name: parameterised cases are named by their
# generators, without value dumps ("GetParam() = ...") or bare indexes ("/0", "/1"), so that
# `ctest -R` works with plain names. Usage: test_names.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$(cd "$1" && pwd)"
fail() { echo "FAIL: $*"; exit 1; }

list="$(cd "$build" && ctest -N)"
names="$(sed -n 's/^ *Test *#[0-9]*: //p' <<<"$list")"
[ "$(wc -l <<<"$names")" -gt 100 ] || fail "ctest lists too few tests: $list"

dumps="$(grep -E 'GetParam|byte object|[[:space:]]' <<<"$names" || true)"
[ -z "$dumps" ] || fail "names that carry values or blanks:"$'\n'"$dumps"
indexes="$(grep -E '/[0-9]+$' <<<"$names" || true)"
[ -z "$indexes" ] || fail "parameterised cases named by their index:"$'\n'"$indexes"
duplicates="$(sort <<<"$names" | uniq -d)"
[ -z "$duplicates" ] || fail "names listed twice:"$'\n'"$duplicates"
echo "$(wc -l <<<"$names") readable test names"
