// The configuration records: defaults at their byte offsets, checks, byte-for-byte storage.

#include <clocale>
#include <cmath>

#include "ViewerTestSupport.h"

using namespace viewertest;

namespace {

template <typename T>
T At(const void* record, size_t offset) {
    T v;
    std::memcpy(&v, static_cast<const char*>(record) + offset, sizeof v);
    return v;
}
std::string TextAt(const void* record, size_t offset) {
    return static_cast<const char*>(record) + offset;
}

void ExpectCommonDefaults(const void* rec) {
    EXPECT_EQ(At<int32_t>(rec, 40), 3);  // hydrogens at hetero and terminal atoms
    const double fontSizes[14] = {48, 32, 32, 32, 32, 32, 32, 20, 32, 20, 32, 12, 8, 72};
    const size_t fontAt[14] = {44,  116, 188, 260, 332,  404,  476,
                               548, 744, 848, 948, 1020, 1092, 1236};
    for (int i = 0; i < 14; ++i) {
        SCOPED_TRACE("font " + std::to_string(i + 1));
        const size_t sizeAt = fontAt[i] + (i == 8 || i == 9 ? 64 : 60);
        EXPECT_EQ(TextAt(rec, fontAt[i] + 28), "Arial");
        EXPECT_EQ(At<int32_t>(rec, fontAt[i]), -std::lround(fontSizes[i] * 96 / 72));  // lfHeight
        EXPECT_EQ(At<int32_t>(rec, fontAt[i] + 16), 400);                              // lfWeight
        EXPECT_EQ(At<double>(rec, sizeAt), fontSizes[i]);
        EXPECT_EQ(At<uint32_t>(rec, sizeAt + 8), 0u);  // black
    }
    EXPECT_EQ(At<int32_t>(rec, 620), 0);
    EXPECT_EQ(At<double>(rec, 624), 12.0);
    EXPECT_EQ(At<double>(rec, 632), 4.0);
    EXPECT_EQ(At<int32_t>(rec, 640), 0);
    const double bondValues[11] = {96, 2, 16, 9, 16, 9, 12, 12, 6, 6, 3};
    for (int i = 0; i < 11; ++i) EXPECT_EQ(At<double>(rec, 648 + 8 * i), bondValues[i]);
    EXPECT_EQ(At<int32_t>(rec, 736), 2);
    EXPECT_EQ(At<int32_t>(rec, 740), 255);
    EXPECT_EQ(At<double>(rec, 824), 32.0);
    EXPECT_EQ(At<double>(rec, 832), 12.0);
    EXPECT_EQ(At<double>(rec, 840), 9.0);
    EXPECT_EQ(At<double>(rec, 928), 3.0);
    EXPECT_EQ(At<double>(rec, 936), 0.1);
    EXPECT_EQ(At<int32_t>(rec, 944), 0);
    EXPECT_EQ(TextAt(rec, 1164), std::localeconv()->decimal_point);
    EXPECT_EQ(At<int32_t>(rec, 1180), 3);
    EXPECT_EQ(At<double>(rec, 1184), 8.0);
    EXPECT_EQ(At<double>(rec, 1192), 4.0);
    EXPECT_EQ(At<int32_t>(rec, 1200), 0);
    EXPECT_EQ(At<int32_t>(rec, 1204), 0);
    EXPECT_EQ(At<int32_t>(rec, 1208), 4);
    EXPECT_EQ(TextAt(rec, 1212), " * ");
    EXPECT_EQ(At<int32_t>(rec, 1228), 0);
    EXPECT_EQ(At<int32_t>(rec, 1232), 0);
    EXPECT_EQ(At<double>(rec, 1312), 48.0);
    EXPECT_EQ(At<int32_t>(rec, 1320), 3);
    EXPECT_EQ(TextAt(rec, 1324), "No-Structure");
    EXPECT_EQ(At<int32_t>(rec, 1388), 0);
    EXPECT_EQ(At<int32_t>(rec, 1392), -1);
    for (size_t gap : {644, 804, 908, 1308, 1396}) EXPECT_EQ(At<int32_t>(rec, gap), 0) << gap;
}

// Every test leaves the library's defaults as it found them.
class Records : public ::testing::Test {
protected:
    void SetUp() override {
        mol_ = DefaultMolRecord();
        rxn_ = DefaultRxnRecord();
    }
    void TearDown() override {
        EXPECT_TRUE(SetDefaultMolFileConfiguration(&mol_, nullptr, 0));
        EXPECT_TRUE(SetDefaultRxnFileConfiguration(&rxn_, nullptr, 0));
    }
    TveskMolConfigRecord mol_;
    TveskRxnConfigRecord rxn_;
    char err_[256] = "";
};

}  // namespace

TEST_F(Records, MoleculeDefaultsSitAtTheirOffsets) {
    EXPECT_EQ(At<int32_t>(&mol_, 0), 1400);
    EXPECT_EQ(At<int32_t>(&mol_, 4), 6);
    EXPECT_EQ(At<int32_t>(&mol_, 8), 0);
    EXPECT_EQ(At<double>(&mol_, 16), 0.25);
    EXPECT_EQ(At<double>(&mol_, 24), 0.125);
    EXPECT_EQ(At<double>(&mol_, 32), 0.5);
    ExpectCommonDefaults(&mol_);
}

TEST_F(Records, ReactionDefaultsEmbedTheMoleculeRecord) {
    EXPECT_EQ(At<int32_t>(&rxn_, 0), 1512);
    EXPECT_EQ(At<int32_t>(&rxn_, 4), 1);
    EXPECT_EQ(At<double>(&rxn_, 16), 0.25);
    const double values[] = {30.0, 6.0, 40.0};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(At<double>(&rxn_, 40 + 8 * i), values[i]);
    EXPECT_EQ(At<int32_t>(&rxn_, 64), 0);
    const double arrow[] = {6.0, 160.0, 30.0, 30.0};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(At<double>(&rxn_, 72 + 8 * i), arrow[i]);
    EXPECT_EQ(At<int32_t>(&rxn_, 104), 0);
    EXPECT_EQ(At<int32_t>(&rxn_, 112), 1400);
    EXPECT_EQ(At<int32_t>(&rxn_, 116), 6);
    ExpectCommonDefaults(reinterpret_cast<const char*>(&rxn_) + 112);
}

TEST_F(Records, SetDefaultStoresEveryByteGetDefaultReturns) {
    // Every byte after the size and version changed, unknown and reserved ones included.
    TveskMolConfigRecord mol = mol_;
    TveskRxnConfigRecord rxn = rxn_;
    auto* mb = reinterpret_cast<unsigned char*>(&mol);
    auto* rb = reinterpret_cast<unsigned char*>(&rxn);
    for (size_t i = 8; i < sizeof mol; ++i) mb[i] = static_cast<unsigned char>(i * 7 + 1);
    for (size_t i = 8; i < sizeof rxn; ++i)
        if (i < 112 || i >= 120) rb[i] = static_cast<unsigned char>(i * 13 + 5);
    ASSERT_TRUE(SetDefaultMolFileConfiguration(&mol, err_, sizeof err_)) << err_;
    ASSERT_TRUE(SetDefaultRxnFileConfiguration(&rxn, err_, sizeof err_)) << err_;
    const TveskMolConfigRecord molBack = DefaultMolRecord();
    const TveskRxnConfigRecord rxnBack = DefaultRxnRecord();
    EXPECT_EQ(std::memcmp(&molBack, &mol, sizeof mol), 0);
    EXPECT_EQ(std::memcmp(&rxnBack, &rxn, sizeof rxn), 0);
    // A handle takes the new default and draws with it (scrambled values must not crash).
    View v(Caffeine());
    ASSERT_TRUE(v.Ok) << v.Err;
    v.Picture();
}

TEST_F(Records, WrongSizesAndVersionsAreRefusedUntouched) {
    TveskMolConfigRecord bad = mol_;
    bad.Version = 5;
    EXPECT_FALSE(SetDefaultMolFileConfiguration(&bad, err_, sizeof err_));
    EXPECT_EQ(Code(err_), VESK_VIEWER_ERR_RECORD);
    TveskRxnConfigRecord badRxn = rxn_;
    badRxn.Molecule.Size = 1399;
    EXPECT_FALSE(SetDefaultRxnFileConfiguration(&badRxn, err_, sizeof err_));
    EXPECT_EQ(Code(err_), VESK_VIEWER_ERR_RECORD);

    // A record announced too small is not written at all.
    TveskMolConfigRecord small;
    std::memset(&small, 0xAB, sizeof small);
    small.Size = 1000;
    small.Version = 6;
    const TveskMolConfigRecord before = small;
    EXPECT_FALSE(GetDefaultMolFileConfiguration(&small, err_, sizeof err_));
    EXPECT_EQ(Code(err_), VESK_VIEWER_ERR_RECORD);
    EXPECT_EQ(std::memcmp(&small, &before, sizeof small), 0);

    View v(Ethanol());
    EXPECT_FALSE(v.Configure(bad));
    EXPECT_EQ(Code(v.Err), VESK_VIEWER_ERR_RECORD);
    // The defaults stayed what they were.
    const TveskMolConfigRecord now = DefaultMolRecord();
    EXPECT_EQ(std::memcmp(&now, &mol_, sizeof now), 0);
}
