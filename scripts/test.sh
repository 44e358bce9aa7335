#!/usr/bin/env bash
# Builds everything and runs every test.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages "${BUILD_PACKAGES[@]}" xvfb xauth xdotool poppler-utils x11-xkb-utils
build_all
build_data
cd "$BUILD"
ctest --output-on-failure -j2
