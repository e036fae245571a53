// The poll: which newly opened windows get a border, when, and how the border takes them in.
#include "control/window_snapshot.h"
#include "settings/frmSettings.h"
#include "tests/system/system_fixture.h"

#include <algorithm>

namespace {

using sim::driver::window_state;

TEST_F(SystemTest, OnlyWindowsOpenedAfterStartAreAdoptedAtTheNextTick)
{
    HWND before = open_window("Opened Before");
    start();
    wait_ticks(3);
    HWND after = open_window("Opened After");
    auto original = state_of(after);
    EXPECT_EQ(original.parent, nullptr);

    wait_ticks(1);

    ASSERT_EQ(borders().size(), 1u);
    frmTrans* border = border_of(after);
    ASSERT_NE(border, nullptr);
    EXPECT_EQ(state_of(after).parent, border->Picture10.hWnd());
    EXPECT_EQ(state_of(after).style & ~static_cast<DWORD>(WS_VISIBLE), 0u);
    EXPECT_EQ(state_of(before).parent, nullptr);
    EXPECT_EQ(border_of(before), nullptr);
    EXPECT_EQ(globals().BorderCount, 1);

    // The record keeps what the target was, to give it back; it is read before anything changes it.
    EXPECT_EQ(border->Label5.Caption(), std::to_string(original.style));
    EXPECT_EQ(border->Label6.Caption(), std::to_string(original.ex_style));
    EXPECT_EQ(border->Label1.Caption(), "Opened After");
    EXPECT_EQ(border->Caption(), "Opened After");
    EXPECT_TRUE(border->has_caption_button(0) && border->has_caption_button(1) && border->has_caption_button(2));
    EXPECT_EQ(rows(window_manager().List1), std::vector<std::string> { "Opened After" });
    EXPECT_EQ(rows(window_manager().List2), std::vector<std::string> { border->Label2.Caption() });

    wait_ticks(20);
    EXPECT_EQ(borders().size(), 1u);
}

TEST_F(SystemTest, BorderTakesTheTargetsGeometryAndIsALayeredRoundedWindow)
{
    start();
    HWND target = open_window("Geometry");  // 640 x 480 pixels at (100, 100)
    wait_ticks(1);
    frmTrans* border = border_of(target);
    ASSERT_NE(border, nullptr);

    EXPECT_FLOAT_EQ(border->Left(), 1500);
    EXPECT_FLOAT_EQ(border->Top(), 1500);
    EXPECT_FLOAT_EQ(border->Width(), 640 * 15 + 120);
    EXPECT_FLOAT_EQ(border->Height(), 375 + 480 * 15 + 65 - 300);

    auto frame = state_of(border->hWnd());
    EXPECT_TRUE(frame.is_layered);
    ASSERT_TRUE(frame.region_bounds.has_value());
    auto host = state_of(border->Picture10.hWnd());
    auto hosted = state_of(target);
    EXPECT_EQ(hosted.rect.left, host.client.left);
    EXPECT_EQ(hosted.rect.top, host.client.top);
    EXPECT_EQ(hosted.rect.right, host.client.right);
    EXPECT_EQ(hosted.rect.bottom, host.client.bottom);
    EXPECT_TRUE(hosted.is_visible);
}

TEST_F(SystemTest, BorderFadesInFromInvisibleToTheUsersTransparencyInTenTicks)
{
    start();
    HWND target = open_window("Fading");
    sim::driver::pump();
    std::vector<int> alphas;
    frmTrans* border = nullptr;
    for (int tick = 0; tick < 20; ++tick) {
        wait_ticks(1);
        border = border_of(target);
        if (!border)
            continue;
        auto frame = state_of(border->hWnd());
        alphas.push_back(frame.layered_alpha.value_or(255));
    }
    ASSERT_NE(border, nullptr);
    EXPECT_TRUE(std::is_sorted(alphas.begin(), alphas.end()));
    EXPECT_EQ(alphas.back(), 255);
    EXPECT_LE(alphas.front(), 26);
    auto opaque_at = std::find(alphas.begin(), alphas.end(), 255) - alphas.begin();
    EXPECT_GE(opaque_at, 8);
    EXPECT_LE(opaque_at, 11);
    EXPECT_TRUE(state_of(border->hWnd()).is_visible);
}

TEST_F(SystemTest, WindowsThatDoNotQualifyOrAreExcludedAreNeverAdopted)
{
    start();
    run([&] { program().form<frmSettings>().List1.AddItem("Excluded.EXE"); });
    std::vector<HWND> refused {
        open_window("Hidden", "C:\\Apps\\a.exe", 0x00CF0000),
        open_window("", "C:\\Apps\\b.exe"),
        open_window("No Border", "C:\\Apps\\c.exe", WS_POPUP | WS_VISIBLE),
        open_window("Player", "C:\\Program Files\\Winamp\\WinAmp.exe"),
        open_window("dRaG", "C:\\Apps\\d.exe"),
        open_window("Excluded", "C:\\Apps\\excluded.exe"),
    };
    wait_ticks(3);
    // A window that grows the list later is still not taken, and a plain one is.
    HWND plain = open_window("Plain");
    wait_ticks(3);

    for (HWND window : refused) {
        EXPECT_EQ(state_of(window).parent, nullptr);
        EXPECT_EQ(border_of(window), nullptr);
    }
    EXPECT_NE(border_of(plain), nullptr);
    EXPECT_EQ(globals().BorderCount, 1);
}

TEST_F(SystemTest, TwoWindowsOpenedBetweenTicksAreBothAdoptedInListOrder)
{
    start();
    wait_ticks(1);
    HWND first = open_window("First");
    HWND second = open_window("Second");
    wait_ticks(1);

    EXPECT_NE(border_of(first), nullptr);
    EXPECT_NE(border_of(second), nullptr);
    // The list runs front to back: the window opened last is on top.
    EXPECT_EQ(rows(window_manager().List1), (std::vector<std::string> { "Second", "First" }));
}

TEST_F(SystemTest, WindowOpenedOnTheTickAnotherClosesIsNeverAdopted)
{
    HWND known = open_window("Known");
    start();
    wait_ticks(2);
    sim::driver::close(known);
    HWND newcomer = open_window("Newcomer");
    wait_ticks(5);

    EXPECT_EQ(border_of(newcomer), nullptr);
    EXPECT_EQ(state_of(newcomer).parent, nullptr);
}

TEST(WindowSnapshot, FindsWholeHandlesOnly)
{
    EXPECT_FALSE(is_in_snapshot(":51234:", "1234"));
    EXPECT_FALSE(is_in_snapshot(":12345:", "1234"));
    EXPECT_TRUE(is_in_snapshot(":7:1234:", "1234"));
    EXPECT_FALSE(is_in_snapshot(":", "1234"));

    std::vector<std::string> handles;
    for_each_snapshot_handle(":10::20:", [&](std::string_view handle) { handles.emplace_back(handle); });
    EXPECT_EQ(handles, (std::vector<std::string> { "10", "20" }));
    handles.clear();
    for_each_snapshot_handle(":", [&](std::string_view handle) { handles.emplace_back(handle); });
    EXPECT_TRUE(handles.empty());
}

}

namespace {

TEST_F(SystemTest, WindowOpenedRightAfterAnAdoptionIsAdoptedToo)
{
    start();
    HWND first = open_window("First");
    wait_ticks(1);
    ASSERT_NE(border_of(first), nullptr);
    HWND next = open_window("Next");
    wait_ticks(1);

    EXPECT_NE(border_of(next), nullptr);
    EXPECT_EQ(globals().BorderCount, 2);
}

}

namespace {

TEST_F(SystemTest, ExplorerWindowShowsItsAddressInPlaceOfTheTitleWithTheEmulationOn)
{
    start();
    run([&] { program().form<frmSettings>().Check13.Value(runtime::vbChecked); });
    wait_ticks(1);
    HWND explorer = open_window("Users", "C:\\Windows\\explorer.exe");
    sim::driver::add_child_control(explorer, "Edit", "#C:\\Users #Me", RECT { 0, 0, 300, 20 });
    HWND plain = open_window("Plain");
    wait_ticks(1);

    frmTrans* border = border_of(explorer);
    ASSERT_NE(border, nullptr);
    EXPECT_EQ(border->Text2.Text(), "Me");
    // The layout shows the address in its label, the text box only while it is edited.
    EXPECT_TRUE(border->Label7.Visible());
    EXPECT_FALSE(border->Text2.Visible());
    EXPECT_FALSE(border->Label1.Visible());
    EXPECT_FLOAT_EQ(border->Label7.Left(), border->Picture17.Left() + border->Picture17.Width() + 120);

    frmTrans* other = border_of(plain);
    ASSERT_NE(other, nullptr);
    EXPECT_TRUE(other->Label1.Visible());
    EXPECT_FALSE(other->Text2.Visible());
}

}

namespace {

// Explorer fills its address edit after creating it; read from another process, the edit's window
// text is then empty, and the address loses the NUL that reading leaves at its start.
TEST_F(SystemTest, ExplorerStartedAfterKelmorHasItsAddressReadAsFromAnotherProcess)
{
    start();
    WinExec("explorer", SW_SHOWNORMAL);
    HWND explorer = FindWindowA("CabinetWClass", nullptr);
    ASSERT_NE(explorer, nullptr);
    wait_ticks(5);
    frmTrans* border = border_of(explorer);
    ASSERT_NE(border, nullptr);
    EXPECT_EQ(border->Label7.Caption(), ": > Documents and Settings > User > My Documents");
    EXPECT_EQ(border->Text2.Text(), "and Settings\\User\\My Documents");
}

}
