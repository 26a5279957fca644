// Keys under duplicate policies through the binding: the real library answers, a library
// without the export loads all the same and answers false.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "ZelmarMolfileBuilder.h"
#include "Zelmar_ChemSearchEngine.h"
#include "vesk_Library.h"

namespace {

using molfile_support::TMolfile;

// Acetic acid; with sodium beside it as the acetate's counter ion when salt is set.
std::string AceticAcid(bool salt) {
    TMolfile m;
    m.Atoms = {{"C", 0, 0}, {"C", 1.3, 0.75}, {"O", 1.3, 2.25}, {"O", 2.6, 0}};
    m.Bonds = {{1, 2, 1}, {2, 3, 2}, {2, 4, 1}};
    if (salt) {
        m.Atoms.insert(m.Atoms.end(), {{"Na", 4.0, 0}});
        m.Properties = {"M  CHG  2   4  -1   5   1"};
    }
    return m.Text();
}

struct TKey {
    bool Answered = false;
    int Result = -2;
    std::string Text;
};

TKey PolicyKey(TZelmarChemSearchEngine& engine, const std::string& mol, int policy) {
    TKey key;
    key.Text = "stale";
    key.Answered = engine.PolicyMatchKey(mol, policy, false, key.Result, key.Text);
    return key;
}

TEST(ChemSearchPolicies, TheLibraryJoinsASaltWithItsAcidOnlyWhenAsked) {
    TZelmarChemSearchEngine engine;
    std::string error;
    engine.Init(error);
    ASSERT_TRUE(engine.Initialized()) << error;
    ASSERT_TRUE(engine.HasPolicyKeys());

    const std::string salt = AceticAcid(true), acid = AceticAcid(false);
    const TKey joined = PolicyKey(engine, salt, dpSalts | dpCharges);
    EXPECT_TRUE(joined.Answered);
    EXPECT_EQ(joined.Result, 1);
    EXPECT_EQ(joined.Text, PolicyKey(engine, acid, dpSalts | dpCharges).Text);
    // The sodium goes, the acetate keeps its charge.
    EXPECT_NE(PolicyKey(engine, salt, dpSalts).Text, PolicyKey(engine, acid, dpSalts).Text);

    std::string exact;
    ASSERT_EQ(engine.ExactMatchKey(salt, false, exact), 1);
    EXPECT_EQ(PolicyKey(engine, salt, 0).Text, exact);

    const TKey empty = PolicyKey(engine, TMolfile().Text(), dpSalts);
    EXPECT_TRUE(empty.Answered);
    EXPECT_EQ(empty.Result, 0);
    EXPECT_EQ(empty.Text, "");
    const TKey unreadable = PolicyKey(engine, "no molfile", dpSalts);
    EXPECT_TRUE(unreadable.Answered);
    EXPECT_EQ(unreadable.Result, -1);
    EXPECT_EQ(unreadable.Text, "");
}

TEST(ChemSearchPolicies, WithoutTheExportOrTheLibraryTheAnswerIsFalse) {
    TZelmarChemSearchEngine idle;
    TKey key = PolicyKey(idle, AceticAcid(false), dpSalts);
    EXPECT_FALSE(key.Answered);
    EXPECT_EQ(key.Result, -1);
    EXPECT_EQ(key.Text, "");

    platform::TLibraryRef standin(ZELMAR_STANDIN_SEARCH_FULL);
    const auto calls = reinterpret_cast<const char* (*)()>(standin.Proc("StandinCalls"));
    const auto reset = reinterpret_cast<void (*)(std::int32_t, int)>(standin.Proc("StandinReset"));
    ASSERT_TRUE(calls != nullptr && reset != nullptr);
    SetChemSearchLibraryFile(ZELMAR_STANDIN_SEARCH_FULL);
    {
        TZelmarChemSearchEngine engine;
        std::string error;
        reset(1, 0);
        engine.Init(error);
        ASSERT_TRUE(engine.Initialized()) << error;
        EXPECT_FALSE(engine.HasPolicyKeys());
        reset(1, 0);
        key = PolicyKey(engine, AceticAcid(false), dpSalts);
        EXPECT_FALSE(key.Answered);
        EXPECT_EQ(key.Result, -1);
        EXPECT_EQ(key.Text, "");
        EXPECT_STREQ(calls(), "");  // not even the molecule is opened
    }
    SetChemSearchLibraryFile("");
}

}  // namespace
