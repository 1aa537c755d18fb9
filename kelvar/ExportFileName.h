// Whether a protocol's PROT_MD5 text may name its export file.
#pragma once

#include <string>

// True for a name that stays inside the export folder: no "\", "/" or ":" (folder or drive,
// alternate data stream), and not "." or "..". The empty name (a NULL PROT_MD5) is plain.
bool IsPlainFileName(const std::string& name);
