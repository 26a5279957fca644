#include <climits>
#include <stdexcept>

#include <gtest/gtest.h>

#include "Zelmar_Translater.h"
#include "vesk_MulDiv.h"

namespace {

TEST(MulDiv, RoundsHalfAwayFromZeroAndFailsLikeWin32) {
    const int cases[][4] = {
        {1, 1, 2, 1},
        {-1, 1, 2, -1},
        {1, 1, -2, -1},
        {-1, -1, 2, 1},
        {-3, 1, 2, -2},
        {5, 1, 4, 1},
        {-7, 1, 4, -2},
        {2, 1, 3, 1},
        {-2, 1, 3, -1},
        {1, 100, 3, 33},
        {2, 100, 3, 67},
        {1, 100, 200, 1},
        {0, 5, -7, 0},
        {1, 1, 0, -1},
        {50000, 50000, 1, -1},
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {INT_MIN, INT_MIN, INT_MIN, INT_MIN},
        {INT_MIN, -1, 1, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::MulDiv(c[0], c[1], c[2]), c[3])
            << c[0] << " * " << c[1] << " / " << c[2];
}

TEST(LoadTranslatedText, ScopeKeysLineBreaksAndTrimming) {
    EXPECT_EQ(LoadTranslatedText("Zelmar_FormMain##  Suchergebnis"), "Suchergebnis");
    EXPECT_EQ(LoadTranslatedText("Masse ## Preis \t"), "Masse ## Preis");  // "##" after a blank
    EXPECT_EQ(LoadTranslatedText("Abc defg#xyz"), "xyz");                  // '#' ninth
    EXPECT_EQ(LoadTranslatedText("ABCDEFG#Text"), "ABCDEFG#Text");
    EXPECT_EQ(LoadTranslatedText("Form##  Eins<BR>Zwei<BR><BR>Drei<BR>"), "Eins\nZwei\n\nDrei");
    EXPECT_EQ(LoadTranslatedText("\x01\r\n Einträge\x7f \x1f"), "Einträge\x7f");
}

TEST(LoadTranslatedText, LookupGetsScopeAndNativeText) {
    std::vector<std::string> asked;
    SetTranslationLookup([&](const std::string& scope, const std::string& native) {
        asked.push_back(scope + "|" + native);
        if (native == "Kaputt") throw std::runtime_error("dictionary broken");
        return native == "Suchergebnis" ? " Search result<BR>"
               : native == "Datei"      ? "Records:#1"
                                        : "";
    });
    EXPECT_EQ(LoadTranslatedText("Zelmar_FormMain##  Suchergebnis"), "Search result");
    EXPECT_EQ(LoadTranslatedText("Zelmar_FormMain##  Unbekannt"), "Unbekannt");
    EXPECT_EQ(LoadTranslatedText("Window##  Datei"), "Records:#1");  // a translation stays whole
    EXPECT_EQ(LoadTranslatedText("Window##  Kaputt"), "Kaputt");
    EXPECT_EQ(LoadTranslatedText("No key"), "No key");
    SetTranslationLookup({});
    EXPECT_EQ(LoadTranslatedText("Zelmar_FormMain##  Suchergebnis"), "Suchergebnis");
    EXPECT_EQ(asked,
              (std::vector<std::string>{"Zelmar_FormMain|Suchergebnis", "Zelmar_FormMain|Unbekannt",
                                        "Window|Datei", "Window|Kaputt", "|No key"}));
}

}  // namespace
