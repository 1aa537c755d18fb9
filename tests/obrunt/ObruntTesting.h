// What the backup reminder's tests share: the schedule key of the Wine prefix, read and written
// with plain Win32 calls (not through the code under test), the data folder, sample databases,
// and the answers to the shell's folder picker. Files, scratch folders and the thread's locale
// come from tests/support.
#pragma once

#include "BoxCatcher.h"
#include "Files.h"
#include "ThreadLocale.h"

#include <gtest/gtest.h>

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

using support::FileExists;
using support::FolderEntries;
using support::FolderExists;
using support::ReadFile;
using support::RemoveTree;
using support::ScratchFolder;
using support::ThreadLocale;
using support::WriteFile;

// <common app data>\Trevant, as the backup reminder names it.
std::string DataFolder();
// The storage database of a model (0: KX40, 1: KX60), as the backup reminder names it.
std::string StoragePath(int model);
// <data folder>\Backup\<day name>
std::string RotationFolder(const std::string& dayName);

// Bytes standing in for a model's database: some hundred kilobytes of every byte value, distinct
// per model and per variant.
std::string SampleDatabase(int model, int variant = 0);

// Writes both models' sample databases where the backup reminder looks for them.
void PutBothDatabases();

// The fixture of every test that touches the prefix's schedule key and data folder: both are
// removed before and after each case.
class PrefixStateTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;
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

}  // namespace obtest
