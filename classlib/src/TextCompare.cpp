// Byte-wise text comparison folding only a..z.
#include "TextCompare.h"

#include <algorithm>

int CompareText(const AnsiString& S1, const AnsiString& S2)
{
    const size_t n = std::min(S1.size(), S2.size());
    for (size_t i = 0; i < n; ++i) {
        int c1 = static_cast<unsigned char>(S1[i]);
        int c2 = static_cast<unsigned char>(S2[i]);
        if (c1 >= 'a' && c1 <= 'z')
            c1 -= 0x20;
        if (c2 >= 'a' && c2 <= 'z')
            c2 -= 0x20;
        if (c1 != c2)
            return c1 - c2;
    }
    if (S1.size() == S2.size())
        return 0;
    return S1.size() < S2.size() ? -1 : 1;
}
