// Driving real controls from a test, as the operator would, in the test's own process and
// thread. Every action ends by handling the messages it caused (Application->ProcessMessages),
// so that the handlers have run when it returns. A box the action raises must be caught by a
// BoxCatcher (BoxCatcher.h).
#pragma once

#include "AnsiString.h"
#include "ListView.h"
#include "PageControl.h"
#include "StandardControls.h"

#include <windows.h>

#include <string>

namespace guitest {

// Gives the test program a virtual desktop of its own, so that test programs running side by
// side on one display do not take the focus and the active window from each other. Call it in
// main before any window is made (tabulon_gui_test_main does).
void UseOwnDesktop();

// Handles the waiting messages a few times over, with short pauses between.
void Pump(int rounds = 3);

// Types text into a combo box's edit field, one character message after the other, so that the
// completion runs after each.
void TypeText(TComboBox* box, const AnsiString& text);
// Presses and releases a key in the combo box's edit field (VK_BACK also sends its character).
void PressKey(TComboBox* box, UINT virtualKey);

// Clicks a button or check box (BM_CLICK). An operator cannot click a control that is disabled
// or hidden: then nothing happens and the result is false.
bool Click(TButton* button);
bool Click(TCheckBox* box);

// Clicks the tab of a sheet with the mouse; false when the sheet has no tab to click.
bool PickTab(TPageControl* pages, TTabSheet* sheet);
// Clicks a column header of a list view with the mouse.
void ClickHeader(TListView* list, int column);
// Clicks a line of a list view with the mouse (selecting it), or empty space below the lines.
void ClickLine(TListView* list, int index);
void ClickEmptySpace(TListView* list);

// A mouse click (button down and up) at a point of a window's client area, then Pump.
void ClickAt(HWND window, POINT client);

// A UTF-8 text (a literal of the test's source) in the ANSI code page, as the controls show it.
AnsiString Ansi(const char* utf8);

// The Windows path (Z:\...) of a Linux path, for files the tests write into the build folder.
std::string WindowsPath(const std::string& linuxPath);
// The Linux path of a Windows path, as Wine maps it; empty text when Wine gives none.
std::string UnixPath(const std::string& windowsPath);
// Runs a Linux command line (given to /bin/sh, no double quotes in it) from the test and waits
// for it; true when it exited with 0. Its output, standard error included, goes to output.
bool RunUnix(const std::string& command, std::string* output = nullptr);

}  // namespace guitest
