// zelmar_bench hit-marks: what marking the hits of a substructure search costs per row shown:
// the match the search library gives for each hit, and a cell picture drawn with and without
// its marks.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "Zelmar_ChemSearchEngine.h"
#include "Zelmar_HitHighlight.h"
#include "vesk_ChemView2.h"
#include "zelmar_bench_measure.h"

// zelmar_bench_policies.cpp
std::vector<std::string> MolBlocks(const std::string& sd);

namespace {

std::string ReadAll(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

double Ms(TClock::time_point since) {
    return std::chrono::duration<double, std::milli>(TClock::now() - since).count();
}

double Percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(p * (v.size() - 1) + 0.5))];
}

double Mean(const std::vector<double>& v) {
    double sum = 0;
    for (double x : v) sum += x;
    return v.empty() ? 0 : sum / v.size();
}

// One cell picture of the molecule at a grid cell's size, the marks given or none.
double DrawMs(TveskChemView2Pool& pool, const std::string& mol,
              const TveskChemView2Highlight& marks) {
    constexpr int w = 192, h = 72;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h, 0);
    const auto start = TClock::now();
    std::unique_ptr<TveskMolView2> view = pool.CreateMolView();
    if (!view) return 0;
    view->Highlight = marks;
    view->DrawSizes = {h * 0.25, 6, 1.5};
    view->OpenMolString(mol);
    TveskChemView2DC dc;
    dc.Pixels = pixels.data();
    dc.Width = w;
    dc.Height = h;
    dc.StrideBytes = w * 4;
    view->Draw(dc, {0, 0, w, h});
    return Ms(start);
}

}  // namespace

// hit-marks FILE --query Q.mol [--stereo]
int RunHitMarks(const std::string& file, const std::vector<std::string>& args) {
    std::string queryFile;
    bool stereo = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--query" && i + 1 < args.size()) queryFile = args[i + 1];
        if (args[i] == "--stereo") stereo = true;
    }
    const std::string query = ReadAll(queryFile);
    const std::vector<std::string> mols = MolBlocks(ReadAll(file));
    if (query.empty() || mols.empty()) {
        std::fprintf(stderr, "hit-marks FILE --query Q.mol [--stereo]\n");
        return 2;
    }
    TZelmarChemSearchEngine engine;
    std::string error;
    engine.Init(error);
    if (!engine.HasQueryMatch()) {
        std::fprintf(stderr, "no GetQueryMatch: %s\n", error.c_str());
        return 1;
    }
    engine.SetQuery(query);
    engine.SetConsiderStereo(stereo);
    std::vector<const std::string*> hits;
    for (const std::string& mol : mols)
        if (engine.IsSubstructureHit(mol)) hits.push_back(&mol);

    // A result sheet's engine has read none of its rows' texts before: a fresh one.
    TZelmarChemSearchEngine marking;
    marking.Init(error);
    marking.SetQuery(query);
    marking.SetConsiderStereo(stereo);
    std::vector<double> match, plain, marked;
    std::vector<TveskChemView2Highlight> marks(hits.size());
    int found = 0;
    for (std::size_t k = 0; k < hits.size(); ++k) {
        const auto start = TClock::now();
        found += marking.QueryMatch(*hits[k], marks[k].Atoms, marks[k].Bonds) == 1;
        match.push_back(Ms(start));
        marks[k].Colour = TZelmarHitHighlight::DefaultColour;
    }
    TveskChemView2Pool pool;
    for (std::size_t k = 0; k < hits.size(); ++k) {
        plain.push_back(DrawMs(pool, *hits[k], {}));
        marked.push_back(DrawMs(pool, *hits[k], marks[k]));
    }
    std::printf(
        "{\"records\":%zu,\"hits\":%zu,\"matched\":%d,\"match_ms_mean\":%.3f,"
        "\"match_ms_p95\":%.3f,\"match_ms_max\":%.3f,\"draw_ms_mean\":%.3f,"
        "\"marked_draw_ms_mean\":%.3f,\"marked_draw_ms_p95\":%.3f}\n",
        mols.size(), hits.size(), found, Mean(match), Percentile(match, 0.95),
        Percentile(match, 1.0), Mean(plain), Mean(marked), Percentile(marked, 0.95));
    return 0;
}
