// A structure search over a sheet twice: the second search meets what the first read, kept by
// the search library on both work threads, and must give exactly the first one's hits, for
// frequent and rare rings and a functional group, with stereo chemistry and without. ctest
// runs this program again with VESKCHEMSEARCH_MEMORY_MB=1, where kept molecules are evicted
// all the time.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ModelTestSupport.h"
#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_Object_SearchEngine.h"

using namespace testing_support;

namespace {

const char* const kBenzene =
    "benzene\n"
    "     RDKit          2D\n"
    "\n"
    "  6  6  0  0  0  0  0  0  0  0999 V2000\n"
    "    1.5000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "    0.7500   -1.2990    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "   -0.7500   -1.2990    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "   -1.5000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "   -0.7500    1.2990    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "    0.7500    1.2990    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "  1  2  2  0\n"
    "  2  3  1  0\n"
    "  3  4  2  0\n"
    "  4  5  1  0\n"
    "  5  6  2  0\n"
    "  6  1  1  0\n"
    "M  END\n";
const char* const kIndole =
    "indole\n"
    "     RDKit          2D\n"
    "\n"
    "  9 10  0  0  0  0  0  0  0  0999 V2000\n"
    "   -2.3055   -0.7500    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "   -2.3055    0.7500    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "   -1.0065    1.5000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "    0.2925    0.7500    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "    1.7191    1.2135    0.0000 N   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "    2.6008   -0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "    1.7191   -1.2135    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "    0.2925   -0.7500    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "   -1.0065   -1.5000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "  1  2  2  0\n"
    "  2  3  1  0\n"
    "  3  4  2  0\n"
    "  4  5  1  0\n"
    "  5  6  1  0\n"
    "  6  7  2  0\n"
    "  7  8  1  0\n"
    "  8  9  2  0\n"
    "  9  1  1  0\n"
    "  8  4  1  0\n"
    "M  END\n";
const char* const kAmide =
    "amide\n"
    "     RDKit          2D\n"
    "\n"
    "  3  2  0  0  0  0  0  0  0  0999 V2000\n"
    "   -0.0000   -0.5000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "   -1.2990    0.2500    0.0000 O   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "    1.2990    0.2500    0.0000 N   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "  1  2  2  0\n"
    "  1  3  1  0\n"
    "M  END\n";

TEST(KeptSearch, SecondSearchGivesTheFirstOnesHits) {
    const std::string dataDir = ZELMAR_SDF_DATA_DIR;
    if (!std::filesystem::is_directory(dataDir)) GTEST_SKIP() << "no SD files in " << dataDir;
    std::string text;
    for (const char* name : {"pubchem_sample.sdf", "nci_aids_props.sdf", "no_data_items.sdf",
                             "pubchem_hard_subset.sdf", "v2000_v3000_mixed.sdf"})
        text += ReadText(dataDir + "/" + name);
    TTempDir dir;
    WriteText(dir.File("sheet.sdf"), text);
    platform::TQueuedUiDispatcher ui;
    TZelmarSDFileDataList list(&ui);
    ASSERT_TRUE(list.LoadFile(dir.File("sheet.sdf")));
    ASSERT_TRUE(PumpUntil(ui, [&] { return list.GetLoadFinished(); }));
    ASSERT_GT(list.GetCount(), 1000);

    auto search = [&](const char* molfile, bool stereo) {
        TZelmarDataCarrier query;
        query.SetKind(ecsdtChemistry);
        query.SetText(molfile);
        TZelmarRecordRefs results;
        EXPECT_TRUE(list.SearchDataForField(list.GetChemistryField(), &query, false, &results,
                                            stereo, soContains));
        std::vector<int> hits;
        for (int k = 0; k < results.GetCount(); ++k)
            hits.push_back(list.GetIndexOfSDFileData(results.GetObject(k)));
        return hits;
    };
    const struct {
        const char* Name;
        const char* Molfile;
        std::size_t Fewest;
    } queries[] = {{"benzene", kBenzene, 300}, {"indole", kIndole, 1}, {"amide", kAmide, 100}};
    for (const bool stereo : {false, true})
        for (const auto& q : queries) {
            const std::vector<int> first = search(q.Molfile, stereo);
            EXPECT_GE(first.size(), q.Fewest) << q.Name;
            EXPECT_EQ(search(q.Molfile, stereo), first) << q.Name << ", stereo " << stereo;
        }
    // Another query in between evicts or keeps others; the hits stay.
    const std::vector<int> benzene = search(kBenzene, false);
    search(kAmide, true);
    EXPECT_EQ(search(kBenzene, false), benzene);
}

}  // namespace
