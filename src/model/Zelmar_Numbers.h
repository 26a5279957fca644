#pragma once
// Numbers as the program writes and reads them, the same under every C locale (the user
// interface sets LC_NUMERIC from the environment, and printf or strtod would follow it): the
// general format of computed values, the rounding of weights, and the decimal separator of the
// interface language for what the user sees and types. Qt-free; any thread.

#include <string>
#include <string_view>

// The number in the general format: shortest form with at most 15 significant digits,
// scientific from 1E15 and below 1E-5 ("180.16", "1E20", "1.5E-7"), written with the given
// decimal separator.
std::string FormatFloatGeneral(double value, char decimalSeparator = '.');

// The whole text, blanks around it aside, as a finite number with a point or the given
// decimal separator ("12", "9.5", "9,5" with ',', "-0.25", "1E20"); false for anything else,
// digit grouping included.
bool ParseFloat(std::string_view text, double& value, char decimalSeparator = '.');

// A computed molecular weight to 3 decimals, the precision of standard atomic weights: its
// shortest decimal form rounded half away from zero (75.1109999999999 -> 75.111,
// 46.0685 -> 46.069). Shown, sorted, searched and compared, the weight is then what it shows.
double RoundWeight(double weight);

// The decimal separator of numbers shown to and typed by the user: the interface language's,
// '.' until the language is set.
char DisplayDecimalSeparator();
void SetDisplayDecimalSeparator(char separator);
// Of a language by its two-letter code: '.' for English, ',' for German, French and others.
char DecimalSeparatorOfLanguage(std::string_view code);

// The qualifier in front of a measured value; the order is the one of equal numbers in a
// sort: "<3" before "<=3" before "3" before ">=3" before ">3".
enum class TZelmarQualifier : unsigned char { Less, LessEqual, None, GreaterEqual, Greater };

struct TZelmarQualifiedNumber {
    double Value = 0.0;
    TZelmarQualifier Qualifier = TZelmarQualifier::None;
};

// A data value as a number: an optional qualifier (<, >, <=, >=, =, ~; "=" and "~" count as
// none) and blanks, then a decimal number with optional sign, decimals and exponent ("1.5",
// "-3", "+2E-4", ".5", "> 10"). The decimal separator is a point or the given one.
bool ParseQualifiedNumber(std::string_view text, TZelmarQualifiedNumber& number,
                          char decimalSeparator = '.');

// One text for every way of writing the same qualified number ("1.50" and "1.5" give "1.5",
// ">=2" and ">= 2.0" give ">=2"), with a point: equal keys mean equal values.
std::string QualifiedNumberKey(const TZelmarQualifiedNumber& number);
