# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build (cmake/mingw-w64-x86_64.cmake): the core, the Win32 platform layer, the
# command-line tools and the unit tests. The window needs Qt 6 for Windows, which Debian does
# not cross-build, so the forms, the benchmarks and the Linux platform layer stay out.
set(ZELVORAN_BUILD_GUI OFF CACHE BOOL "Build the Qt program and its tests" FORCE)
set(ZELVORAN_BUILD_BENCH OFF CACHE BOOL "Build the benchmark suite" FORCE)
set(ZELVORAN_PLATFORM_DIR platform/win32)

# Windows 7's API level: every call the platform layer makes is older.
add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601)
# One self-contained .exe each: no libstdc++, libgcc or winpthread DLL to ship beside it.
add_link_options(-static)

# zlib from libz-mingw-w64-dev, linked statically.
set(ZLIB_USE_STATIC_LIBS ON)

# GoogleTest from the sources of Debian's googletest package.
set(ZELVORAN_GOOGLETEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest's source folder")
if(NOT EXISTS "${ZELVORAN_GOOGLETEST_SOURCE}/CMakeLists.txt")
  message(FATAL_ERROR "GoogleTest's sources are missing: install Debian's googletest package")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory("${ZELVORAN_GOOGLETEST_SOURCE}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL
                 SYSTEM)
foreach(lib gtest gtest_main gmock gmock_main)
  if(NOT TARGET GTest::${lib})
    add_library(GTest::${lib} ALIAS ${lib})
  endif()
endforeach()
