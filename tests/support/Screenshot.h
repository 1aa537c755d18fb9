// A PNG picture of a window as it is drawn (frame included), for looking at a form.
#pragma once

#include <windows.h>

#include <string>

namespace guitest {

// Lets the window paint and writes its pixels to path (a Windows path); windows lying over it
// do not matter. False when the window or the file cannot be read or written.
bool SaveWindowPng(HWND window, const std::string& path);

}  // namespace guitest
