#include "resources/designer_pictures.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

constexpr std::uint32_t red = 0xFFFF0000;

const artwork::DesignerPicture& picture(std::string_view name)
{
    auto* found = artwork::designer_picture(name);
    if (!found)
        throw std::runtime_error("no designer picture " + std::string(name));
    return *found;
}

bool is_red(const artwork::DesignerPicture& picture, int x, int y)
{
    return picture.pixel(x, y) == red;
}

std::string red_mask(const artwork::DesignerPicture& picture)
{
    std::string mask;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x)
            mask += is_red(picture, x, y) ? 'R' : '.';
    }
    return mask;
}

TEST(DesignerPictures, NamesAreUniqueAndFound)
{
    std::set<std::string_view> names;
    for (auto& picture : artwork::designer_pictures()) {
        EXPECT_TRUE(names.insert(picture.name).second) << picture.name;
        EXPECT_EQ(artwork::designer_picture(picture.name), &picture);
        EXPECT_GT(picture.width, 0);
        EXPECT_GT(picture.height, 0);
        EXPECT_NE(picture.pixels, nullptr);
    }
    EXPECT_EQ(artwork::designer_picture("frmTrans.Picture99(0)"), nullptr);
    EXPECT_EQ(artwork::designer_picture(""), nullptr);
}

TEST(DesignerPictures, SizesAreTheDesignedOnes)
{
    struct Expected {
        const char* name;
        int width;
        int height;
    };
    const Expected expected[] = {
        { "frmTaskbar.Picture", 2100, 34 }, { "frmTaskbar.Picture2", 58, 34 }, { "frmStartmenu.Picture", 419, 569 },
        { "frmStartmenu.Picture1", 144, 31 }, { "frmStartmenu.Image2", 246, 36 }, { "frmStartmenu.Picture2", 54, 24 },
        { "frmStartmenu.Image1", 48, 48 }, { "frmSettings.Picture4", 150, 516 },
        { "frmSettings.Label12.MouseIcon", 32, 32 }, { "frmTrans.Picture19", 25, 18 },
    };
    for (auto& [name, width, height] : expected) {
        EXPECT_EQ(picture(name).width, width) << name;
        EXPECT_EQ(picture(name).height, height) << name;
    }
    const int button_widths[] = { 26, 25, 44 };
    for (const char* holder : { "Picture11", "Picture12", "Picture13", "Picture14", "Picture20", "Picture21" }) {
        for (int index = 0; index < 3; ++index) {
            auto& button = picture(std::string("frmTrans.") + holder + "(" + std::to_string(index) + ")");
            EXPECT_EQ(button.width, button_widths[index]) << button.name;
            EXPECT_EQ(button.height, 18) << button.name;
        }
    }
    for (int index = 0; index < 3; ++index) {
        EXPECT_EQ(picture("frmTrans.Picture16(" + std::to_string(index) + ")").width, 25);
        EXPECT_EQ(picture("frmTrans.Picture18(" + std::to_string(index) + ")").width, 44);
        EXPECT_EQ(picture("frmTaskbar.Picture1(" + std::to_string(index) + ")").width, 58);
        EXPECT_EQ(picture("frmStartmenu.Picture3(" + std::to_string(index) + ")").width, 54);
    }
    for (int index = 0; index < 8; ++index) {
        auto& preview = picture("frmColDialog.Picture1(" + std::to_string(index) + ")");
        EXPECT_EQ(preview.width, 61);
        EXPECT_EQ(preview.height, 60);
    }
}

TEST(DesignerPictures, EveryPictureButTheCursorIsOpaque)
{
    for (auto& picture : artwork::designer_pictures()) {
        if (picture.is_cursor())
            continue;
        EXPECT_EQ(picture.bits_per_pixel, 24) << picture.name;
        for (int index = 0; index < picture.width * picture.height; ++index) {
            if ((picture.pixels[index] >> 24) != 0xFF) {
                ADD_FAILURE() << picture.name << " has a translucent pixel";
                break;
            }
        }
    }
}

// The taskbar's shape: above the bar only the trapezoid where the start button rises stays.
TEST(TaskbarPictures, TopRowsAreCutOutExceptTheStartButtonsTrapezoid)
{
    for (const char* name : { "frmTaskbar.Picture", "frmTaskbar.Picture2", "frmTaskbar.Picture1(0)",
             "frmTaskbar.Picture1(1)", "frmTaskbar.Picture1(2)" }) {
        auto& bar = picture(name);
        for (int y = 0; y < bar.height; ++y) {
            for (int x = 0; x < bar.width; ++x) {
                bool is_kept = y >= 4 || (x >= 24 - 2 * y && x <= 35 + 2 * y);
                ASSERT_EQ(is_red(bar, x, y), !is_kept) << name << " at " << x << ", " << y;
            }
        }
    }
    auto& bar = picture("frmTaskbar.Picture");
    EXPECT_TRUE(is_red(bar, 23, 0));
    EXPECT_FALSE(is_red(bar, 24, 0));
    EXPECT_FALSE(is_red(bar, 35, 0));
    EXPECT_TRUE(is_red(bar, 36, 0));
    EXPECT_TRUE(is_red(bar, 17, 3));
    EXPECT_FALSE(is_red(bar, 18, 3));
    EXPECT_FALSE(is_red(bar, 41, 3));
    EXPECT_TRUE(is_red(bar, 42, 3));
}

TEST(StartMenuPictures, TopRowsAreCutOutExceptTheUserPicturesFrame)
{
    auto& menu = picture("frmStartmenu.Picture");
    for (int y = 0; y < 26; ++y) {
        for (int x = 0; x < menu.width; ++x) {
            bool is_frame = y >= 4 && x >= 312 && x <= 367;
            ASSERT_EQ(is_red(menu, x, y), !is_frame) << x << ", " << y;
        }
    }
}

TEST(StartMenuPictures, TopCornersAreRoundedAndTheRestIsKept)
{
    auto& menu = picture("frmStartmenu.Picture");
    int previous_cut = menu.width;
    for (int y = 26; y < 30; ++y) {
        int cut = 0;
        while (is_red(menu, cut, y))
            ++cut;
        EXPECT_GT(cut, 0) << "row " << y;
        EXPECT_LE(cut, previous_cut) << "row " << y;
        previous_cut = cut;
        for (int x = 0; x < cut; ++x)
            EXPECT_TRUE(is_red(menu, menu.width - 1 - x, y)) << "row " << y;
        EXPECT_FALSE(is_red(menu, menu.width - 1 - cut, y)) << "row " << y;
    }
    for (int y = 30; y < menu.height; ++y) {
        for (int x = 0; x < menu.width; ++x)
            ASSERT_FALSE(is_red(menu, x, y)) << x << ", " << y;
    }
}

TEST(StartMenuPictures, HighlightBarHasRedCornersOnly)
{
    auto& bar = picture("frmStartmenu.Picture1");
    EXPECT_TRUE(is_red(bar, 0, 0));
    EXPECT_TRUE(is_red(bar, bar.width - 1, 0));
    EXPECT_TRUE(is_red(bar, 0, bar.height - 1));
    EXPECT_TRUE(is_red(bar, bar.width - 1, bar.height - 1));
    EXPECT_FALSE(is_red(bar, bar.width / 2, 0));
    EXPECT_FALSE(is_red(bar, 0, bar.height / 2));
    EXPECT_FALSE(is_red(bar, bar.width / 2, bar.height / 2));
}

// Pure red means "cut out" to the region code, so pictures that are not shaped by it must not
// carry it by accident.
TEST(DesignerPictures, PicturesWithoutACutOutCarryNoPureRed)
{
    const char* unshaped[] = { "frmStartmenu.Image2", "frmStartmenu.Picture2", "frmStartmenu.Picture3(0)",
        "frmStartmenu.Picture3(1)", "frmStartmenu.Picture3(2)", "frmStartmenu.Image1", "frmSettings.Picture4",
        "frmSettings.Picture10" };
    for (auto* name : unshaped)
        EXPECT_EQ(red_mask(picture(name)).find('R'), std::string::npos) << name;
    for (int index = 0; index < 8; ++index) {
        auto name = "frmColDialog.Picture1(" + std::to_string(index) + ")";
        EXPECT_EQ(red_mask(picture(name)).find('R'), std::string::npos) << name;
    }
}

// A button's window region is made once from its first picture, so every picture the button
// can show must have the same cut-out, and the cut-out must be a corner rounding, not a hole.
TEST(CaptionButtonPictures, EveryLookOfAButtonHasTheSameCutOut)
{
    const char* looks[][6] = {
        { "Picture11(0)", "Picture12(0)", "Picture13(0)", "Picture14(0)", "Picture20(0)", "Picture21(0)" },
        { "Picture11(1)", "Picture12(1)", "Picture13(1)", "Picture14(1)", "Picture20(1)", "Picture21(1)" },
        { "Picture11(2)", "Picture12(2)", "Picture13(2)", "Picture14(2)", "Picture20(2)", "Picture21(2)" },
    };
    for (auto& button : looks) {
        auto mask = red_mask(picture(std::string("frmTrans.") + button[0]));
        for (auto* look : button)
            EXPECT_EQ(red_mask(picture(std::string("frmTrans.") + look)), mask) << look;
    }
    auto maximise_mask = red_mask(picture("frmTrans.Picture11(1)"));
    for (const char* look : { "frmTrans.Picture16(0)", "frmTrans.Picture16(1)", "frmTrans.Picture16(2)", "frmTrans.Picture19" })
        EXPECT_EQ(red_mask(picture(look)), maximise_mask) << look;
    auto lone_mask = red_mask(picture("frmTrans.Picture18(0)"));
    EXPECT_EQ(red_mask(picture("frmTrans.Picture18(1)")), lone_mask);
    EXPECT_EQ(red_mask(picture("frmTrans.Picture18(2)")), lone_mask);

    auto& minimise = picture("frmTrans.Picture12(0)");
    auto& close = picture("frmTrans.Picture12(2)");
    auto& lone = picture("frmTrans.Picture18(0)");
    EXPECT_TRUE(is_red(minimise, 0, 17));
    EXPECT_FALSE(is_red(minimise, 25, 17));
    EXPECT_TRUE(is_red(close, 43, 17));
    EXPECT_FALSE(is_red(close, 0, 17));
    EXPECT_TRUE(is_red(lone, 0, 17));
    EXPECT_TRUE(is_red(lone, 43, 17));
    EXPECT_EQ(red_mask(picture("frmTrans.Picture12(1)")).find('R'), std::string::npos);
    for (auto* button : { &minimise, &close, &lone })
        EXPECT_FALSE(is_red(*button, button->width / 2, button->height / 2)) << button->name;
}

TEST(CaptionButtonPictures, HoverAndPressedLooksDifferFromNormal)
{
    for (int index = 0; index < 3; ++index) {
        auto suffix = "(" + std::to_string(index) + ")";
        auto normal = picture("frmTrans.Picture12" + suffix);
        auto hover = picture("frmTrans.Picture13" + suffix);
        auto pressed = picture("frmTrans.Picture14" + suffix);
        auto differs = [&](const artwork::DesignerPicture& other) {
            for (int pixel = 0; pixel < normal.width * normal.height; ++pixel) {
                if (normal.pixels[pixel] != other.pixels[pixel])
                    return true;
            }
            return false;
        };
        EXPECT_TRUE(differs(hover)) << index;
        EXPECT_TRUE(differs(pressed)) << index;
    }
}

TEST(CursorPicture, HandHasItsHotSpotOnTheFingertip)
{
    auto& cursor = picture("frmSettings.Label12.MouseIcon");
    ASSERT_TRUE(cursor.is_cursor());
    EXPECT_EQ(cursor.hot_spot_x, 6);
    EXPECT_EQ(cursor.hot_spot_y, 0);
    EXPECT_EQ(cursor.bits_per_pixel, 32);
    EXPECT_GE(cursor.pixel(6, 0) >> 24, 0x80u);
    EXPECT_EQ(cursor.pixel(31, 31) >> 24, 0u);
    EXPECT_EQ(cursor.pixel(0, 0) >> 24, 0u);
}

TEST(ProgramIcon, HasEachSizeAtEightAndThirtyTwoBits)
{
    auto* icon = artwork::designer_icon("FrmSplash.Icon");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(artwork::designer_icon("Form1.Icon"), nullptr);
    std::set<std::pair<int, int>> found;
    for (auto& image : icon->images) {
        EXPECT_EQ(image.width, image.height);
        found.insert({ image.width, image.bits_per_pixel });
        std::set<std::uint32_t> colours;
        for (int index = 0; index < image.width * image.height; ++index) {
            auto alpha = image.pixels[index] >> 24;
            if (image.bits_per_pixel == 8) {
                EXPECT_TRUE(alpha == 0 || alpha == 0xFF) << image.width;
                colours.insert(image.pixels[index]);
            }
        }
        EXPECT_LE(colours.size(), 257u);
        EXPECT_EQ(image.pixel(image.width / 2, image.height / 2) >> 24, 0xFFu);
    }
    std::set<std::pair<int, int>> expected { { 32, 8 }, { 32, 32 }, { 24, 8 }, { 24, 32 }, { 16, 8 }, { 16, 32 } };
    EXPECT_EQ(found, expected);
    EXPECT_EQ(icon->images.size(), 6u);
}

}
