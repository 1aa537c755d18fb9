#include "SearchStatement.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace {

// The last day the database stores, 31 December 9999; its first is 1 January 0001.
double LastStoredDay()
{
    return EncodeDate(9999, 12, 31);
}

// The whole day at or before a date value; raises for days outside the stored range.
double DayOf(TDateTime date)
{
    const double day = std::floor(date.Val);
    if (!(day >= EncodeDate(1, 1, 1) && day <= LastStoredDay()))
        throw std::out_of_range("Date outside the years 1 to 9999");
    return day;
}

// A whole day of the stored range as 'yyyy-mm-dd' (without the quotes).
AnsiString DayText(double day)
{
    int year = 0, month = 0, dayOfMonth = 0;
    DecodeDate(day, year, month, dayOfMonth);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, dayOfMonth);
    return text;
}

// Appends one condition: joining text, head, value, closing quote.
void AppendCondition(AnsiString& statement, bool& first, const char* head,
                     const AnsiString& value)
{
    statement += first ? " WHERE " : " AND ";
    first = false;
    statement += head;
    statement += value;
    statement += "'";
}

}  // namespace

AnsiString QuoteSqlText(const AnsiString& text)
{
    AnsiString quoted;
    quoted.reserve(text.size());
    for (char c : text) {
        if (c == '\'')
            quoted += '\'';
        quoted += c;
    }
    return quoted;
}

AnsiString SqlDateText(TDateTime date)
{
    return DayText(DayOf(date));
}

AnsiString BuildSearchStatement(const TSearchFields& fields,
                                std::optional<TDateTime> fromDate,
                                std::optional<TDateTime> toDate)
{
    AnsiString statement = "SELECT * FROM EMISSIONS ";
    bool first = true;
    const struct {
        const AnsiString& text;
        const char* head;
    } textConditions[] = {
        {fields.protNum, " PROT_NUM= '"},   {fields.vin, " VIN= '"},
        {fields.regPlate, " REG_PLATE= '"}, {fields.vehMark, " VEH_MARK= '"},
        {fields.vehModel, " VEH_MODEL= '"}, {fields.ownName, " OWN_NAME= '"},
    };
    for (const auto& condition : textConditions)
        if (!condition.text.empty())
            AppendCondition(statement, first, condition.head, QuoteSqlText(condition.text));

    if (fromDate)
        AppendCondition(statement, first, " CHECK_DATE>='", SqlDateText(*fromDate));
    if (toDate) {
        // Everything before the next midnight, so that the tests of the chosen day are found.
        const double day = DayOf(*toDate);
        if (day < LastStoredDay())
            AppendCondition(statement, first, " CHECK_DATE<'", DayText(day + 1));
        else  // the database knows no day after the last one: its last instant instead
            AppendCondition(statement, first, " CHECK_DATE<='", DayText(day) + " 23:59:59.9999");
    }
    return statement;
}
