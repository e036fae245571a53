// The border's layout: where its pieces, buffers, buttons, icon and texts go for a reference
// window, for the designer size, for an explorer window, and for a border made too small.
#include "settings/frmSettings.h"
#include "tests/system/system_fixture.h"

namespace {

RECT on_screen(const runtime::Control& control)
{
    RECT rect {};
    GetWindowRect(control.hWnd(), &rect);
    return rect;
}

void expect_rect(const RECT& rect, LONG left, LONG top, LONG right, LONG bottom)
{
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.right, right);
    EXPECT_EQ(rect.bottom, bottom);
}

class ExplorerLayoutTest : public SystemTest {
protected:
    // An explorer window with an address in its edit, adopted.
    HWND open_explorer()
    {
        HWND explorer = open_window("Documents", "C:\\Windows\\explorer.exe");
        sim::driver::add_child_control(explorer, "Edit", "#C:\\Users\\Me", RECT { 0, 0, 300, 20 });
        wait_ticks(12);
        return explorer;
    }
};

TEST_F(SystemTest, ReferenceBorderPlacesEveryPiece)
{
    start();
    HWND target = open_adopted_window("Reference");
    frmTrans* border = border_of(target);
    ASSERT_NE(border, nullptr);

    expect_rect(state_of(border->hWnd()).rect, 100, 100, 748, 589);
    expect_rect(on_screen(border->Picture1), 102, 102, 746, 127);
    expect_rect(on_screen(border->Picture4), 102, 127, 106, 583);
    expect_rect(on_screen(border->Picture6), 742, 127, 746, 583);
    expect_rect(on_screen(border->Picture8), 102, 583, 746, 587);
    expect_rect(state_of(target).rect, 107, 128, 741, 582);
    expect_rect(on_screen(border->Picture11[0]), 647, 102, 673, 120);
    expect_rect(on_screen(border->Picture11[1]), 673, 102, 698, 120);
    expect_rect(on_screen(border->Picture11[2]), 698, 102, 742, 120);
    EXPECT_FLOAT_EQ(border->Picture11[2].Left() + border->Picture11[2].Width(),
        border->Picture10.Left() + border->Picture10.Width());
    expect_rect(on_screen(border->Picture17), 110, 106, 127, 123);
    EXPECT_TRUE(border->Picture17.Visible());
    EXPECT_EQ(border->Label1.pixel_rect().left + 102, 135);

    // The buffers and the capture have the sizes of their pieces and of the border.
    for (auto [buffer, piece] : { std::pair { &border->Picture5, &border->Picture4 },
             std::pair { &border->Picture7, &border->Picture6 }, std::pair { &border->Picture9, &border->Picture8 } }) {
        EXPECT_FLOAT_EQ(buffer->Width(), piece->Width());
        EXPECT_FLOAT_EQ(buffer->Height(), piece->Height());
    }
    RECT capture = border->Picture2.pixel_rect();
    EXPECT_EQ(capture.right - capture.left, 648);
    EXPECT_EQ(capture.bottom - capture.top, 489);
    // The hot zones lie over their buttons, empty.
    for (int i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(border->Label4[i].Left(), border->Picture11[i].Left());
        EXPECT_FLOAT_EQ(border->Label4[i].Width(), border->Picture11[i].Width());
        EXPECT_EQ(border->Label4[i].Caption(), "");
    }
}

TEST_F(SystemTest, DesignerSizedBorderGetsTheWorkedLayout)
{
    start();
    HWND target = open_adopted_window("Designer");
    frmTrans* border = border_of(target);
    ASSERT_NE(border, nullptr);
    run([&] { border->Move(1500, 1500, 9030, 7170); });

    auto twips = [](const runtime::Control& c) { return std::vector<float> { c.Left(), c.Top(), c.Width(), c.Height() }; };
    EXPECT_EQ(twips(border->Picture1), (std::vector<float> { 30, 30, 8970, 375 }));
    EXPECT_EQ(twips(border->Picture4), (std::vector<float> { 30, 405, 65, 6670 }));
    EXPECT_EQ(twips(border->Picture6), (std::vector<float> { 8935, 405, 65, 6670 }));
    EXPECT_EQ(twips(border->Picture8), (std::vector<float> { 30, 7075, 8970, 65 }));
    EXPECT_EQ(twips(border->Picture10), (std::vector<float> { 110, 420, 8825, 6640 }));
    EXPECT_EQ(twips(border->Shape1), (std::vector<float> { 95, 405, 8855, 6670 }));
    EXPECT_FLOAT_EQ(border->Picture11[2].Left(), 8275);
    EXPECT_FLOAT_EQ(border->Picture11[1].Left(), 7900);
    EXPECT_FLOAT_EQ(border->Picture11[0].Left(), 7510);
    EXPECT_FLOAT_EQ(border->Picture17.Top(), 60);
    // The target's program takes the move as a request of its own, when it next takes its messages.
    sim::driver::pump();
    RECT target_rect = state_of(target).rect;
    EXPECT_EQ(target_rect.right - target_rect.left, 588);
    EXPECT_EQ(target_rect.bottom - target_rect.top, 443);
}

TEST_F(ExplorerLayoutTest, ExplorerLayoutShowsTheAddressInATallCaption)
{
    start();
    run([&] { program().form<frmSettings>().Check13.Value(runtime::vbChecked); });
    HWND explorer = open_explorer();
    frmTrans* border = border_of(explorer);
    ASSERT_NE(border, nullptr);

    EXPECT_FLOAT_EQ(border->Picture1.Height(), 935);
    EXPECT_TRUE(border->Label7.Visible());
    EXPECT_FALSE(border->Text2.Visible());
    EXPECT_FLOAT_EQ(border->Picture17.Left(), 1245);
    EXPECT_FLOAT_EQ(border->Picture17.Top(), 575);
    EXPECT_FLOAT_EQ(border->Label7.Left(), 1620);
    EXPECT_FLOAT_EQ(border->Label7.Top(), 575);
    expect_rect(state_of(explorer).rect, 107, 165, 741, 582);
}

TEST_F(ExplorerLayoutTest, ExplorerWithoutTheEmulationKeepsTheNormalLayout)
{
    start();
    HWND explorer = open_explorer();
    frmTrans* border = border_of(explorer);
    ASSERT_NE(border, nullptr);
    EXPECT_FLOAT_EQ(border->Picture1.Height(), 375);
    EXPECT_FALSE(border->Label7.Visible());
    expect_rect(state_of(explorer).rect, 107, 128, 741, 582);
}

TEST_F(SystemTest, TinyBorderRefusesNegativeSizesAndLaysOutTheRest)
{
    start();
    HWND target = open_adopted_window("Tiny");
    frmTrans* border = border_of(target);
    ASSERT_NE(border, nullptr);
    float left_piece_height = border->Picture4.Height();

    run([&] { border->Move(1500, 1500, 1800, 450); });

    EXPECT_TRUE(m_fatal_errors.empty());
    // The pieces whose height would be negative keep it; their places and widths still follow.
    EXPECT_FLOAT_EQ(border->Picture4.Height(), left_piece_height);
    EXPECT_FLOAT_EQ(border->Picture4.Top(), 405);
    EXPECT_FLOAT_EQ(border->Picture6.Left(), 1800 - 65 - 30);
    EXPECT_FLOAT_EQ(border->Picture1.Width(), 1740);
    EXPECT_FLOAT_EQ(border->Picture11[2].Left(), border->Picture10.Left() + border->Picture10.Width() - 660);
    RECT capture = border->Picture2.pixel_rect();
    EXPECT_EQ(capture.right - capture.left, 120);
    EXPECT_EQ(capture.bottom - capture.top, 30);
    EXPECT_TRUE(state_of(border->hWnd()).region_bounds.has_value());
}

TEST_F(SystemTest, MaximisedOrSizingBorderIsNotLaidOut)
{
    start();
    HWND target = open_adopted_window("Still");
    frmTrans* border = border_of(target);
    ASSERT_NE(border, nullptr);
    run([&] {
        border->IsSizing = true;
        border->Width(border->Width() + 1500);
    });
    EXPECT_FLOAT_EQ(border->Picture1.Width(), 9660);
    run([&] {
        border->IsSizing = false;
        border->Form_Resize();
    });
    EXPECT_FLOAT_EQ(border->Picture1.Width(), 9660 + 1500);
}

}
