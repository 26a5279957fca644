// The binding writes its records itself; here they are read through the library's own
// declaration of the same records, so that both agree on every field.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "veskChemViewer.h"
#include "vesk_ChemView2Properties.h"

namespace {

void Distinct(TveskChemView2Properties& p) {
    for (int i = 0; i < TveskChemView2PropertiesFonts::Count; ++i) {
        TveskChemView2Font& f = p.Fonts->Font(i);
        f.SetName("Face" + std::to_string(i + 1));
        f.SetSize(10 + i);
        f.SetColor(0x00010000u * static_cast<std::uint32_t>(i + 1));
        f.SetStyle(i % 2 == 0 ? fsBold : fsItalic);
    }
    p.Display->HydrogenMode = 2;
    p.Display->DecimalSeparator = "dec";
    p.Display->Value1 = 11;
    p.Display->Value2 = 12.5;
    p.Display->Value3 = 13.5;
    p.Display->Flag1 = true;
    p.Display->Flag2 = false;
    p.Display->Value4 = 14;
    p.Display->FormulaSeparator = "sep";
    p.Display->Flag3 = true;
    p.Display->NoStructureText = "empty";
    p.Display->Flag4 = true;
    p.Display->Flag5 = false;
    p.Bonds->Color = 0x00ABCDEF;
    for (std::size_t i = 0; i < p.Bonds->Values.size(); ++i) p.Bonds->Values[i] = 100.0 + i;
    p.ReactingCenters->Value = 21;
    p.ReactingCenters->Color = 0x00222222;
    p.ReactingCenters->Values = {23, 24, 25};
    p.Mapping->On = true;
    p.Mapping->Values = {31, 32};
    p.Brackets->Values = {41, 42};
    p.Brackets->Value3 = 43;
    p.Stoichiometry->On = true;
    p.Stoichiometry->Value = 51;
    p.Stoichiometry->Value2 = 52;
}

void ExpectFont(const TveskLogFont& lf, double size, std::uint32_t colour, int i) {
    EXPECT_EQ(std::string(lf.lfFaceName), "Face" + std::to_string(i + 1)) << i;
    EXPECT_EQ(lf.lfWeight, i % 2 == 0 ? 700 : 400) << i;
    EXPECT_EQ(lf.lfItalic, i % 2 == 0 ? 0 : 1) << i;
    EXPECT_EQ(lf.lfHeight, -((10 + i) * 96 + 36) / 72) << i;
    EXPECT_EQ(size, 10.0 + i) << i;
    EXPECT_EQ(colour, 0x00010000u * static_cast<std::uint32_t>(i + 1)) << i;
}

void ExpectCommon(const TveskMolConfigRecord& r) {
    EXPECT_EQ(r.Size, 1400);
    EXPECT_EQ(r.Version, 6);
    for (int i = 0; i < 8; ++i) {
        ExpectFont(r.Fonts1to8[i].LogFont, r.Fonts1to8[i].Size, r.Fonts1to8[i].Colour, i);
    }
    ExpectFont(r.Font9.LogFont, r.Font9.Size, r.Font9.Colour, 8);
    ExpectFont(r.Font10.LogFont, r.Font10.Size, r.Font10.Colour, 9);
    ExpectFont(r.Font11.LogFont, r.Font11.Size, r.Font11.Colour, 10);
    ExpectFont(r.Font12.LogFont, r.Font12.Size, r.Font12.Colour, 11);
    ExpectFont(r.Font13.LogFont, r.Font13.Size, r.Font13.Colour, 12);
    ExpectFont(r.Font14.LogFont, r.Font14.Size, r.Font14.Colour, 13);
    EXPECT_EQ(r.HydrogenMode, 2);
    EXPECT_STREQ(r.DecimalSeparator, "dec");
    EXPECT_EQ(r.DisplayValue1180, 11);
    EXPECT_EQ(r.DisplayValue1184, 12.5);
    EXPECT_EQ(r.DisplayValue1192, 13.5);
    EXPECT_EQ(r.DisplayFlag1, -1);
    EXPECT_EQ(r.DisplayFlag2, 0);
    EXPECT_EQ(r.DisplayValue1208, 14);
    EXPECT_STREQ(r.FormulaSeparator, "sep");
    EXPECT_EQ(r.DisplayFlag3, -1);
    EXPECT_STREQ(r.EmptyStructureText, "empty");
    EXPECT_EQ(r.DisplayFlag4, -1);
    EXPECT_EQ(r.DisplayFlag5, 0);
    EXPECT_EQ(r.BondColour, 0x00ABCDEFu);
    for (int i = 0; i < 11; ++i) EXPECT_EQ(r.BondValues[i], 100.0 + i);
    EXPECT_EQ(r.ReactingCentreValue, 21);
    EXPECT_EQ(r.ReactingCentreColour, 0x00222222u);
    EXPECT_EQ(r.ReactingCentreValues[2], 25);
    EXPECT_EQ(r.MappingOn, -1);
    EXPECT_EQ(r.MappingValues[1], 32);
    EXPECT_EQ(r.BracketValues[0], 41);
    EXPECT_EQ(r.BracketValue3, 43);
    EXPECT_EQ(r.StoichiometryOn, -1);
    EXPECT_EQ(r.StoichiometryValue, 51);
    EXPECT_EQ(r.StoichiometryValue2, 52);
}

TEST(ChemView2Layout, RecordsMatchTheLibrarysDeclaration) {
    TveskChemView2MolProperties mol;
    Distinct(mol);
    mol.Scaling->Mode = 7;
    mol.Scaling->Values = {1, 2, 3};
    MolConfigRecord molBytes;
    mol.WriteToRecord(molBytes);
    TveskMolConfigRecord molRecord;
    static_assert(sizeof molRecord == MolConfigRecordSize, "same size");
    std::memcpy(&molRecord, molBytes.Bytes.data(), sizeof molRecord);
    ExpectCommon(molRecord);
    EXPECT_EQ(molRecord.ScalingMode, 7);
    EXPECT_EQ(molRecord.ScalingValues[2], 3);

    TveskChemView2RxnProperties rxn;
    Distinct(rxn);
    rxn.Scaling->Mode = 8;
    rxn.Reaction->Value = 61;
    rxn.Reaction->Plus->Values = {62, 63};
    rxn.Reaction->Plus->Value3 = 64;
    rxn.Reaction->Arrow->Values = {65, 66, 67, 68};
    rxn.Reaction->Arrow->Value5 = 69;
    RxnConfigRecord rxnBytes;
    rxn.WriteToRecord(rxnBytes);
    TveskRxnConfigRecord rxnRecord;
    static_assert(sizeof rxnRecord == RxnConfigRecordSize, "same size");
    std::memcpy(&rxnRecord, rxnBytes.Bytes.data(), sizeof rxnRecord);
    EXPECT_EQ(rxnRecord.Size, 1512);
    EXPECT_EQ(rxnRecord.Version, 1);
    EXPECT_EQ(rxnRecord.ScalingMode, 8);
    EXPECT_EQ(rxnRecord.ReactionValue, 61);
    EXPECT_EQ(rxnRecord.PlusValues[1], 63);
    EXPECT_EQ(rxnRecord.PlusValue3, 64);
    EXPECT_EQ(rxnRecord.ArrowValues[3], 68);
    EXPECT_EQ(rxnRecord.ArrowValue5, 69);
    ExpectCommon(rxnRecord.Molecule);
}

}  // namespace
