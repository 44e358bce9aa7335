// SPDX-License-Identifier: GPL-3.0-or-later
// The file system, system folders and system information of the system the program is built
// for, under one name each, for the command-line tools and the tests.
#pragma once

#ifdef _WIN32
#include "platform/win32/win32_file_system.h"
#else
#include "platform/linux/posix_file_system.h"
#endif

namespace zelvoran {

#ifdef _WIN32
using NativeFileSystem = Win32FileSystem;
using NativeSystemFolders = Win32SystemFolders;
using NativeSystemInfo = Win32SystemInfo;
#else
using NativeFileSystem = PosixFileSystem;
using NativeSystemFolders = LinuxSystemFolders;
using NativeSystemInfo = LinuxSystemInfo;
#endif

}  // namespace zelvoran
