// Driving real controls from a test, as the operator would, in the test's own process and
// thread. Every action ends by handling the messages it caused (Application->ProcessMessages),
// so that the handlers have run when it returns. A box the action raises must be caught by a
// BoxCatcher (BoxCatcher.h).
#pragma once

#include "AnsiString.h"
#include "Form.h"
#include "ListView.h"
#include "PageControl.h"
#include "StandardControls.h"

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace guitest {

// Gives the test program a virtual desktop of its own, so that test programs running side by
// side on one display do not take the focus and the active window from each other. Call it in
// main before any window is made (tabulon_gui_test_main does).
void UseOwnDesktop();

// Handles the waiting messages a few times over, with short pauses between.
void Pump(int rounds = 3);
// Handles this thread's messages until the condition holds or the time is up; whether it holds.
bool PumpUntil(const std::function<bool()>& condition, DWORD milliseconds);

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
// What the list view itself shows in a cell (column 0: the caption).
std::string CellText(TListView* list, int line, int column);

// A form of the test's own (not the application's main form), made and shown (FormShow has run)
// in the constructor and destroyed with the object.
template <class Form>
class ShownForm
{
public:
    ShownForm() : form_(new Form(nullptr))
    {
        form_->Show();
        Pump();
    }

    Form* operator->() const { return form_.get(); }
    Form& operator*() const { return *form_; }
    Form* get() const { return form_.get(); }

private:
    std::unique_ptr<Form> form_;
};

// A mouse click (button down and up) at a point of a window's client area, then Pump.
void ClickAt(HWND window, POINT client);

// A UTF-8 text (a literal of the test's source) in the ANSI code page, as the controls show it.
AnsiString Ansi(const char* utf8);
// Several of them, e.g. the entries a combo box's list should have.
std::vector<std::string> AnsiTexts(std::initializer_list<const char*> utf8);

// Where the loaded comctl32.dll comes from, in lower case: the side-by-side store when the
// program's manifest asked for common controls 6. (DllGetVersion says 5.81 under Wine whatever
// was loaded.) Empty when none is loaded.
std::string CommonControlsPath();

// The visible descendant of a window with this text (a label or a button of the page shown),
// also of another process's window; waited for as long as given, handling this thread's
// messages meanwhile. Null when there is none.
HWND FindVisibleChild(HWND parent, const std::string& text, DWORD waitMilliseconds = 0);

}  // namespace guitest
