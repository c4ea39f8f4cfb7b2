// kernel32: errors, locks, modules, start-up, threads and waiting.
// Part of the Win32 subset that platform/win32.h declares where Windows is
// absent; include platform/win32.h, not this file.
#pragma once

#include "platform/win32/constants.h"
#include "platform/win32/user_kernel_structures.h"

DWORD GetLastError();
void SetLastError(DWORD error);
DWORD FormatMessageA(DWORD flags, LPCVOID source, DWORD message_id, DWORD language_id,
                     LPSTR buffer, DWORD size, void* arguments);

void InitializeCriticalSection(LPCRITICAL_SECTION section);
void EnterCriticalSection(LPCRITICAL_SECTION section);
BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section);
void LeaveCriticalSection(LPCRITICAL_SECTION section);
void DeleteCriticalSection(LPCRITICAL_SECTION section);

HMODULE GetModuleHandleA(LPCSTR name);
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size);
void GetStartupInfoA(STARTUPINFOA* info);
[[noreturn]] void ExitProcess(UINT exit_code);

HANDLE CreateThread(SECURITY_ATTRIBUTES* security, SIZE_T stack_size,
                    LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD flags,
                    LPDWORD thread_id);
DWORD ResumeThread(HANDLE thread);
DWORD GetCurrentThreadId();
DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds);
BOOL GetExitCodeThread(HANDLE thread, LPDWORD exit_code);
BOOL CloseHandle(HANDLE object);
void Sleep(DWORD milliseconds);
int MulDiv(int number, int numerator, int denominator);
