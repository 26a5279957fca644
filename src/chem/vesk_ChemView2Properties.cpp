#include "vesk_ChemView2Properties.h"

#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "vesk_MulDiv.h"

namespace {

// LOGFONTA, as the records carry it.
constexpr std::size_t lfHeight = 0;
constexpr std::size_t lfWidth = 4;
constexpr std::size_t lfWeight = 16;
constexpr std::size_t lfItalic = 20;
constexpr std::size_t lfUnderline = 21;
constexpr std::size_t lfStrikeOut = 22;
constexpr std::size_t lfCharSet = 23;
constexpr std::size_t lfPitchAndFamily = 27;
constexpr std::size_t lfFaceName = 28;
constexpr std::size_t LogFontSize = 60;
constexpr std::size_t FaceNameSize = 32;
constexpr std::int32_t FwNormal = 400;
constexpr std::int32_t FwBold = 700;

// Where each font lives: the font, its size, its colour. Fonts 9 and 10 keep their size on an
// 8-byte boundary.
struct TFontPlace {
    std::size_t Font, Size, Color;
};
constexpr TFontPlace FontPlaces[TveskChemView2PropertiesFonts::Count] = {
    {44, 104, 112},    {116, 176, 184},    {188, 248, 256},    {260, 320, 328},   {332, 392, 400},
    {404, 464, 472},   {476, 536, 544},    {548, 608, 616},    {744, 808, 816},   {848, 912, 920},
    {948, 1008, 1016}, {1020, 1080, 1088}, {1092, 1152, 1160}, {1236, 1296, 1304}};
constexpr int DefaultFontSizes[TveskChemView2PropertiesFonts::Count] = {48, 32, 32, 32, 32, 32, 32,
                                                                        20, 32, 20, 32, 12, 8,  72};

bool IsValidUtf8(const std::string& text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t more;
        std::uint32_t cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        for (std::size_t k = 1; k <= more; ++k) {
            if (i + k >= n) return false;
            const auto cc = static_cast<unsigned char>(text[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if ((more == 2 && cp < 0x800) || (more == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        i += more + 1;
    }
    return true;
}

// A cut that splits a UTF-8 character would turn the whole text into invalid UTF-8 (shown
// as Windows-1252 garbage, or not drawn at all), so a valid UTF-8 text is cut before it.
std::size_t CutLength(const std::string& text, std::size_t maxLength) {
    if (text.size() <= maxLength) return text.size();
    std::size_t length = maxLength;
    if (IsValidUtf8(text)) {
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
    }
    return length;
}

int RoundToInt(double value) {
    // Round half to even, as the original Round did.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= static_cast<double>(std::numeric_limits<int>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<int>::max()))) {
        throw std::range_error("font size outside the integer range");
    }
    return static_cast<int>(rounded);
}

}  // namespace

// ---- record bytes ----------------------------------------------------------------------------

void TveskConfigRecordView::Check(std::size_t offset, std::size_t length) const {
    if (FData == nullptr || offset > FSize || length > FSize - offset) {
        throw std::out_of_range("configuration record offset " + std::to_string(offset) +
                                " outside the record");
    }
}

std::int32_t TveskConfigRecordView::GetInt32(std::size_t offset) const {
    Check(offset, 4);
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | FData[offset + static_cast<std::size_t>(i)];
    return static_cast<std::int32_t>(v);
}

void TveskConfigRecordView::SetInt32(std::size_t offset, std::int32_t value) {
    Check(offset, 4);
    auto v = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i, v >>= 8) FData[offset + i] = static_cast<std::uint8_t>(v);
}

double TveskConfigRecordView::GetDouble(std::size_t offset) const {
    Check(offset, 8);
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | FData[offset + static_cast<std::size_t>(i)];
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void TveskConfigRecordView::SetDouble(std::size_t offset, double value) {
    Check(offset, 8);
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (std::size_t i = 0; i < 8; ++i, bits >>= 8) {
        FData[offset + i] = static_cast<std::uint8_t>(bits);
    }
}

std::uint8_t TveskConfigRecordView::GetByte(std::size_t offset) const {
    Check(offset, 1);
    return FData[offset];
}

void TveskConfigRecordView::SetByte(std::size_t offset, std::uint8_t value) {
    Check(offset, 1);
    FData[offset] = value;
}

std::string TveskConfigRecordView::GetText(std::size_t offset, std::size_t maxLength) const {
    Check(offset, maxLength);
    const auto* begin = reinterpret_cast<const char*>(FData + offset);
    return {begin, ::strnlen(begin, maxLength)};
}

void TveskConfigRecordView::SetText(std::size_t offset, const std::string& text,
                                    std::size_t maxLength) {
    Check(offset, maxLength + 1);
    std::memset(FData + offset, 0, maxLength + 1);
    // A zero inside the text would end it there anyway.
    const std::size_t length = CutLength(text, maxLength);
    std::memcpy(FData + offset, text.data(), ::strnlen(text.c_str(), length));
}

TveskConfigRecordView TveskConfigRecordView::Sub(std::size_t offset, std::size_t size) const {
    Check(offset, size);
    return {FData + offset, size};
}

MolConfigRecord::MolConfigRecord() {
    TveskConfigRecordView view = View();
    view.SetInt32(0, MolConfigRecordSize);
    view.SetInt32(4, MolConfigRecordVersion);
}

RxnConfigRecord::RxnConfigRecord() {
    TveskConfigRecordView view = View();
    view.SetInt32(0, RxnConfigRecordSize);
    view.SetInt32(4, RxnConfigRecordVersion);
    TveskConfigRecordView molecule = Molecule();
    molecule.SetInt32(0, MolConfigRecordSize);
    molecule.SetInt32(4, MolConfigRecordVersion);
}

std::string SystemDecimalSeparator() {
    const std::lconv* conv = std::localeconv();
    if (conv == nullptr || conv->decimal_point == nullptr || conv->decimal_point[0] == '\0') {
        return ".";
    }
    return conv->decimal_point;
}

// ---- fonts -----------------------------------------------------------------------------------

void TveskChemView2Font::Changed() {
    if (OnChange) OnChange(this);
}

void TveskChemView2Font::SetName(const std::string& name) {
    if (name == FName) return;
    FName = name;
    Changed();
}

void TveskChemView2Font::SetStyle(std::uint8_t style) {
    style &= fsBold | fsItalic | fsUnderline | fsStrikeOut;
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TveskChemView2Font::SetCharset(std::uint8_t charset) {
    if (charset == FCharset) return;
    FCharset = charset;
    Changed();
}

void TveskChemView2Font::SetPitch(TveskFontPitch pitch) {
    if (pitch == FPitch) return;
    FPitch = pitch;
    Changed();
}

void TveskChemView2Font::SetColor(std::uint32_t color) {
    if (color == FColor) return;
    FColor = color;
    Changed();
}

void TveskChemView2Font::SetSize(int size) {
    const int height = -platform::MulDiv(size, FontPixelsPerInch, 72);
    if (size == FSize && height == FHeight) return;
    FSize = size;
    FHeight = height;
    Changed();
}

void TveskChemView2Font::SetHeight(int height) {
    const int size = -platform::MulDiv(height, 72, FontPixelsPerInch);
    if (height == FHeight && size == FSize) return;
    FHeight = height;
    FSize = size;
    Changed();
}

void TveskChemView2Font::Assign(const TveskChemView2Font& source) {
    if (&source == this) return;
    const bool same = FName == source.FName && FStyle == source.FStyle &&
                      FCharset == source.FCharset && FPitch == source.FPitch &&
                      FColor == source.FColor && FSize == source.FSize && FHeight == source.FHeight;
    FName = source.FName;
    FStyle = source.FStyle;
    FCharset = source.FCharset;
    FPitch = source.FPitch;
    FColor = source.FColor;
    FSize = source.FSize;
    FHeight = source.FHeight;
    if (!same) Changed();
}

void TveskChemView2Font::ReadFromRecord(const TveskConfigRecordView& record, std::size_t offset,
                                        std::size_t sizeOffset, std::size_t colorOffset) {
    const TveskConfigRecordView lf = record.Sub(offset, LogFontSize);
    // Everything is taken from the block before the font changes, so a size that does not
    // fit leaves the font as it was.
    const int height = lf.GetInt32(lfHeight);
    std::uint8_t style = 0;
    if (lf.GetInt32(lfWeight) >= FwBold) style |= fsBold;
    if (lf.GetByte(lfItalic) == 1) style |= fsItalic;
    if (lf.GetByte(lfUnderline) == 1) style |= fsUnderline;
    if (lf.GetByte(lfStrikeOut) == 1) style |= fsStrikeOut;
    const std::uint8_t charset = lf.GetByte(lfCharSet);
    const std::string name = lf.GetText(lfFaceName, FaceNameSize);
    TveskFontPitch pitch = TveskFontPitch::fpDefault;
    switch (lf.GetByte(lfPitchAndFamily) & 0x0F) {
        case 1:
            pitch = TveskFontPitch::fpFixed;
            break;
        case 2:
            pitch = TveskFontPitch::fpVariable;
            break;
        default:
            break;
    }
    const auto color = static_cast<std::uint32_t>(record.GetInt32(colorOffset));
    const int size = RoundToInt(record.GetDouble(sizeOffset));

    SetHeight(height);
    SetStyle(style);
    SetCharset(charset);
    SetName(name);
    SetPitch(pitch);
    SetColor(color);
    SetSize(size);
}

void TveskChemView2Font::WriteToRecord(TveskConfigRecordView& record, std::size_t offset,
                                       std::size_t sizeOffset, std::size_t colorOffset) const {
    TveskConfigRecordView lf = record.Sub(offset, LogFontSize);
    lf.SetInt32(lfHeight, FHeight);
    lf.SetInt32(lfWidth, 0);
    lf.SetInt32(lfWeight, (FStyle & fsBold) != 0 ? FwBold : FwNormal);
    lf.SetByte(lfItalic, (FStyle & fsItalic) != 0 ? 1 : 0);
    lf.SetByte(lfUnderline, (FStyle & fsUnderline) != 0 ? 1 : 0);
    lf.SetByte(lfStrikeOut, (FStyle & fsStrikeOut) != 0 ? 1 : 0);
    lf.SetByte(lfCharSet, FCharset);
    lf.SetByte(lfPitchAndFamily, static_cast<std::uint8_t>(FPitch));
    lf.SetText(lfFaceName, FName, FontFaceMaxLength);
    record.SetDouble(sizeOffset, static_cast<double>(FSize));
    record.SetInt32(colorOffset, static_cast<std::int32_t>(FColor));
}

TveskChemView2PropertiesFonts::TveskChemView2PropertiesFonts() {
    for (int i = 0; i < Count; ++i) {
        auto font = std::make_unique<TveskChemView2Font>();
        font->SetSize(DefaultFontSizes[i]);
        font->OnChange = [this](TveskChemView2Font*) {
            if (OnChange) OnChange(this);
        };
        FFonts[static_cast<std::size_t>(i)] = std::move(font);
    }
}

TveskChemView2Font& TveskChemView2PropertiesFonts::Font(int index) {
    if (index < 0 || index >= Count) throw std::out_of_range("font index");
    return *FFonts[static_cast<std::size_t>(index)];
}

const TveskChemView2Font& TveskChemView2PropertiesFonts::Font(int index) const {
    if (index < 0 || index >= Count) throw std::out_of_range("font index");
    return *FFonts[static_cast<std::size_t>(index)];
}

void TveskChemView2PropertiesFonts::ReadFromRecord(const TveskConfigRecordView& record) {
    for (int i = 0; i < Count; ++i) {
        const TFontPlace& place = FontPlaces[i];
        Font(i).ReadFromRecord(record, place.Font, place.Size, place.Color);
    }
}

void TveskChemView2PropertiesFonts::WriteToRecord(TveskConfigRecordView& record) const {
    for (int i = 0; i < Count; ++i) {
        const TFontPlace& place = FontPlaces[i];
        Font(i).WriteToRecord(record, place.Font, place.Size, place.Color);
    }
}

void TveskChemView2PropertiesFonts::Assign(const TveskChemView2PropertiesFonts& source) {
    for (int i = 0; i < Count; ++i) Font(i).Assign(source.Font(i));
}

// ---- the parts -------------------------------------------------------------------------------

TveskChemView2PropertiesDisplay::TveskChemView2PropertiesDisplay()
    : DecimalSeparator(SystemDecimalSeparator()) {}

void TveskChemView2PropertiesDisplay::ReadFromRecord(const TveskConfigRecordView& record) {
    HydrogenMode = static_cast<std::uint8_t>(record.GetInt32(40));
    DecimalSeparator = record.GetText(1164, SeparatorMaxLength);
    Value1 = record.GetInt32(1180);
    Value2 = record.GetDouble(1184);
    Value3 = record.GetDouble(1192);
    Flag1 = record.GetFlag(1200);
    Flag2 = record.GetFlag(1204);
    Value4 = static_cast<std::uint8_t>(record.GetInt32(1208));
    FormulaSeparator = record.GetText(1212, SeparatorMaxLength);
    Flag3 = record.GetFlag(1228);
    NoStructureText = record.GetText(1324, NoStructureTextMaxLength);
    Flag4 = record.GetFlag(1388);
    Flag5 = record.GetFlag(1392);
}

void TveskChemView2PropertiesDisplay::WriteToRecord(TveskConfigRecordView& record) const {
    record.SetInt32(40, HydrogenMode);
    record.SetText(1164, DecimalSeparator, SeparatorMaxLength);
    record.SetInt32(1180, Value1);
    record.SetDouble(1184, Value2);
    record.SetDouble(1192, Value3);
    record.SetFlag(1200, Flag1);
    record.SetFlag(1204, Flag2);
    record.SetInt32(1208, Value4);
    record.SetText(1212, FormulaSeparator, SeparatorMaxLength);
    record.SetFlag(1228, Flag3);
    record.SetText(1324, NoStructureText, NoStructureTextMaxLength);
    record.SetFlag(1388, Flag4);
    record.SetFlag(1392, Flag5);
}

void TveskChemView2PropertiesDisplay::Assign(const TveskChemView2PropertiesDisplay& source) {
    *this = source;
}

void TveskChemView2PropertiesBonds::ReadFromRecord(const TveskConfigRecordView& record) {
    Color = static_cast<std::uint32_t>(record.GetInt32(640));
    for (std::size_t i = 0; i < Values.size(); ++i) Values[i] = record.GetDouble(648 + 8 * i);
}

void TveskChemView2PropertiesBonds::WriteToRecord(TveskConfigRecordView& record) const {
    record.SetInt32(640, static_cast<std::int32_t>(Color));
    for (std::size_t i = 0; i < Values.size(); ++i) record.SetDouble(648 + 8 * i, Values[i]);
}

void TveskChemView2PropertiesBonds::Assign(const TveskChemView2PropertiesBonds& source) {
    *this = source;
}

void TveskChemView2PropertiesReactingCenters::ReadFromRecord(const TveskConfigRecordView& record) {
    Value = record.GetInt32(736);
    Color = static_cast<std::uint32_t>(record.GetInt32(740));
    for (std::size_t i = 0; i < Values.size(); ++i) Values[i] = record.GetDouble(824 + 8 * i);
}

void TveskChemView2PropertiesReactingCenters::WriteToRecord(TveskConfigRecordView& record) const {
    record.SetInt32(736, Value);
    record.SetInt32(740, static_cast<std::int32_t>(Color));
    for (std::size_t i = 0; i < Values.size(); ++i) record.SetDouble(824 + 8 * i, Values[i]);
}

void TveskChemView2PropertiesReactingCenters::Assign(
    const TveskChemView2PropertiesReactingCenters& source) {
    *this = source;
}

void TveskChemView2PropertiesMapping::ReadFromRecord(const TveskConfigRecordView& record) {
    On = record.GetFlag(620);
    Values[0] = record.GetDouble(624);
    Values[1] = record.GetDouble(632);
}

void TveskChemView2PropertiesMapping::WriteToRecord(TveskConfigRecordView& record) const {
    record.SetFlag(620, On);
    record.SetDouble(624, Values[0]);
    record.SetDouble(632, Values[1]);
}

void TveskChemView2PropertiesMapping::Assign(const TveskChemView2PropertiesMapping& source) {
    *this = source;
}

void TveskChemView2PropertiesBrackets::ReadFromRecord(const TveskConfigRecordView& record) {
    Values[0] = record.GetDouble(928);
    Values[1] = record.GetDouble(936);
    Value3 = record.GetInt32(944);
}

void TveskChemView2PropertiesBrackets::WriteToRecord(TveskConfigRecordView& record) const {
    record.SetDouble(928, Values[0]);
    record.SetDouble(936, Values[1]);
    record.SetInt32(944, Value3);
}

void TveskChemView2PropertiesBrackets::Assign(const TveskChemView2PropertiesBrackets& source) {
    *this = source;
}

void TveskChemView2PropertiesStoichiometry::ReadFromRecord(const TveskConfigRecordView& record) {
    On = record.GetFlag(1232);
    Value = record.GetDouble(1312);
    Value2 = record.GetInt32(1320);
}

void TveskChemView2PropertiesStoichiometry::WriteToRecord(TveskConfigRecordView& record) const {
    record.SetFlag(1232, On);
    record.SetDouble(1312, Value);
    record.SetInt32(1320, Value2);
}

void TveskChemView2PropertiesStoichiometry::Assign(
    const TveskChemView2PropertiesStoichiometry& source) {
    *this = source;
}

void TveskChemView2PropertiesScaling::ReadFromRecord(const TveskConfigRecordView& record) {
    Mode = record.GetInt32(8);
    for (std::size_t i = 0; i < Values.size(); ++i) Values[i] = record.GetDouble(16 + 8 * i);
}

void TveskChemView2PropertiesScaling::WriteToRecord(TveskConfigRecordView& record) const {
    record.SetInt32(8, Mode);
    for (std::size_t i = 0; i < Values.size(); ++i) record.SetDouble(16 + 8 * i, Values[i]);
}

void TveskChemView2PropertiesScaling::Assign(const TveskChemView2PropertiesScaling& source) {
    *this = source;
}

void TveskChemView2PropertiesPlus::ReadFromRecord(const TveskConfigRecordView& record) {
    Values[0] = record.GetDouble(48);
    Values[1] = record.GetDouble(56);
    Value3 = record.GetInt32(64);
}

void TveskChemView2PropertiesPlus::WriteToRecord(TveskConfigRecordView& record) const {
    record.SetDouble(48, Values[0]);
    record.SetDouble(56, Values[1]);
    record.SetInt32(64, Value3);
}

void TveskChemView2PropertiesPlus::Assign(const TveskChemView2PropertiesPlus& source) {
    *this = source;
}

void TveskChemView2PropertiesArrow::ReadFromRecord(const TveskConfigRecordView& record) {
    for (std::size_t i = 0; i < Values.size(); ++i) Values[i] = record.GetDouble(72 + 8 * i);
    Value5 = record.GetInt32(104);
}

void TveskChemView2PropertiesArrow::WriteToRecord(TveskConfigRecordView& record) const {
    for (std::size_t i = 0; i < Values.size(); ++i) record.SetDouble(72 + 8 * i, Values[i]);
    record.SetInt32(104, Value5);
}

void TveskChemView2PropertiesArrow::Assign(const TveskChemView2PropertiesArrow& source) {
    *this = source;
}

TveskChemView2PropertiesReaction::TveskChemView2PropertiesReaction()
    : Plus(std::make_unique<TveskChemView2PropertiesPlus>()),
      Arrow(std::make_unique<TveskChemView2PropertiesArrow>()) {}

void TveskChemView2PropertiesReaction::ReadFromRecord(const TveskConfigRecordView& record) {
    Value = record.GetDouble(40);
    Plus->ReadFromRecord(record);
    Arrow->ReadFromRecord(record);
}

void TveskChemView2PropertiesReaction::WriteToRecord(TveskConfigRecordView& record) const {
    record.SetDouble(40, Value);
    Plus->WriteToRecord(record);
    Arrow->WriteToRecord(record);
}

void TveskChemView2PropertiesReaction::Assign(const TveskChemView2PropertiesReaction& source) {
    Value = source.Value;
    Plus->Assign(*source.Plus);
    Arrow->Assign(*source.Arrow);
}

// ---- property sets ---------------------------------------------------------------------------

TveskChemView2Properties::TveskChemView2Properties()
    : Fonts(std::make_unique<TveskChemView2PropertiesFonts>()),
      Display(std::make_unique<TveskChemView2PropertiesDisplay>()),
      Bonds(std::make_unique<TveskChemView2PropertiesBonds>()),
      ReactingCenters(std::make_unique<TveskChemView2PropertiesReactingCenters>()),
      Mapping(std::make_unique<TveskChemView2PropertiesMapping>()),
      Brackets(std::make_unique<TveskChemView2PropertiesBrackets>()),
      Stoichiometry(std::make_unique<TveskChemView2PropertiesStoichiometry>()) {}

TveskChemView2Properties::~TveskChemView2Properties() = default;

void TveskChemView2Properties::ReadCommon(const TveskConfigRecordView& molRecord) {
    Fonts->ReadFromRecord(molRecord);
    Display->ReadFromRecord(molRecord);
    Bonds->ReadFromRecord(molRecord);
    ReactingCenters->ReadFromRecord(molRecord);
    Mapping->ReadFromRecord(molRecord);
    Brackets->ReadFromRecord(molRecord);
    Stoichiometry->ReadFromRecord(molRecord);
}

void TveskChemView2Properties::WriteCommon(TveskConfigRecordView& molRecord) const {
    Fonts->WriteToRecord(molRecord);
    Display->WriteToRecord(molRecord);
    Bonds->WriteToRecord(molRecord);
    ReactingCenters->WriteToRecord(molRecord);
    Mapping->WriteToRecord(molRecord);
    Brackets->WriteToRecord(molRecord);
    Stoichiometry->WriteToRecord(molRecord);
}

void TveskChemView2Properties::AssignCommon(const TveskChemView2Properties& source) {
    if (&source == this) return;
    Fonts->Assign(*source.Fonts);
    Display->Assign(*source.Display);
    Bonds->Assign(*source.Bonds);
    ReactingCenters->Assign(*source.ReactingCenters);
    Mapping->Assign(*source.Mapping);
    Brackets->Assign(*source.Brackets);
    Stoichiometry->Assign(*source.Stoichiometry);
}

TveskChemView2MolProperties::TveskChemView2MolProperties()
    : Scaling(std::make_unique<TveskChemView2PropertiesScaling>()) {}

TveskChemView2MolProperties::TveskChemView2MolProperties(const TveskChemView2MolProperties& source)
    : TveskChemView2MolProperties() {
    Assign(source);
}

void TveskChemView2MolProperties::ReadFromRecord(const MolConfigRecord& record) {
    const TveskConfigRecordView view = record.View();
    ReadCommon(view);
    Scaling->ReadFromRecord(view);
}

void TveskChemView2MolProperties::WriteToRecord(MolConfigRecord& record) const {
    TveskConfigRecordView view = record.View();
    WriteCommon(view);
    Scaling->WriteToRecord(view);
}

void TveskChemView2MolProperties::Assign(const TveskChemView2MolProperties& source) {
    if (&source == this) return;
    AssignCommon(source);
    Scaling->Assign(*source.Scaling);
}

TveskChemView2RxnProperties::TveskChemView2RxnProperties()
    : Scaling(std::make_unique<TveskChemView2PropertiesScaling>()),
      Reaction(std::make_unique<TveskChemView2PropertiesReaction>()) {}

TveskChemView2RxnProperties::TveskChemView2RxnProperties(const TveskChemView2RxnProperties& source)
    : TveskChemView2RxnProperties() {
    Assign(source);
}

void TveskChemView2RxnProperties::ReadFromRecord(const RxnConfigRecord& record) {
    ReadCommon(record.Molecule());
    const TveskConfigRecordView view = record.View();
    Scaling->ReadFromRecord(view);
    Reaction->ReadFromRecord(view);
}

void TveskChemView2RxnProperties::WriteToRecord(RxnConfigRecord& record) const {
    TveskConfigRecordView molecule = record.Molecule();
    WriteCommon(molecule);
    TveskConfigRecordView view = record.View();
    Scaling->WriteToRecord(view);
    Reaction->WriteToRecord(view);
}

void TveskChemView2RxnProperties::Assign(const TveskChemView2RxnProperties& source) {
    if (&source == this) return;
    AssignCommon(source);
    Scaling->Assign(*source.Scaling);
    Reaction->Assign(*source.Reaction);
}
