#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# zelvoran-dictc verify over damaged copies of a small data folder: each damage fails the
# check, and the fault is named by file, line and what is wrong.
set -euo pipefail
BUILD="$1"
DICTC="$BUILD/tools/dictc/zelvoran-dictc"
FIXTURE="$BUILD/tests/zelvoran-fixture-data"
for tool in "$DICTC" "$FIXTURE"; do
  [ -x "$tool" ] || { echo "FAIL: $tool is not built"; exit 1; }
done
export LC_ALL=C
OUT="$(mktemp -d)"
trap 'rm -rf "$OUT"' EXIT
"$FIXTURE" "$OUT/sound" small
"$DICTC" verify "$OUT/sound" >"$OUT/sound.log" || { cat "$OUT/sound.log"; echo "FAIL: sound data"; exit 1; }

failures=0
D="$OUT/case"  # the damaged copy
# check NAME EXPECTED-TEXT COMMAND...: runs COMMAND on a fresh copy in $D, then verify.
check() {
  local name="$1" expected="$2"
  shift 2
  rm -rf "$D"
  cp -r "$OUT/sound" "$D"
  "$@"
  local status=0
  timeout 60 "$DICTC" verify "$D" >"$OUT/case.log" 2>&1 || status=$?
  if [ "$status" -ne 1 ]; then
    echo "FAIL: $name: verify exited with $status"
    failures=$((failures + 1))
  elif ! grep -qF -- "$expected" "$OUT/case.log"; then
    echo "FAIL: $name: no fault \"$expected\"; it said:"
    head -n 5 "$OUT/case.log"
    failures=$((failures + 1))
  else
    echo "ok: $name"
  fi
}
cut_to() { head -c "$2" "$D/$1" >"$D/cut" && mv "$D/cut" "$D/$1"; }
lines_size() { head -n "$2" "$D/$1" | wc -c; }
edit() { sed -i "$2" "$D/$1"; }

for f in ZelvoranI.tbo ZelvoranDat.tbo ZelvoranSrt.tbo ZelvoranEC.tbo; do
  check "$f missing" "$f: missing or unreadable" rm "$D/$f"
done
check "index empty" "ZelvoranI.tbo: 0 lines, fewer than the profile's 6 English headwords" \
  cut_to ZelvoranI.tbo 0
check "explanations empty" "runs past the end of ZelvoranDat.tbo (0 bytes)" cut_to ZelvoranDat.tbo 0
check "abbreviations empty" "ZelvoranSrt.tbo: 0 lines, the profile says 4" cut_to ZelvoranSrt.tbo 0
check "links empty" "ZelvoranEC.tbo: 0 English and 0 Greek links, the profile says 2 and 2" \
  cut_to ZelvoranEC.tbo 0
check "profile empty" "ZelvoranProfile.txt: rejected" cut_to ZelvoranProfile.txt 0

check "index cut inside line 3" "ZelvoranI.tbo line 3: no CR LF at the end of the file" \
  eval 'cut_to ZelvoranI.tbo $(( $(lines_size ZelvoranI.tbo 2) + 7 ))'
check "explanations cut in half" "runs past the end of ZelvoranDat.tbo" \
  eval 'cut_to ZelvoranDat.tbo $(( $(wc -c <"$D/ZelvoranDat.tbo") / 2 ))'
check "abbreviations cut inside line 2" "ZelvoranSrt.tbo line 2: no CR LF at the end of the file" \
  eval 'cut_to ZelvoranSrt.tbo $(( $(lines_size ZelvoranSrt.tbo 1) + 4 ))'
check "links cut inside line 2" "ZelvoranEC.tbo line 2: no CR LF at the end of the file" \
  eval 'cut_to ZelvoranEC.tbo $(( $(lines_size ZelvoranEC.tbo 1) + 8 ))'
check "profile cut inside a line" "ZelvoranProfile.txt: rejected" cut_to ZelvoranProfile.txt 100

# The last byte of an index line is stored as it is: the last digit of the length.
check "index length not a number" "ZelvoranI.tbo English line 2: field 6 (length) is not decimal digits" \
  edit ZelvoranI.tbo '2s/.\r$/x\r/'
check "index length of the last entry past the end" "runs past the end of ZelvoranDat.tbo" \
  eval 'cut_to ZelvoranDat.tbo $(( $(wc -c <"$D/ZelvoranDat.tbo") - 1 ))'
check "link number not a number" "ZelvoranEC.tbo line 1: columns 1-5 are not a decimal number" \
  edit ZelvoranEC.tbo '1s/^...../00x01/'
check "link number absurd" "ZelvoranEC.tbo line 1: names English line 99999, which does not exist" \
  edit ZelvoranEC.tbo '1s/^...../99999/'
check "abbreviation line of a million bytes" "ZelvoranSrt.tbo line 2: longer than 76 columns" \
  eval 'head -c 1000000 /dev/zero | tr "\0" a >"$D/long" && { head -n 1 "$D/ZelvoranSrt.tbo"; cat "$D/long"; printf "\r\n"; } >"$D/s" && mv "$D/s" "$D/ZelvoranSrt.tbo"'
check "profile count not a number" "ZelvoranProfile.txt: rejected" \
  edit ZelvoranProfile.txt 's/^greek-headwords=.*/greek-headwords=5x\r/'
check "profile count absurd" "ZelvoranProfile.txt: rejected" \
  edit ZelvoranProfile.txt 's/^english-headwords=.*/english-headwords=99999999999999999999\r/'
check "profile with fewer English headwords" "ZelvoranI.tbo: 8 Greek lines, the profile says 5" \
  edit ZelvoranProfile.txt 's/^english-headwords=.*/english-headwords=3\r/'
check "profile with letter starts the index contradicts" \
  "profile: English letter 'c' starts at slot 4, the index has it at 3" \
  edit ZelvoranProfile.txt 's/^english-letter-starts=1 1 3 /english-letter-starts=1 1 4 /'
check "profile missing, the built-in one contradicting" \
  "11 lines, fewer than the profile's 50929 English headwords" rm "$D/ZelvoranProfile.txt"

[ "$failures" -eq 0 ] || { echo "$failures damages not named"; exit 1; }
echo "OK"
