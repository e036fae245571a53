// The live settings with the program running: a saved data.dat takes effect at start as the
// controls do, and the transparency reaches every border and both skins.
#include "settings/frmSettings.h"
#include "shellskin/frmStartmenu.h"
#include "shellskin/frmTaskbar.h"
#include "tests/system/system_fixture.h"

#include "platform/sim/kernel/paths.h"
#include "platform/sim/shell/registry_store.h"
#include "platform/sim/shell/shell_windows.h"

#include <fstream>
#include <optional>

namespace {

constexpr const char* RunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

class LiveSettingsTest : public SystemTest {
protected:
    static void write_settings(const std::string& text)
    {
        std::ofstream(sim::host_path(std::string(sim::kelmor_program_folder) + "\\data.dat"), std::ios::binary) << text;
    }

    template<typename FormType>
    std::optional<BYTE> alpha_of()
    {
        HWND window = nullptr;
        run([&] { window = program().form<FormType>().hWnd(); });
        return state_of(window).layered_alpha;
    }
};

TEST_F(LiveSettingsTest, ASavedFileAppliesAutostartIconsViewAndTransparencyAtStart)
{
    write_settings("STARTUP:1\r\nHIDEDESKTOP:1\r\nTRANSPARENCY:1\r\nTRANSPARENCY_VAL:250\r\nDESKTOPSTYLE:3\r\n");
    start();
    EXPECT_EQ(sim::string_value(HKEY_CURRENT_USER, RunKey, "Kelmor"),
        "\"" + std::string(sim::kelmor_program_folder) + "\\Kelmor 2.exe\"");
    EXPECT_FALSE(IsWindowVisible(sim::program_manager_window()));
    EXPECT_EQ(sim::desktop_view(), sim::DesktopView::Details);
    EXPECT_EQ(globals().TransparencyPercent, 25);
    EXPECT_EQ(alpha_of<frmTaskbar>(), 191);
    EXPECT_EQ(alpha_of<frmStartmenu>(), 191);
    // A border adopted afterwards fades in to the saved transparency.
    frmTrans* border = border_of(open_adopted_window("Editor"));
    ASSERT_NE(border, nullptr);
    wait_ticks(100);
    EXPECT_EQ(state_of(border->hWnd()).layered_alpha, 191);
    EXPECT_TRUE(m_fatal_errors.empty());
}

TEST_F(LiveSettingsTest, TheTransparencySliderReachesEveryBorderAndBothSkins)
{
    start();
    std::vector<frmTrans*> adopted { border_of(open_adopted_window("Editor")), border_of(open_adopted_window("Notes")) };
    wait_ticks(100);
    // Until a transparency is chosen the skins show their own.
    EXPECT_EQ(alpha_of<frmTaskbar>(), 204);
    EXPECT_EQ(alpha_of<frmStartmenu>(), 222);
    frmSettings* settings = nullptr;
    run([&] { settings = &program().form<frmSettings>(); });
    run([&] {
        settings->Check4.Value(runtime::vbChecked);
        settings->HScroll1.Value(250);
    });
    for (frmTrans* border : adopted) {
        ASSERT_NE(border, nullptr);
        EXPECT_EQ(state_of(border->hWnd()).layered_alpha, 191);
    }
    EXPECT_EQ(alpha_of<frmTaskbar>(), 191);
    EXPECT_EQ(alpha_of<frmStartmenu>(), 191);
    EXPECT_EQ(alpha_of<frmSettings>(), std::nullopt) << "the settings window itself stays opaque";
    EXPECT_TRUE(m_fatal_errors.empty());
}

}
