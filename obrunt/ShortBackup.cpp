// The short backup: a silent copy of both storage databases into the weekday rotation folder
// \Trevant\Backup\<abbreviated weekday>\ under the common application-data folder.
#include "Bckeng.h"

#include "BackupSchedule.h"
#include "CommonAppData.h"
#include "DateFormat.h"
#include "DateTime.h"
#include "FileCheck.h"
#include "Folders.h"

AnsiString CEmissionBackup::GetRotationBackupPath(std::int8_t model)
{
    if (!IsModelIndex(model))
        return AnsiString();
    const TDateTime today = Date();
    const AnsiString appData = CommonAppDataFolder();
    if (appData.IsEmpty())
        return AnsiString();
    // The weekday name comes from the regional settings: seven folders used in turn.
    const AnsiString folder = appData + "\\Trevant\\Backup\\" + FormatDateTime("ddd", today) + "\\";
    if (!ForceDirectories(folder))
        return AnsiString();
    return folder + StorageFileNames[model];
}

namespace {

// The copies in the weekday folders are the backup's own: a read-only mark, taken over from the
// source by CopyFileA or left by someone, must not make Windows refuse to replace or remove them.
void ClearReadOnly(const AnsiString& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY))
        return;
    const DWORD rest = attributes & ~FILE_ATTRIBUTE_READONLY;
    SetFileAttributesA(path.c_str(), rest ? rest : FILE_ATTRIBUTE_NORMAL);
}

// Removes a temporary copy, whatever its attributes.
void RemoveTemporary(const AnsiString& path)
{
    ClearReadOnly(path);
    DeleteFileA(path.c_str());
}

// Called for each model: copies the database to a temporary file beside the target and puts it
// in the target's place only when it is on the disk and equal to the source. On any failure the
// temporary file goes and last week's copy stays as it was.
bool ReplaceWithCopy(const AnsiString& source, const AnsiString& target)
{
    if (source.IsEmpty() || target.IsEmpty())
        return false;
    const AnsiString temporary = target + ".new";
    RemoveTemporary(temporary);  // left by an interrupted run
    if (CopyFileA(source.c_str(), temporary.c_str(), FALSE)) {
        ClearReadOnly(temporary);
        // The rename below is not a copy: without the flush a power cut could leave neither
        // last week's copy nor a complete new one.
        if (FlushToDisk(temporary) && SameFileContents(source, temporary)) {
            ClearReadOnly(target);
            if (MoveFileExA(temporary.c_str(), target.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
                return true;
        }
    }
    RemoveTemporary(temporary);
    return false;
}

}  // namespace

void CEmissionBackup::RunShortBackup()
{
    TRegistry registry(KEY_ALL_ACCESS);
    registry.SetRootKey(HKEY_CURRENT_USER);
    int copied = 0;
    bool presentButNotCopied = false;
    for (std::int8_t model = 0; model < 2; ++model) {
        const AnsiString source = GetStorageFilePath(model);
        const AnsiString target = GetRotationBackupPath(model);
        // A station with one instrument model has no database for the other; that blocks nothing.
        const bool present = !source.IsEmpty() && FileSize(source) >= 0;
        if (ReplaceWithCopy(source, target))
            ++copied;
        else if (present)
            presentButNotCopied = true;
    }
    // A database left uncopied (a full volume) keeps the backup due, so the next start tries again.
    if (copied > 0 && !presentButNotCopied)
        RecordBackupDay(registry, "ShortPeriodLast");
}
