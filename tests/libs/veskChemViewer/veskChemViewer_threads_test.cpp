// One handle used from several threads at once: calls on it take turns. (Handles of their own
// on several threads, as the program's picture workers use them, are in the API tests.)
// Run under ThreadSanitizer to see races, under any build to see torn pictures.

#include <atomic>
#include <thread>

#include "ViewerTestSupport.h"

using namespace viewertest;

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

    const uintptr_t handle = v.Handle;
    std::atomic<int> torn{0}, drawn{0}, refused{0};
    std::vector<std::thread> drawers;
    for (int t = 0; t < 2; ++t) {
        drawers.emplace_back([&] {
            char err[256];
            for (;;) {
                Canvas c(200, 120);
                const TveskRasterDC dc = c.Dc();
                const TveskRect r{0, 0, 200, 120};
                if (!DrawMolFileHQ(handle, &dc, &r, err, sizeof err)) {
                    if (Code(err) == VESK_VIEWER_ERR_HANDLE) ++refused;
                    break;
                }
                ++drawn;
                if (!(c == withHydrogens) && !(c == without)) ++torn;
            }
        });
    }
    // The drawers are under way before the settings change and the handle goes.
    while (drawn.load() < 2 && refused.load() == 0) std::this_thread::yield();
    char err[256];
    for (int i = 0; i < 200; ++i) SetMolFileConfiguration(handle, i % 2 ? &all : &plain, err, 256);
    EXPECT_TRUE(DestroyMolFile(handle, err, sizeof err)) << err;
    for (std::thread& thread : drawers) thread.join();
    v.Handle = 0;
    EXPECT_GT(drawn.load(), 0);
    EXPECT_EQ(torn.load(), 0);
    EXPECT_EQ(refused.load(), 2);
}
