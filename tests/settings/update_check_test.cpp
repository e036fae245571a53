// The update check as the settings window's load runs it: one request, a bounded wait, a bounded
// read, and the program's own version always taken from its version label.
#include "settings/modUpdateCheck.h"
#include "tests/settings/settings_fixture.h"

#include "platform/sim/shell/internet.h"

#include <string>

namespace {

class UpdateCheckTest : public SettingsTest {
protected:
    // Creates the settings window with this answer for the version; whether the notice shows.
    bool notice_after_start(const std::string& published, uint32_t delay_ms = 0)
    {
        sim::set_http_answer(UpdateVersionUrl, sim::HttpAnswer { published, 200, delay_ms });
        frmSettings& settings = start_settings_window();
        return settings.Label12.Visible();
    }
};

TEST_F(UpdateCheckTest, NoAnswerShowsNothingAfterOneRequest)
{
    frmSettings& settings = start_settings_window();
    EXPECT_FALSE(settings.Label12.Visible());
    EXPECT_EQ(sim::http_requests(), std::vector<std::string> { UpdateVersionUrl });
}

TEST_F(UpdateCheckTest, ASlowAnswerCostsTheStartAtMostThreeSeconds)
{
    uint64_t started = sim::driver::now();
    EXPECT_FALSE(notice_after_start("3.1", 60000));
    uint64_t waited = sim::driver::now() - started;
    EXPECT_GT(waited, 0u) << "the time-out is waited in virtual time";
    EXPECT_LE(waited, 3000u);
}

TEST_F(UpdateCheckTest, OnlyTheFirstKibibyteOfTheVersionIsRead)
{
    // Read whole, this would be 3.0.1.
    EXPECT_FALSE(notice_after_start("3.0" + std::string(2000, ' ') + ".1"));
}

TEST_F(UpdateCheckTest, TheOwnVersionIsTheLabelsWhateverTheLoadDid)
{
    // A saved version changes nothing.
    write_program_file("data.dat", "VERSION:9.9\r\n");
    EXPECT_TRUE(notice_after_start("3.1"));
    // A load that stopped at a bad line still compares with 3.0.
    restart_program();
    write_program_file("data.dat", "BLUR:7\r\n");
    EXPECT_FALSE(notice_after_start("3.0"));
    EXPECT_TRUE(m_fatal_errors.empty());
}

}
