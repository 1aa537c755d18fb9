// The shell's folder picker, as the long backup opens it.
#pragma once

#include <windows.h>

#include <string>

// Shows the new-style picker of file-system folders, without an owner window, with initialPath
// selected. Returns the chosen folder's path, or empty text when the operator cancelled or the
// choice has no file-system path.
std::string BrowseForFolder(std::string initialPath);

// The picker's callback: selects the initial path (lpData) once the picker is ready.
int CALLBACK BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);
