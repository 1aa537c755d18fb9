// The texts already listed in one search list, for the duration of one load. Two texts count as
// the same exactly when the combo box's own whole-text search (CB_FINDSTRINGEXACT) finds them
// equal: both are compared through the sort key, without regard to case, in the locale the
// control compares with. A lookup costs one key instead of a search of the whole list.
#pragma once

#include "AnsiString.h"
#include "StandardControls.h"

#include <windows.h>

#include <string>
#include <unordered_set>

class TSearchListIndex
{
public:
    // An empty index for the texts of box, in the box's locale.
    explicit TSearchListIndex(TComboBox* box);

    // True when text is not empty and not yet listed; it counts as listed from now on.
    bool Insert(const AnsiString& text);

private:
    // The case-insensitive sort key of an ANSI text, as the control's comparison sees it.
    std::string SortKey(const AnsiString& text);

    LCID locale_;
    std::unordered_set<std::string> keys_;
    std::wstring wide_;  // reused conversion buffers
    std::string key_;
};
