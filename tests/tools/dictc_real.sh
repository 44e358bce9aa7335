#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the data folder from the installed FreeDict packages, verifies it and checks that the
# counts are those of a real dictionary. Fails (never skips) when the packages are missing.
set -euo pipefail
BUILD="$1"
DICTC="$BUILD/tools/dictc/zelvoran-dictc"
SRC=/usr/share/dictd
for f in freedict-eng-ell.index freedict-eng-ell.dict.dz freedict-ell-eng.index \
  freedict-ell-eng.dict.dz; do
  if [ ! -f "$SRC/$f" ]; then
    echo "FAIL: $SRC/$f is missing (install dict-freedict-eng-ell and dict-freedict-ell-eng)"
    exit 1
  fi
done
OUT="$(mktemp -d)"
trap 'rm -rf "$OUT"' EXIT
"$DICTC" build "$OUT/data" >"$OUT/build.log"
cat "$OUT/build.log"
"$DICTC" verify "$OUT/data"
for f in ZelvoranI.tbo ZelvoranDat.tbo ZelvoranSrt.tbo ZelvoranEC.tbo ZelvoranProfile.txt \
  ZelvoranSources.txt ZelvoranPron.txt; do
  [ -s "$OUT/data/$f" ] || { echo "FAIL: $f missing or empty"; exit 1; }
done
value() { grep "^$1=" "$OUT/data/ZelvoranProfile.txt" | cut -d= -f2; }
check_range() {
  local name="$1" v="$2" lo="$3" hi="$4"
  if [ "$v" -lt "$lo" ] || [ "$v" -gt "$hi" ]; then
    echo "FAIL: $name = $v, expected $lo..$hi"
    exit 1
  fi
}
check_range english-headwords "$(value english-headwords)" 40000 60001
check_range greek-headwords "$(value greek-headwords)" 38000 60001
check_range abbreviations "$(value abbreviations)" 60 236
check_range english-links "$(value english-links)" 0 6375
check_range greek-links "$(value greek-links)" 1 205
check_range explanation-bytes "$(stat -c %s "$OUT/data/ZelvoranDat.tbo")" 1000000 100000000
# Pronunciations: nearly every headword of a source article has one, in both directions.
said() { grep -c "^$1"$'\t' "$OUT/data/ZelvoranPron.txt"; }
check_range english-pronunciations "$(said E)" 18000 60001
check_range greek-pronunciations "$(said G)" 30000 60001
subject=$(sed -n 's/^subject-field entries: \([0-9]*\).*/\1/p' "$OUT/build.log")
check_range subject-field-entries "$subject" 300 60000
for word in "CC BY-SA 3.0" dict-freedict-ell-eng dict-freedict-eng-ell "Karl Bartel"; do
  grep -q "$word" "$OUT/data/ZelvoranSources.txt" || { echo "FAIL: sources file lacks $word"; exit 1; }
done
echo "OK"
