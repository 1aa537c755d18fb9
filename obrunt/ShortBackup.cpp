// The short backup: a silent copy of both storage databases into the weekday rotation folder
// \Trevant\Backup\<abbreviated weekday>\ under the common application-data folder.
#include "Bckeng.h"

#include "BackupSchedule.h"
#include "CommonAppData.h"
#include "DateFormat.h"
#include "DateTime.h"
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

void CEmissionBackup::RunShortBackup()
{
    TRegistry registry(KEY_ALL_ACCESS);
    registry.SetRootKey(HKEY_CURRENT_USER);
    for (std::int8_t model = 0; model < 2; ++model) {
        const AnsiString source = GetStorageFilePath(model);
        const AnsiString target = GetRotationBackupPath(model);
        // Last week's copy of this weekday is replaced. A station with one instrument model
        // has no database for the other: that copy fails and nothing is recorded for it.
        if (CopyFileA(source.c_str(), target.c_str(), FALSE))
            RecordBackupDay(registry, "ShortPeriodLast");
    }
}
