// obrunt's entry: the short backup when it is due, then, when the long backup is due, the
// question window with its message loop.
#include "Bckeng.h"
#include "frmBckMain.h"

#include "Application.h"
#include "Encoding.h"

#include <windows.h>

#include <memory>

namespace {

// The start-up; returns the exit code, 0 on every path.
int RunBackupReminder()
{
    auto engine = std::make_unique<CEmissionBackup>();

    // Only the short backup's registry write can raise; no window exists to report it, and the
    // copy already made stays. The long check goes on.
    try {
        if (engine->IsShortPeriodElapsed())
            engine->RunShortBackup();
    } catch (...) {
    }

    if (engine->IsLongPeriodElapsed()) {
        try {
            Application->Initialize();
            Application->Title = Utf8ToAnsi(u8"Zálohování dat emisních přístrojů");
            Application->CreateForm(Form2);
            Application->Run();
        } catch (const Exception& exception) {
            Application->ShowException(exception);
        } catch (...) {
            Application->ShowException(Exception(AnsiString()));
        }
    }
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Nothing may unwind out of the program's entry.
    try {
        return RunBackupReminder();
    } catch (...) {
        return 0;
    }
}
