// The scenario lines that make pictures, check pixels of the screen as the user sees it, and check
// what the program's process holds of the window system's objects; and the dump's counters.
#include "app/kelmor_sim/runner.h"
#include "app/kelmor_sim/session.h"
#include "platform/sim/driver.h"
#include "platform/sim/gdi/image_decoder.h"
#include "platform/sim/kernel/paths.h"
#include "platform/win32.h"
#include "tests/app/scenario_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

class PixelsAndResources : public ScenarioFixture {
protected:
    // Runs a scenario on the desktop as it is, so a test can first make the program's process hold
    // something.
    std::string outcome_on_this_desktop(const std::string& text)
    {
        auto scenario = kelmor_sim::parse_scenario(text);
        if (!scenario.is_valid())
            return scenario.errors.front().message;
        kelmor_sim::Runner runner(m_folder);
        auto error = runner.run(scenario);
        return error ? error->message : "";
    }

    static std::vector<uint8_t> drive_file(const char* windows_path)
    {
        std::ifstream file(sim::host_path(windows_path), std::ios::binary);
        return { std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>() };
    }

    static uint32_t rgb_at(const sim::Bitmap& picture, int x, int y) { return picture.pixel(x, y) & 0xFFFFFF; }
};

TEST_F(PixelsAndResources, PicturesAreWrittenOnDriveCWithTheirPatternAsPngOrBmp)
{
    ASSERT_EQ(outcome("picture \"C:\\Pictures\\stripes.png\" 32 16 stripes\n"
                      "picture \"C:\\Pictures\\checks.BMP\" 20 20 checks\n"
                      "picture \"C:\\Pictures\\gradient.bmp\" 9 5 gradient\n"),
        "");
    auto stripes = sim::decode_image(drive_file("C:\\Pictures\\stripes.png"));
    ASSERT_TRUE(stripes);
    EXPECT_EQ(stripes->width(), 32);
    EXPECT_EQ(stripes->height(), 16);
    EXPECT_EQ(rgb_at(*stripes, 7, 15), 0x000000u);
    EXPECT_EQ(rgb_at(*stripes, 8, 0), 0xFFFFFFu);
    EXPECT_EQ(rgb_at(*stripes, 16, 3), 0x000000u);

    auto checks = sim::decode_image(drive_file("C:\\Pictures\\checks.BMP"));
    ASSERT_TRUE(checks);
    EXPECT_EQ(rgb_at(*checks, 0, 0), 0x000000u);
    EXPECT_EQ(rgb_at(*checks, 8, 0), 0xFFFFFFu);
    EXPECT_EQ(rgb_at(*checks, 0, 8), 0xFFFFFFu);
    EXPECT_EQ(rgb_at(*checks, 9, 9), 0x000000u);

    // No two corners of the gradient alike, so a mirror or a turn shows.
    auto gradient = sim::decode_image(drive_file("C:\\Pictures\\gradient.bmp"));
    ASSERT_TRUE(gradient);
    EXPECT_EQ(rgb_at(*gradient, 0, 0), 0x000000u);
    EXPECT_EQ(rgb_at(*gradient, 8, 0), 0xFF0000u);
    EXPECT_EQ(rgb_at(*gradient, 0, 4), 0x00FF00u);
    EXPECT_EQ(rgb_at(*gradient, 8, 4), 0xFFFF00u);
    EXPECT_EQ(rgb_at(*gradient, 4, 2), 0x7F7F00u);

    auto first = drive_file("C:\\Pictures\\gradient.bmp");
    ASSERT_EQ(outcome("picture \"C:\\Pictures\\gradient.bmp\" 9 5 gradient\n"), "");
    EXPECT_EQ(drive_file("C:\\Pictures\\gradient.bmp"), first) << "the same picture, the same bytes";
}

TEST_F(PixelsAndResources, BadPicturesStopTheRunWithTheLine)
{
    EXPECT_EQ(outcome("picture \"C:\\p.png\" 10 10 waves\n"),
        "s.scn:1: picture: expects the pattern stripes, checks, gradient or scenery, not \"waves\"");
    EXPECT_EQ(outcome("picture \"C:\\p.png\" 0 10 checks\n"),
        "s.scn:1: picture: expects a width and a height from 1 to 4096");
    EXPECT_EQ(outcome("picture \"C:\\p.png\" 10 99999999999 checks\n"),
        "s.scn:1: picture: expects a width and a height from 1 to 4096");
    EXPECT_EQ(outcome("picture \"C:\\p.gif\" 10 10 checks\n"),
        "s.scn:1: picture: writes .png or .bmp files, not \"C:\\p.gif\"");
    EXPECT_EQ(outcome("picture \"C:\\p.png\" 10 10\n"), "s.scn:1: picture takes 4 arguments, not 3");
}

TEST_F(PixelsAndResources, PixelsAreCheckedOnTheScreenAsTheUserSeesIt)
{
    std::string desktop = "expect pixel 5 5 #3A6EA5\n";
    EXPECT_EQ(outcome(desktop), "");
    EXPECT_EQ(outcome("expect pixel 5 5 #3A6EA0\n"), "s.scn:1: expect: pixel 5,5: expected #3A6EA0, found #3A6EA5");
    EXPECT_EQ(outcome("expect pixel 5 5 #3A6EA0 \xC2\xB1" "4\n"),
        "s.scn:1: expect: pixel 5,5: expected #3A6EA0 \xC2\xB1" "4, found #3A6EA5");
    EXPECT_EQ(outcome("expect pixel 5 5 #3A6EA0 \xC2\xB1" "5\n"), "");
    EXPECT_EQ(outcome("expect pixel 1920 5 #000000\n"),
        "s.scn:1: expect: pixel 1920,5: expected #000000, found a point outside the screen of 1920 x 1080");

    // A window opened over the desktop covers it; hidden, it shows the desktop again.
    std::string open = "open w \"C:\\Apps\\w.exe\" App \"Plain\" 0,0,400,300\n";
    EXPECT_EQ(outcome(open + "expect pixel 5 5 #3A6EA5\n").rfind("s.scn:2: expect: pixel 5,5: expected #3A6EA5, found #", 0), 0u);
    EXPECT_EQ(outcome(open + "hide w\n" + desktop), "");
}

TEST_F(PixelsAndResources, MalformedPixelChecksStopTheRunBeforeItStarts)
{
    EXPECT_EQ(outcome("expect pixel 5 5 red\n"), "s.scn:1: expect: pixel expects a colour as #RRGGBB, not \"red\"");
    EXPECT_EQ(outcome("expect pixel -1 5 #000000\n"), "s.scn:1: expect: pixel expects a point of the screen, not -1 5");
    EXPECT_EQ(outcome("expect pixel 5 5 #000000 +5\n"),
        "s.scn:1: expect: pixel expects a tolerance as \xC2\xB1N with N from 0 to 255, not \"+5\"");
    EXPECT_EQ(outcome("expect pixel 5 5\n"), "s.scn:1: expect: pixel takes X Y #RRGGBB and an optional \xC2\xB1N");
}

TEST_F(PixelsAndResources, ResourceCountsOfTheProgramPassWhenHeldAsExpected)
{
    EXPECT_EQ(outcome("start Kelmor\nwait 500\nexpect kelmor screen-dcs 0\nexpect kelmor gdiplus-startups 0\n"
                      "expect kelmor double-frees 0\nexpect kelmor gdi-objects at-most 1000\nquit\n"
                      "expect kelmor double-frees 0\n"),
        "");
    std::string few = outcome("start Kelmor\nexpect kelmor gdi-objects at-most 1\n");
    EXPECT_EQ(few.rfind("s.scn:2: expect: kelmor: expected gdi-objects at-most 1, found ", 0), 0u) << few;
    EXPECT_EQ(outcome("expect kelmor screen-dcs 0\n"), "s.scn:1: expect: kelmor: expected screen-dcs, found Kelmor not started");
    EXPECT_EQ(outcome("expect kelmor gdi-objects 5\n"), "s.scn:1: expect: gdi-objects takes 2 values, not 1");
    EXPECT_EQ(outcome("expect kelmor gdi-objects at-least 5\n"),
        "s.scn:1: expect: gdi-objects expects at-most, not \"at-least\"");
}

TEST_F(PixelsAndResources, ResourceCountsOfTheProgramFailWithWhatItHolds)
{
    // The program's process holds two cache DCs and a GDI+ start-up, and has freed a brush twice.
    auto after_leaks = [&](const std::string& check) {
        sim::driver::reset();
        sim::driver::run_program([] {
            GetDC(nullptr);
            GetWindowDC(nullptr);
            Gdiplus::GdiplusStartupInput input;
            ULONG_PTR token = 0;
            Gdiplus::GdiplusStartup(&token, &input, nullptr);
            HBRUSH brush = CreateSolidBrush(0);
            DeleteObject(brush);
            DeleteObject(brush);
        });
        return outcome_on_this_desktop("start Kelmor\n" + check);
    };
    EXPECT_EQ(after_leaks("expect kelmor screen-dcs 0\n"), "expect: kelmor: expected screen-dcs 0, found 2");
    EXPECT_EQ(after_leaks("expect kelmor gdiplus-startups 0\n"), "expect: kelmor: expected gdiplus-startups 0, found 1");
    EXPECT_EQ(after_leaks("expect kelmor double-frees 0\n"), "expect: kelmor: expected double-frees 0, found 1");
    EXPECT_EQ(after_leaks("expect kelmor screen-dcs 2\nexpect kelmor gdiplus-startups 1\nexpect kelmor double-frees 1\n"),
        "");
}

TEST_F(PixelsAndResources, TheDumpCarriesTheProgramsResourceCounts)
{
    ASSERT_EQ(outcome("start Kelmor\nwait 100\ndump d.json\n"), "");
    std::ifstream file(m_folder / "d.json");
    std::string json { std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>() };
    EXPECT_NE(json.find("\"kelmor_resources\": {\n    \"process\": "), std::string::npos) << json;
    EXPECT_EQ(json.find("\"gdi_objects\": 0,"), std::string::npos) << "the running program holds GDI objects";
    for (std::string field : { "\"gdi_objects\": ", "\"user_objects\": ", "\"screen_dcs\": 0,",
             "\"gdiplus_startups\": 0,", "\"double_frees\": 0,", "\"longest_wait_ms\": " })
        EXPECT_NE(json.find(field), std::string::npos) << field;
}

}
