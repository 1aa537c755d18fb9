#include "SearchStatement.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <stdexcept>

namespace {

// Day numbers of the date values (days since 30 December 1899) of 1 January 0001 and
// 31 December 9999: the range of dates the database stores.
constexpr int64_t firstDay = -693593;
constexpr int64_t lastDay = 2958465;

// The whole day at or before a date value; raises for values outside the stored range.
int64_t DayNumber(TDateTime date)
{
    const double value = std::floor(date.Val);
    if (!(value >= static_cast<double>(firstDay) && value <= static_cast<double>(lastDay)))
        throw std::out_of_range("Date outside the years 1 to 9999");
    return static_cast<int64_t>(value);
}

// Year, month and day of a day number (proleptic Gregorian calendar, as the database counts).
void CivilDate(int64_t dayNumber, int& year, int& month, int& day)
{
    // Days since 1 March 0000 (1 January 1970 is day 25569 of ours), so that the leap day
    // ends each 4-year cycle.
    const int64_t z = dayNumber - 25569 + 719468;
    const int64_t era = z / 146097;  // z is never negative in the stored range
    const int64_t dayOfEra = z - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;  // 0 = March
    day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

AnsiString DayText(int64_t dayNumber)
{
    int year = 0, month = 0, day = 0;
    CivilDate(dayNumber, year, month, day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
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
    return DayText(DayNumber(date));
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
        const int64_t day = DayNumber(*toDate);
        if (day < lastDay)
            AppendCondition(statement, first, " CHECK_DATE<'", DayText(day + 1));
        else  // the database knows no day after the last one: its last instant instead
            AppendCondition(statement, first, " CHECK_DATE<='", DayText(day) + " 23:59:59.9999");
    }
    return statement;
}
