#include "ObruntTesting.h"

#include "FormatSettings.h"
#include "GuiTesting.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <stdexcept>

namespace obtest {

namespace {

const char* const ScheduleKeyPath = "SOFTWARE\\Dumarel\\EmissionsBackup";

HKEY OpenSchedule(bool create)
{
    HKEY key = nullptr;
    LONG rc = create ? RegCreateKeyExA(HKEY_CURRENT_USER, ScheduleKeyPath, 0, nullptr, 0,
                                       KEY_ALL_ACCESS, nullptr, &key, nullptr)
                     : RegOpenKeyExA(HKEY_CURRENT_USER, ScheduleKeyPath, 0, KEY_ALL_ACCESS, &key);
    return rc == ERROR_SUCCESS ? key : nullptr;
}

void MakeParents(const std::string& path)
{
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
}

// The text of the tree's selected item.
std::string SelectedItemText(HWND tree)
{
    char text[MAX_PATH] = {};
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    item.pszText = text;
    item.cchTextMax = sizeof text;
    if (!item.hItem || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return std::string();
    return text;
}

// How the tree shows a folder: by its name, a drive by a text with "(X:)" in it.
std::string ExpectedItemText(const std::string& folder)
{
    if (folder.size() == 3 && folder[1] == ':' && folder[2] == '\\')
        return "(" + folder.substr(0, 2) + ")";
    return folder.substr(folder.find_last_of('\\') + 1);
}

}  // namespace

void DeleteScheduleKey()
{
    const LONG rc = RegDeleteTreeA(HKEY_CURRENT_USER, ScheduleKeyPath);
    ASSERT_TRUE(rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) << rc;
}

bool ScheduleKeyExists()
{
    HKEY key = OpenSchedule(false);
    if (key)
        RegCloseKey(key);
    return key != nullptr;
}

void SetValue(const char* name, DWORD type, const std::string& data)
{
    HKEY key = OpenSchedule(true);
    ASSERT_NE(nullptr, key);
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                            static_cast<DWORD>(data.size())));
    RegCloseKey(key);
}

void SetDword(const char* name, DWORD value)
{
    SetValue(name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value));
}

void SetDay(const char* name, double day)
{
    SetValue(name, REG_BINARY, std::string(reinterpret_cast<const char*>(&day), sizeof day));
}

void DeleteValue(const char* name)
{
    HKEY key = OpenSchedule(false);
    if (!key)
        return;
    RegDeleteValueA(key, name);
    RegCloseKey(key);
}

RegValue ReadValue(const char* name)
{
    RegValue value;
    HKEY key = OpenSchedule(false);
    if (!key)
        return value;
    char data[64] = {};
    DWORD size = sizeof data;
    if (RegQueryValueExA(key, name, nullptr, &value.Type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS) {
        value.Exists = true;
        value.Data.assign(data, size);
    }
    RegCloseKey(key);
    return value;
}

double RecordedDay(const char* name)
{
    const RegValue value = ReadValue(name);
    EXPECT_TRUE(value.Exists) << name;
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), value.Type) << name;
    EXPECT_EQ(8u, value.Data.size()) << name;
    double day = -1;
    if (value.Data.size() == sizeof day)
        std::memcpy(&day, value.Data.data(), sizeof day);
    return day;
}

double Today()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    now.wHour = now.wMinute = now.wSecond = now.wMilliseconds = 0;
    FILETIME file;
    SystemTimeToFileTime(&now, &file);
    ULARGE_INTEGER ticks;
    ticks.LowPart = file.dwLowDateTime;
    ticks.HighPart = file.dwHighDateTime;
    // FILETIME counts 100 ns from 1601-01-01, which is 109205 days before 1899-12-30.
    return static_cast<double>(ticks.QuadPart / 864000000000ULL) - 109205.0;
}

std::string CommonAppData()
{
    char folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, folder)))
        throw std::runtime_error("no common application-data folder");
    return folder;
}

std::string DataFolder()
{
    return CommonAppData() + "\\Trevant";
}

std::string StoragePath(int model)
{
    return DataFolder() + (model == 0 ? "\\KX40\\KX40Storage.gdb" : "\\KX60\\KX60Storage.gdb");
}

std::string RotationFolder(const std::string& dayName)
{
    return DataFolder() + "\\Backup\\" + dayName;
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    MakeParents(path);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << path;
    DWORD written = 0;
    EXPECT_TRUE(::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    EXPECT_EQ(bytes.size(), written);
    CloseHandle(file);
}

std::string ReadFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot read " << path;
        return std::string();
    }
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    if (!bytes.empty())
        ::ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    return bytes;
}

bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

void RemoveTree(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        for (const std::string& name : FolderEntries(path))
            RemoveTree(path + "\\" + name);
        RemoveDirectoryA(path.c_str());
    } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str())) << "left behind: " << path;
}

std::string SampleDatabase(int model, int variant)
{
    std::string bytes(300 * 1024 + 17 * model + variant, '\0');
    unsigned state = 0x9E3779B9u * (model + 1) + 7919u * variant;
    for (char& c : bytes) {
        state = state * 1664525u + 1013904223u;
        c = static_cast<char>(state >> 24);
    }
    return bytes;
}

ScratchFolder::ScratchFolder(const std::string& name)
    : path_(guitest::WindowsPath(OBRUNT_TEST_SCRATCH) + "\\" + name)
{
    RemoveTree(path_);
    MakeParents(path_ + "\\");
}

ScratchFolder::~ScratchFolder()
{
    RemoveTree(path_);
}

ThreadLocale::ThreadLocale(LCID locale) : saved_(GetThreadLocale())
{
    EXPECT_TRUE(SetThreadLocale(locale));
    ReloadFormatSettings();
}

ThreadLocale::~ThreadLocale()
{
    SetThreadLocale(saved_);
    ReloadFormatSettings();
}

HWND FindPicker(DWORD threadId, const std::string& caption)
{
    struct Search
    {
        const std::string& caption;
        HWND found = nullptr;
        static BOOL CALLBACK Visit(HWND window, LPARAM self)
        {
            auto* search = reinterpret_cast<Search*>(self);
            char name[16] = {};
            char text[256] = {};
            GetClassNameA(window, name, sizeof name);
            GetWindowTextA(window, text, sizeof text);
            if (std::strcmp(name, "#32770") == 0 && IsWindowVisible(window) && search->caption == text &&
                FindWindowExA(window, nullptr, "SysTreeView32", nullptr)) {
                search->found = window;
                return FALSE;
            }
            return TRUE;
        }
    } search{caption};
    EnumThreadWindows(threadId, Search::Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

PickerDriver::PickerDriver(std::vector<PickerAnswer> answers, int otherBoxes)
    : answers_(std::move(answers)), otherBoxes_(otherBoxes),
      catcher_([this](const guitest::CaughtBox& box) { return Answer(box); })
{
}

int PickerDriver::Answer(const guitest::CaughtBox& box)
{
    HWND picker = FindPicker(GetCurrentThreadId(), box.Caption);
    if (!picker) {
        others_.push_back(box);
        for (int button : box.Buttons)
            if (button == otherBoxes_)
                return otherBoxes_;
        return 0;
    }
    if (box.Owner)
        pickerOwned_ = true;
    if (pickers_ >= static_cast<int>(answers_.size())) {
        ++pickers_;
        ADD_FAILURE() << "a folder picker more than expected";
        return IDCANCEL;
    }
    const PickerAnswer& answer = answers_[pickers_++];
    switch (answer.Action) {
    case PickerAnswer::Choose: {
        // What a click on the folder in the tree does. The first picker of a process may still
        // be filling its tree: try again until the folder is the one selected.
        HWND tree = FindWindowExA(picker, nullptr, "SysTreeView32", nullptr);
        const std::string expected = ExpectedItemText(answer.Folder);
        for (int attempt = 0;; ++attempt) {
            SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(answer.Folder.c_str()));
            const std::string selected = SelectedItemText(tree);
            if (selected.find(expected) != std::string::npos)
                break;
            if (attempt == 100) {
                ADD_FAILURE() << "the picker does not select " << answer.Folder;
                return IDCANCEL;
            }
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            Sleep(20);
        }
        return IDOK;
    }
    case PickerAnswer::Cancel:
        return IDCANCEL;
    case PickerAnswer::OkAsShown:
        return IDOK;
    }
    return IDCANCEL;
}

}  // namespace obtest
