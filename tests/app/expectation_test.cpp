// The scenarios' `expect` lines: what passes, what fails and what a failure says; and every
// scenario file of the repository run as it is.
#include "app/kelmor_sim/expectations.h"
#include "app/kelmor_sim/session.h"
#include "platform/sim/driver.h"
#include "tests/app/scenario_fixture.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The build compiles this file by its full path: the repository is three folders up.
fs::path scenario_folder()
{
    return fs::path(__FILE__).parent_path().parent_path().parent_path() / "scenarios";
}

class Expectations : public ScenarioFixture {
protected:
    static constexpr const char* open_plain = "open w \"C:\\Apps\\w.exe\" App \"Plain\" 10,20,330,260\n";
};

TEST_F(Expectations, WindowAttributesNameTheExpectedAndTheFoundValue)
{
    std::string open = open_plain;
    EXPECT_EQ(outcome(open
                  + "expect w rect 10,20,330,260\nexpect w style 0x14CF0000\nexpect w exstyle 0x100\n"
                    "expect w text \"Plain\"\nexpect w visible\nexpect w top-level\nexpect w exists\n"),
        "");
    EXPECT_EQ(outcome(open + "expect w rect 10,20,330,261\n"),
        "s.scn:2: expect: w: expected rect 10,20,330,261, found 10,20,330,260");
    EXPECT_EQ(outcome(open + "expect w style 0x10CF0000\n"),
        "s.scn:2: expect: w: expected style 0x10CF0000, found 0x14CF0000");
    EXPECT_EQ(outcome(open + "expect w text \"plain\"\n"), "s.scn:2: expect: w: expected text \"plain\", found \"Plain\"");
    EXPECT_EQ(outcome(open + "hide w\nexpect w visible\n"), "s.scn:3: expect: w: expected visible, found hidden");
    EXPECT_EQ(outcome(open + "expect w maximized\n"),
        "s.scn:2: expect: w: expected maximized, found not maximized (style 0x14CF0000)");
    EXPECT_EQ(outcome(open + "expect w alpha 255\n"), "s.scn:2: expect: w: expected alpha 255, found no constant alpha");
    EXPECT_EQ(outcome(open + "close w\nexpect w gone\n"), "");
    EXPECT_EQ(outcome(open + "close w\nexpect w exists\n"), "s.scn:3: expect: w: expected exists, found the window gone");
    EXPECT_EQ(outcome(open + "expect w gone\n"), "s.scn:2: expect: w: expected gone, found it exists");
    EXPECT_EQ(outcome("expect nobody visible\n"), "s.scn:1: expect: nobody: no window was opened as \"nobody\"");
}

TEST_F(Expectations, ShellWindowsAreNamedWithoutOpeningThem)
{
    EXPECT_EQ(outcome("hide taskbar\nexpect taskbar hidden\nshow taskbar\nexpect taskbar visible\n"
                      "expect desktop-icons visible\nexpect desktop-icons text \"Program Manager\"\n"),
        "");
    EXPECT_EQ(outcome("open taskbar \"C:\\Apps\\t.exe\" App \"T\" 0,0,10,10\n"),
        "s.scn:1: open: a window named \"taskbar\" is open already");
}

TEST_F(Expectations, AdoptionBorderAlphaAndWindowManagerRows)
{
    std::string adopted = std::string("start Kelmor\nwait 20\n") + open_plain + "wait 10\n";
    EXPECT_EQ(outcome(adopted
                  + "expect w adopted\nexpect w:border alpha 0\nexpect w:border text \"Plain\"\n"
                    "expect window-manager rows \"Plain\"\nexpect kelmor borders 1\n"),
        "");
    EXPECT_EQ(outcome(adopted + "expect w:border alpha 255\n"), "s.scn:5: expect: w:border: expected alpha 255, found 0");
    EXPECT_EQ(outcome(adopted + "expect w top-level\n"),
        "s.scn:5: expect: w: expected top-level, found inside KelmorForm \"Plain\" of C:\\Program Files\\Kelmor\\Kelmor 2.exe");
    EXPECT_EQ(outcome(adopted + "expect window-manager rows \"Plain\" \"Other\"\n"),
        "s.scn:5: expect: window-manager: expected rows \"Plain\" \"Other\", found \"Plain\"");
    EXPECT_EQ(outcome(adopted + "expect window-manager rows\n"),
        "s.scn:5: expect: window-manager: expected rows no rows, found \"Plain\"");
    EXPECT_EQ(outcome(adopted + "expect kelmor borders 2\n"), "s.scn:5: expect: kelmor: expected borders 2, found 1");
}

TEST_F(Expectations, BorderOfAWindowThatIsNotAdoptedFails)
{
    std::string before = std::string(open_plain) + "start Kelmor\nwait 50\n";
    EXPECT_EQ(outcome(before + "expect w:border exists\n"), "s.scn:4: expect: w:border: w is not adopted: it is top-level");
    EXPECT_EQ(outcome(before + "expect w adopted\n"), "s.scn:4: expect: w: expected adopted, found top-level");
    // A child control lies in its own program's window, not in a border.
    EXPECT_EQ(outcome(before + "child edit w Edit \"x\" 0,0,50,20\nexpect edit adopted\n"),
        "s.scn:5: expect: edit: expected adopted, found inside App \"Plain\" of C:\\Apps\\w.exe");
}

TEST_F(Expectations, ProgramAndTrayBeforeStartAndAfterQuit)
{
    EXPECT_EQ(outcome("expect kelmor running\n"), "s.scn:1: expect: kelmor: expected running, found Kelmor not started");
    EXPECT_EQ(outcome("expect tray icons 0\nstart Kelmor\nexpect tray icons 1\nexpect tray tip 0 \"Kelmor\"\n"
                      "expect kelmor instances 1\nquit\nexpect kelmor ended\nexpect tray icons 0\n"),
        "");
    EXPECT_EQ(outcome("start Kelmor\nexpect tray tip 1 \"Kelmor\"\n"),
        "s.scn:2: expect: tray: expected tip 1 \"Kelmor\", found 1 icons");
    EXPECT_EQ(outcome("start Kelmor\nquit\nexpect kelmor running\n"),
        "s.scn:3: expect: kelmor: expected running, found ended");
    EXPECT_EQ(outcome("start Kelmor\nquit\nexpect window-manager rows\n"),
        "s.scn:3: expect: window-manager: expected rows no rows, found Kelmor not running");
    EXPECT_EQ(outcome("quit\n"), "s.scn:1: quit: Kelmor is not running");
}

TEST_F(Expectations, MenuIsTheLastShownWithItsMarksAndSeparators)
{
    const std::string full = "[x] Enabled|Colors|Preferences|Windowmanager|-|Exit Kelmor";
    EXPECT_EQ(outcome("expect menu \"" + full + "\"\n"),
        "s.scn:1: expect: menu: expected \"" + full + "\", found no menu shown");
    EXPECT_EQ(outcome("start Kelmor\ntray-click 0 right\nexpect menu \"" + full + "\"\n"), "");
    EXPECT_EQ(outcome("start Kelmor\nmenu Enabled\ntray-click 0 right\ntray-click 0 right\n"
                      "expect menu \"Enabled|Colors|Preferences|Windowmanager|-|Exit Kelmor\"\n"),
        "");
    EXPECT_EQ(outcome("start Kelmor\ntray-click 0 right\nexpect menu \"Enabled|Colors\"\n"),
        "s.scn:3: expect: menu: expected \"Enabled|Colors\", found \"" + full + "\"");
    // Quitting goes through the same menu, as a user quits.
    EXPECT_EQ(outcome("start Kelmor\nquit\nexpect kelmor ended\nexpect menu \"" + full + "\"\n"), "");
    EXPECT_EQ(outcome("start Kelmor\nexpect menu a b\n"), "s.scn:2: expect: menu takes one text, not 2 values");
}

TEST_F(Expectations, MessageBoxIsTheLastShownAsCaptionAndText)
{
    sim::driver::reset();
    std::map<std::string, HWND> windows;
    kelmor_sim::ExpectationContext context { windows, [] { return kelmor_sim::ProgramFacts {}; } };
    EXPECT_EQ(kelmor_sim::check_expectation({ "message-box", "Kelmor: Saved" }, context),
        "message-box: expected \"Kelmor: Saved\", found no message box shown");
    MessageBoxA(nullptr, "First", "Kelmor", MB_OK);
    MessageBoxA(nullptr, "Saved", "Kelmor", MB_OK);
    EXPECT_EQ(kelmor_sim::check_expectation({ "message-box", "Kelmor: Saved" }, context), std::nullopt);
    EXPECT_EQ(kelmor_sim::check_expectation({ "message-box", "Kelmor: First" }, context),
        "message-box: expected \"Kelmor: First\", found \"Kelmor: Saved\"");
}

TEST_F(Expectations, RestartShellMakesANewTaskbarAndKelmorAddsItsIconAgain)
{
    EXPECT_EQ(outcome("hide taskbar\nrestart-shell\nexpect taskbar visible\nexpect tray icons 0\n"), "");
    EXPECT_EQ(outcome("start Kelmor\nrestart-shell\nexpect tray icons 1\nexpect tray tip 0 \"Kelmor\"\nquit\n"
                      "expect kelmor ended\nexpect tray icons 0\n"),
        "");
}

TEST_F(Expectations, KelmorKeepsClearOfAHungWindowAlsoAtQuit)
{
    // Kelmor never waits for a hung window while it runs; at quit it gives it back once it answers.
    std::string hung = std::string("start Kelmor\nwait 20\n") + open_plain + "wait 500\nhang w on for=8000\nwait 6000\n";
    EXPECT_EQ(outcome(hung + "expect kelmor freezes 0\nexpect kelmor longest-wait at-most 100\n"), "");
    EXPECT_EQ(outcome(hung + "quit\nexpect kelmor freezes 0\nexpect kelmor ended\nexpect w top-level\n"), "");
    EXPECT_EQ(outcome(hung + "expect kelmor longest-wait at-most 10\n").rfind("s.scn:7: expect: kelmor: expected longest-wait at-most 10, found 50 ms", 0), 0u);
}

TEST_F(Expectations, AnElevatedWindowIsNeverAdopted)
{
    std::string start = "start Kelmor\nwait 20\n";
    EXPECT_EQ(outcome(start + "open w \"C:\\Apps\\w.exe\" App \"Plain\" 10,20,330,260 elevated\nwait 500\n"
                              "expect w top-level\nexpect w visible\n"),
        "");
    EXPECT_EQ(outcome(start + open_plain + "wait 500\nexpect w adopted\n"), "");
}

TEST_F(Expectations, AWindowThatKeepsOpenOutlivesItsClose)
{
    EXPECT_EQ(outcome("open w \"C:\\Apps\\w.exe\" App \"Plain\" 10,20,330,260 keeps-open\nclose w\nkey F4 alt\n"
                      "wait 100\nexpect w visible\n"),
        "");
    EXPECT_EQ(outcome(std::string(open_plain) + "close w\nexpect w exists\n"), "s.scn:3: expect: w: expected exists, found the window gone");
}

TEST_F(Expectations, ClassIconAndExactHandleReachTheWindow)
{
    EXPECT_EQ(outcome("open w \"C:\\Apps\\w.exe\" Quiet \"Quiet\" 10,20,330,260 classicon handle=170000\n"
                      "open v \"C:\\Apps\\w.exe\" App \"Other\" 10,20,330,260 handle=70000\n"),
        "");
    HWND quiet = reinterpret_cast<HWND>(uintptr_t { 170000 });
    ASSERT_TRUE(IsWindow(quiet));
    EXPECT_EQ(SendMessageA(quiet, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_NE(GetClassLongA(quiet, GCL_HICONSM), 0u);
    HWND other = reinterpret_cast<HWND>(uintptr_t { 70000 });
    ASSERT_TRUE(IsWindow(other));
    EXPECT_NE(SendMessageA(other, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(outcome(std::string(open_plain) + "open v \"C:\\Apps\\w.exe\" App \"Other\" 1,2,3,4 handle=70000\n"
                                                "open u \"C:\\Apps\\w.exe\" App \"Third\" 1,2,3,4 handle=70000\n"),
        "s.scn:3: open: the handle 70000 is taken");
}

TEST_F(Expectations, FaultInKelmorTakesItsFatalPath)
{
    std::string adopted = std::string("start Kelmor\nwait 20\n") + open_plain + "wait 500\nexpect w adopted\n";
    EXPECT_EQ(outcome(adopted + "fault kelmor\nwait 100\nexpect kelmor ended\nexpect w top-level\nexpect w visible\n"), "");
    EXPECT_EQ(outcome(adopted + "wait 100\nexpect kelmor ended\n"), "s.scn:7: expect: kelmor: expected ended, found running");
    EXPECT_EQ(outcome("fault kelmor\n"), "s.scn:1: fault: Kelmor is not running");
}

TEST_F(Expectations, MalformedExpectationsStopTheRunBeforeItStarts)
{
    auto result = kelmor_sim::run_session("s.scn",
        "dump early.json\nexpect w colour red\nexpect w alpha 256\nexpect tray icons\nexpect w rect 1,2,3\n", {},
        m_folder);
    EXPECT_FALSE(result.is_success);
    EXPECT_EQ(result.messages.size(), 4u);
    EXPECT_FALSE(fs::exists(m_folder / "early.json"));
    ASSERT_FALSE(result.messages.empty());
    EXPECT_EQ(result.messages[0].rfind("s.scn:2: expect: \"colour\" cannot be checked of w; known: exists,", 0), 0u)
        << result.messages[0];
}

std::vector<std::string> scenario_files()
{
    std::vector<std::string> names;
    for (auto& entry : fs::directory_iterator(scenario_folder())) {
        if (entry.path().extension() == ".scn")
            names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class ScenarioFile : public testing::TestWithParam<std::string> { };

TEST_P(ScenarioFile, Holds)
{
    fs::path output = fs::temp_directory_path() / ("kelmor-scenario-" + std::to_string(::getpid()));
    std::ifstream file(scenario_folder() / GetParam(), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    // Named by its full path, so that host files it names are read beside it.
    // The program folder the build makes (the effects library and the skin images), as kelmor-sim uses.
    fs::path program_folder = fs::canonical("/proc/self/exe").parent_path().parent_path() / "bin";
    auto result = kelmor_sim::run_session((scenario_folder() / GetParam()).string(), text.str(), program_folder, output);
    fs::remove_all(output);
    EXPECT_TRUE(result.is_success) << (result.messages.empty() ? "" : result.messages.front());
}

INSTANTIATE_TEST_SUITE_P(Repository, ScenarioFile, testing::ValuesIn(scenario_files()),
    [](const testing::TestParamInfo<std::string>& info) {
        std::string name = fs::path(info.param).stem().string();
        std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
        return name;
    });

TEST(ScenarioFiles, EveryScenarioOfTheRepositoryIsFound)
{
    auto names = scenario_files();
    for (auto wanted : { "adoption.scn", "never_adopted.scn", "watcher.scn", "minmax.scn", "quit.scn",
             "second_instance.scn", "refused_close.scn", "demo.scn", "sim_files_and_shell.scn", "sim_faults_and_hangs.scn",
             "tray_menu.scn", "tray_windows.scn", "tray_exit.scn", "tray_restart_shell.scn", "winmgr_rows.scn",
             "winmgr_actions.scn", "coldialog.scn" })
        EXPECT_NE(std::find(names.begin(), names.end(), wanted), names.end()) << wanted;
}

}
