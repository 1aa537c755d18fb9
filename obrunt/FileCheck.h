// Checks of a backup copy against its source, shared by both backups, and its flush to the disk.
#pragma once

#include "AnsiString.h"

// The size of a file, or -1 when there is none (a folder counts as none).
long long FileSize(const AnsiString& path);

// True when both files can be read to their ends and hold the same bytes; called after a copy,
// before it counts.
bool SameFileContents(const AnsiString& first, const AnsiString& second);

// Writes what the system still caches of the file to the disk; false when the file cannot be
// opened for writing or the flush fails. Called before a copy takes the place of an older one.
bool FlushToDisk(const AnsiString& path);
