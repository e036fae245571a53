// The colour-scheme dialog: its window, the eight swatches and the brightness bar acting on every
// border at once, OK saving and Cancel not, its close box, and the hover frame.
#include "settings/frmColDialog.h"
#include "settings/frmSettings.h"
#include "tests/system/system_fixture.h"

#include "platform/sim/kernel/paths.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

class ColourSchemeDialogTest : public SystemTest {
protected:
    void SetUp() override
    {
        SystemTest::SetUp();
        start();
        wait_ticks(2);
        run([&] { m_dialog = &program().form<frmColDialog>(); });
    }

    static std::filesystem::path settings_file()
    {
        return sim::host_path(std::string(sim::kelmor_program_folder) + "\\data.dat");
    }

    static std::vector<std::string> settings_lines()
    {
        std::ifstream file(settings_file(), std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }

    // Dims every border; a repaint of the borders gives each its transparency again.
    void dim_borders()
    {
        for (frmTrans* border : borders())
            SetLayeredWindowAttributes(border->hWnd(), 0, 7, LWA_ALPHA);
    }

    int repainted_borders()
    {
        int count = 0;
        for (frmTrans* border : borders())
            count += state_of(border->hWnd()).layered_alpha == BYTE { 255 } ? 1 : 0;
        return count;
    }

    frmColDialog* m_dialog = nullptr;
};

TEST_F(ColourSchemeDialogTest, WindowIsCentredWithItsCaptionAndClientArea)
{
    run([&] { m_dialog->Show(); });
    auto state = state_of(m_dialog->hWnd());
    EXPECT_EQ(state.title, "Window Color and Appereance");
    EXPECT_EQ(state.client.right - state.client.left, 665);
    EXPECT_EQ(state.client.bottom - state.client.top, 385);
    EXPECT_LE(std::abs((state.rect.left + state.rect.right) / 2 - 960), 1);
    EXPECT_LE(std::abs((state.rect.top + state.rect.bottom) / 2 - 540), 1);
    // The buttons lie inside the client area.
    RECT ok {};
    GetWindowRect(m_dialog->Command2.hWnd(), &ok);
    EXPECT_LE(ok.bottom, state.client.bottom);
    // "Transparency:" ends a gap before its bar begins.
    EXPECT_GE(m_dialog->HScroll1.pixel_rect().left - m_dialog->Label4.pixel_rect().right, 4);
}

TEST_F(ColourSchemeDialogTest, EachSwatchChoosesItsSchemeAndRepaintsEveryBorder)
{
    open_adopted_window("One");
    open_adopted_window("Two");
    const char* files[] = { "cd.rcol", "cg.rcol", "cb.rcol", "ct.rcol", "cr.rcol", "co.rcol", "cp.rcol", "cf.rcol" };
    for (int index = 0; index < 8; ++index) {
        dim_borders();
        run([&] { m_dialog->Picture1_Click(index); });
        EXPECT_EQ(globals().ColorSchemeFile, files[index]);
        EXPECT_EQ(repainted_borders(), 2);
    }
    // An index outside the table keeps the scheme but still repaints.
    dim_borders();
    run([&] { m_dialog->Picture1_Click(8); });
    EXPECT_EQ(globals().ColorSchemeFile, "cf.rcol");
    EXPECT_EQ(repainted_borders(), 2);

    // The user's click on a swatch reaches the same handler.
    run([&] { m_dialog->Show(); });
    RECT red {};
    GetWindowRect(m_dialog->Picture1[4].hWnd(), &red);
    sim::driver::click((red.left + red.right) / 2, (red.top + red.bottom) / 2);
    EXPECT_EQ(globals().ColorSchemeFile, "cr.rcol");
    EXPECT_TRUE(m_fatal_errors.empty());
}

TEST_F(ColourSchemeDialogTest, BrightnessBarRepaintsEveryBorder)
{
    open_adopted_window("One");
    dim_borders();
    run([&] { m_dialog->HScroll1.Value(-150); });
    EXPECT_EQ(repainted_borders(), 1);
}

TEST_F(ColourSchemeDialogTest, OkHidesAndSavesCancelHidesAndSavesNothing)
{
    std::filesystem::remove(settings_file());
    run([&] {
        m_dialog->Show();
        m_dialog->Picture1_Click(4);
        m_dialog->HScroll1.Value(-150);
        m_dialog->Command1_Click();
    });
    EXPECT_FALSE(m_dialog->Visible());
    EXPECT_FALSE(std::filesystem::exists(settings_file()));
    EXPECT_EQ(globals().ColorSchemeFile, "cr.rcol");

    run([&] {
        m_dialog->Show();
        m_dialog->Command2_Click();
    });
    EXPECT_FALSE(m_dialog->Visible());
    auto lines = settings_lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "BC:cr.rcol"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "COL_TRANSPARENCY:-150"), lines.end());
}

TEST_F(ColourSchemeDialogTest, CloseBoxIsCancelAndKeepsTheDialogAndItsValue)
{
    std::filesystem::remove(settings_file());
    run([&] {
        m_dialog->HScroll1.Value(-40);
        m_dialog->Show();
    });
    sim::driver::close(m_dialog->hWnd());
    EXPECT_FALSE(m_dialog->Visible());
    EXPECT_TRUE(program().is_in_collection(*m_dialog));
    EXPECT_EQ(m_dialog->HScroll1.Value(), -40);
    EXPECT_FALSE(std::filesystem::exists(settings_file()));
}

TEST_F(ColourSchemeDialogTest, OkAndCancelResumeTheWebcamOnlyWithTheLiveReflection)
{
    run([&] { m_dialog->Command1_Click(); });
    run([&] { m_dialog->Command2_Click(); });
    EXPECT_FALSE(webcam_loop().Enabled());
    run([&] { program().form<frmSettings>().Check15.Value(runtime::vbChecked); });
    for (int button = 0; button < 2; ++button) {
        run([&] {
            webcam_loop().Enabled(false);
            if (button == 0)
                m_dialog->Command1_Click();
            else
                m_dialog->Command2_Click();
        });
        EXPECT_TRUE(webcam_loop().Enabled());
    }
}

TEST_F(ColourSchemeDialogTest, HoverFrameMovesFromSwatchToSwatchAndHidesOverTheBackground)
{
    auto hover = [&](int index) { run([&] { m_dialog->Picture1_MouseMove(index, 0, 0, 10, 10); }); };
    hover(2);
    EXPECT_TRUE(m_dialog->Shape1.Visible());
    EXPECT_FLOAT_EQ(m_dialog->Shape1.Left(), 720 + 1080 * 2 - 90);
    hover(3);
    EXPECT_TRUE(m_dialog->Shape1.Visible());
    EXPECT_FLOAT_EQ(m_dialog->Shape1.Left(), 720 + 1080 * 3 - 90);
    EXPECT_FLOAT_EQ(m_dialog->Shape1.Top(), 1440);

    run([&] { m_dialog->Form_MouseMove(0, 0, 100, 100); });
    EXPECT_FALSE(m_dialog->Shape1.Visible());
    EXPECT_FLOAT_EQ(m_dialog->Shape1.Left(), -1095);
    hover(3);
    EXPECT_TRUE(m_dialog->Shape1.Visible());
}

}
