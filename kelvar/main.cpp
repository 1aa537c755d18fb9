// kelvar, the protocol browser: the program entry.
#include "Application.h"
#include "frmMain.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Nothing may leave this frame: the operator sees the error, the program ends normally.
    try {
        try {
            Application->Initialize();
            Application->Title = "Tabulon";
            Application->CreateForm(frmSearchMain);
            Application->Run();
        } catch (const Exception& exception) {
            Application->ShowException(&exception);
        } catch (...) {
            // Another library's exception: shown as a box without text.
            Application->ShowException(Exception(""));
        }
    } catch (...) {
        // Showing the box failed as well: nothing more can be done.
    }
    return 0;
}
