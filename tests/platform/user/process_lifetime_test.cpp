// Windows go with their parents and their processes; the program's end unwinds to the driver.
#include "desktop_fixture.h"

namespace {

using ProcessLifetimeTest = DesktopTest;

TEST_F(ProcessLifetimeTest, AdoptedChildOfAnotherProcessIsDestroyedWithItsParent)
{
    HWND host = create_program_window(RECT {0, 0, 800, 600});
    HWND foreign = open_app("C:\\Program Files\\Foo\\FOO.EXE", "Foo", RECT {10, 10, 300, 300});
    DWORD owner = 0;
    GetWindowThreadProcessId(foreign, &owner);
    SetParent(foreign, host);

    EXPECT_TRUE(DestroyWindow(host));
    EXPECT_FALSE(IsWindow(host));
    EXPECT_FALSE(IsWindow(foreign));
    // Its application had no other window left, so it ended.
    EXPECT_FALSE(sim::driver::is_process_alive(owner));
    EXPECT_EQ(count(WM_DESTROY, host), 1);
    EXPECT_EQ(count(WM_NCDESTROY, host), 1);
}

TEST_F(ProcessLifetimeTest, ProcessEndTakesItsWindowsAndTheirChildren)
{
    uint32_t process = sim::driver::create_process("C:\\BAR.EXE");
    HWND first = open_app_window(process, "Bar");
    HWND second = open_app_window(process, "Bar");
    HWND mine = create_program_window(RECT {0, 0, 50, 50}, WS_CHILD | WS_VISIBLE, 0, first);
    HWND other = open_app("C:\\OTHER.EXE", "Other", RECT {0, 0, 100, 100});
    ASSERT_TRUE(IsWindow(mine));

    sim::driver::end_process(process);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_FALSE(IsWindow(second));
    EXPECT_FALSE(IsWindow(mine));
    EXPECT_TRUE(IsWindow(other));
    EXPECT_FALSE(sim::driver::is_process_alive(process));
    EXPECT_EQ(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, process), nullptr);
}

TEST_F(ProcessLifetimeTest, ExitProcessDestroysTheProgramsWindowsAndUnwindsToTheDriver)
{
    HWND window = nullptr;
    bool reached_after_exit = false;
    bool survived = sim::driver::run_program([&] {
        window = create_program_window(RECT {0, 0, 100, 100});
        ExitProcess(3);
        reached_after_exit = true;
    });
    EXPECT_FALSE(survived);
    EXPECT_FALSE(reached_after_exit);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(sim::driver::is_process_alive(sim::driver::program_process()));
}

TEST_F(ProcessLifetimeTest, ExitInsideATimerEndsOnlyThatDelivery)
{
    HWND window = create_program_window(RECT {0, 0, 100, 100});
    SetTimer(window, 1, 10, [](HWND, UINT, UINT_PTR, DWORD) { ExitProcess(0); });
    HWND other = open_app("C:\\OTHER.EXE", "Other", RECT {0, 0, 100, 100});
    sim::driver::run_for(50);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(IsWindow(other));
}

}
