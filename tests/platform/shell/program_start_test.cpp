#include "platform/win32.h"
#include "platform/sim/desktop.h"
#include "platform/sim/shell/program_start.h"

#include <gtest/gtest.h>

namespace {

class ProgramStart : public testing::Test {
protected:
    void SetUp() override { sim::reset_desktop(); }
};

TEST_F(ProgramStart, ShellExecuteRecordsWhatItWasAskedToOpen)
{
    auto result = ShellExecuteA(nullptr, "Open", "http://www.example.com/", "", "", SW_SHOWMAXIMIZED);
    EXPECT_GT(reinterpret_cast<intptr_t>(result), 32);
    ASSERT_EQ(sim::shell_executions().size(), 1u);
    EXPECT_EQ(sim::shell_executions()[0].operation, "Open");
    EXPECT_EQ(sim::shell_executions()[0].file, "http://www.example.com/");
    EXPECT_EQ(sim::shell_executions()[0].show_command, SW_SHOWMAXIMIZED);
}

TEST_F(ProgramStart, StartingExplorerOpensItsWindowInANewProcess)
{
    EXPECT_GT(WinExec("explorer", SW_SHOWNORMAL), 31u);
    HWND window = FindWindowA("CabinetWClass", nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    EXPECT_NE(process, GetCurrentProcessId());
    HWND address = FindWindowExA(window, nullptr, "Edit", nullptr);
    char text[128] {};
    SendMessageA(address, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    EXPECT_NE(std::string(text).find(':'), std::string::npos);
    // The path was put into the edit after its creation, so the text kept for another process is empty.
    EXPECT_EQ(GetWindowTextA(address, text, sizeof(text)), 0);
}

TEST_F(ProgramStart, AProgramThatDoesNotExistIsNotStarted)
{
    EXPECT_EQ(WinExec("nonexistent", SW_SHOWNORMAL), static_cast<UINT>(ERROR_FILE_NOT_FOUND));
    STARTUPINFOA startup {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION information {};
    char command[] = "nonexistent.exe";
    EXPECT_FALSE(CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &information));
    char notepad[] = "notepad";
    ASSERT_TRUE(CreateProcessA(nullptr, notepad, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &information));
    EXPECT_NE(information.dwProcessId, 0u);
    EXPECT_TRUE(CloseHandle(information.hThread));
    EXPECT_TRUE(CloseHandle(information.hProcess));
    EXPECT_NE(FindWindowA("Notepad", "Untitled - Notepad"), nullptr);
    // Only what started is recorded, with the process that started it.
    ASSERT_EQ(sim::started_programs().size(), 1u);
    EXPECT_EQ(sim::started_programs()[0].process_id, information.dwProcessId);
    EXPECT_EQ(sim::started_programs()[0].executable, "C:\\Windows\\system32\\notepad.exe");
    EXPECT_EQ(sim::started_programs()[0].started_by, GetCurrentProcessId());
}

}
