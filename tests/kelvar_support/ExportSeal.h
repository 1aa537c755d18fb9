// What the tests hold an export file's seal to, in both builds: the MD5 digest of the document
// followed by this suffix, written in front of the document.
#pragma once

namespace kelvartest {

inline constexpr char SealSuffix[] = "OSKEV";

}  // namespace kelvartest
