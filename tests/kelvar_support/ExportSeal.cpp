#include "ExportSeal.h"

#include "CryptoMd5.h"

namespace kelvartest {

std::string Sealed(const std::string& document)
{
    return support::CryptoMd5(document + SealSuffix) + document;
}

}  // namespace kelvartest
