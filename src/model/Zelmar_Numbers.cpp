#include "Zelmar_Numbers.h"

#include <atomic>
#include <cctype>
#include <charconv>
#include <cmath>
#include <system_error>

namespace {

std::atomic<char> gDisplayDecimalSeparator{'.'};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::string FormatFloatGeneral(double value, char decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (value == 0) return "0";
    // 15 significant digits, rounded once: "d.dddddddddddddde+XX".
    char buffer[40];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific, 14);
    const std::string_view scientific(buffer, static_cast<std::size_t>(written.ptr - buffer));
    const std::size_t e = scientific.find('e');
    std::string digits;
    for (const char c : scientific.substr(0, e)) {
        if (c != '.') digits += c;
    }
    std::string_view exponentText = scientific.substr(e + 1);
    if (!exponentText.empty() && exponentText.front() == '+') exponentText.remove_prefix(1);
    int exponent = 0;
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string text = value < 0 ? "-" : "";
    if (exponent >= 15 || exponent < -5) {
        text += digits[0];
        if (digits.size() > 1) text += decimalSeparator + digits.substr(1);
        text += "E" + std::to_string(exponent);
    } else if (exponent >= 0) {
        const auto whole = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= whole) {
            text += digits + std::string(whole - digits.size(), '0');
        } else {
            text += digits.substr(0, whole) + decimalSeparator + digits.substr(whole);
        }
    } else {
        text += std::string("0") + decimalSeparator +
                std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    return text;
}

namespace {

// The whole text as a finite number with a point.
bool ReadWithPoint(std::string_view text, double& value) {
    double parsed = 0.0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, parsed);
    if (error != std::errc() || ptr != end || text.empty() || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

}  // namespace

bool ParseFloat(std::string_view text, double& value, char decimalSeparator) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    // With a point, or without the other separator, the text is read in place.
    if (decimalSeparator == '.' || text.find(decimalSeparator) == std::string_view::npos)
        return ReadWithPoint(text, value);
    // from_chars reads a point only; a number is short, so the copy costs nothing.
    std::string number(text);
    bool separatorSeen = false;
    for (char& c : number) {
        if (c != '.' && c != decimalSeparator) continue;
        if (separatorSeen) return false;
        separatorSeen = true;
        c = '.';
    }
    return ReadWithPoint(number, value);
}

bool ParseQualifiedNumber(std::string_view text, TZelmarQualifiedNumber& number,
                          char decimalSeparator) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    TZelmarQualifier qualifier = TZelmarQualifier::None;
    const auto take = [&text](std::string_view sign) {
        if (text.substr(0, sign.size()) != sign) return false;
        text.remove_prefix(sign.size());
        return true;
    };
    if (take("<="))
        qualifier = TZelmarQualifier::LessEqual;
    else if (take(">="))
        qualifier = TZelmarQualifier::GreaterEqual;
    else if (take("<"))
        qualifier = TZelmarQualifier::Less;
    else if (take(">"))
        qualifier = TZelmarQualifier::Greater;
    else
        (void)(take("=") || take("~"));
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    // from_chars takes a minus but no plus, and no second sign after the plus.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '-' || text.front() == '+')) return false;
    }
    // Only digits, signs, separators and exponents: from_chars would also read "inf", "nan"
    // and hexadecimal digits.
    for (const char c : text)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == decimalSeparator ||
              c == '-' || c == '+' || c == 'e' || c == 'E' || IsBlank(c)))
            return false;
    double value = 0.0;
    if (!ParseFloat(text, value, decimalSeparator)) return false;
    number.Value = value;
    number.Qualifier = qualifier;
    return true;
}

std::string QualifiedNumberKey(const TZelmarQualifiedNumber& number) {
    static const char* const kSigns[] = {"<", "<=", "", ">=", ">"};
    const double value = number.Value == 0.0 ? 0.0 : number.Value;  // no "-0"
    return kSigns[static_cast<int>(number.Qualifier)] + FormatFloatGeneral(value);
}

double RoundWeight(double weight) {
    constexpr std::size_t kDecimals = 3;
    if (!std::isfinite(weight)) return weight;
    // The shortest text that reads back as the weight, in plain notation.
    char buffer[400];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(weight), std::chars_format::fixed);
    if (written.ec != std::errc()) return weight;
    const std::string_view text(buffer, static_cast<std::size_t>(written.ptr - buffer));
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos || text.size() - point - 1 <= kDecimals) return weight;

    // The digits up to the third decimal, one up when the next is 5 or more.
    std::string digits(text.substr(0, point));
    digits += text.substr(point + 1, kDecimals);
    if (text[point + 1 + kDecimals] >= '5') {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
        if (i == 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i - 1];
    }
    digits.insert(digits.size() - kDecimals, 1, '.');
    double rounded = 0.0;
    std::from_chars(digits.data(), digits.data() + digits.size(), rounded);
    return weight < 0 ? -rounded : rounded;
}

char DisplayDecimalSeparator() {
    return gDisplayDecimalSeparator.load(std::memory_order_relaxed);
}

void SetDisplayDecimalSeparator(char separator) {
    gDisplayDecimalSeparator.store(separator, std::memory_order_relaxed);
}

char DecimalSeparatorOfLanguage(std::string_view code) {
    return code.substr(0, 2) == "EN" || code.substr(0, 2) == "en" ? '.' : ',';
}
