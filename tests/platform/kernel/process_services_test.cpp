#include "platform/win32.h"
#include "platform/sim/desktop.h"
#include "platform/sim/kernel/clock.h"
#include "platform/sim/kernel/kernel_object.h"
#include "platform/sim/kernel/paths.h"
#include "platform/sim/user/process_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

class ProcessServices : public testing::Test {
protected:
    void SetUp() override { sim::reset_desktop(); }
};

TEST_F(ProcessServices, NamedMutexTellsASecondInstanceThatTheFirstRuns)
{
    HANDLE first = CreateMutexA(nullptr, FALSE, "Kelmor 2 instance");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));

    uint32_t second_instance = sim::create_process("C:\\Program Files\\Kelmor\\Kelmor 2.exe");
    {
        sim::ProcessScope scope(second_instance);
        HANDLE second = CreateMutexA(nullptr, FALSE, "Kelmor 2 instance");
        ASSERT_NE(second, nullptr);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
        EXPECT_NE(second, first);
        // Names are case-sensitive, as kernel object names are.
        CreateMutexA(nullptr, FALSE, "KELMOR 2 INSTANCE");
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    }
    // The mutex lives while any handle is open: the first instance's close leaves the second's.
    EXPECT_TRUE(CloseHandle(first));
    EXPECT_NE(OpenMutexA(SYNCHRONIZE, FALSE, "Kelmor 2 instance"), nullptr);

    // When the second instance ends its handles close, and the name is free again.
    sim::end_process(second_instance);
    sim::close_process_handles(sim::current_process_id());
    EXPECT_EQ(OpenMutexA(SYNCHRONIZE, FALSE, "Kelmor 2 instance"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    CreateMutexA(nullptr, FALSE, "Kelmor 2 instance");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
}

TEST_F(ProcessServices, OnlyTheOwnerReleasesAMutex)
{
    HANDLE owned = CreateMutexA(nullptr, TRUE, "owned");
    uint32_t other = sim::create_process("C:\\Windows\\notepad.exe");
    {
        sim::ProcessScope scope(other);
        HANDLE opened = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, "owned");
        EXPECT_FALSE(ReleaseMutex(opened));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_OWNER));
    }
    EXPECT_TRUE(ReleaseMutex(owned));
    EXPECT_FALSE(ReleaseMutex(owned));
}

TEST_F(ProcessServices, LibrariesAreFoundInTheProgramFolderOrNotAtAll)
{
    EXPECT_EQ(LoadLibraryA("norvex.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(LoadLibraryA("C:\\Program Files\\Kelmor\\missing.dll"), nullptr);

    // A file that is no library fails differently from a missing one.
    std::ofstream(sim::host_path("C:\\Program Files\\Kelmor\\broken.dll")) << "not a library";
    EXPECT_EQ(LoadLibraryA("BROKEN"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
}

TEST_F(ProcessServices, ALibraryInTheProgramFolderLoadsOnceAndGivesItsFunctions)
{
    // Any shared object of the host stands in for a library: the one that holds cos().
    Dl_info information {};
    double (*cosine)(double) = &std::cos;
    ASSERT_NE(dladdr(reinterpret_cast<void*>(cosine), &information), 0);
    std::filesystem::copy_file(information.dli_fname, sim::host_path("C:\\Program Files\\Kelmor\\Maths.dll"));

    HMODULE library = LoadLibraryA("maths.dll");
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(LoadLibraryA("C:\\Program Files\\Kelmor\\MATHS"), library);
    EXPECT_NE(GetProcAddress(library, "cos"), nullptr);
    EXPECT_EQ(GetProcAddress(library, "FoxNothing"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    char path[MAX_PATH] {};
    GetModuleFileNameA(library, path, MAX_PATH);
    EXPECT_STREQ(path, "C:\\Program Files\\Kelmor\\Maths.dll");
    EXPECT_TRUE(FreeLibrary(library));
    EXPECT_TRUE(FreeLibrary(library));
    EXPECT_FALSE(FreeLibrary(library));
}

TEST_F(ProcessServices, ModuleNamesOfTheProgram)
{
    char path[MAX_PATH] {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    EXPECT_STREQ(path, "C:\\Program Files\\Kelmor\\Kelmor 2.exe");
    EXPECT_EQ(length, 36u);
    // A buffer too small gets as much as fits, ended with a NUL.
    char small[8] {};
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof(small)), 8u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_STREQ(small, "C:\\Prog");
    EXPECT_EQ(GetModuleHandleA(nullptr), GetModuleHandleA("Kelmor 2.exe"));
    EXPECT_EQ(GetModuleHandleA("norvex.dll"), nullptr);
}

// The calendar as one text: "2009-11-02 (1) 10:00:00.000", the day of the week in brackets.
std::string calendar_text(void(WINAPI* read)(LPSYSTEMTIME) = GetLocalTime)
{
    SYSTEMTIME time {};
    read(&time);
    char text[40];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u (%u) %02u:%02u:%02u.%03u", time.wYear, time.wMonth, time.wDay,
        time.wDayOfWeek, time.wHour, time.wMinute, time.wSecond, time.wMilliseconds);
    return text;
}

TEST_F(ProcessServices, ClockAndCalendarMoveWithVirtualTime)
{
    EXPECT_EQ(GetTickCount(), 0u);
    EXPECT_EQ(calendar_text(), "2009-11-02 (1) 10:00:00.000");

    // Fourteen hours and a bit later it is the next day.
    Sleep(14 * 3600 * 1000 + 61500);
    EXPECT_EQ(GetTickCount(), 14u * 3600 * 1000 + 61500);
    EXPECT_EQ(calendar_text(), "2009-11-03 (2) 00:01:01.500");
}

TEST_F(ProcessServices, TimeOfDayCanBeSetAndMovesOnWithTheVirtualClock)
{
    Sleep(250);
    sim::set_time_of_day(23, 59, 58);
    EXPECT_EQ(calendar_text(), "2009-11-02 (1) 23:59:58.000");
    // The tick count is not the calendar: it keeps counting from where it was.
    EXPECT_EQ(GetTickCount(), 250u);

    Sleep(2500);
    EXPECT_EQ(calendar_text(GetSystemTime), "2009-11-03 (2) 00:00:00.500");

    // Setting an earlier time stays on the same day; a fresh desktop starts at its usual moment.
    sim::set_time_of_day(6, 30, 0);
    EXPECT_EQ(calendar_text(), "2009-11-03 (2) 06:30:00.000");
    sim::reset_desktop();
    EXPECT_EQ(calendar_text(), "2009-11-02 (1) 10:00:00.000");
}

TEST_F(ProcessServices, TextConversionUsesLatin1)
{
    const char text[] = "Gr\xFC\xDF" "e";
    WCHAR wide[16] {};
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0), 6);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 16), 6);
    EXPECT_EQ(wide[2], static_cast<WCHAR>(0xFC));
    EXPECT_EQ(wide[5], static_cast<WCHAR>(0));
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 3), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));

    const WCHAR euro[] = { 'a', 0x20AC, 0xE9, 0 };
    char back[8] {};
    BOOL used_default = FALSE;
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, euro, -1, back, sizeof(back), nullptr, &used_default), 4);
    EXPECT_STREQ(back, "a?\xE9");
    EXPECT_TRUE(used_default);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, euro, -1, back, sizeof(back), nullptr, nullptr), 7);
    EXPECT_STREQ(back, "a\xE2\x82\xAC\xC3\xA9");
}

TEST_F(ProcessServices, GlobalMemoryLocksAndFrees)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 4);
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(GlobalSize(memory), 4u);
    auto* bytes = static_cast<BYTE*>(GlobalLock(memory));
    EXPECT_EQ(bytes[3], 0);
    bytes[0] = 7;
    EXPECT_FALSE(GlobalUnlock(memory));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(static_cast<BYTE*>(GlobalLock(memory))[0], 7);
    EXPECT_EQ(GlobalFree(memory), nullptr);
    EXPECT_EQ(GlobalLock(memory), nullptr);
}

}
