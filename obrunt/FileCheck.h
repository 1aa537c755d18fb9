// Checks of a backup copy against its source, shared by both backups.
#pragma once

#include "AnsiString.h"

// The size of a file, or -1 when there is none (a folder counts as none).
long long FileSize(const AnsiString& path);

// True when both files can be read to their ends and hold the same bytes; called after a copy,
// before it counts.
bool SameFileContents(const AnsiString& first, const AnsiString& second);
