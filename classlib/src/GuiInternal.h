// Shared inside the window half of the class library.
#pragma once

#include <windows.h>

// InitCommonControlsEx for every control class we use; once per process.
void EnsureCommonControls();
// A fresh child window id (WM_COMMAND carries it; we find controls by window handle).
UINT_PTR NextControlId();
