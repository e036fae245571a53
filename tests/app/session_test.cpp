#include "app/kelmor_sim/session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class Session : public testing::Test {
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() / ("kelmor-sim-test-" + std::to_string(::getpid()));
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    static std::string read(const fs::path& path)
    {
        std::ifstream file(path, std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    static std::string demo_scenario()
    {
        // The build compiles this file by its full path: the repository is three folders up.
        fs::path repository = fs::path(__FILE__).parent_path().parent_path().parent_path();
        return read(repository / "scenarios" / "demo.scn");
    }

    fs::path m_folder;
};

TEST_F(Session, TheDemoRunsAndGivesTheSameBytesEveryTime)
{
    auto first = kelmor_sim::run_session("demo.scn", demo_scenario(), {}, m_folder / "first");
    ASSERT_TRUE(first.is_success) << (first.messages.empty() ? "" : first.messages[0]);
    auto second = kelmor_sim::run_session("demo.scn", demo_scenario(), {}, m_folder / "second");
    ASSERT_TRUE(second.is_success);
    for (auto name : { "demo.png", "demo.json" }) {
        std::string a = read(m_folder / "first" / name);
        EXPECT_FALSE(a.empty()) << name;
        EXPECT_EQ(a, read(m_folder / "second" / name)) << name;
    }
    std::string dump = read(m_folder / "first" / "demo.json");
    EXPECT_NE(dump.find("\"Evening notes - Writer\""), std::string::npos);
    EXPECT_NE(dump.find("\"Shell_TrayWnd\""), std::string::npos);
    EXPECT_NE(dump.find("\"C:\\\\Windows\\\\explorer.exe\""), std::string::npos);
    EXPECT_EQ(dump.find(m_folder.string()), std::string::npos);
}

TEST_F(Session, StartedKelmorAdoptsAWindowOpenedAfterIt)
{
    auto result = kelmor_sim::run_session("s.scn",
        "open before \"C:\\Apps\\old.exe\" Old \"Before\" 10,10,300,200\n"
        "start Kelmor\n"
        "open after \"C:\\Apps\\new.exe\" New \"After\" 400,300,800,600\n"
        "wait 200\n"
        "dump after.json\n",
        {}, m_folder);
    ASSERT_TRUE(result.is_success) << (result.messages.empty() ? "" : result.messages[0]);
    std::string dump = read(m_folder / "after.json");
    // A window's entry names its parent before its class: the adopted one has a parent now.
    auto parent_of = [&](const std::string& class_name) {
        size_t at = dump.find("\"class\": \"" + class_name + "\"");
        EXPECT_NE(at, std::string::npos) << class_name;
        size_t parent = dump.rfind("\"parent\": ", at);
        return dump.substr(parent + 10, 4);
    };
    EXPECT_EQ(parent_of("Old"), "null");
    EXPECT_NE(parent_of("New"), "null");
    EXPECT_NE(dump.find("\"Kelmor\""), std::string::npos);
}

TEST_F(Session, KelmorEndedIsStartedAgainInANewProcess)
{
    auto result = kelmor_sim::run_session("s.scn",
        "start Kelmor\nquit\nexpect kelmor ended\nstart Kelmor\nexpect kelmor running\nexpect tray icons 1\n"
        "expect kelmor instances 1\nquit\nexpect kelmor ended\n",
        {}, m_folder);
    EXPECT_TRUE(result.is_success) << (result.messages.empty() ? "" : result.messages[0]);
}

TEST_F(Session, ParseErrorsStopTheRunBeforeItStarts)
{
    auto result = kelmor_sim::run_session("s.scn", "dump early.json\nclick 1\n", {}, m_folder);
    EXPECT_FALSE(result.is_success);
    EXPECT_EQ(result.messages.size(), 1u);
    EXPECT_FALSE(fs::exists(m_folder / "early.json"));
}

TEST_F(Session, RunErrorsNameTheCommand)
{
    auto result = kelmor_sim::run_session("s.scn", "title nobody \"x\"\n", {}, m_folder);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0], "s.scn:1: title: no window was opened as \"nobody\"");
}

TEST_F(Session, StateDumpCarriesRegistryTrayAndHttp)
{
    auto result = kelmor_sim::run_session("s.scn",
        "http http://a.example/x body status=404\ncamera unplugged\ndump state.json\n", {}, m_folder);
    ASSERT_TRUE(result.is_success);
    std::string dump = read(m_folder / "state.json");
    EXPECT_NE(dump.find("\"key\": \"HKEY_CURRENT_USER\\\\Control Panel\\\\Desktop\""), std::string::npos);
    EXPECT_NE(dump.find("\"tray_icons\": []"), std::string::npos);
    EXPECT_NE(dump.find("\"desktop_view\": \"icons\""), std::string::npos);
}

}
