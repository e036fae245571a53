// Start-up and quit: a single instance, control files, the refused close, and every window given
// back when the program ends, in order or by a fault of its own.
#include "border/frmTrans.h"
#include "services/Module2.h"
#include "settings/frmSettings.h"
#include "tests/system/system_fixture.h"

#include "platform/sim/kernel/paths.h"
#include "platform/sim/shell/notification_area.h"
#include "platform/sim/shell/registry_store.h"
#include "platform/sim/shell/shell_windows.h"
#include "platform/sim/shell/wallpaper.h"
#include "platform/sim/user/process_table.h"

#include <filesystem>
#include <fstream>

namespace {

struct Snapshot {
    HWND window;
    sim::driver::WindowState before;
};

class QuitTest : public SystemTest {
protected:
    // Opens two windows after start and lets both borders finish fading in.
    std::vector<Snapshot> adopt_two()
    {
        std::vector<Snapshot> adopted;
        for (const char* title : { "Editor", "Viewer" }) {
            HWND window = open_window(title);
            adopted.push_back({ window, state_of(window) });
            wait_ticks(12);
        }
        return adopted;
    }

    // Back where and as large as it was before adoption: none of these tests moves a border.
    void expect_given_back(const Snapshot& snapshot)
    {
        ASSERT_TRUE(IsWindow(snapshot.window));
        auto after = state_of(snapshot.window);
        EXPECT_EQ(after.parent, nullptr);
        EXPECT_EQ(after.style, snapshot.before.style);
        EXPECT_EQ(after.ex_style, snapshot.before.ex_style);
        EXPECT_TRUE(after.is_visible);
        EXPECT_EQ(after.rect, snapshot.before.rect);
    }

    // Starts with the wallpaper "Old.bmp", which the settings window remembers as it loads, then
    // switches the desktop to the list view and the generated wallpaper "Blurred.bmp".
    void start_with_changed_desktop()
    {
        for (const char* name : { "C:\\Windows\\Old.bmp", "C:\\Windows\\Blurred.bmp" })
            write_bitmap_file(name);
        ASSERT_TRUE(SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>("C:\\Windows\\Old.bmp"),
            SPIF_UPDATEINIFILE));
        start();
        run([&] { SetDesktopViewStyle(3); });
        ASSERT_TRUE(SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>("C:\\Windows\\Blurred.bmp"),
            SPIF_UPDATEINIFILE));
        ASSERT_EQ(sim::desktop_view(), sim::DesktopView::List);
    }

    // A 2 x 2 24-bit BMP file the desktop can show.
    static void write_bitmap_file(const char* windows_path)
    {
        std::vector<uint8_t> file = { 'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0,
            0, 1, 0, 24, 0, 0, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 };
        file.resize(file.size() + 16, 0x40);
        std::ofstream(sim::host_path(windows_path), std::ios::binary)
            .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    }

    static std::string profile_wallpaper()
    {
        return sim::string_value(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper");
    }
};

TEST_F(QuitTest, QuitGivesEveryWindowBackAndEndsTheProcess)
{
    start();
    auto adopted = adopt_two();
    ShowWindow(sim::taskbar_window(), SW_HIDE);
    ASSERT_EQ(sim::tray_icons().size(), 1u);
    EXPECT_EQ(sim::tray_icons()[0].owner, m_controller->hWnd());
    EXPECT_EQ(sim::tray_icons()[0].tip, "Kelmor");
    EXPECT_EQ(sim::tray_icons()[0].callback_message, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_NE(sim::tray_icons()[0].icon, nullptr);

    EXPECT_FALSE(quit());

    EXPECT_FALSE(sim::driver::is_process_alive(sim::driver::program_process()));
    for (size_t i = 0; i < adopted.size(); ++i)
        expect_given_back(adopted[i]);
    EXPECT_TRUE(state_of(sim::taskbar_window()).is_visible);
    EXPECT_TRUE(state_of(sim::program_manager_window()).is_visible);
    EXPECT_TRUE(sim::tray_icons().empty());
}

TEST_F(QuitTest, QuitRestoresTheIconViewAndOverTheGeneratedFileTheOldWallpaper)
{
    start_with_changed_desktop();
    std::string generated = program().App().Path() + "\\s1.dbg";
    write_bitmap_file(generated.c_str());
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, generated.data(), SPIF_UPDATEINIFILE));

    EXPECT_FALSE(quit());

    EXPECT_EQ(sim::desktop_view(), sim::DesktopView::Icons);
    EXPECT_EQ(sim::wallpaper_path(), "C:\\Windows\\Old.bmp");
    EXPECT_EQ(profile_wallpaper(), "C:\\Windows\\Old.bmp");
}

TEST_F(QuitTest, QuitKeepsAWallpaperTheUserChoseOverTheGeneratedOne)
{
    start_with_changed_desktop();
    write_bitmap_file((program().App().Path() + "\\s1.dbg").c_str());

    EXPECT_FALSE(quit());

    EXPECT_EQ(sim::wallpaper_path(), "C:\\Windows\\Blurred.bmp");
    EXPECT_EQ(profile_wallpaper(), "C:\\Windows\\Blurred.bmp");
}

TEST_F(QuitTest, QuitWithoutTheGeneratedFileLeavesTheWallpaperAlone)
{
    start_with_changed_desktop();

    EXPECT_FALSE(quit());

    EXPECT_EQ(sim::desktop_view(), sim::DesktopView::Icons);
    EXPECT_EQ(sim::wallpaper_path(), "C:\\Windows\\Blurred.bmp");
    EXPECT_EQ(profile_wallpaper(), "C:\\Windows\\Blurred.bmp");
}

TEST_F(QuitTest, HiddenBorderGivesItsWindowBackAtQuitToo)
{
    start();
    auto adopted = adopt_two();
    frmTrans* hidden = border_of(adopted[0].window);
    run([&] { hidden->Hide(); });

    EXPECT_FALSE(quit());

    expect_given_back(adopted[0]);
    EXPECT_TRUE(IsWindow(adopted[1].window));
}

TEST_F(QuitTest, FaultInTheProgramGivesEveryWindowBackThenEnds)
{
    run([&] { m_controller = &start_kelmor(program()); });
    auto adopted = adopt_two();
    ASSERT_NE(border_of(adopted[1].window), nullptr);

    bool is_running = sim::driver::run_program([&] {
        m_program->dispatch([] { runtime::raise(runtime::ErrInvalidProcedureCall, "fault"); });
    });

    EXPECT_FALSE(is_running);
    EXPECT_FALSE(sim::driver::is_process_alive(sim::driver::program_process()));
    expect_given_back(adopted[1]);
    EXPECT_TRUE(IsWindow(adopted[0].window));
}

TEST_F(QuitTest, FaultInsideThePollTakesTheFatalPath)
{
    run([&] { m_controller = &start_kelmor(program()); });
    auto adopted = adopt_two();
    ASSERT_NE(border_of(adopted[1].window), nullptr);

    sim::driver::fault_next_call(sim::driver::program_process());
    bool is_running = sim::driver::run_program([&] { m_program->dispatch([&] { m_controller->Timer4_Timer(); }); });

    EXPECT_FALSE(is_running);
    ASSERT_TRUE(program().last_unhandled_error().has_value());
    EXPECT_EQ(program().last_unhandled_error()->number, static_cast<long>(EXCEPTION_ACCESS_VIOLATION));
    EXPECT_FALSE(sim::driver::is_process_alive(sim::driver::program_process()));
    expect_given_back(adopted[1]);
    EXPECT_TRUE(IsWindow(adopted[0].window));
}

TEST_F(QuitTest, SecondInstanceShowsTheTaskbarAndEndsWithoutTouchingWindows)
{
    start();
    HWND target = open_adopted_window("Adopted");
    ShowWindow(sim::taskbar_window(), SW_HIDE);
    HWND untouched = open_window("Opened Meanwhile");

    uint32_t second = sim::driver::create_process("C:\\Program Files\\Kelmor\\Kelmor 2.exe");
    bool second_ended = false;
    {
        sim::ProcessScope scope(second);
        try {
            runtime::Program instance;
            start_kelmor(instance);
        } catch (const sim::ProcessExit&) {
            second_ended = true;
        }
    }

    EXPECT_TRUE(second_ended);
    EXPECT_FALSE(sim::driver::is_process_alive(second));
    EXPECT_TRUE(state_of(sim::taskbar_window()).is_visible);
    EXPECT_TRUE(sim::driver::is_process_alive(sim::driver::program_process()));
    EXPECT_EQ(state_of(untouched).parent, nullptr);
    EXPECT_EQ(state_of(target).parent, border_of(target)->Picture10.hWnd());
    // The first instance goes on: it adopts the window opened meanwhile at its next tick.
    wait_ticks(1);
    EXPECT_NE(border_of(untouched), nullptr);
}

TEST_F(QuitTest, StartCopiesOnlyTheMissingControlPackages)
{
    for (const char* file : { "COMCTL32.OCX", "COMCTL32.DLL", "COMCTL32.OCA", "MSINET.OCX", "MSINET.OCA" })
        std::ofstream(sim::host_path(std::string(sim::kelmor_program_folder) + "\\" + file)) << file;
    std::ofstream(sim::host_path("C:\\Windows\\system32\\COMCTL32.OCX")) << "installed";

    start();

    auto system_file = [](const char* name) { return sim::host_path(std::string("C:\\Windows\\system32\\") + name); };
    EXPECT_TRUE(std::filesystem::exists(system_file("MSINET.OCX")));
    EXPECT_TRUE(std::filesystem::exists(system_file("MSINET.OCA")));
    EXPECT_FALSE(std::filesystem::exists(system_file("COMCTL32.DLL")));
    std::ifstream kept(system_file("COMCTL32.OCX"));
    std::string content;
    kept >> content;
    EXPECT_EQ(content, "installed");
}

TEST_F(QuitTest, RefusedCloseFadesTheControllerOutAndPollingGoesOn)
{
    frmGethWnd& controller = start();
    bool unloaded = true;
    run([&] { unloaded = program().unload(controller, runtime::vbFormControlMenu); });
    wait_ticks(12);

    EXPECT_FALSE(unloaded);
    EXPECT_TRUE(program().is_in_collection(controller));
    EXPECT_FALSE(state_of(controller.hWnd()).is_visible);
    EXPECT_EQ(state_of(controller.hWnd()).layered_alpha.value_or(255), 0);

    HWND later = open_window("Later");
    wait_ticks(1);
    EXPECT_NE(border_of(later), nullptr);
}

}

namespace {

TEST_F(SystemTest, FirstRunWithoutFilesEndsWithTheDefaultBlurStrength)
{
    start();
    frmSettings& settings = program().form<frmSettings>();
    EXPECT_EQ(settings.VScroll1.Value(), -8);
    EXPECT_EQ(globals().BlurAmount, 8);
    EXPECT_EQ(settings.Label3.Caption(), "Strength:  9");
    EXPECT_EQ(globals().TransparencyPercent, 0);
    EXPECT_TRUE(globals().VersionString.empty());
}

}
