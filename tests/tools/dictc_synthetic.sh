#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The synthetic dictionary has the delivered counts (no profile file) and passes verify; a
# damaged copy fails it with a named fault.
set -euo pipefail
BUILD="$1"
DICTC="$BUILD/tools/dictc/zelvoran-dictc"
OUT="$(mktemp -d)"
trap 'rm -rf "$OUT"' EXIT
"$DICTC" synthetic "$OUT/data"
[ ! -e "$OUT/data/ZelvoranProfile.txt" ] || { echo "FAIL: synthetic data wrote a profile"; exit 1; }
"$DICTC" verify "$OUT/data" | tee "$OUT/verify.log"
grep -q "50929 English and 47310 Greek headwords, 236 abbreviations, 6375 English and 205 Greek" \
  "$OUT/verify.log" || { echo "FAIL: counts differ from the delivered ones"; exit 1; }
head -c 1000 "$OUT/data/ZelvoranDat.tbo" >"$OUT/data/cut" && mv "$OUT/data/cut" "$OUT/data/ZelvoranDat.tbo"
if "$DICTC" verify "$OUT/data" >"$OUT/bad.log"; then
  echo "FAIL: verify passed a cut explanations file"
  exit 1
fi
grep -q "runs past the end of ZelvoranDat.tbo" "$OUT/bad.log" || { echo "FAIL: fault not named"; exit 1; }
"$DICTC" --help | grep -q "zelvoran-dictc verify DATADIR"
if "$DICTC" frobnicate 2>/dev/null; then echo "FAIL: unknown command accepted"; exit 1; fi
echo "OK"
