// What the backup reminder's tests share: the schedule key and the data folder of the Wine
// prefix, read and written with plain Win32 calls (not through the code under test), sample
// databases, the thread's locale, and a driver for the shell's folder picker.
#pragma once

#include "BoxCatcher.h"

#include <windows.h>

#include <string>
#include <vector>

namespace obtest {

// ---- the schedule: HKCU\SOFTWARE\Dumarel\EmissionsBackup ----

void DeleteScheduleKey();
bool ScheduleKeyExists();
// Sets a value of any type and data, creating the key.
void SetValue(const char* name, DWORD type, const std::string& data);
void SetDword(const char* name, DWORD value);
void SetDay(const char* name, double day);  // REG_BINARY, 8 bytes
void DeleteValue(const char* name);

struct RegValue
{
    bool Exists = false;
    DWORD Type = REG_NONE;
    std::string Data;
};
RegValue ReadValue(const char* name);
// The value as a recorded day: REG_BINARY of exactly 8 bytes, or it fails the test.
double RecordedDay(const char* name);

// Today's local date as a whole number of days since 30 December 1899, from the clock.
double Today();

// ---- files and folders ----

// The shell's common application-data folder (C:\ProgramData here).
std::string CommonAppData();
// <common app data>\Trevant
std::string DataFolder();
// The storage database of a model as the station's software names it ("KX40\KX40Storage.gdb").
std::string StoragePath(int model);
// <data folder>\Backup\<day name>
std::string RotationFolder(const std::string& dayName);

// Writes a file with the bytes, making missing folders.
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// The names in a folder (files and folders, without "." and ".."), as stored.
std::vector<std::string> FolderEntries(const std::string& folder);
// Removes a file or a folder with everything in it; nothing when it is not there.
void RemoveTree(const std::string& path);

// Bytes standing in for a model's database: some hundred kilobytes of every byte value, distinct
// per model and per variant.
std::string SampleDatabase(int model, int variant = 0);

// A scratch folder of the build (a Windows path), emptied when made and removed at its end.
class ScratchFolder
{
public:
    explicit ScratchFolder(const std::string& name);
    ~ScratchFolder();
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// ---- regional settings ----

// Sets the thread's locale and reloads the class library's settings; restores both at its end.
class ThreadLocale
{
public:
    explicit ThreadLocale(LCID locale);
    ~ThreadLocale();

private:
    LCID saved_;
};

// ---- the folder picker ----

// What the operator does in one folder picker.
struct PickerAnswer
{
    enum Kind
    {
        Choose,     // selects Folder in the tree, then OK
        Cancel,     // "Storno"
        OkAsShown,  // OK on what the picker selected itself
    };
    Kind Action;
    std::string Folder;

    static PickerAnswer Choosing(const std::string& folder) { return {Choose, folder}; }
    static PickerAnswer Cancelling() { return {Cancel, {}}; }
    static PickerAnswer Accepting() { return {OkAsShown, {}}; }
};

// While it lives, each folder picker the test's thread opens takes the next answer (a picker
// beyond the answers is cancelled and fails the test). Every other box (the shell's questions
// during a copy) is answered with otherBoxes, "Yes" unless told (IDNO: "No"), and recorded.
class PickerDriver
{
public:
    explicit PickerDriver(std::vector<PickerAnswer> answers, int otherBoxes = IDYES);

    int PickersShown() const { return pickers_; }
    // Whether a picker had an owner window.
    bool AnyPickerOwned() const { return pickerOwned_; }
    const std::vector<guitest::CaughtBox>& OtherBoxes() const { return others_; }

private:
    int Answer(const guitest::CaughtBox& box);

    std::vector<PickerAnswer> answers_;
    int otherBoxes_;
    int pickers_ = 0;
    bool pickerOwned_ = false;
    std::vector<guitest::CaughtBox> others_;
    guitest::BoxCatcher catcher_;
};

// The picker window among the given thread's visible dialogues with this caption, or null.
HWND FindPicker(DWORD threadId, const std::string& caption);

}  // namespace obtest
