// CEmissionBackup: the backup reminder's engine. It answers whether the short and the long backup
// are due from the schedule in the current user's registry, runs both backups and names the
// storage database of each instrument model (index 0 = KX40, 1 = KX60), the source of every copy.
// It keeps no schedule of its own: each operation opens and closes the registry key itself.
#pragma once

#include "AnsiString.h"

#include <windows.h>

#include <cstdint>

// The result of a long backup.
enum BackupResult : std::uint8_t
{
    brDone = 0,       // a folder was chosen and every database present was copied
    brFailed = 1,     // no copy succeeded, or a database present could not be copied
    brCancelled = 2,  // the operator chose no folder; nothing was created, copied or written
};

// Per model index: the storage sub-folder (with its backslash) and the database file, which also
// names the backup copies.
extern const char* const StorageFolderNames[2];
extern const char* const StorageFileNames[2];

class CEmissionBackup
{
public:
    // Owner of the shell's copy dialogues in the long backup; set by the question window.
    HWND m_hOwner = nullptr;

    // Due rules over ShortPeriod/ShortPeriodLast and LongPeriod/LongPeriodLast: true when the
    // recorded day plus the period is not later than today, when the recorded day lies after
    // today or is no finite number, or when the schedule cannot be read.
    // They only read the registry.
    bool IsShortPeriodElapsed();
    bool IsLongPeriodElapsed();

    // Full path of the model's storage database; empty text when the shell gives no data folder
    // or the index names no model.
    AnsiString GetStorageFilePath(std::int8_t model);
    // Full path of the model's copy in today's weekday rotation folder, which it creates; empty
    // text when the folder cannot be given or made.
    AnsiString GetRotationBackupPath(std::int8_t model);

    // Silent copy of both databases into today's rotation folder, each replacing last week's copy
    // only once it is complete and on the disk; records ShortPeriodLast when every database
    // present was copied.
    // Raises ERegistryException when that value cannot be written.
    void RunShortBackup();
    // Copy of both databases into a dated folder inside a folder the operator picks, recording
    // LongPeriodLast after each copy that succeeded. Raises ERegistryException as above.
    BackupResult RunLongBackup();
};
