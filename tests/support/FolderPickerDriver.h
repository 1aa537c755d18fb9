// The shell's folder picker (SHBrowseForFolder) worked as the operator works it, in the test's
// own thread (from a BoxCatcher's answer, while the picker's modal loop runs) or in another
// process (ProgramProcess). OK and "Storno" are pressed with PressBoxButton (BoxCatcher.h).
#pragma once

#include <windows.h>

#include <string>

namespace guitest {

// Whether a dialogue is a folder picker: it holds the shell's folder tree.
bool IsFolderPicker(HWND dialog);
// The visible folder picker of a process, waited for; null when none comes in time.
HWND WaitForFolderPicker(DWORD processId, DWORD milliseconds = 10000);
// Selects a folder (a drive's root too) in the picker's tree, as a click on it would, and again
// until the tree shows it selected: a process's first picker may still be filling its tree.
// False when it never does.
bool SelectFolder(HWND picker, const std::string& folder);

}  // namespace guitest
