// Basic types and handles.
// Part of the Win32 subset that platform/win32.h declares where Windows is
// absent; include platform/win32.h, not this file.
#pragma once

#include <cstddef>
#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using UINT = unsigned int;
using INT = int;
using BOOL = int;
using CHAR = char;
using LPSTR = char*;
using LPCSTR = const char*;
using LPVOID = void*;
using LPCVOID = const void*;
using ULONG_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using ATOM = WORD;
using COLORREF = DWORD;
using SIZE_T = std::size_t;
using LPDWORD = DWORD*;

#define WINAPI
#define CALLBACK

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Handles are opaque; the software platform never dereferences them, it looks
// them up in its handle table.
using HANDLE = void*;
using HGDIOBJ = void*;
#define NOSIGNAL_DECLARE_HANDLE(name) \
  struct name##__ {                   \
    int unused;                       \
  };                                  \
  using name = name##__*
NOSIGNAL_DECLARE_HANDLE(HWND);
NOSIGNAL_DECLARE_HANDLE(HDC);
NOSIGNAL_DECLARE_HANDLE(HPEN);
NOSIGNAL_DECLARE_HANDLE(HBRUSH);
NOSIGNAL_DECLARE_HANDLE(HFONT);
NOSIGNAL_DECLARE_HANDLE(HBITMAP);
NOSIGNAL_DECLARE_HANDLE(HPALETTE);
NOSIGNAL_DECLARE_HANDLE(HINSTANCE);
NOSIGNAL_DECLARE_HANDLE(HICON);
NOSIGNAL_DECLARE_HANDLE(HMENU);
#undef NOSIGNAL_DECLARE_HANDLE
using HMODULE = HINSTANCE;
using HCURSOR = HICON;

#define RGB(r, g, b) \
  ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define MAKEINTRESOURCEA(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))
