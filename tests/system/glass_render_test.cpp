// The border's glass: what the pieces show of the screen behind, the capture kept up to date by
// the caption drag, what a pass leaves of the program's resources, and a hung target.
#include "settings/frmSettings.h"
#include "tests/system/glass_test_support.h"
#include "tests/system/system_fixture.h"

#include <random>

namespace {

constexpr uint32_t Desktop = 0x3A6EA5;
constexpr uint32_t BackColour = 0x00FFFF;

class GlassTest : public SystemTest {
protected:
    frmTrans& adopt_reference()
    {
        start();
        m_target = open_adopted_window("Reference");
        frmTrans* border = border_of(m_target);
        EXPECT_NE(border, nullptr);
        return *border;
    }

    // A window of its own process that the poll leaves alone (it has no border style), with sharp
    // edges and text to show through the glass.
    void open_behind(RECT rect)
    {
        sim::driver::AppWindow behind;
        behind.title = "Behind";
        behind.style = WS_POPUP | WS_VISIBLE;
        behind.rect = rect;
        sim::driver::open_app_window(sim::driver::create_process("C:\\Apps\\behind.exe"), behind);
    }

    RECT border_rect(frmTrans& border) { return state_of(border.hWnd()).rect; }

    // The capture the border keeps, as pixels.
    std::vector<uint32_t> capture_of(frmTrans& border)
    {
        RECT rect = border_rect(border);
        return pixels_of(border.Picture2.hDC(), 0, 0, rect.right - rect.left, rect.bottom - rect.top);
    }

    HWND m_target = nullptr;
};

TEST_F(GlassTest, PlainDesktopShowsThroughTheGlassUnchanged)
{
    adopt_reference();
    sim::Bitmap screen = sim::driver::screenshot();
    for (POINT point : { POINT { 103, 300 }, POINT { 743, 300 }, POINT { 400, 585 }, POINT { 600, 110 }, POINT { 102, 583 } })
        EXPECT_EQ(screen_pixel(screen, point.x, point.y), Desktop) << point.x << "," << point.y;
    // The rounded corner leaves the desktop itself.
    EXPECT_EQ(screen_pixel(screen, 100, 100), Desktop);
}

TEST_F(GlassTest, NoPixelAlongTheStraightEdgesShowsTheFormsBackColour)
{
    frmTrans& border = adopt_reference();
    RECT rect = border_rect(border);
    sim::Bitmap screen = sim::driver::screenshot();
    for (int x = rect.left + 6; x < rect.right - 6; ++x) {
        for (int y : { rect.top, rect.top + 1, rect.top + 2, 126, 127, 128, 581, 582, 583, 586, 587, 588 })
            ASSERT_NE(screen_pixel(screen, x, y), BackColour) << x << "," << y;
    }
    for (int y = rect.top + 6; y < rect.bottom - 6; ++y) {
        for (int x = rect.left; x < rect.left + 8; ++x)
            ASSERT_NE(screen_pixel(screen, x, y), BackColour) << x << "," << y;
        for (int x = 739; x < rect.right; ++x)
            ASSERT_NE(screen_pixel(screen, x, y), BackColour) << x << "," << y;
    }
}

TEST_F(GlassTest, WithoutBlurEachGlassPixelShowsTheScreenRightBehindIt)
{
    open_behind({ 60, 60, 400, 420 });
    frmTrans& border = adopt_reference();
    globals().BlurAmount = -1;

    auto check = [&](int offset) {
        run([&] { border.RefreshMe(); });
        sim::driver::pump();
        sim::Bitmap screen = sim::driver::screenshot();
        auto behind_pixels = screen_behind({ 0, 0, 800, 700 });
        auto behind_at = [&](int x, int y) { return behind_pixels[y * 800 + x]; };
        // The pixels that round the glass's corners take the outline's colours.
        auto is_corner = [](int x, int y) { return (x <= 103 || x >= 744) && (y <= 103 || y >= 585); };
        int differences = 0;
        for (int y = 102; y < 587; ++y) {
            for (int x : { 102, 103, 104, 105, 742, 745 })
                differences += !is_corner(x, y) && screen_pixel(screen, x, y) != behind_at(x + offset, y + offset);
        }
        for (int x = 102; x < 640; ++x) {
            for (int y : { 102, 103, 104, 126, 583, 586 })
                differences += !is_corner(x, y) && screen_pixel(screen, x, y) != behind_at(x + offset, y + offset);
        }
        return differences;
    };
    EXPECT_EQ(check(0), 0);
    run([&] { program().form<frmSettings>().Check7.Value(runtime::vbChecked); });
    EXPECT_EQ(check(2), 0);
    EXPECT_GT(check(0), 0);
}

TEST_F(GlassTest, CaptionDragMovesBorderAndTargetTogetherKeepingThePointerOnTheCaption)
{
    frmTrans& border = adopt_reference();
    sim::driver::mouse_move(400, 110);
    sim::driver::mouse_down();
    for (int step = 1; step <= 6; ++step) {
        sim::driver::mouse_move(400 + 5 * step, 110 + 5 * step);
        RECT rect = border_rect(border);
        EXPECT_EQ(rect.left, 100 + 5 * step);
        EXPECT_EQ(rect.top, 100 + 5 * step);
    }
    sim::driver::mouse_up();

    EXPECT_EQ(border_rect(border).right, 778);
    EXPECT_EQ(border_rect(border).bottom, 619);
    RECT target = state_of(m_target).rect;
    EXPECT_EQ(target.left, 137);
    EXPECT_EQ(target.top, 158);
    EXPECT_EQ(border.DeltaX, 75);
    EXPECT_EQ(border.DeltaY, 75);
}

TEST_F(GlassTest, TitleChangeInTheMiddleOfADragKeepsTheBorderUnderThePointer)
{
    frmTrans& border = adopt_reference();
    sim::driver::mouse_move(400, 110);
    sim::driver::mouse_down();
    sim::driver::mouse_move(420, 120);
    sim::driver::set_title(m_target, "Renamed while dragged");
    wait_ticks(2);
    ASSERT_EQ(border.Label1.Caption(), "Renamed while dragged");
    sim::driver::mouse_move(450, 130);
    sim::driver::mouse_up();
    RECT rect = border_rect(border);
    EXPECT_EQ(rect.left, 150);
    EXPECT_EQ(rect.top, 120);
}

TEST_F(GlassTest, CaptureAfterAnyDragsEqualsAFreshCaptureOfTheScreen)
{
    open_behind({ 300, 200, 1500, 900 });
    frmTrans& border = adopt_reference();

    std::mt19937 random(14);
    POINT pointer { 400, 110 };
    for (int drag = 0; drag < 12; ++drag) {
        sim::driver::mouse_move(pointer.x, pointer.y);
        sim::driver::mouse_down();
        for (int step = 0; step < 5; ++step) {
            // Moves of up to 800 pixels, more than the border's size, that keep it on the screen.
            RECT rect = border_rect(border);
            int dx = std::uniform_int_distribution<int>(-800, 800)(random);
            int dy = std::uniform_int_distribution<int>(-600, 600)(random);
            dx = std::clamp<int>(dx, -rect.left, 1920 - rect.right);
            dy = std::clamp<int>(dy, -rect.top, 1080 - rect.bottom);
            pointer = { pointer.x + dx, pointer.y + dy };
            sim::driver::mouse_move(pointer.x, pointer.y);
        }
        sim::driver::mouse_up();
        ASSERT_EQ(capture_of(border), screen_behind(border_rect(border))) << "after drag " << drag;
    }
}

TEST_F(GlassTest, DragFetchesOnlyTheStripsItUncovers)
{
    frmTrans& border = adopt_reference();
    // A window opened after the border's capture (one the poll leaves alone): only what a move
    // uncovers shows it.
    open_behind({ 150, 150, 900, 700 });
    auto before = capture_of(border);

    sim::driver::drag({ 400, 110 }, { 430, 110 }, 1);

    auto after = capture_of(border);
    auto fresh = screen_behind(border_rect(border));
    for (int y = 0; y < 489; ++y) {
        for (int x = 0; x < 648; ++x) {
            size_t i = y * 648 + x;
            uint32_t expected = x < 618 ? before[y * 648 + x + 30] : fresh[i];
            ASSERT_EQ(after[i], expected) << x << "," << y;
        }
    }
    EXPECT_NE(after, fresh);
}

TEST_F(GlassTest, MoveWithoutAButtonChangesNoGlassAndRepaintDoesNotMove)
{
    frmTrans& border = adopt_reference();
    auto before = capture_of(border);
    open_behind({ 150, 150, 900, 700 });
    sim::driver::mouse_move(400, 110);

    // Handles are handed out in order: a device context taken and released in between would show
    // as a gap between two probes.
    auto probe = [] {
        HPEN pen = CreatePen(PS_SOLID, 1, 0);
        DeleteObject(pen);
        return reinterpret_cast<uintptr_t>(pen);
    };
    uintptr_t first = probe();
    sim::driver::mouse_move(420, 115);
    uintptr_t second = probe();
    EXPECT_EQ(second - first, 4u);
    EXPECT_EQ(capture_of(border), before);

    run([&] { border.RefreshMe(); });
    EXPECT_EQ(capture_of(border), before);
    EXPECT_EQ(border_rect(border).left, 100);
    EXPECT_EQ(border.DeltaX, 0);
}

TEST_F(GlassTest, MaximisedBorderDoesNotDrag)
{
    frmTrans& border = adopt_reference();
    run([&] { border.MaxMe(); });
    RECT maximised = border_rect(border);
    sim::driver::drag({ 400, 5 }, { 500, 100 }, 4);
    RECT after = border_rect(border);
    EXPECT_EQ(after.left, maximised.left);
    EXPECT_EQ(after.top, maximised.top);
}

TEST_F(GlassTest, LayoutsAndDragsLeaveResourcesFlat)
{
    frmTrans& border = adopt_reference();
    run([&] { border.Form_Resize(); });
    auto usage = [] { return sim::driver::resource_usage(sim::driver::program_process()); };
    int objects = usage().gdi_objects;
    for (int i = 0; i < 100; ++i)
        run([&] { border.Form_Resize(); });
    for (int drag = 0; drag < 100; ++drag)
        sim::driver::drag({ 400, 110 }, { drag % 2 ? 380 : 420, drag % 2 ? 100 : 120 }, 10);
    EXPECT_EQ(usage().screen_dcs, 0);
    EXPECT_LE(usage().gdi_objects, objects + 2);
    EXPECT_EQ(usage().double_frees, 0);
}

TEST_F(GlassTest, HungTargetStillRendersAndDragsWithoutStallingTheClock)
{
    frmTrans& border = adopt_reference();
    sim::driver::set_hung(state_of(m_target).process_id, true);
    // Windows counts a window as hung after five seconds without an answer.
    sim::driver::run_for(5000);
    uint64_t before = sim::driver::now();
    size_t freezes = sim::driver::freezes().size();
    run([&] { border.RefreshMe(); });
    sim::driver::mouse_move(400, 110);
    sim::driver::mouse_down();
    sim::driver::mouse_move(430, 140);
    EXPECT_EQ(sim::driver::now(), before);
    EXPECT_EQ(sim::driver::freezes().size(), freezes);
    sim::driver::mouse_up();
    EXPECT_EQ(border_rect(border).left, 130);
    EXPECT_EQ(screen_pixel(sim::driver::screenshot(), 133, 330), Desktop);
    sim::driver::set_hung(state_of(m_target).process_id, false);
}

}
