// The long backup: both storage databases into a folder named by today's date inside a folder
// that the operator picks.
#include "LongBackup.h"

#include "Application.h"
#include "BackupSchedule.h"
#include "Bckeng.h"
#include "DateFormat.h"
#include "FileCheck.h"
#include "Folders.h"
#include "FolderPicker.h"

#include <shellapi.h>

#include <cstring>

namespace {

// Puts a path into a zeroed 260-byte shell list; false when it does not fit.
bool FillShellList(char (&list)[MAX_PATH], const AnsiString& path)
{
    std::memset(list, 0, sizeof list);
    if (path.size() > MaxShellListPath)
        return false;
    std::memcpy(list, path.data(), path.size());
    return true;
}

}  // namespace

AnsiString LongBackupFolder(const std::string& chosen, TDateTime day)
{
    AnsiString folder = chosen;
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    return folder + FormatDateTime("yyyy-mm-dd", day);
}

bool ShellCopy(HWND owner, const AnsiString& source, const AnsiString& targetFolder)
{
    char from[MAX_PATH];
    char to[MAX_PATH];
    if (!FillShellList(from, source) || !FillShellList(to, targetFolder))
        return false;
    SHFILEOPSTRUCTA operation;
    std::memset(&operation, 0, sizeof operation);
    operation.hwnd = owner;
    operation.wFunc = FO_COPY;
    operation.pFrom = from;
    operation.pTo = to;
    operation.fFlags = FOF_SIMPLEPROGRESS;
    operation.fAnyOperationsAborted = FALSE;
    operation.hNameMappings = nullptr;
    operation.lpszProgressTitle = "Test";
    // The window repaints and reacts once before the shell's copy blocks this thread.
    Application->ProcessMessages();
    if (SHFileOperationA(&operation) != 0 || operation.fAnyOperationsAborted)
        return false;
    // The shell also reports success when the operator declined to replace an older copy, and
    // for a source it could not read (held open by another program): only a copy with the
    // source's bytes counts.
    const AnsiString copy = targetFolder + "\\" + source.substr(source.find_last_of('\\') + 1);
    return SameFileContents(source, copy);
}

BackupResult CEmissionBackup::RunLongBackup()
{
    const TDateTime today = Date();
    TRegistry registry(KEY_ALL_ACCESS);
    registry.SetRootKey(HKEY_CURRENT_USER);

    const std::string chosen = BrowseForFolder(std::string());
    if (chosen.empty())
        return brCancelled;

    const AnsiString target = LongBackupFolder(chosen, today);
    ForceDirectories(target + "\\");
    // Without the folder the shell would copy each database onto a file of the folder's name,
    // the second one over the first.
    const bool targetReady = DirectoryExists(target);

    int copied = 0;
    bool presentButNotCopied = false;
    for (std::int8_t model = 0; model < 2; ++model) {
        const AnsiString source = GetStorageFilePath(model);
        // A station with one instrument model has no database for the other; that alone is no
        // failure of the backup.
        const bool present = !source.IsEmpty() && FileSize(source) >= 0;
        if (targetReady && ShellCopy(m_hOwner, source, target)) {
            ++copied;
            RecordBackupDay(registry, "LongPeriodLast");
        } else if (present) {
            presentButNotCopied = true;
        }
    }
    return copied == 0 || presentButNotCopied ? brFailed : brDone;
}
