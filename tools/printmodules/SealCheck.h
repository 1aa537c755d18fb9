// Checks the seal at the head of an export file with Windows' own MD5.
#pragma once

#include <string>

enum class SealResult { Valid, Mismatch, NoDigest };

// The first 16 bytes must be MD5(bytes from offset 16 + "OSKEV"). A file shorter than the
// seal counts as a mismatch; NoDigest means CryptoAPI could not compute one.
SealResult checkSeal(const std::string& file);
