// What the tests hold an export file's seal to, in both builds: the MD5 digest of the document
// followed by this suffix, written in front of the document.
#pragma once

#include <string>

namespace kelvartest {

inline constexpr char SealSuffix[] = "OSKEV";

#ifdef _WIN32
// The export file of a document: its seal (CryptoAPI's MD5, not the browser's), then the document.
std::string Sealed(const std::string& document);
#endif

}  // namespace kelvartest
