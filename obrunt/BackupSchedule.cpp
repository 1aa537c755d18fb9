// The due rule and the recording of a backup's day.
#include "BackupSchedule.h"

#include "DateTime.h"

#include <cmath>

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
        const double today = Date().Val;
        // No backup can have been made on a day after today: such a day comes from a clock
        // that was set ahead or from a damaged value, and waiting for it could take forever.
        if (!std::isfinite(last) || last >= today + 1.0)
            return true;
        return last + static_cast<double>(period) <= today;
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
