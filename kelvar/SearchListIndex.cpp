#include "SearchListIndex.h"

TSearchListIndex::TSearchListIndex(TComboBox* box)
    : locale_(static_cast<LCID>(SendMessageA(box->Handle, CB_GETLOCALE, 0, 0)))
{
}

bool TSearchListIndex::Insert(const AnsiString& text)
{
    if (text.empty())
        return false;
    return keys_.insert(SortKey(text)).second;
}

std::string TSearchListIndex::SortKey(const AnsiString& text)
{
    // The ANSI control holds its entries as wide text converted from the ANSI code page and
    // compares them in its locale; the key is made the same way.
    const int length = static_cast<int>(text.size());
    wide_.resize(text.size() * 2 + 1);
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, text.data(), length, &wide_[0],
                                               static_cast<int>(wide_.size()));
    // One call into the kept buffer; only a key longer than any before asks for its size.
    if (key_.size() < 256)
        key_.resize(256);
    int keyLength = LCMapStringW(locale_, LCMAP_SORTKEY | NORM_IGNORECASE, wide_.data(), wideLength,
                                 reinterpret_cast<LPWSTR>(&key_[0]), static_cast<int>(key_.size()));
    if (keyLength == 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        keyLength = LCMapStringW(locale_, LCMAP_SORTKEY | NORM_IGNORECASE, wide_.data(),
                                 wideLength, nullptr, 0);
        key_.resize(static_cast<size_t>(keyLength > 0 ? keyLength : 0));
        if (keyLength > 0)
            keyLength = LCMapStringW(locale_, LCMAP_SORTKEY | NORM_IGNORECASE, wide_.data(),
                                     wideLength, reinterpret_cast<LPWSTR>(&key_[0]), keyLength);
    }
    return std::string(key_.data(), static_cast<size_t>(keyLength > 0 ? keyLength : 0));
}
