#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The user's entries under real processes (two-writers; see store_processes.py).
# Usage: store_two_writers.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
exec python3 "$2/tests/tools/store_processes.py" "$1" two-writers
