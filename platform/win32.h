// The operating-system interface of nosignal: the part of the Win32 API that
// the drawing layer, the animation core and the shell call. On Windows it is
// the real API; elsewhere platform/win32/ declares it, by subject and DLL,
// with the real names, types, constants and structure layouts, and
// platform/soft implements it in software.
#pragma once

#if defined(_WIN32)
// Lean, and without the min and max macros that would shadow std::min/max.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else

// The subset, as the layers use it.
#include "platform/win32/types.h"
#include "platform/win32/constants.h"
#include "platform/win32/gdi_structures.h"
#include "platform/win32/user_kernel_structures.h"
#include "platform/win32/gdi32.h"
#include "platform/win32/user32.h"
#include "platform/win32/kernel32.h"

#endif  // !_WIN32
