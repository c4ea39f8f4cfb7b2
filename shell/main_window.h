// The program's one window: its class, its creation and its procedure.
#pragma once

#include "platform/win32.h"

extern const char* const MainClassName;  // "MainWClass"
extern const char* const MainWindowTitle;

// Set once, before the animation thread starts; read by that thread. With
// the globals of core/animation_state.cpp, the animation's shared state.
extern HWND MainWindow;

bool RegisterMainClass();
// The window at 1024 by 768, frame included, where the desktop puts it; null
// when it cannot be made.
HWND CreateMainWindow();
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
