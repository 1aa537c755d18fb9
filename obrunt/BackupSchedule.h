// The backup schedule under HKEY_CURRENT_USER: two periods in days (REG_DWORD, written by others)
// and the day of the last successful copy of each backup (REG_BINARY, 8 bytes: a TDateTime).
#pragma once

#include "AnsiString.h"
#include "Registry.h"

#include <cstdint>

// The schedule's key; the leading backslash makes it a path from the root key.
extern const char* const ScheduleKey;

// True for the model indexes the storage tables hold (0 and 1).
inline bool IsModelIndex(std::int8_t model) { return model == 0 || model == 1; }

// The due rule: true unless the recorded day plus the period is later than today. A recorded
// day after today or not a finite number, a missing or unreadable key or value, or one of another
// type or size, answers true. Reads only.
bool IsPeriodElapsed(const char* periodName, const char* lastName);

// Called after each successful copy: opens the schedule key with the backup's registry object,
// creating it when missing, and writes today's date under valueName. Writes nothing when the
// key cannot be opened; raises ERegistryException when the value cannot be set.
void RecordBackupDay(TRegistry& registry, const char* valueName);
