#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the dictionary and starts it on the bundled data.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages "${BUILD_PACKAGES[@]}"
build_all
build_data
cd "$PROGRAM"
exec ./Zelvoran
