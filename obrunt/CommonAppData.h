// The shell's common application-data folder, the root of the data and backup folders.
#pragma once

#include "AnsiString.h"

// The folder's current path without a trailing backslash (e.g. C:\ProgramData); empty text when
// the shell does not give it. Nothing is created.
AnsiString CommonAppDataFolder();
