// The glass look: what brightness, tint, blur and the reflection images make of the pieces'
// backgrounds, and that a plain desktop stays plain through every effect at the start values.
#include "services/basFoxCBmp3.h"
#include "services/modLoadPicBox.h"
#include "settings/frmColDialog.h"
#include "settings/frmSettings.h"
#include "platform/sim/kernel/paths.h"
#include "tests/resources/artwork_paths.h"
#include "tests/system/glass_test_support.h"
#include "tests/system/system_fixture.h"

namespace {

constexpr uint32_t Desktop = 0x3A6EA5;

class GlassLookTest : public SystemTest {
protected:
    // The program folder holds the effects library and the skin images.
    void SetUp() override
    {
        SystemTest::SetUp();
        sim::install_program_folder(artwork_test::program_folder());
    }

    frmTrans& adopt_reference() { return start_with_border("Reference"); }

    void repaint(frmTrans& border)
    {
        run([&] { border.RefreshMe(); });
        sim::driver::pump();
    }

    static std::vector<uint32_t> pixels_of_box(runtime::PictureBox& box)
    {
        runtime::StdPicture image = box.Image();
        return pixels_of(box.hDC(), 0, 0, image.width_pixels(), image.height_pixels());
    }

    static bool is_uniform(const std::vector<uint32_t>& pixels, uint32_t colour)
    {
        return std::all_of(pixels.begin(), pixels.end(), [&](uint32_t pixel) { return pixel == colour; });
    }

    // A piece's buffer filled with one colour (0xRRGGBB), then given to an effect.
    uint32_t after_effect(frmTrans& border, uint32_t colour, void (frmTrans::*effect)(runtime::PictureBox&))
    {
        run([&] {
            border.Picture9.Picture(runtime::StdPicture {});
            border.Picture9.BackColor(static_cast<long>(runtime_colour(colour)));
            (border.*effect)(border.Picture9);
        });
        return pixels_of_box(border.Picture9)[0];
    }

    // Sharp stripes behind the left piece of the reference border, so that a blur shows.
    static void open_stripes_behind_left_piece()
    {
        for (int y = 120; y < 600; y += 24) {
            sim::driver::AppWindow stripe;
            stripe.title = "Stripe";
            stripe.style = WS_POPUP | WS_VISIBLE;
            stripe.rect = { 90, y, 120, y + 9 };
            sim::driver::open_app_window(sim::driver::create_process("C:\\Apps\\stripe.exe"), stripe);
        }
    }

    static COLORREF runtime_colour(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }
};

TEST_F(GlassLookTest, APlainDesktopStaysPlainThroughEveryBlurStrength)
{
    frmTrans& border = adopt_reference();
    for (int blur : { -1, 0, 8, 30 }) {
        globals().BlurAmount = blur;
        repaint(border);
        sim::Bitmap screen = sim::driver::screenshot();
        for (POINT point : { POINT { 103, 300 }, POINT { 743, 300 }, POINT { 400, 585 }, POINT { 600, 110 }, POINT { 102, 583 } })
            EXPECT_EQ(screen_pixel(screen, point.x, point.y), Desktop) << blur << ": " << point.x << "," << point.y;
        EXPECT_TRUE(is_uniform(pixels_of_box(border.Picture5), Desktop)) << blur;
        EXPECT_TRUE(is_uniform(pixels_of_box(border.Picture9), Desktop)) << blur;
    }
}

TEST_F(GlassLookTest, EachSideBufferIsItsBackgroundBlurredOncePerStrengthStep)
{
    start();
    open_stripes_behind_left_piece();
    HWND target = open_adopted_window("Reference");
    frmTrans& border = *border_of(target);
    RECT rect = state_of(border.hWnd()).rect;
    for (int blur : { -1, 2 }) {
        globals().BlurAmount = blur;
        repaint(border);
        std::vector<uint32_t> composed = pixels_of_box(border.Picture5);
        int width = border.Picture5.Image().width_pixels();
        int height = border.Picture5.Image().height_pixels();
        int left = rect.left + runtime::twips_to_pixels_int(border.Picture4.left_twips());
        int top = rect.top + runtime::twips_to_pixels_int(border.Picture4.top_twips());

        // The same background blurred by hand, in a bitmap of the buffer's size.
        uint32_t* bits = nullptr;
        HBITMAP expected = runtime::create_dib_section(width, height, &bits);
        {
            runtime::SelectedBitmap copy(expected);
            HDC screen = GetDC(nullptr);
            BitBlt(copy.dc(), 0, 0, width, height, screen, left, top, SRCCOPY);
            ReleaseDC(nullptr, screen);
            for (int i = 0; i <= blur; ++i) {
                LONG reserved = 0;
                FoxBlur(copy.dc(), expected, copy.dc(), expected, reserved, 0, 0);
            }
        }
        int differences = 0;
        for (int i = 0; i < width * height; ++i)
            differences += composed[static_cast<size_t>(i)] != (bits[i] & 0xFFFFFF);
        DeleteObject(expected);
        EXPECT_EQ(differences, 0) << blur;
        EXPECT_FALSE(is_uniform(composed, composed[0])) << blur;
    }
}

TEST_F(GlassLookTest, TheBorderColourLightensTheGlassByItsBits)
{
    frmTrans& border = adopt_reference();
    globals().BorderColorOn = true;
    globals().BorderColorOff = false;
    run([&] { program().form<frmSettings>().Picture2.BackColor(RGB(128, 0, 0)); });
    repaint(border);
    sim::Bitmap screen = sim::driver::screenshot();
    for (POINT point : { POINT { 103, 300 }, POINT { 743, 300 }, POINT { 400, 585 }, POINT { 600, 110 } })
        EXPECT_EQ(screen_pixel(screen, point.x, point.y), 0xBA6EA5u) << point.x << "," << point.y;
}

TEST_F(GlassLookTest, HueAndSaturationTurnThePiecesColour)
{
    frmTrans& border = adopt_reference();
    frmSettings& settings = program().form<frmSettings>();
    globals().BorderColorOff = true;
    EXPECT_EQ(after_effect(border, 0xFF0000, &frmTrans::ColorPicture), 0xFF0000u);
    run([&] { settings.scrHue.Value(1200); });
    EXPECT_EQ(after_effect(border, 0xFF0000, &frmTrans::ColorPicture), 0x00FF00u);
    run([&] {
        settings.scrHue.Value(0);
        settings.scrSaturation.Value(0);
    });
    uint32_t grey = after_effect(border, 0x3A6EA5, &frmTrans::ColorPicture);
    EXPECT_EQ(grey & 0xFF, (grey >> 8) & 0xFF);
    EXPECT_EQ(grey & 0xFF, (grey >> 16) & 0xFF);
}

TEST_F(GlassLookTest, BrightnessComesFromTheColourDialogsScrollBar)
{
    frmTrans& border = adopt_reference();
    frmColDialog& dialog = program().form<frmColDialog>();
    run([&] { dialog.HScroll1.Value(0); });
    EXPECT_EQ(after_effect(border, 0x3A6EA5, &frmTrans::BrightPicture), 0x3A6EA5u);
    run([&] { dialog.HScroll1.Value(-255); });
    EXPECT_EQ(after_effect(border, 0x000000, &frmTrans::BrightPicture), 0x1A1A1Au);
    run([&] { dialog.HScroll1.Value(-2550); });
    EXPECT_EQ(after_effect(border, 0x000000, &frmTrans::BrightPicture), 0xFFFFFFu);
}

TEST_F(GlassLookTest, TheReflectionSettingsChooseTheImagesDrawn)
{
    frmTrans& border = adopt_reference();
    globals().BlurAmount = -1;
    globals().ReflectionsOn = false;
    globals().ColorSchemeFile = "cb.rcol";
    repaint(border);
    EXPECT_TRUE(is_uniform(pixels_of_box(border.Picture5), Desktop));
    EXPECT_TRUE(is_uniform(pixels_of_box(border.Picture9), Desktop));

    // Lights over the upper half of the side buffers, none on the bottom one, no texture.
    globals().ReflectionsOn = true;
    globals().ColorSchemeFile.clear();
    repaint(border);
    std::vector<uint32_t> left = pixels_of_box(border.Picture5);
    EXPECT_FALSE(is_uniform({ left.begin(), left.begin() + static_cast<long>(left.size() / 2) }, Desktop));
    EXPECT_TRUE(is_uniform({ left.begin() + static_cast<long>(left.size() / 2) + 4, left.end() }, Desktop));
    EXPECT_TRUE(is_uniform(pixels_of_box(border.Picture9), Desktop));

    globals().ColorSchemeFile = "cb.rcol";
    repaint(border);
    EXPECT_FALSE(is_uniform(pixels_of_box(border.Picture9), Desktop));
}

}

TEST_F(GlassLookTest, TheReflectionStaysFixedToTheScreenWhileTheBorderMoves)
{
    frmTrans& border = adopt_reference();
    globals().BlurAmount = -1;
    globals().ReflectionsOn = true;
    globals().ColorSchemeFile.clear();
    repaint(border);
    std::vector<uint32_t> before = pixels_of_box(border.Picture1);
    int width = border.Picture1.Image().width_pixels();
    int height = border.Picture1.Image().height_pixels();

    // Between the lights, which keep their places on the caption, the reflection's pixels move
    // left by the distance the border moves right, and right by half the distance it moves down.
    auto moved_by = [&](int right, int down) {
        run([&] {
            border.Move(border.Left() + static_cast<float>(right * 15), border.Top() + static_cast<float>(down * 15));
            border.RefreshMe();
        });
        sim::driver::pump();
        std::vector<uint32_t> after = pixels_of_box(border.Picture1);
        int shift = right - down / 2;
        int differences = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 130; x < width - 130; ++x) {
                int old_x = x + shift;
                if (old_x >= 130 && old_x < width - 130)
                    differences += after[static_cast<size_t>(y * width + x)] != before[static_cast<size_t>(y * width + old_x)];
            }
        }
        return differences;
    };
    EXPECT_EQ(moved_by(150, 0), 0);
    before = pixels_of_box(border.Picture1);
    EXPECT_EQ(moved_by(0, 150), 0);
    // The reflection varies along the caption: a wrong place would show.
    int varying_columns = 0;
    for (int x = 131; x < width - 130; ++x)
        varying_columns += before[static_cast<size_t>(10 * width + x)] != before[static_cast<size_t>(10 * width + x - 1)];
    EXPECT_GT(varying_columns, 10);
}

TEST_F(GlassLookTest, TheCornerPixelsTakeTheInnerLineAndLightColoursOnEveryPass)
{
    frmTrans& border = adopt_reference();
    frmSettings& settings = program().form<frmSettings>();
    run([&] {
        settings.Picture13.BackColor(RGB(0, 255, 0));
        settings.Picture14.BackColor(RGB(0, 0, 255));
    });
    for (int pass = 0; pass < 2; ++pass) {
        repaint(border);
        std::vector<uint32_t> caption = pixels_of_box(border.Picture1);
        int width = border.Picture1.Image().width_pixels();
        for (int x : { 0, 1, width - 2, width - 1 })
            EXPECT_EQ(caption[static_cast<size_t>(x)], 0x00FF00u) << x;
        EXPECT_EQ(caption[static_cast<size_t>(width)], 0x00FF00u);
        EXPECT_EQ(caption[static_cast<size_t>(2 * width - 1)], 0x00FF00u);

        std::vector<uint32_t> bottom = pixels_of_box(border.Picture8);
        int bottom_width = border.Picture8.Image().width_pixels();
        int bottom_height = border.Picture8.Image().height_pixels();
        auto at = [&](int x, int y) { return bottom[static_cast<size_t>(y * bottom_width + x)]; };
        EXPECT_EQ(at(0, bottom_height - 2), 0x00FF00u);
        EXPECT_EQ(at(0, bottom_height - 1), 0x00FF00u);
        EXPECT_EQ(at(1, bottom_height - 1), 0x00FF00u);
        EXPECT_EQ(at(bottom_width - 1, bottom_height - 2), 0x0000FFu);
        EXPECT_EQ(at(bottom_width - 1, bottom_height - 1), 0x0000FFu);
        EXPECT_EQ(at(bottom_width - 2, bottom_height - 1), 0x0000FFu);
    }
}

TEST_F(GlassLookTest, TheButtonStripMatchesTheTargetsCaptionButtons)
{
    // Two windows at the same place, one with all three caption buttons and one with close alone:
    // their captions differ only where the strips lie, 99 and 48 pixels left of the right edge.
    start();
    globals().BlurAmount = -1;
    globals().ReflectionsOn = true;
    HWND three_target = open_adopted_window("Three");
    HWND single_target = open_adopted_window("Single", "C:\\Apps\\single.exe", WS_VISIBLE | WS_CAPTION | WS_SYSMENU);
    ASSERT_NE(border_of(three_target), nullptr);
    ASSERT_NE(border_of(single_target), nullptr);
    frmTrans& three = *border_of(three_target);
    frmTrans& single = *border_of(single_target);
    ASSERT_TRUE(three.has_caption_button(1));
    ASSERT_FALSE(single.has_caption_button(0));
    ASSERT_TRUE(single.has_caption_button(2));
    repaint(three);
    repaint(single);
    std::vector<uint32_t> with_three = pixels_of_box(three.Picture1);
    std::vector<uint32_t> with_single = pixels_of_box(single.Picture1);
    int width = three.Picture1.Image().width_pixels();
    ASSERT_EQ(with_three.size(), with_single.size());
    int first_different_column = width;
    for (size_t i = 0; i < with_three.size(); ++i) {
        if (with_three[i] != with_single[i])
            first_different_column = std::min(first_different_column, static_cast<int>(i % static_cast<size_t>(width)));
    }
    EXPECT_EQ(first_different_column, width - 99);
    EXPECT_FALSE(single.Label4[0].Visible());
    EXPECT_FALSE(single.Label4[1].Visible());
}

TEST_F(GlassLookTest, WhileAGripIsHeldTheSidePiecesAreTexturedButNeitherBlurredNorTinted)
{
    start();
    open_stripes_behind_left_piece();
    frmTrans& border = *border_of(open_adopted_window("Reference"));
    globals().BlurAmount = 2;
    globals().ReflectionsOn = true;
    globals().ColorSchemeFile = "cb.rcol";
    globals().BorderColorOn = true;
    globals().BorderColorOff = false;
    run([&] {
        program().form<frmSettings>().Picture2.BackColor(RGB(128, 0, 0));
        program().form<frmColDialog>().HScroll1.Value(-255);
    });
    auto side_pieces = [&] {
        return std::vector { pixels_of_box(border.Picture5), pixels_of_box(border.Picture7), pixels_of_box(border.Picture9) };
    };
    repaint(border);
    auto with_effects = side_pieces();
    // The right grip pressed.
    run([&] { border.Picture6_MouseDown(runtime::vbLeftButton, 0, 1, 1); });
    repaint(border);
    auto grip_held = side_pieces();
    run([&] { border.grip_MouseUp(runtime::vbLeftButton, 0, 1, 1); });

    // The same pass with the blur, the brightness and the tint switched off gives the same pieces.
    globals().BlurAmount = -1;
    globals().BrightnessOn = false;
    globals().BorderColorOn = false;
    repaint(border);
    auto without_effects = side_pieces();
    for (size_t piece = 0; piece < 3; ++piece) {
        EXPECT_EQ(grip_held[piece], without_effects[piece]) << piece;
        EXPECT_NE(grip_held[piece], with_effects[piece]) << piece;
    }
}

TEST_F(GlassLookTest, AnExplorerWithAnAddressGetsTheAddressBarAt8By30)
{
    start();
    run([&] { program().form<frmSettings>().Check13.Value(runtime::vbChecked); });
    globals().BlurAmount = -1;
    globals().ReflectionsOn = true;
    HWND explorer = open_window("Users", "C:\\Windows\\explorer.exe");
    sim::driver::add_child_control(explorer, "Edit", "#C:\\Users #Me", RECT { 0, 0, 300, 20 });
    wait_ticks(12);
    ASSERT_NE(border_of(explorer), nullptr);
    frmTrans& border = *border_of(explorer);
    std::string bar = program().App().Path() + "\\top_bar.vee";
    std::string kept = "C:\\Windows\\top_bar.vee";
    repaint(border);
    std::vector<uint32_t> with_bar = pixels_of_box(border.Picture1);

    // Without the image the rest of the caption is drawn as before; the image drawn over that at
    // (8, 30) gives the caption with the bar.
    run([&] {
        CopyFileA(bar.c_str(), kept.c_str(), FALSE);
        DeleteFileA(bar.c_str());
    });
    repaint(border);
    std::vector<uint32_t> without_bar = pixels_of_box(border.Picture1);
    std::string error;
    run([&] { LoadPictureGDIPlus(kept, border.Picture1, 8, 30, true, error); });
    EXPECT_EQ(error, "");
    EXPECT_EQ(pixels_of_box(border.Picture1), with_bar);
    EXPECT_NE(without_bar, with_bar);
}
