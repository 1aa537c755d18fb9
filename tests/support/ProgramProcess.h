// A program of the build started as the operator starts it: a process of its own on the test's
// desktop (where the test finds its windows and boxes), the windows it creates counted, its exit
// code waited for. Its boxes are read and answered with DescribeBox and PressBoxButton
// (BoxCatcher.h).
//
//   guitest::ProgramProcess kelvar(KELVAR_EXE);
//   HWND box = kelvar.WaitForWindow("Informace", "#32770");
//   guitest::PressBoxButton(box, IDOK);
//   EXPECT_EQ(0, kelvar.WaitForExit());
#pragma once

#include <windows.h>

#include <string>

namespace guitest {

class ProgramProcess
{
public:
    // Starts the program (a Linux path: of the build, or a Unix tool, which Wine runs too) with
    // the arguments; a failed start fails the test.
    explicit ProgramProcess(const std::string& linuxPath, const std::string& arguments = std::string());
    // A program still running fails the test and is ended.
    ~ProgramProcess();
    ProgramProcess(ProgramProcess&& other) noexcept;
    ProgramProcess& operator=(ProgramProcess&&) = delete;
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    bool Started() const { return info_.hProcess != nullptr; }
    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }

    // The program's visible top-level window with this caption (and class, when given), waited
    // for; null when the program ends first or the time is up.
    HWND WaitForWindow(const std::string& caption, const char* windowClass = nullptr,
                       DWORD milliseconds = 30000) const;
    // Handles this thread's messages until the program ends: its exit code, or -1 when it still
    // runs after the time.
    long WaitForExit(DWORD milliseconds = 30000);
    // From the start to the end seen by WaitForExit.
    DWORD Elapsed() const { return elapsed_; }
    // The windows the program has created so far (of any kind, hidden ones too).
    int WindowsCreated() const { return windowsCreated_; }
    // The full path (in lower case) the program loaded a DLL from, e.g. "comctl32.dll"; empty
    // when it has none of that name.
    std::string ModulePath(const std::string& fileName) const;

private:
    static void CALLBACK WindowCreated(HWINEVENTHOOK hook, DWORD, HWND, LONG object, LONG, DWORD, DWORD);

    PROCESS_INFORMATION info_ = {};
    HWINEVENTHOOK hook_ = nullptr;
    int windowsCreated_ = 0;
    DWORD started_ = 0;
    DWORD elapsed_ = 0;
};

}  // namespace guitest
