// The comparison of texts without regard to case that sorts the result list: folds only the
// letters a to z, compares every other byte by its unsigned value, no locale involved.
#pragma once

#include "AnsiString.h"

// Negative when S1 sorts before S2, positive after, 0 when equal. At the first differing byte
// the result is S1's byte minus S2's byte (after folding); otherwise the shorter text is smaller.
int CompareText(const AnsiString& S1, const AnsiString& S2);
