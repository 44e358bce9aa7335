// SPDX-License-Identifier: GPL-3.0-or-later
// windows.h for the Win32 layer's .cpp files, never for a header. The program's own names
// (Clipboard::SendMessage, LocalViewerChain::CreateWindow, FileSystem::SetCurrentDirectory)
// are the names of windows.h's character-set macros; undefining those macros here keeps the
// classes the same in every file, and the layer calls the ...A functions by name anyway.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#undef CreateWindow
#undef SendMessage
#undef SetCurrentDirectory
#undef GetCurrentDirectory
#undef DeleteFile
#undef CopyFile
#undef MoveFile
