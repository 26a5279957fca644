#pragma once
// Which data fields hold numbers: a field whose non-empty values read as (qualified) numbers
// in at least 95 % of the records read is numeric. A decimal comma counts only in a column
// that writes no decimal point anywhere, so that "1,234" in a column of points stays text.

#include <string_view>

struct TZelmarValueTally {
    int NonEmpty = 0;
    int WithPoint = 0;       // numbers as read with a decimal point (integers included)
    int WithComma = 0;       // numbers only when the comma is the decimal separator
    bool PointSeen = false;  // some number wrote a decimal point

    // Counts one value; an empty or blank value does not count.
    void Count(std::string_view value);
    // The field's kind by these counts: numeric with its separator, or not.
    bool IsNumeric(char& decimalSeparator) const;
    // So many values are no number that among this many values at most the field cannot be
    // numeric any more: the rest of its values need no look.
    bool CannotBeNumeric(int mostValues) const;
};
