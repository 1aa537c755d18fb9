// Windows' own MD5 (CryptoAPI), independent of the browser's digest code: the substitute print
// modules check seals with it, and the tests hold the browser's digests and seals to it.
#pragma once

#include <optional>
#include <string>

namespace cryptomd5 {

// The 16 bytes of the digest; none when CryptoAPI gives none.
std::optional<std::string> digest(const std::string& bytes);

} // namespace cryptomd5
