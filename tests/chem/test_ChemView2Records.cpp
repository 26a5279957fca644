// Display properties and their configuration records. The binding writes the records itself;
// here they are read back through the library's own declaration of them.

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "veskChemViewer.h"
#include "vesk_ChemView2Properties.h"

namespace {

// One value per part of the record, and fonts at both kinds of font block.
void SetDistinct(TveskChemView2Properties& p) {
    for (int i = 0; i < TveskChemView2PropertiesFonts::Count; ++i) {
        p.Fonts->Font(i).SetName("Face" + std::to_string(i));
        p.Fonts->Font(i).SetSize(10 + i);
        p.Fonts->Font(i).SetColor(0x10000u * static_cast<std::uint32_t>(i + 1));
    }
    p.Fonts->Font(9).SetStyle(fsBold | fsStrikeOut);
    p.Display->HydrogenMode = 2;
    p.Display->DecimalSeparator = "dec";
    p.Display->Value3 = 13.5;
    p.Display->Flag4 = true;
    p.Display->Flag5 = false;
    p.Display->Value4 = 14;
    p.Display->FormulaSeparator = "sep";
    p.Bonds->Values[10] = 110;
    p.ReactingCenters->Color = 0x00222222;
    p.Mapping->Values[1] = 32;
    p.Brackets->Value3 = 43;
    p.Stoichiometry->Value2 = 52;
}

void ExpectDistinct(const TveskMolConfigRecord& r) {
    EXPECT_EQ(r.Size, 1400);
    EXPECT_EQ(r.Version, 6);
    EXPECT_EQ(std::string(r.Fonts1to8[7].LogFont.lfFaceName), "Face7");
    EXPECT_EQ(r.Fonts1to8[7].Size, 17.0);
    EXPECT_EQ(r.Font9.Colour, 0x90000u);
    EXPECT_EQ(r.Font10.Size, 19.0);
    EXPECT_EQ(r.Font10.LogFont.lfHeight, -25);  // 19 points at 96 dpi
    EXPECT_EQ(r.Font10.LogFont.lfWeight, 700);
    EXPECT_EQ(r.Font10.LogFont.lfStrikeOut, 1);
    EXPECT_EQ(r.Font13.Colour, 0xD0000u);
    EXPECT_EQ(std::string(r.Font14.LogFont.lfFaceName), "Face13");
    EXPECT_EQ(r.HydrogenMode, 2);
    EXPECT_STREQ(r.DecimalSeparator, "dec");
    EXPECT_EQ(r.DisplayValue1192, 13.5);
    EXPECT_EQ(r.DisplayFlag4, -1);
    EXPECT_EQ(r.DisplayFlag5, 0);
    EXPECT_EQ(r.DisplayValue1208, 14);
    EXPECT_STREQ(r.FormulaSeparator, "sep");
    EXPECT_STREQ(r.EmptyStructureText, "No-Structure");
    EXPECT_EQ(r.BondValues[10], 110);
    EXPECT_EQ(r.ReactingCentreColour, 0x00222222u);
    EXPECT_EQ(r.MappingValues[1], 32);
    EXPECT_EQ(r.BracketValue3, 43);
    EXPECT_EQ(r.StoichiometryValue2, 52);
}

TEST(ChemView2Records, EveryPartLandsWhereTheLibraryReadsIt) {
    TveskChemView2MolProperties mol;
    SetDistinct(mol);
    mol.Scaling->Values[2] = 3;
    MolConfigRecord molBytes;
    mol.WriteToRecord(molBytes);
    TveskMolConfigRecord molRecord;
    std::memcpy(&molRecord, molBytes.Bytes.data(), sizeof molRecord);
    ExpectDistinct(molRecord);
    EXPECT_EQ(molRecord.ScalingValues[2], 3);

    TveskChemView2RxnProperties rxn;
    SetDistinct(rxn);
    rxn.Scaling->Mode = 8;
    rxn.Reaction->Value = 61;
    rxn.Reaction->Plus->Value3 = 64;
    rxn.Reaction->Arrow->Values[3] = 68;
    RxnConfigRecord rxnBytes;
    rxn.WriteToRecord(rxnBytes);
    TveskRxnConfigRecord rxnRecord;
    std::memcpy(&rxnRecord, rxnBytes.Bytes.data(), sizeof rxnRecord);
    EXPECT_EQ(rxnRecord.Size, 1512);
    EXPECT_EQ(rxnRecord.Version, 1);
    EXPECT_EQ(rxnRecord.ScalingMode, 8);
    EXPECT_EQ(rxnRecord.ReactionValue, 61);
    EXPECT_EQ(rxnRecord.PlusValue3, 64);
    EXPECT_EQ(rxnRecord.ArrowValues[3], 68);
    ExpectDistinct(rxnRecord.Molecule);
    EXPECT_EQ(rxnRecord.Molecule.ScalingMode, 0) << "the embedded record has no scaling";

    // Read back and written again, byte for byte; copies are complete.
    TveskChemView2RxnProperties read;
    read.ReadFromRecord(rxnBytes);
    RxnConfigRecord again;
    TveskChemView2RxnProperties(read).WriteToRecord(again);
    EXPECT_EQ(again.Bytes, rxnBytes.Bytes);
}

TEST(ChemView2Records, TextsAreCutToTheirFields) {
    TveskChemView2MolProperties mol;
    mol.Display->NoStructureText = std::string(70, 'x');
    mol.Display->FormulaSeparator = "0123456789abcdefgh";
    MolConfigRecord record;
    mol.WriteToRecord(record);
    TveskMolConfigRecord r;
    std::memcpy(&r, record.Bytes.data(), sizeof r);
    EXPECT_EQ(std::string(r.EmptyStructureText), std::string(62, 'x'));
    EXPECT_STREQ(r.FormulaSeparator, "0123456789abcd");
    EXPECT_EQ(r.DisplayFlag3, 0) << "nothing written past the field";
    TveskChemView2MolProperties read;
    read.ReadFromRecord(record);
    EXPECT_EQ(read.Display->NoStructureText, std::string(62, 'x'));

    // A UTF-8 character that would be split goes as a whole; other bytes are cut anywhere.
    mol.Display->NoStructureText = std::string(61, 'a') + "\xC3\xA4";
    mol.WriteToRecord(record);
    EXPECT_EQ(record.View().GetText(1324, 64), std::string(61, 'a'));
    mol.Display->NoStructureText = std::string(61, 'a') + "\xE4\xE4";
    mol.WriteToRecord(record);
    EXPECT_EQ(record.View().GetText(1324, 64), std::string(61, 'a') + "\xE4");
    EXPECT_THROW(record.View().GetInt32(1397), std::out_of_range);
}

TEST(ChemView2Records, FontBlocksConvertBothWays) {
    MolConfigRecord record;
    TveskMolConfigRecord r{};
    TveskLogFont& lf = r.Fonts1to8[0].LogFont;
    lf.lfHeight = -21;
    lf.lfWeight = 700;
    lf.lfItalic = 1;
    lf.lfUnderline = 2;  // only 1 counts
    lf.lfCharSet = 0;
    lf.lfPitchAndFamily = 0x31;                             // a family and fixed pitch
    std::memset(lf.lfFaceName, 'F', sizeof lf.lfFaceName);  // no terminating zero
    r.Fonts1to8[0].Size = 12.5;
    r.Fonts1to8[0].Colour = 0x00FF8040;
    std::memcpy(record.Bytes.data(), &r, sizeof r);

    TveskChemView2PropertiesFonts fonts;
    int changes = 0;
    fonts.OnChange = [&](TveskChemView2PropertiesFonts* sender) { changes += sender == &fonts; };
    fonts.ReadFromRecord(record.View());
    const TveskChemView2Font& f = fonts.Font(0);
    EXPECT_EQ(f.Style(), fsBold | fsItalic);
    EXPECT_EQ(f.Pitch(), TveskFontPitch::fpFixed);
    EXPECT_EQ(f.Name(), std::string(32, 'F'));
    EXPECT_EQ(f.Size(), 12) << "half to even";
    EXPECT_EQ(f.Height(), -16) << "follows the size";
    EXPECT_EQ(f.Color(), 0x00FF8040u);
    changes = 0;
    fonts.Font(3).SetColor(fonts.Font(3).Color());
    fonts.Font(13).SetColor(0x00FFFFFF);
    EXPECT_EQ(changes, 1) << "an event per real change";

    TveskConfigRecordView out = record.View();
    fonts.WriteToRecord(out);
    std::memcpy(&r, record.Bytes.data(), sizeof r);
    EXPECT_EQ(r.Fonts1to8[0].LogFont.lfPitchAndFamily, 1);
    EXPECT_EQ(std::string(r.Fonts1to8[0].LogFont.lfFaceName), std::string(31, 'F'));

    // A size outside the integer range fails and leaves the font as it was.
    record.View().SetDouble(104, 1e12);
    TveskChemView2PropertiesFonts other;
    EXPECT_THROW(other.ReadFromRecord(record.View()), std::range_error);
    EXPECT_EQ(other.Font(0).Name(), "Arial");
    EXPECT_EQ(other.Font(0).Size(), 48);
}

}  // namespace
