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

// Offsets within a molecule record and the defaults the tables give for them.
// clang-format off
const std::pair<size_t, int32_t> kInts[] = {
    {40, 3}, {620, 0}, {640, 0}, {736, 2}, {740, 255}, {944, 0}, {1180, 3}, {1200, 0}, {1204, 0},
    {1208, 4}, {1228, 0}, {1232, 0}, {1320, 3}, {1388, 0}, {1392, -1},
    {644, 0}, {804, 0}, {820, 0}, {908, 0}, {924, 0}, {1308, 0}, {1396, 0}};  // gaps stay zero
const std::pair<size_t, double> kDoubles[] = {
    {624, 12.0}, {632, 4.0}, {648, 96}, {656, 2}, {664, 16}, {672, 9}, {680, 16}, {688, 9},
    {696, 12}, {704, 12}, {712, 6}, {720, 6}, {728, 3}, {824, 32}, {832, 12}, {840, 9},
    {928, 3.0}, {936, 0.1}, {1184, 8.0}, {1192, 4.0}, {1312, 48.0}};
// Font block offset, its size's offset, its default size.
const size_t kFonts[14][3] = {
    {44, 104, 48}, {116, 176, 32}, {188, 248, 32}, {260, 320, 32}, {332, 392, 32}, {404, 464, 32},
    {476, 536, 32}, {548, 608, 20}, {744, 808, 32}, {848, 912, 20}, {948, 1008, 32},
    {1020, 1080, 12}, {1092, 1152, 8}, {1236, 1296, 72}};
// clang-format on

void ExpectCommonDefaults(const void* rec) {
    for (auto [offset, value] : kInts) EXPECT_EQ(At<int32_t>(rec, offset), value) << offset;
    for (auto [offset, value] : kDoubles) EXPECT_EQ(At<double>(rec, offset), value) << offset;
    for (const auto& f : kFonts) {
        EXPECT_EQ(TextAt(rec, f[0] + 28), "Arial") << f[0];
        EXPECT_EQ(At<int32_t>(rec, f[0]), -std::lround(f[2] * 96.0 / 72)) << f[0];  // lfHeight
        EXPECT_EQ(At<int32_t>(rec, f[0] + 16), 400) << f[0];                        // lfWeight
        EXPECT_EQ(At<double>(rec, f[1]), double(f[2])) << f[0];
        EXPECT_EQ(At<uint32_t>(rec, f[1] + 8), 0u) << f[0];  // black
    }
    EXPECT_EQ(TextAt(rec, 1164), std::localeconv()->decimal_point);
    EXPECT_EQ(TextAt(rec, 1212), " * ");
    EXPECT_EQ(TextAt(rec, 1324), "No-Structure");
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
    for (auto [offset, value] : {std::pair<size_t, int32_t>{0, 1400}, {4, 6}, {8, 0}})
        EXPECT_EQ(At<int32_t>(&mol_, offset), value);
    for (auto [offset, value] : {std::pair<size_t, double>{16, 0.25}, {24, 0.125}, {32, 0.5}})
        EXPECT_EQ(At<double>(&mol_, offset), value);
    ExpectCommonDefaults(&mol_);
}

TEST_F(Records, ReactionDefaultsEmbedTheMoleculeRecord) {
    for (auto [offset, value] :
         {std::pair<size_t, int32_t>{0, 1512}, {4, 1}, {64, 0}, {104, 0}, {112, 1400}, {116, 6}})
        EXPECT_EQ(At<int32_t>(&rxn_, offset), value) << offset;
    for (auto [offset, value] : {std::pair<size_t, double>{16, 0.25},
                                 {40, 30.0},
                                 {48, 6.0},
                                 {56, 40.0},
                                 {72, 6.0},
                                 {80, 160.0},
                                 {88, 30.0},
                                 {96, 30.0}})
        EXPECT_EQ(At<double>(&rxn_, offset), value) << offset;
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
