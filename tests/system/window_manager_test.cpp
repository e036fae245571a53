// The window manager: its window, its menu, the two actions on the selected row's window (found by
// handle, never by title), rows leaving at the end of a fade, the hover highlight and closing it.
#include "settings/frmSettings.h"
#include "tests/system/system_fixture.h"

#include "platform/sim/user/process_table.h"

#include <cstdlib>

namespace {

// A program that keeps its window when asked to close, as one whose user cancels "save changes?".
LRESULT CALLBACK keeps_open_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE)
        return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

class WindowManagerTest : public SystemTest {
protected:
    void SetUp() override
    {
        SystemTest::SetUp();
        start();
        wait_ticks(2);
    }

    HWND open_window_that_keeps_open(const std::string& title)
    {
        sim::ProcessScope scope(sim::driver::create_process("C:\\Apps\\keeper.exe"));
        WNDCLASSA window_class {};
        window_class.lpfnWndProc = keeps_open_procedure;
        window_class.lpszClassName = "Keeper";
        RegisterClassA(&window_class);
        return CreateWindowExA(WS_EX_WINDOWEDGE, "Keeper", title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
            500, 400, nullptr, nullptr, nullptr, nullptr);
    }

    void select(int row) { run([&] { window_manager().List1.ListIndex(row); }); }
    void show_selected() { run([&] { window_manager().WinMgr_Show_Window_Click(); }); }
    void close_selected() { run([&] { window_manager().WinMgr_Close_Window_Click(); }); }

    // The front-most visible top-level window outside the top-most band.
    static HWND front_window()
    {
        for (auto& window : sim::driver::window_tree()) {
            if (window.is_visible && !(window.ex_style & WS_EX_TOPMOST))
                return window.handle;
        }
        return nullptr;
    }

    HWND border_window(HWND target) { return GetAncestor(target, GA_ROOT); }

    // The list's middle on the screen.
    POINT list_point()
    {
        RECT rect {};
        GetWindowRect(window_manager().List1.hWnd(), &rect);
        return { (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2 };
    }
};

TEST_F(WindowManagerTest, WindowIsCentredWithItsCaptionAndClientArea)
{
    run([&] { window_manager().Show(); });
    auto state = state_of(window_manager().hWnd());
    EXPECT_EQ(state.title, "Kelmor - Windowmanager");
    EXPECT_EQ(state.client.right - state.client.left, 434);
    EXPECT_EQ(state.client.bottom - state.client.top, 480);
    EXPECT_LE(std::abs((state.rect.left + state.rect.right) / 2 - 960), 1);
    EXPECT_LE(std::abs((state.rect.top + state.rect.bottom) / 2 - 540), 1);
}

TEST_F(WindowManagerTest, RightButtonUpOnTheListOpensTheMenuAndWithoutSelectionItDoesNothing)
{
    HWND editor = open_adopted_window("Editor");
    HWND other = open_adopted_window("Other");
    run([&] { window_manager().Show(); });
    POINT point = list_point();
    sim::driver::click(point.x, point.y, sim::driver::Button::Right);
    ASSERT_FALSE(sim::driver::modal_history().empty());
    EXPECT_EQ(sim::driver::modal_history().back().kind, "menu");
    EXPECT_EQ(sim::driver::modal_history().back().text, "Show window|Close window");
    size_t shown = sim::driver::modal_history().size();
    EXPECT_EQ(window_manager().List1.ListIndex(), -1);

    sim::driver::choose_menu_item("Close window");
    sim::driver::click(point.x, point.y, sim::driver::Button::Right);
    sim::driver::choose_menu_item("Show window");
    sim::driver::click(point.x, point.y, sim::driver::Button::Right);
    wait_ticks(15);
    EXPECT_EQ(sim::driver::modal_history().size(), shown + 2);
    EXPECT_TRUE(IsWindow(editor));
    EXPECT_TRUE(IsWindow(other));
    EXPECT_EQ(rows(window_manager().List1), (std::vector<std::string> { "Editor", "Other" }));
    EXPECT_TRUE(m_fatal_errors.empty());
}

TEST_F(WindowManagerTest, ShowWindowRestoresAMinimisedBorderToTheFrontOutsideTheTopMostBand)
{
    HWND editor = open_adopted_window("Editor");
    HWND other = open_adopted_window("Other");
    run([&] { border_of(editor)->MinMe(); });
    ASSERT_TRUE(IsIconic(border_window(editor)));
    ASSERT_EQ(front_window(), border_window(other));

    select(0);
    show_selected();

    EXPECT_FALSE(IsIconic(border_window(editor)));
    EXPECT_TRUE(IsWindowVisible(editor));
    EXPECT_EQ(front_window(), border_window(editor));
    EXPECT_FALSE(state_of(border_window(editor)).ex_style & WS_EX_TOPMOST);
    // It stays restored when it lays itself out again.
    sim::driver::set_title(editor, "Editor - changed");
    wait_ticks(3);
    EXPECT_FALSE(IsIconic(border_window(editor)));
    // A later window of the user's still comes above it.
    HWND later = open_window("Later");
    wait_ticks(12);
    EXPECT_EQ(front_window(), border_window(later));
}

TEST_F(WindowManagerTest, TwoWindowsOfTheSameTitleEachActionHitsTheSelectedOne)
{
    HWND first = open_adopted_window("Twin");
    HWND second = open_adopted_window("Twin");
    HWND third = open_adopted_window("Third");
    select(0);
    show_selected();
    EXPECT_EQ(front_window(), border_window(first));

    select(1);
    close_selected();
    wait_ticks(25);
    EXPECT_FALSE(IsWindow(second));
    EXPECT_TRUE(IsWindow(first));
    EXPECT_NE(border_of(first), nullptr);
    EXPECT_EQ(rows(window_manager().List1), (std::vector<std::string> { "Twin", "Third" }));
    EXPECT_EQ(window_manager().row_with_handle(border_of(first)->Label2.Caption()), 0);
    EXPECT_EQ(window_manager().row_with_handle(border_of(third)->Label2.Caption()), 1);
}

TEST_F(WindowManagerTest, CloseWindowClosesAnEditorAndItsRowGoesAtTheEndOfTheFade)
{
    HWND editor = open_adopted_window("Editor");
    select(0);
    close_selected();
    sim::driver::pump();
    EXPECT_FALSE(IsWindow(editor));
    EXPECT_EQ(rows(window_manager().List1), std::vector<std::string> { "Editor" });
    wait_ticks(25);
    EXPECT_TRUE(rows(window_manager().List1).empty());
    EXPECT_TRUE(rows(window_manager().List2).empty());
    EXPECT_TRUE(borders().empty());
}

TEST_F(WindowManagerTest, CloseWindowOnAProgramThatRefusesKeepsWindowBorderAndRow)
{
    HWND keeper = open_window_that_keeps_open("Unsaved");
    wait_ticks(12);
    ASSERT_NE(border_of(keeper), nullptr);
    select(0);
    close_selected();
    wait_ticks(25);
    ASSERT_TRUE(IsWindow(keeper));
    EXPECT_TRUE(IsWindowVisible(keeper));
    ASSERT_NE(border_of(keeper), nullptr);
    EXPECT_EQ(GetAncestor(keeper, GA_ROOT), border_of(keeper)->hWnd());
    EXPECT_EQ(rows(window_manager().List1), std::vector<std::string> { "Unsaved" });
}

TEST_F(WindowManagerTest, HoverHighlightFollowsThePointerOverCloseEveryTime)
{
    frmWinMgr& manager = window_manager();
    for (int pass = 0; pass < 2; ++pass) {
        run([&] { manager.Label1_MouseMove(0, 0, 0, 10, 10); });
        EXPECT_TRUE(manager.Shape1.Visible());
        EXPECT_FLOAT_EQ(manager.Shape1.Top(), 6840 - (300 / 2.0f - 225 / 2.0f));
        run([&] { manager.Form_MouseMove(0, 0, 100, 100); });
        EXPECT_FALSE(manager.Shape1.Visible());
    }
}

TEST_F(WindowManagerTest, CloseAndTheCloseBoxHideItAndResumeTheWebcamOnlyWithTheLiveReflection)
{
    frmWinMgr& manager = window_manager();
    runtime::Timer* webcam = &webcam_loop();

    run([&] { manager.Show(); });
    run([&] { manager.Label1_MouseDown(0, runtime::vbRightButton, 0, 0, 0); });
    EXPECT_TRUE(manager.Visible());
    run([&] { manager.Label1_MouseDown(0, runtime::vbLeftButton, 0, 0, 0); });
    EXPECT_FALSE(manager.Visible());
    EXPECT_FALSE(webcam->Enabled());

    run([&] {
        program().form<frmSettings>().Check15.Value(runtime::vbChecked);
        webcam->Enabled(false);
        manager.Show();
    });
    sim::driver::close(manager.hWnd());
    EXPECT_FALSE(manager.Visible());
    EXPECT_TRUE(program().is_in_collection(manager));
    EXPECT_TRUE(webcam->Enabled());
}

}
