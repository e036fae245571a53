// Reading titles, texts and executables of other applications' windows, and explorer addresses.
#include "services/modGetAdress.h"
#include "services/modGetModul.h"
#include "services/modGlobal.h"
#include "tests/services/probe_window.h"
#include "tests/services/services_fixture.h"

namespace {

// Answers WM_GETTEXTLENGTH with more than its text, as Windows allows a window to.
LRESULT CALLBACK overstating_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    LRESULT result = DefWindowProcA(hwnd, message, wparam, lparam);
    return message == WM_GETTEXTLENGTH ? result + 10 : result;
}

HWND create_overstating_window(const char* text)
{
    WNDCLASSEXA window_class {};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = overstating_procedure;
    window_class.lpszClassName = "Overstating";
    RegisterClassExA(&window_class);
    return CreateWindowExA(0, "Overstating", text, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

}

TEST_F(ServicesTest, CaptionAndTextOfForeignWindowsGoneAndHungOnes)
{
    std::string long_title(300, 'x');
    long_title[253] = 'y';
    HWND notepad = open_foreign_window("Untitled - Notepad");
    HWND long_titled = open_foreign_window(long_title);
    HWND untitled = open_foreign_window("");
    HWND hung = open_foreign_window("Busy");
    sim::driver::set_hung(sim::driver::window_state(hung)->process_id, true);
    run([&] {
        EXPECT_EQ(GetCaption(notepad), "Untitled - Notepad");
        EXPECT_EQ(GetControlText(notepad), "Untitled - Notepad");
        EXPECT_EQ(GetCaption(long_titled), long_title.substr(0, 254));
        EXPECT_EQ(GetControlText(long_titled), long_title);
        EXPECT_EQ(GetControlText(untitled), "");
        EXPECT_EQ(GetControlText(create_overstating_window("Short")), "Short");

        // A window that does not answer fails the statement instead of passing for an empty one.
        DWORD start = GetTickCount();
        EXPECT_FALSE(runtime::skip_on_error([&] { GetControlText(hung); }));
        EXPECT_LE(GetTickCount() - start, 1000u);
        EXPECT_EQ(GetCaption(hung), "Busy");
    });
    sim::driver::close(notepad);
    run([&] {
        EXPECT_EQ(GetCaption(notepad), "");
        EXPECT_EQ(GetControlText(notepad), "");
    });
}

TEST_F(ServicesTest, ProcessFileNameIsTheExecutablePathOrEmpty)
{
    uint32_t player = sim::driver::create_process("C:\\Program Files\\Media\\player.exe");
    run([&] {
        EXPECT_EQ(GetProcessFileName(player), "C:\\Program Files\\Media\\player.exe");
        EXPECT_EQ(GetProcessFileName(sim::driver::shell_process()), "C:\\Windows\\explorer.exe");
        EXPECT_EQ(GetProcessFileName(0), "");
        EXPECT_EQ(GetProcessFileName(987654), "");
    });
    sim::driver::end_process(player);
    run([&] { EXPECT_EQ(GetProcessFileName(player), ""); });
}

TEST_F(ServicesTest, AddressTextComesFromTheFirstEditDescendantHoldingAColon)
{
    HWND explorer = open_foreign_window("Music", RECT { 100, 100, 740, 580 }, "C:\\Windows\\explorer.exe");
    sim::driver::add_child_control(explorer, "Static", "Address: C:\\Other", RECT { 0, 0, 60, 20 });
    HWND bar = sim::driver::add_child_control(explorer, "Button", "", RECT { 60, 0, 600, 20 });
    sim::driver::add_child_control(bar, "Edit", "no colon", RECT { 0, 0, 100, 20 });
    sim::driver::add_child_control(bar, "Edit", "C:\\Music\\Classic", RECT { 100, 0, 500, 20 });
    HWND plain = open_foreign_window("Plain");
    HWND blank_first = open_foreign_window("Blank");
    sim::driver::add_child_control(blank_first, "Edit", " C:\\Music", RECT { 0, 0, 100, 20 });
    run([&] {
        // The first character goes wherever it occurs, in its own letter case only.
        EXPECT_EQ(GetAddressText(program(), explorer), ":\\Music\\lassic");
        const auto& walked = program().module<ChildWindowList>().ChildWindows;
        ASSERT_EQ(walked.size(), 5u);
        EXPECT_EQ(walked.back(), nullptr);
        EXPECT_NE(std::find(walked.begin(), walked.end(), bar), walked.end());

        EXPECT_EQ(GetAddressText(program(), plain), "");
        EXPECT_EQ(program().module<ChildWindowList>().ChildWindows, std::vector<HWND> { nullptr });
        EXPECT_FALSE(runtime::skip_on_error([&] { GetAddressText(program(), blank_first); }));
    });
}

TEST_F(ServicesTest, AddressPathReadsAsABreadcrumb)
{
    EXPECT_EQ(FormatAddressPath("C:\\Windows\\system32"), "C: > Windows > system32");
    EXPECT_EQ(FormatAddressPath("C:\\"), "C: > ");
    EXPECT_EQ(FormatAddressPath("\\\\server"), " >  > server");
    EXPECT_EQ(FormatAddressPath(""), "");
}
