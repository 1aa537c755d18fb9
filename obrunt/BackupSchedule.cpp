// The due rule and the recording of a backup's day.
#include "BackupSchedule.h"

#include "DateTime.h"

const char* const ScheduleKey = "\\SOFTWARE\\Dumarel\\EmissionsBackup\\";

bool IsPeriodElapsed(const char* periodName, const char* lastName)
{
    TRegistry registry(KEY_READ);
    registry.SetRootKey(HKEY_CURRENT_USER);
    if (!registry.OpenKeyReadOnly(ScheduleKey))
        return true;
    try {
        const int period = registry.ReadInteger(periodName);
        const double last = registry.ReadDate(lastName);
        const double next = last + static_cast<double>(period);
        // Written as "not later than today" so that a recorded day that is not a number
        // (a damaged value) makes the backup due instead of never due.
        return !(next > Date().Val);
    } catch (...) {
        return true;
    }
}

void RecordBackupDay(TRegistry& registry, const char* valueName)
{
    if (!registry.OpenKey(ScheduleKey, true))
        return;
    registry.WriteDate(valueName, Date());
}
