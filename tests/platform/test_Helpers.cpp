#include <climits>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "Zelmar_Translater.h"
#include "vesk_MulDiv.h"

namespace {

using platform::MulDiv;

TEST(MulDiv, RoundsHalfAwayFromZero) {
    struct TCase {
        int Number, Numerator, Denominator, Expected;
    };
    const TCase cases[] = {
        {1, 1, 2, 1},     {-1, 1, 2, -1},  {1, -1, 2, -1},  {-1, -1, 2, 1},  {1, 1, -2, -1},
        {3, 1, 2, 2},     {-3, 1, 2, -2},  {5, 1, 4, 1},    {7, 1, 4, 2},    {-7, 1, 4, -2},
        {-5, 1, 4, -1},   {1, 1, 3, 0},    {2, 1, 3, 1},    {-2, 1, 3, -1},  {0, 5, -7, 0},
        // progress percentages: position * 100 / total
        {1, 100, 3, 33},  {2, 100, 3, 67}, {1, 100, 200, 1}, {0, 100, 7, 0}, {7, 100, 7, 100},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(MulDiv(c.Number, c.Numerator, c.Denominator), c.Expected)
            << c.Number << " * " << c.Numerator << " / " << c.Denominator;
}

TEST(MulDiv, SixtyFourBitProductAndFailures) {
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
    EXPECT_EQ(MulDiv(INT_MIN, INT_MIN, INT_MIN), INT_MIN);
    EXPECT_EQ(MulDiv(2000000000, 3, 4), 1500000000);
    EXPECT_EQ(MulDiv(INT_MIN, 1, 1), INT_MIN);
    EXPECT_EQ(MulDiv(INT_MIN, -1, 1), -1);  // 2^31 does not fit
    EXPECT_EQ(MulDiv(INT_MAX, 2, 1), -1);
    EXPECT_EQ(MulDiv(50000, 50000, 1), -1);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
    EXPECT_EQ(MulDiv(0, 0, 0), -1);
}

// Every test leaves no lookup behind.
class LoadTranslatedTextTest : public ::testing::Test {
protected:
    void TearDown() override { SetTranslationLookup({}); }
};

TEST_F(LoadTranslatedTextTest, RemovesTheScopeKeyAndTrims) {
    EXPECT_EQ(LoadTranslatedText("Zelmar_FormMain##  Suchergebnis"), "Suchergebnis");
    EXPECT_EQ(LoadTranslatedText("ZelmarWindow##%d Einträge"), "%d Einträge");
    // "##" behind the first blank is text, not a key.
    EXPECT_EQ(LoadTranslatedText("Masse ## Preis \t"), "Masse ## Preis");
    EXPECT_EQ(LoadTranslatedText("Only text"), "Only text");
    // Without "##" a '#' as ninth character ends a nine-character key.
    EXPECT_EQ(LoadTranslatedText("ABCDEFGH#  Text"), "Text");
    EXPECT_EQ(LoadTranslatedText("Abc defg#xyz"), "xyz");
    EXPECT_EQ(LoadTranslatedText("ABCDEFG#Text"), "ABCDEFG#Text");
    EXPECT_EQ(LoadTranslatedText("Scope##"), "");
    EXPECT_EQ(LoadTranslatedText(""), "");
    EXPECT_EQ(LoadTranslatedText("\x01\r\n Text\x7f \x1f"), "Text\x7f");
}

TEST_F(LoadTranslatedTextTest, LineBreakTags) {
    EXPECT_EQ(LoadTranslatedText("Form##  Eins<BR>Zwei<BR><BR>Drei"), "Eins\nZwei\n\nDrei");
    EXPECT_EQ(LoadTranslatedText("<BR>Text<BR>"), "Text");
    EXPECT_EQ(LoadTranslatedText("a<br>b<BR"), "a<br>b<BR");
}

TEST_F(LoadTranslatedTextTest, LookupGetsScopeAndNativeText) {
    std::vector<std::pair<std::string, std::string>> asked;
    SetTranslationLookup([&](const std::string& scope, const std::string& native) {
        asked.emplace_back(scope, native);
        if (native == "Suchergebnis") return std::string("  Search result<BR>list ");
        if (native == "Datei") return std::string("Records:#1");
        if (native == "Kaputt") throw std::runtime_error("dictionary broken");
        return std::string();
    });
    EXPECT_EQ(LoadTranslatedText("Zelmar_FormMain##  Suchergebnis"), "Search result\nlist");
    EXPECT_EQ(LoadTranslatedText("Zelmar_FormMain##  Unbekannt"), "Unbekannt");
    EXPECT_EQ(LoadTranslatedText(" No key here"), "No key here");
    // A translation is bare text: a '#' as its ninth character is kept.
    EXPECT_EQ(LoadTranslatedText("Window##  Datei"), "Records:#1");
    EXPECT_EQ(LoadTranslatedText("Window##  Kaputt"), "Kaputt");
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Zelmar_FormMain", "Suchergebnis"},
        {"Zelmar_FormMain", "Unbekannt"},
        {"", " No key here"},
        {"Window", "Datei"},
        {"Window", "Kaputt"}};
    EXPECT_EQ(asked, expected);

    SetTranslationLookup({});
    EXPECT_EQ(LoadTranslatedText("Zelmar_FormMain##  Suchergebnis"), "Suchergebnis");
}

TEST_F(LoadTranslatedTextTest, WorkersTranslateWhileTheLookupChanges) {
    std::vector<std::thread> workers;
    std::atomic<int> wrong{0};
    for (int w = 0; w < 3; ++w)
        workers.emplace_back([&wrong] {
            for (int i = 0; i < 2000; ++i) {
                const std::string shown = LoadTranslatedText("Form##  Feld");
                if (shown != "Feld" && shown != "Field") ++wrong;
            }
        });
    for (int i = 0; i < 200; ++i) {
        SetTranslationLookup([](const std::string&, const std::string&) { return "Field"; });
        SetTranslationLookup({});
    }
    for (auto& worker : workers) worker.join();
    EXPECT_EQ(wrong, 0);
}

}  // namespace
