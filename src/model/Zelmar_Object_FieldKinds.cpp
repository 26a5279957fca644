#include "Zelmar_Object_FieldKinds.h"

#include "Zelmar_Numbers.h"

namespace {
constexpr int kNumericPercent = 95;

bool IsBlankValue(std::string_view value) {
    return value.find_first_not_of(" \t\r\n") == std::string_view::npos;
}
}  // namespace

void TZelmarValueTally::Count(std::string_view value) {
    if (IsBlankValue(value)) return;
    ++NonEmpty;
    TZelmarQualifiedNumber number;
    if (ParseQualifiedNumber(value, number)) {
        ++WithPoint;
        PointSeen = PointSeen || value.find('.') != std::string_view::npos;
    } else if (ParseQualifiedNumber(value, number, ',')) {
        ++WithComma;
    }
}

bool TZelmarValueTally::CannotBeNumeric(int mostValues) const {
    const long long notNumbers = NonEmpty - WithPoint - WithComma;
    return notNumbers * 100 > static_cast<long long>(100 - kNumericPercent) * mostValues;
}

bool TZelmarValueTally::IsNumeric(char& decimalSeparator) const {
    if (NonEmpty == 0) return false;
    const bool comma = !PointSeen && WithComma > 0;
    const long long numbers = WithPoint + (comma ? WithComma : 0);
    if (numbers * 100 < static_cast<long long>(kNumericPercent) * NonEmpty) return false;
    decimalSeparator = comma ? ',' : '.';
    return true;
}
