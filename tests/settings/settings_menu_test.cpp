// The settings window's menu: the highlight bar over the item under the pointer, rendered once per
// entered item, hidden over the panel, and the click that shows one page under its name with the
// pressed light. The program folder holds the menu lights and the effects library.
#include "tests/settings/settings_fixture.h"
#include "tests/system/glass_test_support.h"

namespace {

constexpr int BlurItem = 0;
constexpr int ColorsItem = 1;
constexpr int ControlboxItem = 5;

class SettingsMenuTest : public SettingsWithProgramFolderTest {
protected:
    frmSettings& shown_settings_window()
    {
        frmSettings& settings = start_settings_window();
        run([&] { settings.Show(); });
        return settings;
    }

    void hover(frmSettings& settings, int item)
    {
        run([&] { settings.Label1_MouseMove(item, 0, 0, 5, 5); });
    }

    std::vector<uint32_t> bar(frmSettings& settings)
    {
        std::vector<uint32_t> pixels;
        run([&] { pixels = pixels_of(settings.Picture5.hDC(), 0, 0, 129, 25); });
        return pixels;
    }

    // A mark on the rendered bar that only a new render takes away.
    void mark_bar(frmSettings& settings)
    {
        run([&] { SetPixelV(settings.Picture5.hDC(), 0, 0, RGB(255, 0, 255)); });
    }
};

TEST_F(SettingsMenuTest, TheWindowOpensWithThePanelTheTitleAndNoPage)
{
    frmSettings& settings = shown_settings_window();
    EXPECT_EQ(settings.Caption(), "Kelmor - Settings");
    EXPECT_EQ(settings.BorderStyle(), runtime::vbFixedSingle);
    RECT client {};
    run([&] { GetClientRect(settings.hWnd(), &client); });
    EXPECT_EQ(client.right, 475);
    EXPECT_EQ(client.bottom, 515);
    EXPECT_TRUE(settings.Picture4.Visible());
    EXPECT_EQ(settings.Label2.Caption(), "Kelmor - Settings");
    for (int page = 0; page < 10; ++page)
        EXPECT_FALSE(settings.Picture1[page].Visible()) << page;
    EXPECT_FALSE(settings.RTF1.Visible());
    EXPECT_FALSE(settings.Picture5.Visible());
}

TEST_F(SettingsMenuTest, TheBarCoversTheHoveredItemAndRendersOncePerEnteredItem)
{
    frmSettings& settings = shown_settings_window();
    EXPECT_FALSE(settings.Picture5.Visible());
    hover(settings, BlurItem);
    EXPECT_TRUE(settings.Picture5.Visible());
    EXPECT_EQ(settings.Picture5.Top(), 43);
    EXPECT_EQ(settings.MenuIndex, BlurItem);
    std::vector<uint32_t> rendered = bar(settings);

    // Moving within the item renders nothing.
    mark_bar(settings);
    hover(settings, BlurItem);
    EXPECT_EQ(bar(settings)[0], 0xFF00FFu);

    // Over the panel the bar goes; coming back renders it afresh.
    run([&] { settings.Picture4_MouseMove(0, 0, 5, 400); });
    EXPECT_FALSE(settings.Picture5.Visible());
    hover(settings, BlurItem);
    EXPECT_TRUE(settings.Picture5.Visible());
    EXPECT_EQ(bar(settings), rendered);

    hover(settings, ColorsItem);
    EXPECT_EQ(settings.Picture5.Top(), 75);
    EXPECT_NE(bar(settings), rendered);
    EXPECT_FALSE(settings.Label1[ControlboxItem].Visible());
    EXPECT_TRUE(m_fatal_errors.empty());
}

TEST_F(SettingsMenuTest, AClickShowsThatPageAloneUnderItsNameWithThePressedLight)
{
    frmSettings& settings = shown_settings_window();
    hover(settings, ColorsItem);
    std::vector<uint32_t> hovered = bar(settings);
    run([&] { settings.Label1_MouseDown(ColorsItem, runtime::vbLeftButton, 0, 5, 5); });
    EXPECT_TRUE(settings.MenuDown);
    EXPECT_EQ(settings.Picture5.Top(), 75);
    EXPECT_NE(bar(settings), hovered) << "the pressed light replaces the hover light";
    EXPECT_EQ(settings.Label2.Caption(), "Colors");
    for (int page = 0; page < 10; ++page)
        EXPECT_EQ(settings.Picture1[page].Visible(), page == ColorsItem) << page;
    EXPECT_FALSE(settings.RTF1.Visible());

    // A right button does nothing.
    run([&] { settings.Label1_MouseDown(BlurItem, runtime::vbRightButton, 0, 5, 5); });
    EXPECT_EQ(settings.Label2.Caption(), "Colors");

    // Leaving over the panel puts the hover light back for the next item.
    run([&] { settings.Picture4_MouseMove(0, 0, 5, 400); });
    EXPECT_FALSE(settings.MenuDown);
    hover(settings, ColorsItem);
    EXPECT_EQ(bar(settings), hovered);
    EXPECT_TRUE(m_fatal_errors.empty());
}

}
