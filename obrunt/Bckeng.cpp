// The engine's tables, its due checks and the storage file path.
#include "Bckeng.h"

#include "BackupSchedule.h"
#include "CommonAppData.h"

const char* const StorageFolderNames[2] = {"KX40\\", "KX60\\"};
const char* const StorageFileNames[2] = {"KX40Storage.GDB", "KX60Storage.GDB"};

bool CEmissionBackup::IsShortPeriodElapsed()
{
    return IsPeriodElapsed("ShortPeriod", "ShortPeriodLast");
}

bool CEmissionBackup::IsLongPeriodElapsed()
{
    return IsPeriodElapsed("LongPeriod", "LongPeriodLast");
}

AnsiString CEmissionBackup::GetStorageFilePath(std::int8_t model)
{
    if (!IsModelIndex(model))
        return AnsiString();
    const AnsiString folder = CommonAppDataFolder();
    if (folder.IsEmpty())
        return AnsiString();
    return folder + "\\Trevant\\" + StorageFolderNames[model] + StorageFileNames[model];
}
