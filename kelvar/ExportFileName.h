// Whether a protocol's PROT_MD5 text may name its export file.
#pragma once

#include <string>

// True for a name that stays inside the export folder and names a file: no "\", "/" or ":"
// (folder or drive, alternate data stream), no byte below 32 (NUL and the other control bytes),
// not "." or "..", and not a device that Windows opens under that name in any folder (CON, PRN,
// AUX, NUL, COM1-9, LPT1-9, CONIN$, CONOUT$, whatever the case, extension or trailing dots and
// blanks). The empty name (a NULL PROT_MD5) is plain.
bool IsPlainFileName(const std::string& name);
