// TStrings: a list of texts as a control shows them (a combo box's items, a list line's
// sub-items). Each kind of list keeps its texts where its control needs them.
#pragma once

#include "AnsiString.h"
#include "Property.h"

class TStrings
{
protected:
    virtual int GetCount() const = 0;
    virtual AnsiString Get(int index) const = 0;

public:
    TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;
    virtual ~TStrings() = default;

    ReadOnlyProperty<TStrings, int, &TStrings::GetCount> Count{this};
    IndexedProperty<TStrings, AnsiString, &TStrings::Get> Strings{this};
    AnsiString operator[](int index) const { return Get(index); }

    // Appends a text; returns its index.
    virtual int Add(const AnsiString& text) = 0;
    virtual void Clear() = 0;
    // Index of the first entry equal to text, or -1 (each kind says how it compares).
    virtual int IndexOf(const AnsiString& text) const = 0;
};
