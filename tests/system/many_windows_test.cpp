// Many windows at once: the poll, the watchers and their pumped messages keep up with 120 windows,
// and quitting gives every one of them back.
#include "tests/system/system_fixture.h"

#include <string>
#include <vector>

namespace {

TEST_F(SystemTest, HundredAndTwentyWindowsAreAdoptedAndAllComeBackAtQuit)
{
    start();
    struct Opened {
        HWND window;
        sim::driver::WindowState before;
    };
    std::vector<Opened> opened;
    auto open_one = [&](int number) {
        HWND window = open_window("Document " + std::to_string(number));
        opened.push_back({ window, state_of(window) });
    };
    uint64_t start_time = sim::driver::now();
    for (int i = 0; i < 60; ++i) {
        open_one(i);
        sim::driver::run_for(100);
    }
    for (int i = 60; i < 120; ++i)
        open_one(i);
    sim::driver::run_for(2000);
    EXPECT_LT(sim::driver::now() - start_time, 10000u);

    size_t adopted = 0;
    for (auto& window : opened)
        adopted += state_of(window.window).parent != nullptr;
    EXPECT_EQ(adopted, opened.size());
    EXPECT_EQ(borders().size(), opened.size());

    EXPECT_FALSE(quit());
    for (auto& window : opened) {
        ASSERT_TRUE(IsWindow(window.window));
        auto after = state_of(window.window);
        EXPECT_EQ(after.parent, nullptr);
        EXPECT_TRUE(after.is_visible);
        EXPECT_EQ(after.style, window.before.style);
        EXPECT_EQ(after.ex_style, window.before.ex_style);
    }
}

}
