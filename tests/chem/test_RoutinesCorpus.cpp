// The shared real SD files through the binding: a full round trip, and formula and weight
// against the values PubChem stores with its records.

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <memory>

#include "ChemTestSupport.h"
#include "vesk_ChemRoutines.h"

using namespace chemTest;

namespace {

// The shared real SD files, none when they are not there.
std::vector<std::string> CorpusFiles() {
    std::vector<std::string> files;
    if (!fs::is_directory(ZELMAR_SDF_CORPUS_DIR)) return files;
    for (const auto& item : fs::recursive_directory_iterator(ZELMAR_SDF_CORPUS_DIR)) {
        const std::string ext = item.path().extension().string();
        if (item.is_regular_file() && (ext == ".sdf" || ext == ".sd"))
            files.push_back(item.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

struct TReadResult {
    std::string OpenError;  // empty when the file opened
    std::vector<std::unique_ptr<TveskSDFileEntry>> Entries;
    int Failed = 0;
};

// Reads every record by index; each failure is printed with its message, none is skipped.
TReadResult ReadAll(const std::string& path) {
    TReadResult result;
    TveskSDFileManager manager;
    if (!manager.OpenSDFile(path, "", nullptr, nullptr, true)) {
        result.OpenError = manager.LastError;
        EXPECT_FALSE(result.OpenError.empty()) << path;
        std::cout << "[ not opened ] " << path << ": " << result.OpenError << "\n";
        return result;
    }
    for (int i = 0; i < manager.TotalCount(); ++i) {
        auto entry = std::make_unique<TveskSDFileEntry>();
        if (manager.LoadEntryData(i, entry.get())) {
            result.Entries.push_back(std::move(entry));
            continue;
        }
        ++result.Failed;
        EXPECT_FALSE(manager.LastError.empty()) << path << " record " << i;
        std::cout << "[ failed     ] " << path << " record " << i << ": " << manager.LastError
                  << "\n";
    }
    return result;
}

// Formula and weight are checked against PubChem's items where a record has them. Older PubChem
// records used atomic weights with more digits (C 12.0107, H 1.00794) than the library
// (C 12.011, H 1.008); the gap grows with the atom count, about 2.3e-5 of the weight, and
// passes 0.05 above some 2200 g/mol. A hydrogen too many or too few still fails by far.
void ComparePubChemValues(TveskSDFileEntry& entry, int& compared) {
    const TveskSDFileEntryData* formula = entry.FindData("PUBCHEM_MOLECULAR_FORMULA");
    const TveskSDFileEntryData* weight = entry.FindData("PUBCHEM_MOLECULAR_WEIGHT");
    if (formula == nullptr || weight == nullptr || formula->Lines.empty() || weight->Lines.empty())
        return;
    ++compared;
    const double expected = std::stod(weight->Lines[0]);
    EXPECT_EQ(entry.GetFormula(), formula->Lines[0]);
    EXPECT_NEAR(entry.GetMolweight(), expected, std::max(0.05, expected * 3e-5));
}

TEST(RoutinesCorpus, EveryFileSurvivesARoundTripWithPubChemsFormulas) {
    const std::vector<std::string> paths = CorpusFiles();
    if (paths.empty()) GTEST_SKIP() << "no shared SD files";
    TTempDir dir;
    int copied = 0;
    int compared = 0;
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        const TReadResult first = ReadAll(path);
        if (first.Entries.empty()) continue;
        {
            TveskSDFileWriter writer(dir.Path("copy.sdf"));
            ASSERT_TRUE(writer.IsOpen()) << writer.LastError;
            for (const auto& entry : first.Entries)
                EXPECT_TRUE(writer.WriteEntry(entry.get())) << entry->LastError;
            ASSERT_TRUE(writer.CloseFile()) << writer.LastError;
        }
        const TReadResult second = ReadAll(dir.Path("copy.sdf"));
        EXPECT_EQ(second.Failed, 0);
        ASSERT_EQ(second.Entries.size(), first.Entries.size());
        for (std::size_t i = 0; i < first.Entries.size(); ++i) {
            SCOPED_TRACE("record " + std::to_string(i));
            TveskSDFileEntry& a = *first.Entries[i];
            const TveskSDFileEntry& b = *second.Entries[i];
            EXPECT_EQ(a.MolString(), b.MolString());
            ASSERT_EQ(a.DataCount(), b.DataCount());
            for (int k = 0; k < a.DataCount(); ++k) {
                EXPECT_EQ(a.Data(k)->Name, b.Data(k)->Name);
                EXPECT_EQ(a.Data(k)->Lines, b.Data(k)->Lines);
            }
            ComparePubChemValues(a, compared);
        }
        ++copied;
    }
    EXPECT_GT(copied, 30);
    EXPECT_GT(compared, 400);
}

}  // namespace
