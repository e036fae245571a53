// The driver's read-back of the desktop, and what simulated applications show on the screen.
#include "desktop_fixture.h"

namespace {

using DriverReadbackTest = DesktopTest;

TEST_F(DriverReadbackTest, WindowStateCarriesEveryAttribute)
{
    HWND app = open_app("C:\\Program Files\\Foo\\FOO.EXE", "Foo", RECT {100, 100, 500, 400});
    HWND edit = sim::driver::add_child_control(app, "Edit", "C:\\Users", RECT {10, 10, 210, 30});
    HWND glass = create_program_window(RECT {0, 0, 50, 50}, WS_POPUP | WS_VISIBLE, WS_EX_LAYERED | WS_EX_TOOLWINDOW);
    SetLayeredWindowAttributes(glass, 0, 200, LWA_ALPHA);
    SetWindowRgn(glass, CreateRectRgn(0, 0, 40, 30), FALSE);

    auto state = sim::driver::window_state(app);
    ASSERT_TRUE(state);
    EXPECT_EQ(state->executable, "C:\\Program Files\\Foo\\FOO.EXE");
    EXPECT_EQ(state->class_name, "SimAppWindow");
    EXPECT_EQ(state->title, "Foo");
    EXPECT_EQ(state->style & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
    EXPECT_EQ(state->rect.left, 100);
    EXPECT_EQ(state->rect.bottom, 400);
    EXPECT_GT(state->client.top, state->rect.top);
    EXPECT_TRUE(state->is_visible);
    EXPECT_FALSE(state->is_layered);
    ASSERT_EQ(state->children.size(), 1u);
    EXPECT_EQ(state->children[0].handle, edit);
    EXPECT_EQ(state->children[0].title, "C:\\Users");
    EXPECT_EQ(state->children[0].parent, app);

    auto layered = sim::driver::window_state(glass);
    EXPECT_TRUE(layered->is_layered);
    EXPECT_EQ(layered->layered_alpha, std::optional<BYTE>(200));
    ASSERT_TRUE(layered->region_bounds);
    EXPECT_EQ(layered->region_bounds->right, 40);
    EXPECT_LT(layered->z_order, state->z_order);
    EXPECT_EQ(layered->process_id, sim::driver::program_process());

    // The tree lists top-level windows front to back; the shell's own windows may stand among them.
    auto tree = sim::driver::window_tree();
    auto position = [&](HWND hwnd) {
        for (size_t i = 0; i < tree.size(); ++i)
            if (tree[i].handle == hwnd)
                return static_cast<int>(i);
        return -1;
    };
    EXPECT_EQ(position(glass), layered->z_order);
    EXPECT_LT(position(glass), position(app));
}

TEST_F(DriverReadbackTest, ApplicationPaintsAFramedClientWithItsTitle)
{
    HWND app = open_app("C:\\A.EXE", "Hello world", RECT {100, 100, 500, 400});
    auto state = sim::driver::window_state(app);
    auto screen = sim::driver::screenshot();
    RECT client = state->client;
    EXPECT_EQ(pixel_at(screen, client.right - 5, client.bottom - 5), 0xFFFFFFu);
    EXPECT_NE(pixel_at(screen, 101, client.top - 5), 0xFFFFFFu);

    bool has_text = false;
    for (int y = client.top; y < client.top + 30; ++y)
        for (int x = client.left; x < client.left + 120; ++x)
            has_text = has_text || pixel_at(screen, x, y) != 0xFFFFFFu;
    EXPECT_TRUE(has_text);

    sim::driver::hide(app);
    EXPECT_EQ(pixel_at(sim::driver::screenshot(), client.right - 5, client.bottom - 5),
        pixel_at(screen, 1500, 900));
}

TEST_F(DriverReadbackTest, ClosingTheLastWindowEndsTheApplication)
{
    uint32_t process = sim::driver::create_process("C:\\A.EXE");
    HWND first = open_app_window(process, "one");
    HWND second = open_app_window(process, "one");
    sim::driver::close(first);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(sim::driver::is_process_alive(process));
    sim::driver::close(second);
    EXPECT_FALSE(sim::driver::is_process_alive(process));
}

}
