// Pieces of the long backup, apart so that tests can reach them.
#pragma once

#include "AnsiString.h"
#include "DateTime.h"

#include <windows.h>

#include <string>

// The longest path that fits a 260-byte shell list: the path, then two zero bytes.
constexpr size_t MaxShellListPath = MAX_PATH - 2;

// The dated target folder inside the chosen one: chosen + "\" (unless it ends with one) +
// "yyyy-mm-dd" of day, without a trailing backslash ("E:\" gives "E:\2016-06-03").
AnsiString LongBackupFolder(const std::string& chosen, TDateTime day);

// Copies one file into a folder with the shell's copy (progress window titled "Test", its
// confirmations and error reports owned by owner), after handling the waiting window messages
// once. True only when the shell reports success with no operation aborted (a replacement the
// operator declined) and the copy in the folder holds the source's bytes; a path longer than
// MaxShellListPath is refused without a copy.
bool ShellCopy(HWND owner, const AnsiString& source, const AnsiString& targetFolder);
