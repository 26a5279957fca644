// Keys under duplicate policies: curated pairs that each policy must join or keep apart, and
// groups on real files against RDKit's standardizer applied in the same order.
#include "SearchTestSupport.h"

#include <GraphMol/FileParsers/FileParsers.h>
#include <GraphMol/GraphMol.h>
#include <GraphMol/MolHash/MolHash.h>
#include <GraphMol/MolOps.h>
#include <GraphMol/MolStandardize/Charge.h>
#include <GraphMol/MolStandardize/Fragment.h>
#include <GraphMol/SmilesParse/SmilesParse.h>
#include <GraphMol/SmilesParse/SmilesWrite.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <thread>

using namespace searchtest;

namespace {

constexpr int kSalts = VESKCHEMSEARCH_POLICY_SALTS, kCharges = VESKCHEMSEARCH_POLICY_CHARGES,
              kIsotopes = VESKCHEMSEARCH_POLICY_ISOTOPES,
              kTautomers = VESKCHEMSEARCH_POLICY_TAUTOMERS;
constexpr int kAll = kSalts | kCharges | kIsotopes | kTautomers;

// A molfile drawn by RDKit from SMILES (2D coordinates, wedges for the centres).
std::string molfile(const std::string& smiles) {
    std::unique_ptr<RDKit::RWMol> m(RDKit::SmilesToMol(smiles));
    return RDKit::MolToMolBlock(*m);
}

std::pair<int, std::string> policyKey(const std::string& text, int policy, bool stereo) {
    const uintptr_t mol = CreateMoleculeHandle();
    OpenMolString(mol, text.c_str());
    char* key = reinterpret_cast<char*>(1);
    const int status = GetPolicyMatchKey(mol, policy, stereo ? 1 : 0, &key);
    std::pair<int, std::string> out(status, key ? key : "");
    std::free(key);
    DestroyMoleculeHandle(mol);
    return out;
}

struct Pair {
    const char* what;
    const char* a;
    const char* b;
    // Whether the two are one molecule under the policy and stereo setting.
    std::function<bool(int policy, bool stereo)> same;
};

TEST(PolicyKeyTest, EachPairJoinsExactlyUnderItsPolicies) {
    auto with = [](int flags) { return [flags](int p, bool) { return (p & flags) == flags; }; };
    auto onlyWithoutStereo = [](int, bool stereo) { return !stereo; };
    const std::vector<Pair> pairs = {
        // The sodium salt leaves acetate, which only neutralising makes the acid.
        {"sodium acetate", "CC(=O)[O-].[Na+]", "CC(=O)O", with(kSalts | kCharges)},
        {"hydrochloride", "CCN(CC)CC.Cl", "CCN(CC)CC", with(kSalts)},
        // Sulfuric acid has more atoms than methanol; the organic fragment is kept all the same.
        {"acid solvate", "CO.OS(=O)(=O)O", "CO", with(kSalts)},
        {"ammonium chloride", "CC[NH+](CC)CC.[Cl-]", "CCN(CC)CC", with(kSalts | kCharges)},
        {"carboxylate", "CC(=O)[O-]", "CC(=O)O", with(kCharges)},
        // The proton moving from oxygen to nitrogen is also a shift the tautomer form pools.
        {"zwitterion", "[NH3+]CC(=O)[O-]", "NCC(=O)O",
         [](int p, bool) { return (p & (kCharges | kTautomers)) != 0; }},
        {"13C", "[13CH3]C(=O)O", "CC(=O)O", with(kIsotopes)},
        {"deuterium", "[2H]C([2H])([2H])O", "CO", with(kIsotopes)},
        {"E/Z", "C/C=C/C", "C/C=C\\C", onlyWithoutStereo},
        {"R/S", "C[C@H](O)CC", "C[C@@H](O)CC", onlyWithoutStereo},
        {"2-pyridone", "O=c1cccc[nH]1", "Oc1ccccn1", with(kTautomers)},
        // Hydrogens on carbon stay put in the tautomer form: keto and enol stay apart.
        {"keto/enol", "CC(C)=O", "C=C(C)O", [](int, bool) { return false; }},
        {"isomers", "CCO", "COC", [](int, bool) { return false; }},
    };
    for (const Pair& pair : pairs) {
        const std::string a = molfile(pair.a), b = molfile(pair.b);
        for (int policy = 0; policy <= kAll; ++policy)
            for (bool stereo : {false, true}) {
                const auto ka = policyKey(a, policy, stereo), kb = policyKey(b, policy, stereo);
                ASSERT_EQ(ka.first, 1) << pair.what << " " << policy;
                ASSERT_EQ(kb.first, 1) << pair.what << " " << policy;
                EXPECT_EQ(ka.second == kb.second, pair.same(policy, stereo))
                    << pair.what << ", policy " << policy << ", stereo " << stereo << "\n"
                    << ka.second << "\n"
                    << kb.second;
            }
    }
}

TEST(PolicyKeyTest, PolicyZeroIsTheExactKeyAndBadCallsAreRefused) {
    for (const char* smiles : {"CC(=O)[O-].[Na+]", "C[C@H](O)CC", "[2H]C([2H])([2H])O"})
        for (bool stereo : {false, true})
            EXPECT_EQ(policyKey(molfile(smiles), 0, stereo), exactKey(molfile(smiles), stereo));

    const std::string acetate = molfile("CC(=O)[O-].[Na+]");
    EXPECT_EQ(policyKey(acetate, 16, false), std::make_pair(-1, std::string()));
    EXPECT_EQ(policyKey(acetate, -1, false), std::make_pair(-1, std::string()));
    EXPECT_EQ(policyKey(Molfile().text(), kAll, false), std::make_pair(0, std::string()));
    EXPECT_EQ(policyKey("garbage", kAll, false), std::make_pair(-1, std::string()));

    const uintptr_t fresh = CreateMoleculeHandle();  // holds no text yet
    const uintptr_t compare = CreateCompareHandle();
    for (uintptr_t h : {fresh, compare, uintptr_t(0)}) {
        char* key = reinterpret_cast<char*>(1);
        EXPECT_EQ(GetPolicyMatchKey(h, kSalts, 0, &key), -1);
        EXPECT_EQ(key, nullptr);
    }
    OpenMolString(fresh, acetate.c_str());
    EXPECT_EQ(GetPolicyMatchKey(fresh, kSalts, 0, nullptr), -1);
    char* key = nullptr;
    EXPECT_EQ(GetPolicyMatchKey(fresh, kSalts, 0x100, &key), 1);  // stereo read on its low byte
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(std::string(key), policyKey(acetate, kSalts, false).second);
    std::free(key);
    DestroyMoleculeHandle(fresh);
    DestroyCompareHandle(compare);
}

// RDKit's steps applied directly to the record; empty where RDKit cannot read it.
std::string referenceKey(const std::string& text, int policy, bool stereo) {
    try {
        std::unique_ptr<RDKit::ROMol> m(RDKit::MolBlockToMol(text, true, true));
        if (!m || m->getNumAtoms() == 0) return {};
        if (!stereo) RDKit::MolOps::removeStereochemistry(*static_cast<RDKit::RWMol*>(m.get()));
        if (policy & kSalts)
            m.reset(RDKit::MolStandardize::LargestFragmentChooser(true).choose(*m));
        if (policy & kCharges) m.reset(RDKit::MolStandardize::Uncharger().uncharge(*m));
        RDKit::RWMol mol(*m);
        if (policy & kIsotopes) {
            for (RDKit::Atom* atom : mol.atoms()) atom->setIsotope(0);
            RDKit::MolOps::removeHs(mol);
        }
        if (policy & kTautomers)
            return RDKit::MolHash::MolHash(&mol, RDKit::MolHash::HashFunction::HetAtomTautomer);
        return RDKit::MolToSmiles(mol);
    } catch (...) {
        return {};
    }
}

std::vector<std::string> realRecords() {
    std::vector<std::string> mols;
    for (const char* name :
         {"pubchem_hard_subset.sdf", "isis_sugars.sdf", "inchi_techman_samples.sdf",
          "no_data_items.sdf", "chiral_flag_examples.sdf", "cdk2_3d_explicit_h.sdf"}) {
        std::string sd;
        if (!readData(name, &sd)) return {};
        for (auto& m : sdMolecules(sd)) mols.push_back(std::move(m));
    }
    return mols;
}

// Equal keys must form the reference's groups: each key stands for one reference key and
// each reference key for one key.
TEST(PolicyKeyTest, GroupsOnRealFilesAreThoseOfRdkitsStandardizer) {
    const std::vector<std::string> mols = realRecords();
    if (mols.empty()) GTEST_SKIP() << "shared test files not available";
    const std::vector<std::pair<int, bool>> settings = {
        {0, false},         {kSalts, false},     {kCharges, false},
        {kIsotopes, false}, {kTautomers, false}, {kSalts | kCharges, false},
        {kAll, false},      {kAll, true},        {kSalts | kIsotopes, true}};
    std::size_t groupsWithout = 0, groupsAll = 0;
    for (const auto& [policy, stereo] : settings) {
        std::map<std::string, std::string> toReference, fromReference;
        int compared = 0;
        for (std::size_t i = 0; i < mols.size(); ++i) {
            const std::string reference = referenceKey(mols[i], policy, stereo);
            if (reference.empty()) continue;
            const auto [status, key] = policyKey(mols[i], policy, stereo);
            ASSERT_EQ(status, 1) << "policy " << policy << ", record " << i;
            ++compared;
            const auto a = toReference.emplace(key, reference);
            const auto b = fromReference.emplace(reference, key);
            EXPECT_EQ(a.first->second, reference) << "policy " << policy << ", record " << i;
            EXPECT_EQ(b.first->second, key) << "policy " << policy << ", record " << i;
        }
        EXPECT_GT(compared, static_cast<int>(mols.size()) * 9 / 10);
        if (policy == kAll && !stereo) groupsAll = toReference.size();
        if (policy == 0) groupsWithout = toReference.size();
    }
    // The files hold salts, charged and labelled forms of one another: the policies join some.
    EXPECT_LT(groupsAll, groupsWithout);
}

// Without stereo, plain texts are read the quick way; the keys must be those of the full
// reading (texts made new, so that nothing read before is reused).
TEST(PolicyKeyTest, QuickReadingGivesTheSameKeys) {
    const std::vector<std::string> mols = realRecords();
    if (mols.empty()) GTEST_SKIP() << "shared test files not available";
    std::vector<std::pair<int, std::string>> quick;
    quick.reserve(mols.size());
    for (const auto& m : mols) quick.push_back(policyKey(m + " ", kAll, false));
    const int was = UseQuickPaths(0);
    for (std::size_t i = 0; i < mols.size(); ++i)
        EXPECT_EQ(policyKey(mols[i] + "  ", kAll, false), quick[i]) << "record " << i;
    UseQuickPaths(was);
}

// Each thread has its own handles (and the library its own standardizers per thread).
TEST(PolicyKeyTest, SameKeysOnSeveralThreads) {
    std::vector<std::string> mols;
    for (const char* smiles : {"CC(=O)[O-].[Na+]", "CCN(CC)CC.Cl", "[NH3+]CC(=O)[O-]",
                               "O=c1cccc[nH]1", "[2H]C([2H])([2H])O", "C[C@H](O)CC"})
        mols.push_back(molfile(smiles));
    std::vector<std::string> expected[2];
    for (bool stereo : {false, true})
        for (const auto& m : mols) expected[stereo].push_back(policyKey(m, kAll, stereo).second);
    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    threads.reserve(2);
    for (int n = 0; n < 2; ++n)
        threads.emplace_back([&, n] {
            for (int round = 0; round < 40; ++round) {
                const bool stereo = round / 2 % 2 != 0;
                // Texts the other thread reads too, and texts only this one reads.
                const std::string tail(round % 2 ? 0 : n + 1, ' ');
                for (std::size_t i = 0; i < mols.size(); ++i)
                    mismatches +=
                        policyKey(mols[i] + tail, kAll, stereo).second != expected[stereo][i];
            }
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(mismatches.load(), 0);
}

}  // namespace
