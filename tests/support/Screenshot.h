// A PNG picture of a window as it is on the screen (frame included), for looking at a form.
#pragma once

#include <windows.h>

#include <string>

namespace guitest {

// Brings the window to the top, lets it paint, and writes what the screen shows of it to path
// (a Windows path). False when the window or the file cannot be read or written.
bool SaveWindowPng(HWND window, const std::string& path);

}  // namespace guitest
