// Duplicate search and mixing under duplicate policies: curated pairs that each policy (and
// combinations) must join or keep apart, the order of the groups, stopping, and the keys kept
// with the records.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "SheetTestSupport.h"
#include "ZelmarMolfileBuilder.h"
#include "Zelmar_ChemSearchEngine.h"
#include "Zelmar_Object_PolicyKeys.h"
#include "Zelmar_Object_Sorter.h"
#include "Zelmar_SetOperations.h"

using namespace sheet_support;
using namespace testing_support;

namespace {

using molfile_support::TAtom;
using molfile_support::TBond;
using molfile_support::TMolfile;
using TGroups = std::vector<std::vector<std::string>>;

// Atoms "C", "N+", "O-" (charge after the symbol), at the given places.
std::string Mol(const std::vector<std::pair<std::string, std::pair<double, double>>>& atoms,
                const std::vector<TBond>& bonds, const std::vector<std::string>& properties = {}) {
    TMolfile molfile;
    for (const auto& [text, place] : atoms) {
        TAtom atom;
        atom.Symbol = text;
        if (!text.empty() && (text.back() == '+' || text.back() == '-')) {
            atom.Symbol = text.substr(0, text.size() - 1);
            atom.Charge = text.back() == '+' ? 3 : 5;
        }
        atom.X = place.first;
        atom.Y = place.second;
        molfile.Atoms.push_back(atom);
    }
    molfile.Bonds = bonds;
    molfile.Properties = properties;
    return molfile.Text();
}

// A hexagon's corners for ring atoms 1-6, the seventh atom outside corner 2.
std::vector<std::pair<std::string, std::pair<double, double>>> Ring(
    const std::vector<std::string>& symbols) {
    const double corners[7][2] = {{0, 1.5},      {1.3, 0.75},  {1.3, -0.75}, {0, -1.5},
                                  {-1.3, -0.75}, {-1.3, 0.75}, {2.6, 1.5}};
    std::vector<std::pair<std::string, std::pair<double, double>>> atoms;
    for (std::size_t i = 0; i < symbols.size(); ++i)
        atoms.push_back({symbols[i], {corners[i][0], corners[i][1]}});
    return atoms;
}

const std::string kEthanolWater =
    Mol({{"C", {0, 0}}, {"C", {1.3, 0.75}}, {"O", {2.6, 0}}, {"O", {6, 0}}},
        {{1, 2, 1, 0}, {2, 3, 1, 0}});
const std::string kEthanol13C = Mol({{"C", {0, 0}}, {"C", {1.3, 0.75}}, {"O", {2.6, 0}}},
                                    {{1, 2, 1, 0}, {2, 3, 1, 0}}, {"M  ISO  1   1  13"});
const std::string kGlycine = Mol(
    {{"N", {0, 0}}, {"C", {1.3, 0.75}}, {"C", {2.6, 0}}, {"O", {2.6, -1.5}}, {"O", {3.9, 0.75}}},
    {{1, 2, 1, 0}, {2, 3, 1, 0}, {3, 4, 2, 0}, {3, 5, 1, 0}});
const std::string kGlycineZwitterion = Mol(
    {{"N+", {0, 0}}, {"C", {1.3, 0.75}}, {"C", {2.6, 0}}, {"O", {2.6, -1.5}}, {"O-", {3.9, 0.75}}},
    {{1, 2, 1, 0}, {2, 3, 1, 0}, {3, 4, 2, 0}, {3, 5, 1, 0}});
const std::string kAceticAcid =
    Mol({{"C", {0, 0}}, {"C", {1.3, 0.75}}, {"O", {1.3, 2.25}}, {"O", {2.6, 0}}},
        {{1, 2, 1, 0}, {2, 3, 2, 0}, {2, 4, 1, 0}});
const std::string kSodiumAcetate =
    Mol({{"C", {0, 0}}, {"C", {1.3, 0.75}}, {"O", {1.3, 2.25}}, {"O-", {2.6, 0}}, {"Na+", {5, 0}}},
        {{1, 2, 1, 0}, {2, 3, 2, 0}, {2, 4, 1, 0}});
// 2-butene drawn trans and cis.
const std::string kButeneE =
    Mol({{"C", {0, 0}}, {"C", {1.3, 0.75}}, {"C", {2.6, 0}}, {"C", {3.9, 0.75}}},
        {{1, 2, 1, 0}, {2, 3, 2, 0}, {3, 4, 1, 0}});
const std::string kButeneZ =
    Mol({{"C", {0, 0}}, {"C", {1.3, 0.75}}, {"C", {2.6, 0}}, {"C", {2.6, -1.5}}},
        {{1, 2, 1, 0}, {2, 3, 2, 0}, {3, 4, 1, 0}});
// 2-butanol with the C-O bond wedged up or down.
std::string Butanol(int wedge) {
    return Mol({{"C", {0, 0}},
                {"C", {-1.3, -0.75}},
                {"C", {1.3, -0.75}},
                {"C", {2.6, 0}},
                {"O", {0, 1.5}}},
               {{1, 2, 1, 0}, {1, 3, 1, 0}, {3, 4, 1, 0}, {1, 5, 1, wedge}});
}
const std::string kAcetone =
    Mol({{"C", {0, 0}}, {"C", {1.3, 0.75}}, {"O", {1.3, 2.25}}, {"C", {2.6, 0}}},
        {{1, 2, 1, 0}, {2, 3, 2, 0}, {2, 4, 1, 0}});
const std::string kPropenol =
    Mol({{"C", {0, 0}}, {"C", {1.3, 0.75}}, {"O", {1.3, 2.25}}, {"C", {2.6, 0}}},
        {{1, 2, 2, 0}, {2, 3, 1, 0}, {2, 4, 1, 0}});
const std::string kPyridone = Mol(Ring({"N", "C", "C", "C", "C", "C", "O"}), {{1, 2, 1, 0},
                                                                              {2, 3, 1, 0},
                                                                              {3, 4, 2, 0},
                                                                              {4, 5, 1, 0},
                                                                              {5, 6, 2, 0},
                                                                              {6, 1, 1, 0},
                                                                              {2, 7, 2, 0}});
const std::string kHydroxypyridine = Mol(Ring({"N", "C", "C", "C", "C", "C", "O"}), {{1, 2, 2, 0},
                                                                                     {2, 3, 1, 0},
                                                                                     {3, 4, 2, 0},
                                                                                     {4, 5, 1, 0},
                                                                                     {5, 6, 2, 0},
                                                                                     {6, 1, 1, 0},
                                                                                     {2, 7, 1, 0}});

// The curated sheet: each pair differs in what one policy sets aside.
void AddCurated(TZelmarSDFileDataList& list) {
    const std::pair<const char*, std::string> records[] = {{"ethanol", kEthanol},
                                                           {"ethanol+water", kEthanolWater},
                                                           {"ethanol-13C", kEthanol13C},
                                                           {"glycine", kGlycine},
                                                           {"glycine+-", kGlycineZwitterion},
                                                           {"acetic", kAceticAcid},
                                                           {"Na acetate", kSodiumAcetate},
                                                           {"E", kButeneE},
                                                           {"Z", kButeneZ},
                                                           {"R", Butanol(1)},
                                                           {"S", Butanol(6)},
                                                           {"acetone", kAcetone},
                                                           {"enol", kPropenol},
                                                           {"pyridone", kPyridone},
                                                           {"hydroxypyridine", kHydroxypyridine}};
    for (const auto& [id, mol] : records) AddRecord(list, mol, id);
}

// The groups of a search: each group's ids in result order.
TGroups Groups(const TZelmarRecordRefs& results) {
    TGroups groups;
    for (int i = 0; i < results.GetCount(); ++i) {
        if (i == 0 || results.GetText(i) != results.GetText(i - 1)) groups.emplace_back();
        groups.back().push_back(Id(results.GetObject(i)));
    }
    return groups;
}

TGroups Search(TZelmarSDFileDataList& list, int policy, bool stereo) {
    const TZelmarField chem = Field(ecsdtChemistry, "ecsdtChemistry");
    TZelmarRecordRefs results;
    EXPECT_TRUE(list.SearchForDuplicates(&chem, stereo, &results, policy));
    return Groups(results);
}

std::set<std::set<std::string>> AsSets(const TGroups& groups) {
    std::set<std::set<std::string>> sets;
    for (const auto& group : groups) sets.insert(std::set<std::string>(group.begin(), group.end()));
    return sets;
}

class DuplicatePolicies : public ::testing::Test {
protected:
    void SetUp() override {
        if (!ZelmarPolicyKeysAvailable()) GTEST_FAIL() << "the search library makes no policy keys";
    }
};

}  // namespace

TEST_F(DuplicatePolicies, EachPolicyJoinsWhatItSetsAsideAndNothingElse) {
    TZelmarSDFileDataList list(nullptr);
    AddCurated(list);
    using TSets = std::set<std::set<std::string>>;
    const std::set<std::string> EZ{"E", "Z"}, RS{"R", "S"};
    struct TCase {
        int Policy;
        bool Stereo;
        TSets Expected;
    };
    const TCase cases[] = {
        {0, false, {EZ, RS}},
        {0, true, {}},
        {dpSalts, false, {{"ethanol", "ethanol+water"}, EZ, RS}},
        {dpCharges, true, {{"glycine", "glycine+-"}}},
        {dpIsotopes, true, {{"ethanol", "ethanol-13C"}}},
        // Keto and enol differ in a hydrogen on carbon: never one.
        {dpTautomers, true, {{"pyridone", "hydroxypyridine"}, {"glycine", "glycine+-"}}},
        // A salt's parent needs both: the fragment, then its charge.
        {dpSalts | dpCharges,
         true,
         {{"ethanol", "ethanol+water"}, {"glycine", "glycine+-"}, {"acetic", "Na acetate"}}},
        {dpSalts | dpIsotopes, true, {{"ethanol", "ethanol+water", "ethanol-13C"}}},
        {kZelmarAllPolicies,
         true,
         {{"ethanol", "ethanol+water", "ethanol-13C"},
          {"glycine", "glycine+-"},
          {"acetic", "Na acetate"},
          {"pyridone", "hydroxypyridine"}}},
        {kZelmarAllPolicies,
         false,
         {{"ethanol", "ethanol+water", "ethanol-13C"},
          {"glycine", "glycine+-"},
          {"acetic", "Na acetate"},
          {"pyridone", "hydroxypyridine"},
          EZ,
          RS}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(AsSets(Search(list, c.Policy, c.Stereo)), c.Expected)
            << "policy " << c.Policy << " stereo " << c.Stereo;
}

TEST_F(DuplicatePolicies, GroupsComeInFormulaOrderWithTheirRecordsInSheetOrder) {
    TZelmarSDFileDataList list(nullptr);
    // The salt first: its group starts with it though its parent's formula sorts before.
    AddRecord(list, kSodiumAcetate, "Na acetate");
    AddRecord(list, kPyridone, "pyridone");
    AddRecord(list, kEthanol, "ethanol");
    AddRecord(list, kAceticAcid, "acetic");
    AddRecord(list, kEthanolWater, "ethanol+water");
    AddRecord(list, kHydroxypyridine, "hydroxypyridine");
    AddRecord(list, kEthanol13C, "ethanol-13C")->Selected = false;  // unchecked: never counts
    const TZelmarField chem = Field(ecsdtChemistry, "ecsdtChemistry");
    TZelmarRecordRefs results;
    ASSERT_TRUE(list.SearchForDuplicates(&chem, false, &results, kZelmarAllPolicies));
    const TGroups groups = Groups(results);
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(AsSets(groups), (std::set<std::set<std::string>>{{"Na acetate", "acetic"},
                                                               {"pyridone", "hydroxypyridine"},
                                                               {"ethanol", "ethanol+water"}}));
    // Labels count up; each group lists its records in sheet order; the groups follow the
    // formulas of their first records, as the exact search orders its blocks.
    std::vector<std::string> labels, firstFormulas;
    for (int i = 0; i < results.GetCount(); ++i) labels.push_back(results.GetText(i));
    EXPECT_EQ(labels, (std::vector<std::string>{"1", "1", "2", "2", "3", "3"}));
    const std::vector<std::string> sheet = Ids(list);
    for (int i = 0; i < results.GetCount(); i += 2) {
        const auto first = std::find(sheet.begin(), sheet.end(), Id(results.GetObject(i)));
        const auto second = std::find(sheet.begin(), sheet.end(), Id(results.GetObject(i + 1)));
        EXPECT_LT(first, second);
        firstFormulas.push_back(results.GetObject(i)->GetFormula());
    }
    for (std::size_t i = 1; i < firstFormulas.size(); ++i)
        EXPECT_LE(TZelmarSorter::CompareStringKeys(firstFormulas[i - 1], firstFormulas[i]), 0);
}

TEST_F(DuplicatePolicies, UnreadableMoleculesNeverGroupEmptyOnesAsInTheExactSearch) {
    TZelmarSDFileDataList list(nullptr);
    AddRecord(list, "garbage\n\n\n  x\n", "bad 1");
    AddRecord(list, "garbage\n\n\n  x\n", "bad 2");
    AddRecord(list, MolBlock("m", {}), "empty 1");
    AddRecord(list, "", "empty 2");
    AddRecord(list, kEthanol, "ethanol");
    const TGroups exact = Search(list, 0, false);
    for (const int policy : {int(dpSalts), int(dpTautomers), kZelmarAllPolicies})
        EXPECT_EQ(Search(list, policy, false), exact) << policy;
    EXPECT_EQ(exact, (TGroups{{"empty 1", "empty 2"}}));
}

TEST_F(DuplicatePolicies, PolicyZeroIsTheExactSearchAndPoliciesOnlyJoinExactGroups) {
    TZelmarSDFileDataList list(nullptr);
    for (const char* name : {"pubchem_sample.sdf", "nci_aids_props.sdf", "chiral_flag_examples.sdf",
                             "inchi_techman_samples.sdf"}) {
        const std::string sd = ReadText(std::string(ZELMAR_SDF_DATA_DIR) + "/" + name);
        ASSERT_FALSE(sd.empty()) << name;
        int n = 0;
        for (std::size_t pos = 0, end; (end = sd.find("M  END", pos)) != std::string::npos;) {
            end = sd.find('\n', end);
            const std::string mol = sd.substr(pos, end + 1 - pos);
            // Each molecule twice, the second under another title: the same structure in
            // another text.
            AddRecord(list, mol, std::string(name) + "#" + std::to_string(n));
            AddRecord(list, "copy" + mol.substr(mol.find('\n')),
                      std::string(name) + "=" + std::to_string(n++));
            pos = sd.find("$$$$", end);
            if (pos == std::string::npos) break;
            pos = sd.find('\n', pos) + 1;
        }
    }
    const TZelmarField chem = Field(ecsdtChemistry, "ecsdtChemistry");
    for (const bool stereo : {false, true}) {
        TZelmarRecordRefs before, zero;
        ASSERT_TRUE(list.SearchForDuplicates(&chem, stereo, &before));
        ASSERT_TRUE(list.SearchForDuplicates(&chem, stereo, &zero, 0));
        EXPECT_EQ(Groups(zero), Groups(before));
        EXPECT_GT(Groups(zero).size(), 300u);
        // Setting more aside never splits what is identical.
        for (const int policy : {int(dpSalts), int(dpCharges | dpIsotopes), kZelmarAllPolicies}) {
            std::map<std::string, std::size_t> groupOf;
            const TGroups wider = Search(list, policy, stereo);
            for (std::size_t g = 0; g < wider.size(); ++g)
                for (const std::string& id : wider[g]) groupOf[id] = g;
            for (const auto& group : Groups(zero))
                for (const std::string& id : group) {
                    ASSERT_TRUE(groupOf.count(id)) << id << " policy " << policy;
                    EXPECT_EQ(groupOf[id], groupOf[group.front()]) << id << " policy " << policy;
                }
        }
    }
}

TEST_F(DuplicatePolicies, StoppingAnswersFalseWithoutGroupsAndKeepsNoHalfKeys) {
    TZelmarSDFileDataList list(nullptr);
    constexpr int kCount = 3000;
    for (int i = 0; i < kCount; ++i) {
        // Distinct texts, so that every key is made: a title per record.
        std::string mol = i % 2 == 0 ? kSodiumAcetate : kAceticAcid;
        mol.replace(0, 4, std::to_string(i));
        AddRecord(list, mol, std::to_string(i));
    }
    int calls = 0;
    list.OnSearchProgress = [&calls](TZelmarSDFileDataList*, int) { return ++calls < 4; };
    const TZelmarField chem = Field(ecsdtChemistry, "ecsdtChemistry");
    const std::int64_t before = ZelmarPolicyKeysMade();
    TZelmarRecordRefs results;
    EXPECT_FALSE(list.SearchForDuplicates(&chem, false, &results, dpSalts | dpCharges));
    EXPECT_EQ(results.GetCount(), 0);
    EXPECT_LT(ZelmarPolicyKeysMade() - before, kCount / 2);
    // Going on afterwards makes every key, none was kept from the stopped run.
    list.OnSearchProgress = nullptr;
    const std::int64_t again = ZelmarPolicyKeysMade();
    EXPECT_EQ(Search(list, dpSalts | dpCharges, false).size(), 1u);
    EXPECT_EQ(ZelmarPolicyKeysMade() - again, kCount);
}

TEST_F(DuplicatePolicies, KeptKeysServeTheNextSearchUntilTheMoleculeIsEdited) {
    TZelmarSDFileDataList list(nullptr);
    AddCurated(list);
    const int count = list.GetCount();
    const int policy = dpSalts | dpCharges;
    std::int64_t made = ZelmarPolicyKeysMade();
    const TGroups first = Search(list, policy, true);
    EXPECT_EQ(ZelmarPolicyKeysMade() - made, count);
    made = ZelmarPolicyKeysMade();
    EXPECT_EQ(Search(list, policy, true), first);
    EXPECT_EQ(ZelmarPolicyKeysMade() - made, 0);
    // Another policy or stereo setting has keys of its own; the first ones stay kept.
    Search(list, policy, false);
    Search(list, dpTautomers, true);
    EXPECT_EQ(ZelmarPolicyKeysMade() - made, 2 * count);
    made = ZelmarPolicyKeysMade();
    EXPECT_EQ(Search(list, policy, true), first);
    EXPECT_EQ(ZelmarPolicyKeysMade() - made, 0);

    // The acetone becomes a second ethanol with water: one key anew, and it joins the group.
    TZelmarSDFileData* acetone = list.GetSDFileData(11);
    ASSERT_EQ(Id(acetone), "acetone");
    Set(acetone, ecsdtChemistry, "", kEthanolWater);
    made = ZelmarPolicyKeysMade();
    EXPECT_EQ(AsSets(Search(list, policy, true)).count({"ethanol", "ethanol+water", "acetone"}),
              1u);
    EXPECT_EQ(ZelmarPolicyKeysMade() - made, 1);

    // Copies of one text are keyed once, and all of them are found.
    TZelmarSDFileDataList copies(nullptr);
    for (int i = 0; i < 50; ++i) AddRecord(copies, kSodiumAcetate, std::to_string(i));
    made = ZelmarPolicyKeysMade();
    const TGroups groups = Search(copies, kZelmarAllPolicies, false);
    EXPECT_EQ(ZelmarPolicyKeysMade() - made, 1);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].size(), 50u);
}

TEST_F(DuplicatePolicies, MixingComparesByThePolicysKeys) {
    TZelmarSDFileDataList left(nullptr), right(nullptr);
    AddRecord(left, kEthanol, "ethanol");
    AddRecord(left, kSodiumAcetate, "Na acetate");
    AddRecord(left, kGlycineZwitterion, "glycine+-");
    AddRecord(left, MolBlock("m", {}), "empty");
    AddRecord(right, kEthanolWater, "ethanol+water");
    AddRecord(right, kAceticAcid, "acetic");
    AddRecord(right, MolBlock("m", {}), "empty right");
    const TZelmarField chem = Field(ecsdtChemistry, "ecsdtChemistry");
    TZelmarSetOperations operations;
    auto mix = [&](int operation, int policy) {
        TZelmarSDFileDataList target(nullptr);
        EXPECT_TRUE(operations.Mix(operation, &left, &right, &chem, &target, policy));
        return Ids(target);
    };
    using TIds = std::vector<std::string>;
    EXPECT_TRUE(mix(TZelmarSetOperations::opIntersect, 0).empty());
    // Each left record is followed by its matches on the right; empty molecules never match.
    EXPECT_EQ(mix(TZelmarSetOperations::opIntersect, dpSalts), (TIds{"ethanol", "ethanol+water"}));
    const TIds both = mix(TZelmarSetOperations::opIntersect, dpSalts | dpCharges);
    EXPECT_EQ(std::set<std::string>(both.begin(), both.end()),
              (std::set<std::string>{"ethanol", "ethanol+water", "Na acetate", "acetic"}));
    ASSERT_EQ(both.size(), 4u);
    EXPECT_EQ(both[1] == "ethanol+water", both[0] == "ethanol");
    EXPECT_EQ(mix(TZelmarSetOperations::opLeftMinusRight, 0).size(), 4u);
    TIds rest = mix(TZelmarSetOperations::opLeftMinusRight, dpSalts | dpCharges);
    std::sort(rest.begin(), rest.end());
    EXPECT_EQ(rest, (TIds{"empty", "glycine+-"}));
    rest = mix(TZelmarSetOperations::opRightMinusLeft, dpSalts);
    std::sort(rest.begin(), rest.end());
    EXPECT_EQ(rest, (TIds{"acetic", "empty right"}));
    // Stopped while the keys are made: false, and the target keeps what it had.
    TZelmarSDFileDataList stopped(nullptr);
    AddRecord(stopped, kEthanol, "before");
    stopped.OnMixProgress = [](TZelmarSDFileDataList*, int, int) { return false; };
    EXPECT_FALSE(operations.Mix(TZelmarSetOperations::opIntersect, &left, &right, &chem, &stopped,
                                dpSalts | dpTautomers));
    EXPECT_EQ(Ids(stopped), (TIds{"before"}));
    // A policy outside the four bits is refused, the target stays empty.
    TZelmarSDFileDataList target(nullptr);
    EXPECT_FALSE(
        operations.Mix(TZelmarSetOperations::opIntersect, &left, &right, &chem, &target, 16));
    EXPECT_EQ(target.GetCount(), 0);
}

TEST(DuplicatePolicyWords, CommandLineWordsInAnyOrder) {
    int policy = -1;
    std::string bad;
    EXPECT_TRUE(ZelmarParsePolicy("tautomers,salts", policy, bad));
    EXPECT_EQ(policy, dpSalts | dpTautomers);
    EXPECT_TRUE(ZelmarParsePolicy("salts,charges,isotopes,tautomers", policy, bad));
    EXPECT_EQ(policy, kZelmarAllPolicies);
    EXPECT_EQ(ZelmarPolicyWords(dpCharges | dpIsotopes), "charges,isotopes");
    for (const char* wrong : {"", "salt", "salts,", "salts,,charges", "Salts"}) {
        EXPECT_FALSE(ZelmarParsePolicy(wrong, policy, bad)) << wrong;
        EXPECT_EQ(policy, 0);
    }
    EXPECT_FALSE(ZelmarParsePolicy("charges,stereo", policy, bad));
    EXPECT_EQ(bad, "stereo");
}
