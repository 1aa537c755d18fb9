#include "ProgramProcess.h"

#include "GuiTesting.h"
#include "WinePaths.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <algorithm>
#include <cctype>
#include <map>

namespace guitest {

namespace {

// The processes watched, by their event hook (the hook's callback has no other context).
std::map<HWINEVENTHOOK, ProgramProcess*>& Watched()
{
    static std::map<HWINEVENTHOOK, ProgramProcess*> watched;
    return watched;
}

}  // namespace

ProgramProcess::ProgramProcess(const std::string& linuxPath, const std::string& arguments)
{
    char desktop[256] = {};
    DWORD length = 0;
    GetUserObjectInformationA(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, desktop, sizeof desktop, &length);
    std::string desktopName = std::string("WinSta0\\") + desktop;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.lpDesktop = &desktopName[0];
    std::string command = "\"" + support::WindowsPath(linuxPath) + "\"";
    if (!arguments.empty())
        command += " " + arguments;
    started_ = GetTickCount();
    // Suspended until the hook is set, so that no window of the start escapes the count.
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                        &startup, &info_)) {
        info_ = {};
        ADD_FAILURE() << "cannot start " << command << ": " << GetLastError();
        return;
    }
    hook_ = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, WindowCreated, info_.dwProcessId, 0,
                            WINEVENT_OUTOFCONTEXT);
    if (hook_)
        Watched()[hook_] = this;
    ResumeThread(info_.hThread);
}

ProgramProcess::ProgramProcess(ProgramProcess&& other) noexcept
    : info_(other.info_), hook_(other.hook_), windowsCreated_(other.windowsCreated_), started_(other.started_),
      elapsed_(other.elapsed_)
{
    other.info_ = {};
    other.hook_ = nullptr;
    if (hook_)
        Watched()[hook_] = this;
}

ProgramProcess::~ProgramProcess()
{
    if (hook_) {
        UnhookWinEvent(hook_);
        Watched().erase(hook_);
    }
    if (!info_.hProcess)
        return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        ADD_FAILURE() << "the program still runs";
        TerminateProcess(info_.hProcess, 99);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

void CALLBACK ProgramProcess::WindowCreated(HWINEVENTHOOK hook, DWORD, HWND, LONG object, LONG, DWORD, DWORD)
{
    auto watched = Watched().find(hook);
    if (object == OBJID_WINDOW && watched != Watched().end())
        ++watched->second->windowsCreated_;
}

HWND ProgramProcess::WaitForWindow(const std::string& caption, const char* windowClass, DWORD milliseconds) const
{
    if (!info_.hProcess)
        return nullptr;
    HWND found = nullptr;
    PumpUntil([&] {
        HWND window = nullptr;
        while (!found && (window = FindWindowExA(nullptr, window, windowClass, caption.c_str()))) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == info_.dwProcessId && IsWindowVisible(window))
                found = window;
        }
        return found || WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0;
    }, milliseconds);
    return found;
}

long ProgramProcess::WaitForExit(DWORD milliseconds)
{
    if (!info_.hProcess)
        return -1;
    const DWORD until = GetTickCount() + milliseconds;
    while (MsgWaitForMultipleObjects(1, &info_.hProcess, FALSE, 50, QS_ALLINPUT) != WAIT_OBJECT_0) {
        Pump(1);
        if (static_cast<LONG>(GetTickCount() - until) > 0)
            return -1;
    }
    Pump(1);  // the hook's last events
    elapsed_ = GetTickCount() - started_;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return static_cast<long>(code);
}

std::string ProgramProcess::ModulePath(const std::string& fileName) const
{
    auto lower = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return text;
    };
    const std::string wanted = "\\" + lower(fileName);
    HMODULE modules[512] = {};
    DWORD needed = 0;
    if (!info_.hProcess || !EnumProcessModules(info_.hProcess, modules, sizeof modules, &needed))
        return std::string();
    for (DWORD i = 0; i < needed / sizeof(HMODULE) && i < 512; ++i) {
        char path[MAX_PATH] = {};
        GetModuleFileNameExA(info_.hProcess, modules[i], path, MAX_PATH);
        const std::string found = lower(path);
        if (found.size() >= wanted.size() && found.compare(found.size() - wanted.size(), wanted.size(), wanted) == 0)
            return found;
    }
    return std::string();
}

}  // namespace guitest
