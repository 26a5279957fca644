#include "vcv_Records.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstring>

#include "vcv_Errors.h"

namespace vcv {

namespace {

constexpr int32_t kTrue = -1;
constexpr int32_t kFwNormal = 400;
constexpr uint8_t kDefaultCharset = 1;

// The font as a 96 dpi screen reports it: character height in pixels, negative.
TveskLogFont ArialLogFont(double points) {
    TveskLogFont f{};
    f.lfHeight = -static_cast<int32_t>(std::lround(points * 96.0 / 72.0));
    f.lfWeight = kFwNormal;
    f.lfCharSet = kDefaultCharset;
    std::strncpy(f.lfFaceName, "Arial", sizeof(f.lfFaceName) - 1);
    return f;
}

TveskFontBlock Font(double points) {
    TveskFontBlock b{};
    b.LogFont = ArialLogFont(points);
    b.Size = points;
    return b;
}

TveskFontBlockAligned AlignedFont(double points) {
    TveskFontBlockAligned b{};
    b.LogFont = ArialLogFont(points);
    b.Size = points;
    return b;
}

template <size_t N>
void PutText(char (&field)[N], const std::string& text, size_t maxChars) {
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), std::min({text.size(), maxChars, N - 1}));
}

template <size_t N>
std::string GetText(const char (&field)[N], size_t maxChars) {
    const size_t limit = std::min(maxChars, N);
    size_t n = 0;
    while (n < limit && field[n] != '\0') ++n;
    return std::string(field, n);
}

std::string SystemDecimalSeparator() {
    const std::lconv* lc = std::localeconv();
    if (lc == nullptr || lc->decimal_point == nullptr || lc->decimal_point[0] == '\0') return ".";
    return lc->decimal_point;
}

// The common part (display, fonts, bonds, reacting centres, mapping, brackets, stoichiometry);
// scaling is the molecule record's own.
void FillCommonDefaults(TveskMolConfigRecord& r) {
    r.Size = VESK_MOL_CONFIG_SIZE;
    r.Version = VESK_MOL_CONFIG_VERSION;
    r.HydrogenMode = 3;
    const double sizes1to8[8] = {48, 32, 32, 32, 32, 32, 32, 20};
    for (int i = 0; i < 8; ++i) r.Fonts1to8[i] = Font(sizes1to8[i]);
    r.MappingOn = 0;
    r.MappingValues[0] = 12.0;
    r.MappingValues[1] = 4.0;
    r.BondColour = 0;
    const double bondValues[11] = {96, 2, 16, 9, 16, 9, 12, 12, 6, 6, 3};
    std::copy(std::begin(bondValues), std::end(bondValues), r.BondValues);
    r.ReactingCentreValue = 2;
    r.ReactingCentreColour = 255;
    r.Font9 = AlignedFont(32);
    r.ReactingCentreValues[0] = 32;
    r.ReactingCentreValues[1] = 12;
    r.ReactingCentreValues[2] = 9;
    r.Font10 = AlignedFont(20);
    r.BracketValues[0] = 3.0;
    r.BracketValues[1] = 0.1;
    r.BracketValue3 = 0;
    r.Font11 = Font(32);
    r.Font12 = Font(12);
    r.Font13 = Font(8);
    PutText(r.DecimalSeparator, SystemDecimalSeparator(), 14);
    r.DisplayValue1180 = 3;
    r.DisplayValue1184 = 8.0;
    r.DisplayValue1192 = 4.0;
    r.DisplayValue1208 = 4;
    PutText(r.FormulaSeparator, " * ", 14);
    r.StoichiometryOn = 0;
    r.Font14 = Font(72);
    r.StoichiometryValue = 48.0;
    r.StoichiometryValue2 = 3;
    PutText(r.EmptyStructureText, "No-Structure", 62);
    r.DisplayFlag4 = 0;
    r.DisplayFlag5 = kTrue;
}

template <typename LogFontHolder>
FontStyle StyleOf(const LogFontHolder& block) {
    FontStyle s;
    const TveskLogFont lf = block.LogFont;
    s.Face = GetText(lf.lfFaceName, 32);
    s.Bold = lf.lfWeight >= 700;
    s.Italic = lf.lfItalic == 1;
    s.Size = block.Size;
    s.Colour = block.Colour;
    return s;
}

}  // namespace

MolRecordBytes DefaultMolRecord() {
    TveskMolConfigRecord r{};
    FillCommonDefaults(r);
    r.ScalingMode = 0;
    r.ScalingValues[0] = 0.25;
    r.ScalingValues[1] = 0.125;
    r.ScalingValues[2] = 0.5;
    MolRecordBytes bytes{};
    std::memcpy(bytes.data(), &r, sizeof r);
    return bytes;
}

RxnRecordBytes DefaultRxnRecord() {
    TveskRxnConfigRecord r{};
    r.Size = VESK_RXN_CONFIG_SIZE;
    r.Version = VESK_RXN_CONFIG_VERSION;
    r.ScalingMode = 0;
    r.ScalingValues[0] = 0.25;
    r.ScalingValues[1] = 0.125;
    r.ScalingValues[2] = 0.5;
    r.ReactionValue = 30.0;
    r.PlusValues[0] = 6.0;
    r.PlusValues[1] = 40.0;
    r.PlusValue3 = 0;
    r.ArrowValues[0] = 6.0;
    r.ArrowValues[1] = 160.0;
    r.ArrowValues[2] = 30.0;
    r.ArrowValues[3] = 30.0;
    r.ArrowValue5 = 0;
    FillCommonDefaults(r.Molecule);
    RxnRecordBytes bytes{};
    std::memcpy(bytes.data(), &r, sizeof r);
    return bytes;
}

void CheckMolRecord(const TveskMolConfigRecord& record) {
    if (record.Size != VESK_MOL_CONFIG_SIZE || record.Version != VESK_MOL_CONFIG_VERSION) {
        Fail(VESK_VIEWER_ERR_RECORD, "unsupported molecule configuration",
             "size " + std::to_string(record.Size) + " version " + std::to_string(record.Version) +
                 " (expected 1400 and 6)");
    }
}

void CheckRxnRecord(const TveskRxnConfigRecord& record) {
    if (record.Size != VESK_RXN_CONFIG_SIZE || record.Version != VESK_RXN_CONFIG_VERSION) {
        Fail(VESK_VIEWER_ERR_RECORD, "unsupported reaction configuration",
             "size " + std::to_string(record.Size) + " version " + std::to_string(record.Version) +
                 " (expected 1512 and 1)");
    }
    CheckMolRecord(record.Molecule);
}

DrawStyle StyleFromMolRecord(const TveskMolConfigRecord& record) {
    DrawStyle s;
    s.HydrogenMode =
        (record.HydrogenMode >= 0 && record.HydrogenMode <= 4) ? record.HydrogenMode : 3;
    s.ShowMapping = record.MappingOn != 0;
    s.BondColour = record.BondColour;
    s.Labels = StyleOf(record.Fonts1to8[0]);
    s.EmptyText = StyleOf(record.Fonts1to8[1]);
    s.Factors = StyleOf(record.Font14);
    s.EmptyStructureText = GetText(record.EmptyStructureText, 62);
    s.DecimalSeparator = GetText(record.DecimalSeparator, 14);
    if (s.DecimalSeparator.empty()) s.DecimalSeparator = ".";
    s.FormulaSeparator = GetText(record.FormulaSeparator, 14);
    return s;
}

}  // namespace vcv
