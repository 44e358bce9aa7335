#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program and the Debian package build/zelvoran-glossa_VERSION_ARCH.deb (CPack),
# whose data is built from the FreeDict packages while it is made.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
build_all
cd "$BUILD"
cpack -G DEB
