// A window of a process of higher integrity: the program may move and show it, and ask its text,
// but may not adopt it, change its styles or send it commands; every refusal changes nothing.
#include "desktop_fixture.h"

namespace {

class ElevatedWindowTest : public DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        uint32_t process = sim::driver::create_process("C:\\Windows\\regedit.exe");
        sim::driver::set_elevated(process, true);
        elevated = open_app_window(process, "Registry Editor", RECT {100, 100, 500, 400});
        host = create_program_window(RECT {0, 0, 800, 600});
    }

    HWND elevated = nullptr;
    HWND host = nullptr;
};

TEST_F(ElevatedWindowTest, SetParentIsRefusedAndChangesNothing)
{
    auto before = sim::driver::window_state(elevated).value();
    SetLastError(0);
    EXPECT_EQ(SetParent(elevated, host), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    auto after = sim::driver::window_state(elevated).value();
    EXPECT_EQ(after.parent, nullptr);
    EXPECT_EQ(after.style, before.style);
    EXPECT_EQ(after.ex_style, before.ex_style);
    EXPECT_EQ(after.rect.left, before.rect.left);
    EXPECT_EQ(after.rect.bottom, before.rect.bottom);
    EXPECT_TRUE(after.is_visible);
}

TEST_F(ElevatedWindowTest, StylesCannotBeChanged)
{
    LONG style = GetWindowLongA(elevated, GWL_STYLE);
    SetLastError(0);
    EXPECT_EQ(SetWindowLongA(elevated, GWL_STYLE, WS_CHILD | WS_VISIBLE), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(SetWindowLongA(elevated, GWL_EXSTYLE, WS_EX_LAYERED), 0);
    EXPECT_EQ(GetWindowLongA(elevated, GWL_STYLE), style);
    EXPECT_EQ(GetWindowLongA(elevated, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
}

TEST_F(ElevatedWindowTest, OnlyHarmlessQueriesCrossUpwards)
{
    SetLastError(0);
    EXPECT_FALSE(PostMessageA(elevated, WM_CLOSE, 0, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(SendMessageA(elevated, WM_SYSCOMMAND, SC_CLOSE, 0), 0);
    EXPECT_EQ(SendMessageA(elevated, WM_USER + 1, 0, 0), 0);
    sim::driver::pump();
    EXPECT_TRUE(IsWindow(elevated));

    char text[64] {};
    EXPECT_EQ(SendMessageA(elevated, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 15);
    EXPECT_STREQ(text, "Registry Editor");
}

TEST_F(ElevatedWindowTest, MovingAndShowingStillWork)
{
    EXPECT_TRUE(MoveWindow(elevated, 10, 20, 300, 200, TRUE));
    EXPECT_EQ(sim::driver::window_state(elevated)->rect.left, 10);
    ShowWindow(elevated, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(elevated));
}

TEST_F(ElevatedWindowTest, ItsOwnProcessStillClosesIt)
{
    sim::driver::close(elevated);
    EXPECT_FALSE(IsWindow(elevated));
}

}
