// The scenario lines that check the program's own forms and controls, the cursor, where a window
// stands among the others, and the taskbar's edge; and the window rectangles a scenario may give.
#include "app/kelmor_sim/session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Runs a scenario; "" when it holds, otherwise its first message.
std::string outcome_of(const std::string& text)
{
    fs::path output = fs::temp_directory_path() / ("kelmor-window-expect-" + std::to_string(::getpid()));
    auto result = kelmor_sim::run_session("w.scn", text, {}, output);
    fs::remove_all(output);
    if (result.is_success)
        return "";
    return result.messages.empty() ? "failed without a message" : result.messages.front();
}

const std::string started = "start Kelmor\nwait 20\n";
const std::string two_windows = "open a \"C:\\Apps\\a.exe\" App \"A\" 100,100,500,400\n"
                                "open b \"C:\\Apps\\b.exe\" App \"B\" 300,300,700,600\n";

TEST(WindowExpectations, ProgramFormsAreSubjectsByTheirNames)
{
    EXPECT_EQ(outcome_of(started
                  + "expect kelmor:frmSettings hidden\nexpect kelmor:frmTaskbar exists\nexpect kelmor:Form1 top-level\n"),
        "");
    EXPECT_EQ(outcome_of(started + "expect kelmor:frmSettings visible\n"),
        "w.scn:3: expect: kelmor:frmSettings: expected visible, found hidden");
    EXPECT_EQ(outcome_of(started + "expect kelmor:frmNothing exists\n"),
        "w.scn:3: expect: kelmor:frmNothing: Kelmor has no form frmNothing loaded");
    EXPECT_EQ(outcome_of("expect kelmor:frmSettings hidden\n"),
        "w.scn:1: expect: kelmor:frmSettings: Kelmor is not running");
    // Border windows are many; each is named by the window it holds.
    EXPECT_EQ(outcome_of(started + two_windows + "wait 10\nexpect kelmor:frmTrans exists\n"),
        "w.scn:6: expect: kelmor:frmTrans: Kelmor has 2 forms frmTrans loaded; name one by its window");
}

TEST(WindowExpectations, BandFrontFocusAndForeground)
{
    EXPECT_EQ(outcome_of(two_windows
                  + "expect b front\nexpect b focused\nexpect b foreground\nexpect taskbar topmost\n"
                    "expect taskbar front\n"),
        "");
    EXPECT_EQ(outcome_of(two_windows + "expect a front\n"), "w.scn:3: expect: a: expected front, found behind App \"B\"");
    EXPECT_EQ(outcome_of(two_windows + "expect a focused\n"),
        "w.scn:3: expect: a: expected focused, found the focus on App \"B\"");
    EXPECT_EQ(outcome_of(two_windows + "expect a foreground\n"),
        "w.scn:3: expect: a: expected foreground, found the foreground on App \"B\"");
    EXPECT_EQ(outcome_of(two_windows + "expect a topmost\n"),
        "w.scn:3: expect: a: expected topmost, found not topmost (exstyle 0x00000100)");
    // Hidden windows stand in front of nobody.
    EXPECT_EQ(outcome_of(two_windows + "hide b\nexpect a front\nexpect b front\n"),
        "w.scn:5: expect: b: expected front, found hidden");
}

TEST(WindowExpectations, ControlsOfFormsAndBorders)
{
    std::string adopted = started + "open w \"C:\\Apps\\w.exe\" App \"Plain\" 10,20,330,260\nwait 10\n";
    EXPECT_EQ(outcome_of(adopted
                  + "expect control w:border.Label1 text \"Plain\"\nexpect control w:border.Picture12(1) hidden\n"
                    "expect control w:border.Timer1 enabled\nexpect control w:border.Timer2 disabled\n"
                    "expect control frmSettings.Check2 text \"Enable\"\nexpect control frmSettings.Check12 checked 0\n"
                    "expect control frmSettings.Check12 value 0\nexpect control frmSettings.VScroll1 value -8\n"
                    "expect control frmSettings.Check2 enabled\n"),
        "");
    EXPECT_EQ(outcome_of(adopted + "expect control w:border.Label1 text \"Other\"\n"),
        "w.scn:5: expect: w:border.Label1: expected text \"Other\", found \"Plain\"");
    EXPECT_EQ(outcome_of(adopted + "expect control w:border.Timer2 enabled\n"),
        "w.scn:5: expect: w:border.Timer2: expected enabled, found disabled");
    EXPECT_EQ(outcome_of(adopted + "expect control w:border.Picture12(1) visible\n"),
        "w.scn:5: expect: w:border.Picture12(1): expected visible, found hidden");
    EXPECT_EQ(outcome_of(adopted + "expect control frmSettings.Check12 checked 1\n"),
        "w.scn:5: expect: frmSettings.Check12: expected checked 1, found 0");
    EXPECT_EQ(outcome_of(adopted + "expect control frmSettings.VScroll1 value 3\n"),
        "w.scn:5: expect: frmSettings.VScroll1: expected value 3, found -8");
    EXPECT_EQ(outcome_of(adopted + "expect control frmSettings.Label3 value 3\n"),
        "w.scn:5: expect: frmSettings.Label3: expected value 3, found a control without a value");
    EXPECT_EQ(outcome_of(adopted + "expect control w:border.Picture11 hidden\n"),
        "w.scn:5: expect: w:border.Picture11: frmTrans has no control Picture11; it is a control array: name one "
        "as Picture11(N)");
    EXPECT_EQ(outcome_of(adopted + "expect control frmSettings.Nothing hidden\n"),
        "w.scn:5: expect: frmSettings.Nothing: frmSettings has no control Nothing");
    EXPECT_EQ(outcome_of("open w \"C:\\Apps\\w.exe\" App \"Plain\" 10,20,330,260\nexpect control w:border.Label1 visible\n"),
        "w.scn:2: expect: w:border.Label1: w is not adopted: it is top-level");
}

TEST(WindowExpectations, MalformedControlLinesStopBeforeTheRun)
{
    EXPECT_EQ(outcome_of("dump d.json\nexpect control frmSettings hidden\n"),
        "w.scn:2: expect: control expects FORM.CONTROL or NAME:border.CONTROL, with (N) for an element of a control "
        "array, not \"frmSettings\"");
    EXPECT_EQ(outcome_of("expect control frmSettings.Picture1(x) hidden\n").rfind("w.scn:1: expect: control expects", 0),
        0u);
    EXPECT_EQ(outcome_of("expect control frmSettings.Check2 ticked\n").rfind(
                  "w.scn:1: expect: \"ticked\" cannot be checked of frmSettings.Check2; known: visible,", 0),
        0u);
    EXPECT_EQ(outcome_of("expect control frmSettings.Check2 value many\n"),
        "w.scn:1: expect: value expects a whole number, not \"many\"");
}

TEST(WindowExpectations, CursorShapeWhereTheMouseIs)
{
    std::string window = "open a \"C:\\Apps\\a.exe\" App \"A\" 100,100,500,400\n";
    EXPECT_EQ(outcome_of(window
                  + "mouse-move 101 200\nexpect cursor size-we\nmouse-move 300 398\nexpect cursor size-ns\n"
                    "mouse-move 101 101\nexpect cursor size-nwse\nmouse-move 300 250\nexpect cursor arrow\n"),
        "");
    EXPECT_EQ(outcome_of(window + "mouse-move 101 200\nexpect cursor hand\n"),
        "w.scn:3: expect: cursor: expected hand, found size-we");
    EXPECT_EQ(outcome_of("expect cursor sideways\n").rfind("w.scn:1: expect: \"sideways\" cannot be checked of cursor", 0),
        0u);
}

TEST(WindowExpectations, TaskbarMovesToAnEdgeAndTheWorkAreaFollows)
{
    std::string window = "open a \"C:\\Apps\\a.exe\" App \"A\" 100,100,500,400\n";
    EXPECT_EQ(outcome_of("taskbar-edge left\nexpect taskbar rect 0,0,60,1080\ntaskbar-edge top\n"
                         "expect taskbar rect 0,0,1920,30\n"
                         + window + "maximize a\nexpect a rect -4,26,1924,1084\n"),
        "");
    EXPECT_EQ(outcome_of("dump d.json\ntaskbar-edge middle\n"),
        "w.scn:2: taskbar-edge: expects left, top, right or bottom, not \"middle\"");
}

TEST(WindowExpectations, WindowRectanglesAreCheckedBeforeTheRun)
{
    auto result = kelmor_sim::run_session("w.scn",
        "dump early.json\nopen a \"C:\\Apps\\a.exe\" App \"A\" 0,0,40000,10\nmove a 0,0,10,99999999999\n"
        "open b \"C:\\Apps\\b.exe\" App \"B\" -40000,0,10,10\nchild c a Edit \"\" 10,10,5,5\n",
        {}, fs::temp_directory_path() / ("kelmor-window-rect-" + std::to_string(::getpid())));
    ASSERT_EQ(result.messages.size(), 4u);
    EXPECT_EQ(result.messages[0],
        "w.scn:2: open: the rectangle 0,0,40000,10 is beyond what a window can take (its corner from -32768 to 32767, "
        "its sides up to 32767 pixels)");
    EXPECT_EQ(result.messages[1], "w.scn:3: move: expects the rectangle as left,top,right,bottom, not \"0,0,10,99999999999\"");
    EXPECT_EQ(result.messages[2].rfind("w.scn:4: open: the rectangle -40000,0,10,10 is beyond", 0), 0u);
    EXPECT_EQ(result.messages[3], "w.scn:5: child: expects the rectangle as left,top,right,bottom, not \"10,10,5,5\"");
    EXPECT_EQ(outcome_of("open a \"C:\\Apps\\a.exe\" App \"A\" 32767,-32768,65534,-1\nexpect a rect 32767,-32768,65534,-1\n"),
        "");
}

TEST(WindowExpectations, WindowAsLargeAsAWindowCanBeIsAdoptedAndGivenBack)
{
    EXPECT_EQ(outcome_of(started
                  + "open v \"C:\\Apps\\v.exe\" App \"Vast\" 0,0,32767,32767\nwait 20\nexpect v adopted\n"
                    "expect v:border rect 0,0,32767,32767\nwait 100\nquit\nexpect v top-level\nexpect v visible\n"
                    "expect v rect 0,0,32767,32767\n"),
        "");
}

}
