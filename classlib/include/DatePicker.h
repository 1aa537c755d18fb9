// TDateTimePicker: a date field with a drop-down calendar, in the short date format.
#pragma once

#include "Control.h"
#include "DateTime.h"

class TDateTimePicker : public TControl
{
    TDateTime GetDate() const;
    void SetDate(const TDateTime& date);

public:
    // The date shown (the date part of the value; the time part is dropped).
    Property<TDateTimePicker, TDateTime, &TDateTimePicker::GetDate, &TDateTimePicker::SetDate>
        Date{this};

protected:
    void CreateHandle(const TCreateContext& context) override;
};
