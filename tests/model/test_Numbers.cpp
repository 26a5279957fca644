// Numbers the program writes and reads: the same under a German C locale as under "C"; weights
// rounded as they are shown; the interface language's decimal separator.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "ZelmarGermanLocale.h"
#include "Zelmar_Numbers.h"

namespace {

// Every check once under "C" and once under German, as the program runs under either.
template <typename Check>
void InBothLocales(Check check) {
    {
        SCOPED_TRACE("C locale");
        check();
    }
    TZelmarGermanLocale german;
    ASSERT_TRUE(german.Active()) << TZelmarGermanLocale::kMissing;
    SCOPED_TRACE("German locale");
    check();
}

}  // namespace

TEST(Numbers, GeneralFormatDoesNotFollowTheLocale) {
    InBothLocales([] {
        const struct {
            double Value;
            const char* Point;
            const char* Comma;
        } cases[] = {
            {203.238, "203.238", "203,238"},
            {75.111, "75.111", "75,111"},
            {1e20, "1E20", "1E20"},
            {-2.5, "-2.5", "-2,5"},
            {0.00001, "0.00001", "0,00001"},
            {1.5e-7, "1.5E-7", "1,5E-7"},
            {2e16 / 3, "6.66666666666667E15", "6,66666666666667E15"},
            {100, "100", "100"},
            {std::numeric_limits<double>::infinity(), "INF", "INF"},
        };
        for (const auto& c : cases) {
            EXPECT_EQ(FormatFloatGeneral(c.Value), c.Point);
            EXPECT_EQ(FormatFloatGeneral(c.Value, ','), c.Comma);
        }
    });
}

TEST(Numbers, ReadingTakesAPointOrTheGivenSeparatorAndNothingElse) {
    InBothLocales([] {
        double value = -1;
        EXPECT_TRUE(ParseFloat(" 122.123\t", value));
        EXPECT_EQ(value, 122.123);
        EXPECT_TRUE(ParseFloat("122,123", value, ','));
        EXPECT_EQ(value, 122.123);
        EXPECT_TRUE(ParseFloat("9.5", value, ','));  // a point always reads
        EXPECT_EQ(value, 9.5);
        EXPECT_TRUE(ParseFloat("-1,5E-7", value, ','));
        EXPECT_EQ(value, -1.5e-7);
        EXPECT_TRUE(ParseFloat(FormatFloatGeneral(2e16 / 3, ','), value, ','));
        EXPECT_NEAR(value, 2e16 / 3, 1e2);
        value = 7;
        for (const char* bad :
             {"", "  ", "1,5", "1.234.5", "1.2,5", "12abc", "abc", "nan", "inf", "+-1", "1e999"})
            EXPECT_FALSE(ParseFloat(bad, value)) << bad;
        EXPECT_FALSE(ParseFloat("1.234,5", value, ','));  // no digit grouping
        EXPECT_EQ(value, 7) << "a failed read leaves the value";
    });
}

TEST(Numbers, WeightsRoundToThreeDecimalsHalfAwayFromZero) {
    const struct {
        double Computed;
        double Rounded;
    } cases[] = {
        {75.11099999999999, 75.111},
        {510.010000000001, 510.01},
        {215.288049278, 215.288},
        {58.08, 58.08},
        {46.0685, 46.069},
        {46.0684999, 46.068},
        {-1.0005, -1.001},
        {9.9995, 10},
        {0.0004, 0},
        {180.15588000000002, 180.156},
        {0, 0},
        {123456.7894, 123456.789},
    };
    for (const auto& c : cases) EXPECT_EQ(RoundWeight(c.Computed), c.Rounded) << c.Computed;
    // Shown, the rounded weight reads back as itself.
    EXPECT_EQ(FormatFloatGeneral(RoundWeight(75.11099999999999)), "75.111");
    EXPECT_TRUE(std::isnan(RoundWeight(std::nan(""))));
}

TEST(Numbers, TheInterfaceLanguageChoosesTheSeparator) {
    EXPECT_EQ(DecimalSeparatorOfLanguage("EN"), '.');
    EXPECT_EQ(DecimalSeparatorOfLanguage("ENU"), '.');
    EXPECT_EQ(DecimalSeparatorOfLanguage("DE"), ',');
    EXPECT_EQ(DecimalSeparatorOfLanguage("FR"), ',');
    EXPECT_EQ(DisplayDecimalSeparator(), '.') << "until a language is set";
    SetDisplayDecimalSeparator(',');
    EXPECT_EQ(DisplayDecimalSeparator(), ',');
    SetDisplayDecimalSeparator('.');
}
