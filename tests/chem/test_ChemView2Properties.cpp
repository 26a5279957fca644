// Display properties and their configuration records, byte for byte; no library involved.

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "vesk_ChemView2Properties.h"

namespace {

struct TExpected {
    std::size_t Offset;
    char Type;  // i int32, d double, s text
    double Number;
    const char* Text;
};

void ExpectRecord(const TveskConfigRecordView& record, const std::vector<TExpected>& table) {
    for (const TExpected& e : table) {
        switch (e.Type) {
            case 'i':
                EXPECT_EQ(record.GetInt32(e.Offset), e.Number) << "offset " << e.Offset;
                break;
            case 'd':
                EXPECT_EQ(record.GetDouble(e.Offset), e.Number) << "offset " << e.Offset;
                break;
            default:
                EXPECT_EQ(record.GetText(e.Offset, 62), e.Text) << "offset " << e.Offset;
        }
    }
}

TEST(ChemView2Records, FreshPropertiesWriteTheDefaultTables) {
    TveskChemView2MolProperties mol;
    mol.Display->DecimalSeparator = ",";
    MolConfigRecord record;
    mol.WriteToRecord(record);
    const TveskConfigRecordView view = record.View();
    ExpectRecord(view, {{0, 'i', 1400, ""},    {4, 'i', 6, ""},
                        {8, 'i', 0, ""},       {16, 'd', 0.25, ""},
                        {24, 'd', 0.125, ""},  {32, 'd', 0.5, ""},
                        {40, 'i', 3, ""},      {620, 'i', 0, ""},
                        {624, 'd', 12, ""},    {632, 'd', 4, ""},
                        {640, 'i', 0, ""},     {648, 'd', 96, ""},
                        {656, 'd', 2, ""},     {728, 'd', 3, ""},
                        {736, 'i', 2, ""},     {740, 'i', 255, ""},
                        {824, 'd', 32, ""},    {840, 'd', 9, ""},
                        {928, 'd', 3, ""},     {936, 'd', 0.1, ""},
                        {944, 'i', 0, ""},     {1164, 's', 0, ","},
                        {1180, 'i', 3, ""},    {1184, 'd', 8, ""},
                        {1192, 'd', 4, ""},    {1200, 'i', 0, ""},
                        {1204, 'i', 0, ""},    {1208, 'i', 4, ""},
                        {1212, 's', 0, " * "}, {1228, 'i', 0, ""},
                        {1232, 'i', 0, ""},    {1312, 'd', 48, ""},
                        {1320, 'i', 3, ""},    {1324, 's', 0, "No-Structure"},
                        {1388, 'i', 0, ""},    {1392, 'i', -1, ""}});
    // Fonts: size and colour behind each LOGFONTA, the face name inside it.
    const std::size_t fonts[14] = {44,  116, 188, 260, 332,  404,  476,
                                   548, 744, 848, 948, 1020, 1092, 1236};
    const std::size_t sizeAt[14] = {104, 176, 248, 320,  392,  464,  536,
                                    608, 808, 912, 1008, 1080, 1152, 1296};
    const double sizes[14] = {48, 32, 32, 32, 32, 32, 32, 20, 32, 20, 32, 12, 8, 72};
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(view.GetText(fonts[i] + 28, 32), "Arial") << "font " << i + 1;
        EXPECT_EQ(view.GetInt32(fonts[i] + 16), 400) << "font " << i + 1;
        EXPECT_EQ(view.GetDouble(sizeAt[i]), sizes[i]) << "font " << i + 1;
        EXPECT_EQ(view.GetInt32(sizeAt[i] + 8), 0) << "font " << i + 1;
    }
    // The 4 bytes between a LOGFONTA and the size of fonts 9 and 10 stay zero, as do the
    // gaps of the record.
    for (std::size_t gap : {804u, 908u, 12u, 644u, 1308u, 1396u}) {
        EXPECT_EQ(view.GetInt32(gap), 0) << gap;
    }

    TveskChemView2RxnProperties rxn;
    RxnConfigRecord rxnRecord;
    rxn.WriteToRecord(rxnRecord);
    ExpectRecord(rxnRecord.View(), {{0, 'i', 1512, ""},
                                    {4, 'i', 1, ""},
                                    {8, 'i', 0, ""},
                                    {16, 'd', 0.25, ""},
                                    {40, 'd', 30, ""},
                                    {48, 'd', 6, ""},
                                    {56, 'd', 40, ""},
                                    {64, 'i', 0, ""},
                                    {72, 'd', 6, ""},
                                    {80, 'd', 160, ""},
                                    {88, 'd', 30, ""},
                                    {96, 'd', 30, ""},
                                    {104, 'i', 0, ""},
                                    {112, 'i', 1400, ""},
                                    {116, 'i', 6, ""},
                                    {112 + 40, 'i', 3, ""},
                                    {112 + 1324, 's', 0, "No-Structure"}});
    // The embedded record has no scaling of its own.
    EXPECT_EQ(rxnRecord.View().GetDouble(112 + 16), 0.0);
}

TEST(ChemView2Records, EveryValueSurvivesWritingAndReading) {
    TveskChemView2RxnProperties source;
    source.Scaling->Mode = 2;
    source.Scaling->Values = {1.5, 2.5, 3.5};
    source.Reaction->Value = 31;
    source.Reaction->Plus->Values = {7, 41};
    source.Reaction->Plus->Value3 = 5;
    source.Reaction->Arrow->Values = {1, 2, 3, 4};
    source.Reaction->Arrow->Value5 = 9;
    source.Display->HydrogenMode = 4;
    source.Display->DecimalSeparator = ",";
    source.Display->Value1 = -7;
    source.Display->Flag2 = true;
    source.Display->Value4 = 200;
    source.Display->FormulaSeparator = ".";
    source.Display->NoStructureText = "Keine Struktur";
    source.Display->Flag5 = false;
    source.Bonds->Color = 0x00123456;
    source.Bonds->Values[10] = 11.25;
    source.ReactingCenters->Color = 0x00FF0000;
    source.Mapping->On = true;
    source.Brackets->Value3 = 3;
    source.Stoichiometry->On = true;
    source.Stoichiometry->Value2 = 8;
    TveskChemView2Font& font9 = source.Fonts->Font(8);
    font9.SetName("DejaVu Sans");
    font9.SetStyle(fsBold | fsUnderline);
    font9.SetColor(0x00FFFFFF);
    font9.SetSize(17);
    font9.SetPitch(TveskFontPitch::fpVariable);
    font9.SetCharset(238);

    RxnConfigRecord first;
    source.WriteToRecord(first);
    TveskChemView2RxnProperties read;
    read.ReadFromRecord(first);
    RxnConfigRecord second;
    read.WriteToRecord(second);
    EXPECT_EQ(first.Bytes, second.Bytes);
    EXPECT_EQ(read.Fonts->Font(8).Name(), "DejaVu Sans");
    EXPECT_EQ(read.Fonts->Font(8).Style(), fsBold | fsUnderline);
    EXPECT_EQ(read.Fonts->Font(8).Size(), 17);
    EXPECT_EQ(read.Display->NoStructureText, "Keine Struktur");
    EXPECT_EQ(read.Reaction->Arrow->Value5, 9);

    // Copies are deep and complete.
    TveskChemView2RxnProperties copy(read);
    copy.Fonts->Font(8).SetSize(5);
    RxnConfigRecord third;
    TveskChemView2RxnProperties(read).WriteToRecord(third);
    EXPECT_EQ(third.Bytes, first.Bytes);
    EXPECT_EQ(read.Fonts->Font(8).Size(), 17);
}

TEST(ChemView2Records, TextsAreCutToTheirFields) {
    TveskChemView2MolProperties mol;
    mol.Display->NoStructureText = std::string(70, 'x') + "END";
    mol.Display->FormulaSeparator = "0123456789abcdefgh";
    MolConfigRecord record;
    // Bytes behind the fields must not be touched by the cut.
    record.View().SetInt32(1388, 0x7A7A7A7A);
    mol.WriteToRecord(record);
    const TveskConfigRecordView view = record.View();
    EXPECT_EQ(view.GetText(1324, 64), std::string(62, 'x'));
    EXPECT_EQ(view.GetByte(1386), 0);
    EXPECT_EQ(view.GetText(1212, 16), "0123456789abcd");
    EXPECT_EQ(view.GetByte(1226), 0);
    EXPECT_EQ(view.GetInt32(1228), 0);
    TveskChemView2MolProperties read;
    read.ReadFromRecord(record);
    EXPECT_EQ(read.Display->NoStructureText, std::string(62, 'x'));

    // A UTF-8 character that would be split goes as a whole; bytes that are not UTF-8 are
    // cut where the field ends.
    mol.Display->NoStructureText = std::string(61, 'a') +
                                   "\xC3\xA4"
                                   "b";
    mol.WriteToRecord(record);
    EXPECT_EQ(view.GetText(1324, 64), std::string(61, 'a'));
    mol.Display->NoStructureText = std::string(61, 'a') + "\xE4\xE4\xE4";
    mol.WriteToRecord(record);
    EXPECT_EQ(view.GetText(1324, 64), std::string(61, 'a') + "\xE4");
}

TEST(ChemView2Records, FontBlocksConvertBothWays) {
    MolConfigRecord record;
    TveskConfigRecordView view = record.View();
    const std::size_t at = 44;  // font 1
    view.SetInt32(at + 0, -21);
    view.SetInt32(at + 16, 700);
    view.SetByte(at + 20, 1);                             // italic
    view.SetByte(at + 21, 2);                             // underline only when 1
    view.SetByte(at + 22, 1);                             // strike-out
    view.SetByte(at + 23, 0);                             // ANSI_CHARSET
    view.SetByte(at + 27, 0x31);                          // FF_SWISS | FIXED_PITCH
    std::memset(record.Bytes.data() + at + 28, 'F', 32);  // no terminating zero
    view.SetDouble(104, 12.5);
    view.SetInt32(112, 0x00FF8040);

    TveskChemView2PropertiesFonts fonts;
    int changes = 0;
    fonts.OnChange = [&](TveskChemView2PropertiesFonts* sender) {
        EXPECT_EQ(sender, &fonts);
        ++changes;
    };
    fonts.ReadFromRecord(view);
    const TveskChemView2Font& f = fonts.Font(0);
    EXPECT_EQ(f.Style(), fsBold | fsItalic | fsStrikeOut);
    EXPECT_EQ(f.Charset(), 0);
    EXPECT_EQ(f.Pitch(), TveskFontPitch::fpFixed);
    EXPECT_EQ(f.Name(), std::string(32, 'F'));
    EXPECT_EQ(f.Size(), 12) << "half to even";
    EXPECT_EQ(f.Height(), -16) << "follows the size at 96 dpi";
    EXPECT_EQ(f.Color(), 0x00FF8040u);
    EXPECT_GT(changes, 0);

    changes = 0;
    fonts.Font(3).SetColor(fonts.Font(3).Color());
    EXPECT_EQ(changes, 0) << "no change, no event";
    fonts.Font(13).SetColor(0x00FFFFFF);
    EXPECT_EQ(changes, 1);

    MolConfigRecord written;
    TveskConfigRecordView out = written.View();
    fonts.WriteToRecord(out);
    EXPECT_EQ(out.GetInt32(at + 0), -16);
    EXPECT_EQ(out.GetInt32(at + 16), 700);
    EXPECT_EQ(out.GetByte(at + 21), 0);
    EXPECT_EQ(out.GetByte(at + 27), 1);
    EXPECT_EQ(out.GetText(at + 28, 32), std::string(31, 'F')) << "31 characters and a zero";
    EXPECT_EQ(out.GetDouble(104), 12.0);
    EXPECT_EQ(out.GetInt32(1304), 0x00FFFFFF) << "font 14 colour";

    // A size outside the integer range fails and leaves the font as it was.
    view.SetDouble(104, 1e12);
    TveskChemView2PropertiesFonts other;
    EXPECT_THROW(other.ReadFromRecord(view), std::range_error);
    EXPECT_EQ(other.Font(0).Size(), 48);
    EXPECT_EQ(other.Font(0).Name(), "Arial");
}

TEST(ChemView2Records, AccessOutsideTheRecordThrows) {
    MolConfigRecord record;
    TveskConfigRecordView view = record.View();
    EXPECT_THROW(view.GetInt32(1397), std::out_of_range);
    EXPECT_THROW(view.SetDouble(1393, 1.0), std::out_of_range);
    EXPECT_THROW(view.SetText(1390, "abc", 62), std::out_of_range);
    EXPECT_THROW(view.Sub(1000, 401), std::out_of_range);
    EXPECT_NO_THROW(view.GetInt32(1396));
}

}  // namespace
