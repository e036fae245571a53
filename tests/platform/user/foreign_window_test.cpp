// Asking other processes' windows for their text, icons and executable, also when they hang.
#include "desktop_fixture.h"

#include "platform/sim/user/process_table.h"

#include <cstring>

namespace {

class ForeignWindowTest : public DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        process = sim::driver::create_process("C:\\Program Files\\Foo\\FOO.EXE");
        foreign = open_app_window(process, "Foo - Document");
    }

    uint32_t process = 0;
    HWND foreign = nullptr;
};

TEST_F(ForeignWindowTest, TextThroughGetWindowTextAndWmGetText)
{
    char text[64];
    EXPECT_EQ(GetWindowTextA(foreign, text, sizeof text), 14);
    EXPECT_STREQ(text, "Foo - Document");
    EXPECT_EQ(GetWindowTextLengthA(foreign), 14);
    EXPECT_EQ(GetWindowTextA(foreign, text, 4), 3);
    EXPECT_STREQ(text, "Foo");

    std::memset(text, 'x', sizeof text);
    EXPECT_EQ(SendMessageA(foreign, WM_GETTEXT, 6, reinterpret_cast<LPARAM>(text)), 5);
    EXPECT_STREQ(text, "Foo -");
    EXPECT_EQ(SendMessageA(foreign, WM_GETTEXTLENGTH, 0, 0), 14);

    sim::driver::set_title(foreign, "Bar");
    EXPECT_EQ(GetWindowTextA(foreign, text, sizeof text), 3);
    EXPECT_STREQ(text, "Bar");
}

TEST_F(ForeignWindowTest, EditKeepsItsTextForWmGetTextWhileOthersReadItsCreationText)
{
    HWND edit = sim::driver::add_child_control(foreign, "Edit", "C:\\Old", RECT {0, 0, 200, 20});
    sim::driver::set_title(edit, "C:\\New\\Folder");
    char text[64];
    EXPECT_EQ(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0), 13);
    EXPECT_EQ(SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 13);
    EXPECT_STREQ(text, "C:\\New\\Folder");
    EXPECT_EQ(GetWindowTextA(edit, text, sizeof text), 6);
    EXPECT_STREQ(text, "C:\\Old");
    // Its own process asks the control itself.
    sim::ProcessScope scope(process);
    EXPECT_EQ(GetWindowTextA(edit, text, sizeof text), 13);
}

TEST_F(ForeignWindowTest, OwningProcessAndItsExecutable)
{
    DWORD owner = 0;
    EXPECT_NE(GetWindowThreadProcessId(foreign, &owner), 0u);
    EXPECT_EQ(owner, process);
    EXPECT_NE(owner, GetCurrentProcessId());

    HANDLE handle = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, owner);
    ASSERT_NE(handle, nullptr);
    char path[MAX_PATH];
    EXPECT_EQ(GetModuleFileNameExA(handle, nullptr, path, MAX_PATH), 28u);
    EXPECT_STREQ(path, "C:\\Program Files\\Foo\\FOO.EXE");
    EXPECT_TRUE(CloseHandle(handle));

    HANDLE weak = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, owner);
    EXPECT_EQ(GetModuleFileNameExA(weak, nullptr, path, MAX_PATH), 0u);
    CloseHandle(weak);
}

TEST_F(ForeignWindowTest, IconsFromTheWindowThenTheClass)
{
    DWORD_PTR small_icon = 0;
    EXPECT_TRUE(SendMessageTimeoutA(foreign, WM_GETICON, ICON_SMALL, 0, SMTO_NORMAL, 1000, &small_icon));
    EXPECT_NE(small_icon, 0u);
    EXPECT_NE(GetClassLongA(foreign, GCL_HICON), 0u);
    EXPECT_NE(GetClassLongA(foreign, GCL_HICONSM), 0u);
    EXPECT_NE(SendMessageA(foreign, WM_QUERYDRAGICON, 0, 0), 0);
}

TEST_F(ForeignWindowTest, HungWindowTimesOutAndTheClockMovesByTheTimeOut)
{
    sim::driver::set_hung(process, true);
    uint64_t before = sim::driver::now();
    DWORD_PTR result = 1234;
    EXPECT_EQ(SendMessageTimeoutA(foreign, WM_GETICON, ICON_SMALL, 0, SMTO_NORMAL, 1000, &result), 0);
    EXPECT_EQ(sim::driver::now() - before, 1000u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));
    EXPECT_EQ(result, 1234u);

    // The title is still readable: Windows answers it for another process without asking.
    char text[64];
    EXPECT_EQ(GetWindowTextA(foreign, text, sizeof text), 14);

    sim::driver::set_hung(process, false);
    EXPECT_TRUE(SendMessageTimeoutA(foreign, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 1000, &result));
    EXPECT_EQ(result, 14u);
}

TEST_F(ForeignWindowTest, HungWindowIsStillFoundUnderTheMouseAndCanBeHidden)
{
    sim::driver::set_hung(process, true);
    RECT rect;
    GetWindowRect(foreign, &rect);
    EXPECT_EQ(WindowFromPoint(POINT {rect.left + 50, rect.top + 50}), foreign);
    ShowWindow(foreign, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(foreign));
}

TEST_F(ForeignWindowTest, PostedMessagesWaitWhileTheProcessHangs)
{
    sim::driver::set_hung(process, true);
    PostMessageA(foreign, WM_CLOSE, 0, 0);
    sim::driver::run_for(100);
    EXPECT_TRUE(IsWindow(foreign));
    sim::driver::set_hung(process, false);
    sim::driver::pump();
    EXPECT_FALSE(IsWindow(foreign));
}

TEST_F(ForeignWindowTest, AWindowThatKeepsOpenRefusesCloseSystemCloseAndAltF4)
{
    sim::driver::AppWindow window;
    window.title = "Unsaved";
    window.keeps_open = true;
    HWND keeper = sim::driver::open_app_window(process, window);
    sim::driver::close(keeper);
    SendMessageA(keeper, WM_SYSCOMMAND, SC_CLOSE, 0);
    SetForegroundWindow(keeper);
    sim::driver::press_key(VK_F4, {VK_MENU});
    sim::driver::run_for(100);
    EXPECT_TRUE(IsWindowVisible(keeper));
    // The ordinary window of the same process still closes.
    sim::driver::close(foreign);
    EXPECT_FALSE(IsWindow(foreign));
}

TEST_F(ForeignWindowTest, WindowWithoutIconAnswersNoneWhileItsClassHasOne)
{
    sim::driver::AppWindow window;
    window.class_name = "ClassIconOnly";
    window.answers_get_icon = false;
    HWND quiet = sim::driver::open_app_window(process, window);
    EXPECT_EQ(SendMessageA(quiet, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(SendMessageA(quiet, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(GetClassLongA(quiet, GCL_HICONSM), 0u);
}

TEST_F(ForeignWindowTest, WindowGetsTheHandleAskedForAndLaterHandlesGoAroundIt)
{
    sim::driver::AppWindow window;
    window.handle = 0x20000;
    HWND exact = sim::driver::open_app_window(process, window);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(exact), 0x20000u);
    // A handle already taken is not given twice.
    HWND next = sim::driver::open_app_window(process, window);
    EXPECT_NE(next, exact);
    EXPECT_TRUE(IsWindow(next));
}

}
