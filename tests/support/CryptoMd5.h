// Windows' own MD5 (CryptoAPI, tools/crypto-md5): the reference the tests hold the browser's
// digest and seals to.
#pragma once

#include <string>

namespace support {

// The 16 bytes of the digest; raises std::runtime_error when CryptoAPI gives none.
std::string CryptoMd5(const std::string& bytes);

}  // namespace support
