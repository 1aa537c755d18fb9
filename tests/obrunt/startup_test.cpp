// obrunt.exe as a process: what a start does for each state of the schedule.
#include "ObruntTesting.h"

#include "DateFormat.h"
#include "DateTime.h"
#include "GuiTesting.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <functional>

using namespace obtest;
using guitest::Ansi;

namespace {

// Windows that the watched process creates, seen through an event hook.
int windowsCreated = 0;
DWORD watchedProcess = 0;

void CALLBACK WindowCreated(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD)
{
    if (object == OBJID_WINDOW)
        ++windowsCreated;
}

// The visible top-level window of a process with a caption, or null.
HWND FindTopWindow(DWORD process, const std::string& caption)
{
    struct Search
    {
        DWORD process;
        const std::string& caption;
        HWND found = nullptr;
        static BOOL CALLBACK Visit(HWND window, LPARAM self)
        {
            auto* s = reinterpret_cast<Search*>(self);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            char text[256] = {};
            GetWindowTextA(window, text, sizeof text);
            if (owner == s->process && IsWindowVisible(window) && s->caption == text) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        }
    } search{process, caption};
    EnumWindows(Search::Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The visible descendant of a window with the text (a label or button of the shown page).
HWND FindVisibleChild(HWND parent, const std::string& text)
{
    struct Search
    {
        const std::string& text;
        HWND found = nullptr;
        static BOOL CALLBACK Visit(HWND window, LPARAM self)
        {
            auto* s = reinterpret_cast<Search*>(self);
            char t[256] = {};
            GetWindowTextA(window, t, sizeof t);
            if (IsWindowVisible(window) && s->text == t) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        }
    } search{text};
    EnumChildWindows(parent, Search::Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A block of memory in another process, for messages whose parameters point at data.
class RemoteMemory
{
public:
    RemoteMemory(HANDLE process, size_t size)
        : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE))
    {
    }
    ~RemoteMemory()
    {
        if (address_)
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    void* Address() const { return address_; }
    LPARAM At(size_t offset) const { return reinterpret_cast<LPARAM>(static_cast<char*>(address_) + offset); }
    void Write(size_t offset, const void* data, size_t size)
    {
        WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, nullptr);
    }
    void Read(size_t offset, void* data, size_t size) const
    {
        ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, nullptr);
    }

private:
    HANDLE process_;
    void* address_;
};

// The text of the selected item of another process's tree view.
std::string RemoteSelectedText(RemoteMemory& remote, HWND tree)
{
    const size_t itemAt = 1024;
    const size_t textAt = 2048;
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    item.pszText = reinterpret_cast<char*>(remote.At(textAt));
    item.cchTextMax = 256;
    if (!item.hItem)
        return std::string();
    remote.Write(itemAt, &item, sizeof item);
    if (!SendMessageA(tree, TVM_GETITEMA, 0, remote.At(itemAt)))
        return std::string();
    char text[256] = {};
    remote.Read(textAt, text, sizeof text - 1);
    return text;
}

// One run of obrunt.exe on this test's desktop.
class ObruntProcess
{
public:
    ObruntProcess()
    {
        windowsCreated = 0;
        char desktop[128] = {};
        DWORD size = 0;
        GetUserObjectInformationA(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, desktop, sizeof desktop, &size);
        desktop_ = std::string("WinSta0\\") + desktop;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.lpDesktop = &desktop_[0];
        std::string command = "\"" + guitest::WindowsPath(OBRUNT_EXE) + "\"";
        started_ = GetTickCount();
        if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                            &startup, &info_)) {
            ADD_FAILURE() << "cannot start obrunt.exe: " << GetLastError();
            return;
        }
        watchedProcess = info_.dwProcessId;
        hook_ = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, WindowCreated,
                                info_.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);
        ResumeThread(info_.hThread);
    }
    ~ObruntProcess()
    {
        if (info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            ADD_FAILURE() << "obrunt.exe still runs";
            TerminateProcess(info_.hProcess, 99);
        }
        if (hook_)
            UnhookWinEvent(hook_);
        if (info_.hProcess) {
            CloseHandle(info_.hThread);
            CloseHandle(info_.hProcess);
        }
    }

    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Process() const { return info_.hProcess; }

    // Handles this thread's messages (the hook's events) until the process ends or the time is
    // up; the exit code, or -1 when it still runs.
    int Wait(DWORD milliseconds)
    {
        const DWORD until = GetTickCount() + milliseconds;
        while (MsgWaitForMultipleObjects(1, &info_.hProcess, FALSE, 50, QS_ALLINPUT) != WAIT_OBJECT_0) {
            guitest::Pump(1);
            if (static_cast<LONG>(GetTickCount() - until) > 0)
                return -1;
        }
        guitest::Pump(1);
        elapsed_ = GetTickCount() - started_;
        DWORD code = 0;
        GetExitCodeProcess(info_.hProcess, &code);
        return static_cast<int>(code);
    }
    DWORD Elapsed() const { return elapsed_; }

    // Waits for the process's visible window with the caption; null after the time is up.
    HWND WaitForWindow(const std::string& caption, DWORD milliseconds = 20000)
    {
        const DWORD until = GetTickCount() + milliseconds;
        while (static_cast<LONG>(GetTickCount() - until) < 0) {
            if (HWND window = FindTopWindow(info_.dwProcessId, caption))
                return window;
            if (WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0)
                return nullptr;
            guitest::Pump(1);
            Sleep(20);
        }
        return nullptr;
    }

private:
    std::string desktop_;
    PROCESS_INFORMATION info_ = {};
    HWINEVENTHOOK hook_ = nullptr;
    DWORD started_ = 0;
    DWORD elapsed_ = 0;
};

class Startup : public testing::Test
{
protected:
    void SetUp() override
    {
        DeleteScheduleKey();
        RemoveTree(DataFolder());
        WriteFile(StoragePath(0), SampleDatabase(0));
        WriteFile(StoragePath(1), SampleDatabase(1));
    }
    void TearDown() override
    {
        DeleteScheduleKey();
        RemoveTree(DataFolder());
    }

    static void Schedule(bool shortDue, bool longDue)
    {
        SetDword("ShortPeriod", 1);
        SetDword("LongPeriod", 30);
        SetDay("ShortPeriodLast", shortDue ? Today() - 1 : Today());
        SetDay("LongPeriodLast", longDue ? Today() - 30 : Today() - 29);
    }
    static std::string RotationCopy(int model)
    {
        return RotationFolder(FormatDateTime("ddd", Date())) + (model == 0 ? "\\KX40Storage.GDB" : "\\KX60Storage.GDB");
    }
    static std::string Caption() { return Ansi(u8"Upozornění"); }
};

}  // namespace

TEST_F(Startup, NothingDueEndsAtOnceWithoutAWindow)
{
    Schedule(false, false);
    const double shortBefore = RecordedDay("ShortPeriodLast");
    ObruntProcess obrunt;
    EXPECT_EQ(0, obrunt.Wait(20000));
    std::printf("obrunt.exe with nothing due ended after %lu ms\n", obrunt.Elapsed());
    EXPECT_EQ(0, windowsCreated);
    EXPECT_FALSE(FolderExists(DataFolder() + "\\Backup"));
    EXPECT_EQ(shortBefore, RecordedDay("ShortPeriodLast"));
}

TEST_F(Startup, OnlyTheShortPeriodDueCopiesSilently)
{
    Schedule(true, false);
    ObruntProcess obrunt;
    EXPECT_EQ(0, obrunt.Wait(20000));
    EXPECT_EQ(0, windowsCreated);
    EXPECT_TRUE(ReadFile(RotationCopy(0)) == SampleDatabase(0));
    EXPECT_TRUE(ReadFile(RotationCopy(1)) == SampleDatabase(1));
    EXPECT_EQ(Today(), RecordedDay("ShortPeriodLast"));
    EXPECT_EQ(Today() - 29, RecordedDay("LongPeriodLast"));
}

TEST_F(Startup, OnlyTheLongPeriodDueOpensTheRequestPageAndNeEndsTheProgram)
{
    Schedule(false, true);
    ObruntProcess obrunt;
    HWND window = obrunt.WaitForWindow(Caption());
    ASSERT_NE(nullptr, window);
    EXPECT_GT(windowsCreated, 0);
    EXPECT_NE(nullptr, FindVisibleChild(window, Ansi(u8"Je vhodné provést zálohu dat emisních zařízení.")));
    EXPECT_EQ(nullptr, FindVisibleChild(window, Ansi(u8"Zálohování úspěšně dokončeno")));
    EXPECT_FALSE(FolderExists(DataFolder() + "\\Backup"));

    HWND no = FindVisibleChild(window, "Ne");
    ASSERT_NE(nullptr, no);
    PostMessageA(no, BM_CLICK, 0, 0);
    EXPECT_EQ(0, obrunt.Wait(20000));
    EXPECT_EQ(Today() - 30, RecordedDay("LongPeriodLast"));
}

TEST_F(Startup, BothDueCopiesFirstThenAsksAndTheCloseBoxEndsTheProgram)
{
    Schedule(true, true);
    ObruntProcess obrunt;
    HWND window = obrunt.WaitForWindow(Caption());
    ASSERT_NE(nullptr, window);
    // The short backup is done before the window exists.
    EXPECT_TRUE(ReadFile(RotationCopy(0)) == SampleDatabase(0));
    EXPECT_TRUE(ReadFile(RotationCopy(1)) == SampleDatabase(1));
    EXPECT_EQ(Today(), RecordedDay("ShortPeriodLast"));
    EXPECT_NE(nullptr, FindVisibleChild(window, "Ano"));

    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(0, obrunt.Wait(20000));
}

TEST_F(Startup, WithoutAScheduleTheOperatorBacksUpThroughTheWindow)
{
    ScratchFolder target("startup");
    ObruntProcess obrunt;
    HWND window = obrunt.WaitForWindow(Caption());
    ASSERT_NE(nullptr, window);
    HWND yes = FindVisibleChild(window, "Ano");
    ASSERT_NE(nullptr, yes);
    PostMessageA(yes, BM_CLICK, 0, 0);

    // The picker of the other process: its path goes into that process's memory, where the
    // selection message expects it.
    HWND picker = nullptr;
    for (int i = 0; i < 500 && !picker; ++i) {
        struct Search
        {
            DWORD process;
            HWND found = nullptr;
            static BOOL CALLBACK Visit(HWND w, LPARAM self)
            {
                auto* s = reinterpret_cast<Search*>(self);
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                char name[16] = {};
                GetClassNameA(w, name, sizeof name);
                if (owner == s->process && IsWindowVisible(w) && std::strcmp(name, "#32770") == 0 &&
                    FindWindowExA(w, nullptr, "SysTreeView32", nullptr)) {
                    s->found = w;
                    return FALSE;
                }
                return TRUE;
            }
        } search{obrunt.Id()};
        EnumWindows(Search::Visit, reinterpret_cast<LPARAM>(&search));
        picker = search.found;
        Sleep(20);
    }
    ASSERT_NE(nullptr, picker);
    EXPECT_EQ(nullptr, GetWindow(picker, GW_OWNER));
    // Select the folder as a click in the tree would, again until the tree shows it selected
    // (the picker may still be filling its tree).
    HWND tree = FindWindowExA(picker, nullptr, "SysTreeView32", nullptr);
    ASSERT_NE(nullptr, tree);
    RemoteMemory remote(obrunt.Process(), 4096);
    ASSERT_NE(nullptr, remote.Address());
    std::string selected;
    for (int i = 0; i < 100 && selected != "startup"; ++i, Sleep(20)) {
        remote.Write(0, target.Path().c_str(), target.Path().size() + 1);
        SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, remote.At(0));
        selected = RemoteSelectedText(remote, tree);
    }
    ASSERT_EQ("startup", selected);
    PostMessageA(picker, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(picker, IDOK)));

    HWND done = nullptr;
    for (int i = 0; i < 500 && !done; ++i) {
        done = FindVisibleChild(window, Ansi(u8"Ukončit"));
        Sleep(20);
    }
    ASSERT_NE(nullptr, done);
    EXPECT_NE(nullptr, FindVisibleChild(window, Ansi(u8"Zálohování úspěšně dokončeno")));
    const std::string dated = target.Path() + "\\" + std::string(FormatDateTime("yyyy-mm-dd", Date()));
    EXPECT_TRUE(ReadFile(dated + "\\KX40Storage.GDB") == SampleDatabase(0));
    EXPECT_TRUE(ReadFile(dated + "\\KX60Storage.GDB") == SampleDatabase(1));
    EXPECT_EQ(Today(), RecordedDay("LongPeriodLast"));
    EXPECT_EQ(Today(), RecordedDay("ShortPeriodLast"));

    PostMessageA(done, BM_CLICK, 0, 0);
    EXPECT_EQ(0, obrunt.Wait(20000));
}
