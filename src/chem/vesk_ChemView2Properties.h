#pragma once
// Display properties of the structure viewer library: plain objects that mirror its
// configuration records. The program fills them, writes them into a record byte for byte and
// hands the record to the library; reading goes the other way. Qt-free.
//
// Record rules: little-endian; a flag is a 32-bit boolean written as 0 or -1 and read as
// non-zero = true; a font block is a 60-byte LOGFONTA-shaped font followed by a double point
// size and a 32-bit COLORREF (0x00BBGGRR). Bytes nobody writes stay zero.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

constexpr std::int32_t MolConfigRecordSize = 1400;
constexpr std::int32_t MolConfigRecordVersion = 6;
constexpr std::int32_t RxnConfigRecordSize = 1512;
constexpr std::int32_t RxnConfigRecordVersion = 1;
// Where the reaction record embeds its molecule record.
constexpr std::size_t RxnConfigMoleculeOffset = 112;

// Longest texts the records hold (each field keeps a terminating zero after them).
constexpr std::size_t SeparatorMaxLength = 14;
constexpr std::size_t NoStructureTextMaxLength = 62;
constexpr std::size_t FontFaceMaxLength = 31;

// A window on record bytes; every access checks its offset and throws std::out_of_range
// rather than touching a byte outside the record.
class TveskConfigRecordView {
public:
    TveskConfigRecordView(std::uint8_t* data, std::size_t size) : FData(data), FSize(size) {}

    std::int32_t GetInt32(std::size_t offset) const;
    void SetInt32(std::size_t offset, std::int32_t value);
    double GetDouble(std::size_t offset) const;
    void SetDouble(std::size_t offset, double value);
    bool GetFlag(std::size_t offset) const { return GetInt32(offset) != 0; }
    void SetFlag(std::size_t offset, bool value) { SetInt32(offset, value ? -1 : 0); }
    std::uint8_t GetByte(std::size_t offset) const;
    void SetByte(std::size_t offset, std::uint8_t value);
    // Up to maxLength bytes, ending at the first zero.
    std::string GetText(std::size_t offset, std::size_t maxLength) const;
    // Cut to maxLength bytes (never inside a UTF-8 character of a valid UTF-8 text), the rest
    // of the field zeroed; the field is maxLength + 1 bytes.
    void SetText(std::size_t offset, const std::string& text, std::size_t maxLength);
    // The part of the record from offset on, size bytes long.
    TveskConfigRecordView Sub(std::size_t offset, std::size_t size) const;

    std::size_t Size() const { return FSize; }

private:
    void Check(std::size_t offset, std::size_t length) const;

    std::uint8_t* FData;
    std::size_t FSize;
};

// The molecule configuration record; created zeroed with its size and version filled in.
struct MolConfigRecord {
    MolConfigRecord();
    std::array<std::uint8_t, MolConfigRecordSize> Bytes{};
    TveskConfigRecordView View() { return {Bytes.data(), Bytes.size()}; }
    // For reading only.
    const TveskConfigRecordView View() const {
        return {const_cast<std::uint8_t*>(Bytes.data()), Bytes.size()};
    }
};

// The reaction configuration record with its embedded molecule record (sizes and versions of
// both filled in).
struct RxnConfigRecord {
    RxnConfigRecord();
    std::array<std::uint8_t, RxnConfigRecordSize> Bytes{};
    TveskConfigRecordView View() { return {Bytes.data(), Bytes.size()}; }
    const TveskConfigRecordView View() const {
        return {const_cast<std::uint8_t*>(Bytes.data()), Bytes.size()};
    }
    TveskConfigRecordView Molecule() {
        return View().Sub(RxnConfigMoleculeOffset, MolConfigRecordSize);
    }
    const TveskConfigRecordView Molecule() const {
        return View().Sub(RxnConfigMoleculeOffset, MolConfigRecordSize);
    }
};

// ---- fonts --------------------------------------------------------------------------------

enum TveskFontStyle : std::uint8_t {
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};

enum class TveskFontPitch : std::uint8_t { fpDefault = 0, fpFixed = 1, fpVariable = 2 };

// Windows' DEFAULT_CHARSET.
constexpr std::uint8_t DefaultFontCharset = 1;
// Heights are those of a 96 dpi screen, as the library assumes.
constexpr int FontPixelsPerInch = 96;

class TveskChemView2Font {
public:
    TveskChemView2Font() = default;
    TveskChemView2Font(const TveskChemView2Font&) = delete;
    TveskChemView2Font& operator=(const TveskChemView2Font&) = delete;

    const std::string& Name() const { return FName; }
    std::uint8_t Style() const { return FStyle; }  // TveskFontStyle bits
    std::uint8_t Charset() const { return FCharset; }
    TveskFontPitch Pitch() const { return FPitch; }
    std::uint32_t Color() const { return FColor; }  // COLORREF
    int Size() const { return FSize; }              // points
    int Height() const { return FHeight; }          // pixels, negative = character height

    // Each setter fires OnChange when the value changes. Size and Height follow each other.
    void SetName(const std::string& name);
    void SetStyle(std::uint8_t style);
    void SetCharset(std::uint8_t charset);
    void SetPitch(TveskFontPitch pitch);
    void SetColor(std::uint32_t color);
    void SetSize(int size);
    void SetHeight(int height);
    void Assign(const TveskChemView2Font& source);

    // The 72-byte block (or the aligned form of fonts 9 and 10 via sizeOffset / colorOffset).
    void ReadFromRecord(const TveskConfigRecordView& record, std::size_t offset,
                        std::size_t sizeOffset, std::size_t colorOffset);
    void WriteToRecord(TveskConfigRecordView& record, std::size_t offset, std::size_t sizeOffset,
                       std::size_t colorOffset) const;

    std::function<void(TveskChemView2Font* sender)> OnChange;

private:
    void Changed();

    std::string FName = "Arial";
    std::uint8_t FStyle = 0;
    std::uint8_t FCharset = DefaultFontCharset;
    TveskFontPitch FPitch = TveskFontPitch::fpDefault;
    std::uint32_t FColor = 0;
    int FSize = 8;
    int FHeight = -11;
};

class TveskChemView2PropertiesFonts {
public:
    static constexpr int Count = 14;

    TveskChemView2PropertiesFonts();
    TveskChemView2PropertiesFonts(const TveskChemView2PropertiesFonts&) = delete;
    TveskChemView2PropertiesFonts& operator=(const TveskChemView2PropertiesFonts&) = delete;

    // Font 1 is Font(0) ... font 14 is Font(13); std::out_of_range outside.
    TveskChemView2Font& Font(int index);
    const TveskChemView2Font& Font(int index) const;

    void ReadFromRecord(const TveskConfigRecordView& record);
    void WriteToRecord(TveskConfigRecordView& record) const;
    void Assign(const TveskChemView2PropertiesFonts& source);

    // Fired when any font changes.
    std::function<void(TveskChemView2PropertiesFonts* sender)> OnChange;

private:
    std::array<std::unique_ptr<TveskChemView2Font>, Count> FFonts;
};

// ---- the other parts; numbered values are stored and passed on, the library decides what
// they mean ----------------------------------------------------------------------------------

class TveskChemView2PropertiesDisplay {
public:
    TveskChemView2PropertiesDisplay();
    void ReadFromRecord(const TveskConfigRecordView& record);
    void WriteToRecord(TveskConfigRecordView& record) const;
    void Assign(const TveskChemView2PropertiesDisplay& source);

    // 0 hidden, 1 at hetero atoms, 2 at terminal atoms, 3 both, 4 at every atom.
    std::uint8_t HydrogenMode = 3;
    std::string DecimalSeparator;  // the system's at creation
    std::int32_t Value1 = 3;       // 1180
    double Value2 = 8.0;           // 1184
    double Value3 = 4.0;           // 1192
    bool Flag1 = false;            // 1200
    bool Flag2 = false;            // 1204
    std::uint8_t Value4 = 4;       // 1208
    std::string FormulaSeparator = " * ";
    bool Flag3 = false;  // 1228
    std::string NoStructureText = "No-Structure";
    bool Flag4 = false;  // 1388; the pool keeps it false
    bool Flag5 = true;   // 1392
};

class TveskChemView2PropertiesBonds {
public:
    void ReadFromRecord(const TveskConfigRecordView& record);
    void WriteToRecord(TveskConfigRecordView& record) const;
    void Assign(const TveskChemView2PropertiesBonds& source);

    std::uint32_t Color = 0;  // COLORREF
    std::array<double, 11> Values{96, 2, 16, 9, 16, 9, 12, 12, 6, 6, 3};
};

class TveskChemView2PropertiesReactingCenters {
public:
    void ReadFromRecord(const TveskConfigRecordView& record);
    void WriteToRecord(TveskConfigRecordView& record) const;
    void Assign(const TveskChemView2PropertiesReactingCenters& source);

    std::int32_t Value = 2;
    std::uint32_t Color = 255;  // COLORREF, red
    std::array<double, 3> Values{32, 12, 9};
};

class TveskChemView2PropertiesMapping {
public:
    void ReadFromRecord(const TveskConfigRecordView& record);
    void WriteToRecord(TveskConfigRecordView& record) const;
    void Assign(const TveskChemView2PropertiesMapping& source);

    bool On = false;
    std::array<double, 2> Values{12.0, 4.0};
};

class TveskChemView2PropertiesBrackets {
public:
    void ReadFromRecord(const TveskConfigRecordView& record);
    void WriteToRecord(TveskConfigRecordView& record) const;
    void Assign(const TveskChemView2PropertiesBrackets& source);

    std::array<double, 2> Values{3.0, 0.1};
    std::int32_t Value3 = 0;
};

class TveskChemView2PropertiesStoichiometry {
public:
    void ReadFromRecord(const TveskConfigRecordView& record);
    void WriteToRecord(TveskConfigRecordView& record) const;
    void Assign(const TveskChemView2PropertiesStoichiometry& source);

    bool On = false;
    double Value = 48.0;
    std::int32_t Value2 = 3;
};

// At the same place (8, 16) in both records.
class TveskChemView2PropertiesScaling {
public:
    void ReadFromRecord(const TveskConfigRecordView& record);
    void WriteToRecord(TveskConfigRecordView& record) const;
    void Assign(const TveskChemView2PropertiesScaling& source);

    std::int32_t Mode = 0;
    std::array<double, 3> Values{0.25, 0.125, 0.5};
};

class TveskChemView2PropertiesPlus {
public:
    void ReadFromRecord(const TveskConfigRecordView& record);
    void WriteToRecord(TveskConfigRecordView& record) const;
    void Assign(const TveskChemView2PropertiesPlus& source);

    std::array<double, 2> Values{6.0, 40.0};
    std::int32_t Value3 = 0;
};

class TveskChemView2PropertiesArrow {
public:
    void ReadFromRecord(const TveskConfigRecordView& record);
    void WriteToRecord(TveskConfigRecordView& record) const;
    void Assign(const TveskChemView2PropertiesArrow& source);

    std::array<double, 4> Values{6.0, 160.0, 30.0, 30.0};
    std::int32_t Value5 = 0;
};

class TveskChemView2PropertiesReaction {
public:
    TveskChemView2PropertiesReaction();
    TveskChemView2PropertiesReaction(const TveskChemView2PropertiesReaction&) = delete;
    TveskChemView2PropertiesReaction& operator=(const TveskChemView2PropertiesReaction&) = delete;

    void ReadFromRecord(const TveskConfigRecordView& record);
    void WriteToRecord(TveskConfigRecordView& record) const;
    void Assign(const TveskChemView2PropertiesReaction& source);

    double Value = 30.0;
    std::unique_ptr<TveskChemView2PropertiesPlus> Plus;
    std::unique_ptr<TveskChemView2PropertiesArrow> Arrow;
};

// ---- the common part and the two property sets ----------------------------------------------

// Fonts, display, bonds, reacting centres, mapping, brackets, stoichiometry: read, written
// and assigned in this order, from a molecule-shaped record.
class TveskChemView2Properties {
public:
    TveskChemView2Properties();
    virtual ~TveskChemView2Properties();
    TveskChemView2Properties(const TveskChemView2Properties&) = delete;
    TveskChemView2Properties& operator=(const TveskChemView2Properties&) = delete;

    void ReadCommon(const TveskConfigRecordView& molRecord);
    void WriteCommon(TveskConfigRecordView& molRecord) const;
    void AssignCommon(const TveskChemView2Properties& source);

    std::unique_ptr<TveskChemView2PropertiesFonts> Fonts;
    std::unique_ptr<TveskChemView2PropertiesDisplay> Display;
    std::unique_ptr<TveskChemView2PropertiesBonds> Bonds;
    std::unique_ptr<TveskChemView2PropertiesReactingCenters> ReactingCenters;
    std::unique_ptr<TveskChemView2PropertiesMapping> Mapping;
    std::unique_ptr<TveskChemView2PropertiesBrackets> Brackets;
    std::unique_ptr<TveskChemView2PropertiesStoichiometry> Stoichiometry;
};

class TveskChemView2MolProperties : public TveskChemView2Properties {
public:
    TveskChemView2MolProperties();
    TveskChemView2MolProperties(const TveskChemView2MolProperties& source);
    TveskChemView2MolProperties& operator=(const TveskChemView2MolProperties&) = delete;

    // Reading stops at the first failure (a font size outside the integer range throws
    // std::range_error); callers that must not end half-read read into a copy.
    void ReadFromRecord(const MolConfigRecord& record);
    // Leaves size and version alone: the record comes with them.
    void WriteToRecord(MolConfigRecord& record) const;
    void Assign(const TveskChemView2MolProperties& source);

    std::unique_ptr<TveskChemView2PropertiesScaling> Scaling;
};

class TveskChemView2RxnProperties : public TveskChemView2Properties {
public:
    TveskChemView2RxnProperties();
    TveskChemView2RxnProperties(const TveskChemView2RxnProperties& source);
    TveskChemView2RxnProperties& operator=(const TveskChemView2RxnProperties&) = delete;

    void ReadFromRecord(const RxnConfigRecord& record);
    void WriteToRecord(RxnConfigRecord& record) const;
    void Assign(const TveskChemView2RxnProperties& source);

    std::unique_ptr<TveskChemView2PropertiesScaling> Scaling;
    std::unique_ptr<TveskChemView2PropertiesReaction> Reaction;
};

// The decimal separator of the C library's current locale ("." if it has none).
std::string SystemDecimalSeparator();
