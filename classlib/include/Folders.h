// Folder routines over the file system.
#pragma once

#include "AnsiString.h"

// True when the path names an existing directory (a trailing backslash is fine).
bool DirectoryExists(const AnsiString& path);

// Makes the directory with every missing parent, from the top down. True at once when it
// exists; false unless every missing one could be made (a file in the way fails). A trailing
// backslash is fine. Folders made before a failure stay.
bool ForceDirectories(const AnsiString& path);
