#include "ObruntTesting.h"

#include "Bckeng.h"
#include "CommonAppData.h"
#include "FolderPickerDriver.h"

#include <gtest/gtest.h>

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

std::string DataFolder()
{
    const std::string common = CommonAppDataFolder();
    if (common.empty())
        throw std::runtime_error("no common application-data folder");
    return common + "\\Trevant";
}

std::string StoragePath(int model)
{
    return CEmissionBackup().GetStorageFilePath(static_cast<std::int8_t>(model));
}

std::string RotationFolder(const std::string& dayName)
{
    return DataFolder() + "\\Backup\\" + dayName;
}

void PutBothDatabases()
{
    WriteFile(StoragePath(0), SampleDatabase(0));
    WriteFile(StoragePath(1), SampleDatabase(1));
}

void PrefixStateTest::SetUp()
{
    DeleteScheduleKey();
    RemoveTree(DataFolder());
}

void PrefixStateTest::TearDown()
{
    DeleteScheduleKey();
    RemoveTree(DataFolder());
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

PickerDriver::PickerDriver(std::vector<PickerAnswer> answers, int otherBoxes)
    : answers_(std::move(answers)), otherBoxes_(otherBoxes),
      catcher_([this](const guitest::CaughtBox& box) { return Answer(box); })
{
}

int PickerDriver::Answer(const guitest::CaughtBox& box)
{
    HWND picker = box.Window;
    if (!guitest::IsFolderPicker(picker)) {
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
    case PickerAnswer::Choose:
        // What a click on the folder in the tree does.
        if (guitest::SelectFolder(picker, answer.Folder))
            return IDOK;
        ADD_FAILURE() << "the picker does not select " << answer.Folder;
        return IDCANCEL;
    case PickerAnswer::Cancel:
        return IDCANCEL;
    case PickerAnswer::OkAsShown:
        return IDOK;
    }
    return IDCANCEL;
}

}  // namespace obtest
