// The text of the search's SELECT, built from the six search fields and the optional date
// bounds. Portable, so that the exact text can be checked natively.
#pragma once

#include "AnsiString.h"
#include "DateTime.h"

#include <optional>

// The texts of the six search fields, exactly as typed or chosen (not trimmed).
struct TSearchFields
{
    AnsiString protNum;
    AnsiString vin;
    AnsiString regPlate;
    AnsiString vehMark;
    AnsiString vehModel;
    AnsiString ownName;
};

// The text with every single quote written twice, safe between single quotes in a statement.
AnsiString QuoteSqlText(const AnsiString& text);

// The day of a date value as 'yyyy-mm-dd' digits and hyphens (no quotes), whatever the
// regional settings: the form the database reads the same way in every locale. The time
// part of the value is ignored.
AnsiString SqlDateText(TDateTime date);

// "SELECT * FROM EMISSIONS " with one condition for each non-empty field and each bound given,
// joined by " WHERE " and " AND ". The lower bound takes its day from midnight on; the upper
// bound takes in the whole of its day (everything before the following midnight).
AnsiString BuildSearchStatement(const TSearchFields& fields,
                                std::optional<TDateTime> fromDate,
                                std::optional<TDateTime> toDate);
