#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The X11 keyboard layouts on a private X server with two groups (us, gr).
# Arguments: BUILD_DIR SOURCE_DIR.
set -euo pipefail
BUILD="$1"
SOURCE="$2"
TESTS="$BUILD/tests/zelvoran_gui_tests"
[ -x "$TESTS" ] || { echo "FAIL: $TESTS not built" >&2; exit 1; }
# shellcheck source=../x11/private_x.sh
source "$SOURCE/tests/x11/private_x.sh"
trap stop_private_x EXIT
start_private_x
ZELVORAN_XKB_TEST=1 QT_QPA_PLATFORM=offscreen "$TESTS" --gtest_filter='X11Keyboard*' --gtest_brief=1
