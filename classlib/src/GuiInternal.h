// Shared inside the window half of the class library.
#pragma once

#include <windows.h>

class TControl;

// InitCommonControlsEx for every control class we use; once per process.
void EnsureCommonControls();
// A fresh child window id (WM_COMMAND carries it; we find controls by window handle).
UINT_PTR NextControlId();
// Makes TControl::FromHandle(window) find control (null: forget the window).
void RegisterControlWindow(HWND window, TControl* control);
