# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-building for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# The posix-threads variant of the compiler is the one whose libstdc++ has std::mutex and
# std::thread, which GoogleTest and the file lock need.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZELVORAN_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZELVORAN_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZELVORAN_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ZELVORAN_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZELVORAN_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests run the .exe files under Wine.
find_program(ZELVORAN_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(ZELVORAN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZELVORAN_WINE})
endif()
