// Handles used from several threads at once, as the program's picture workers use them: each
// thread with handles of its own, and (what the library must survive too) threads sharing one.
// Run under ThreadSanitizer to see the races, under any build to see wrong pictures.

#include <atomic>
#include <thread>

#include "ViewerTestSupport.h"

using namespace viewertest;

namespace {

// The molecules of a real SD file, as the sheet hands them to the viewer.
std::vector<std::string> RealMolecules(std::size_t most) {
    const std::string path = DataFile("chembl_examples.sdf");
    std::vector<std::string> molecules;
    if (path.empty()) return molecules;
    const std::string text = ReadFile(path);
    std::size_t start = 0;
    while (molecules.size() < most) {
        const std::size_t end = text.find("$$$$", start);
        if (end == std::string::npos) break;
        const std::size_t molEnd = text.find("M  END", start);
        if (molEnd != std::string::npos && molEnd < end)
            molecules.push_back(text.substr(start, molEnd + 6 - start) + "\n");
        start = text.find('\n', end);
        if (start == std::string::npos) break;
        ++start;
    }
    return molecules;
}

}  // namespace

TEST(Threads, HandlesOfTheirOwnDrawTheSamePicturesSideBySide) {
    const std::vector<std::string> molecules = RealMolecules(12);
    if (molecules.size() < 4) GTEST_SKIP() << "the shared SD files are not here";
    std::vector<Canvas> expected;
    for (const std::string& m : molecules) {
        View v(m);
        ASSERT_TRUE(v.Ok) << v.Err;
        expected.push_back(v.Picture(160, 90));
        ASSERT_GT(expected.back().Ink(), 0);
    }

    constexpr int kThreads = 4;
    std::atomic<int> wrong{0}, failed{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 3; ++round) {
                for (std::size_t i = 0; i < molecules.size(); ++i) {
                    // Each thread walks the molecules from its own starting point.
                    const std::size_t k = (i + static_cast<std::size_t>(t) * 3) % molecules.size();
                    uintptr_t handle = 0;
                    char err[256];
                    if (!OpenMolString(&handle, molecules[k].c_str(), err, sizeof err)) {
                        ++failed;
                        continue;
                    }
                    Canvas c(160, 90);
                    const TveskRasterDC dc = c.Dc();
                    const TveskRect r{0, 0, 160, 90};
                    if (!DrawMolFileHQ(handle, &dc, &r, err, sizeof err)) ++failed;
                    if (!(c == expected[k])) ++wrong;
                    DestroyMolFile(handle, err, sizeof err);
                }
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(failed.load(), 0);
    EXPECT_EQ(wrong.load(), 0);
}

// Reconfigured by one thread while two draw it, then destroyed under their hands: every picture
// shows one whole setting, and after the end the drawers are refused, never crash.
TEST(Threads, OneHandleSharedByThreadsTakesTurnsUntilItIsDestroyed) {
    View v(Caffeine());
    ASSERT_TRUE(v.Ok) << v.Err;
    TveskMolConfigRecord plain = DefaultMolRecord();
    plain.HydrogenMode = 0;
    TveskMolConfigRecord all = plain;
    all.HydrogenMode = 4;
    ASSERT_TRUE(v.Configure(all)) << v.Err;
    const Canvas withHydrogens = v.Picture();
    ASSERT_TRUE(v.Configure(plain)) << v.Err;
    const Canvas without = v.Picture();
    ASSERT_FALSE(withHydrogens == without);

    std::atomic<int> torn{0}, drawn{0}, refused{0};
    std::vector<std::thread> drawers;
    for (int t = 0; t < 2; ++t) {
        drawers.emplace_back([&] {
            char err[256];
            for (;;) {
                Canvas c(200, 120);
                const TveskRasterDC dc = c.Dc();
                const TveskRect r{0, 0, 200, 120};
                if (!DrawMolFileHQ(v.Handle, &dc, &r, err, sizeof err)) {
                    if (Code(err) == VESK_VIEWER_ERR_HANDLE) ++refused;
                    break;
                }
                ++drawn;
                if (!(c == withHydrogens) && !(c == without)) ++torn;
            }
        });
    }
    char err[256];
    for (int i = 0; i < 200; ++i) SetMolFileConfiguration(v.Handle, i % 2 ? &all : &plain, err, 256);
    ASSERT_TRUE(DestroyMolFile(v.Handle, err, sizeof err)) << err;
    v.Handle = 0;
    for (std::thread& thread : drawers) thread.join();
    EXPECT_GT(drawn.load(), 0);
    EXPECT_EQ(torn.load(), 0);
    EXPECT_EQ(refused.load(), 2);
}
