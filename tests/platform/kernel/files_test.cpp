#include "platform/win32.h"
#include "platform/sim/desktop.h"
#include "platform/sim/kernel/paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <string>
#include <vector>

namespace {

class Files : public testing::Test {
protected:
    void SetUp() override { sim::reset_desktop(); }

    static bool write_text(const char* path, const std::string& text, DWORD disposition = CREATE_ALWAYS)
    {
        HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        DWORD written = 0;
        BOOL is_written = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
        return is_written && written == text.size();
    }

    static std::string read_text(const char* path)
    {
        HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return "<missing>";
        std::string text(GetFileSize(file, nullptr), '\0');
        DWORD read = 0;
        ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
        CloseHandle(file);
        text.resize(read);
        return text;
    }
};

TEST_F(Files, PathsIgnoreCaseAndAcceptBothSeparators)
{
    ASSERT_TRUE(write_text("C:\\Program Files\\Kelmor\\data.dat", "BLUR:1\r\n"));
    EXPECT_EQ(read_text("c:/program files/KELMOR/DATA.DAT"), "BLUR:1\r\n");
    EXPECT_EQ(read_text("C:\\Program Files\\Kelmor/data.dat"), "BLUR:1\r\n");
    EXPECT_EQ(read_text("C:\\Windows\\..\\Program Files\\.\\Kelmor\\Data.Dat"), "BLUR:1\r\n");
    // The file keeps the spelling it was created with.
    EXPECT_EQ(sim::host_path("C:\\PROGRAM FILES\\KELMOR\\DATA.DAT").filename(), "data.dat");
    // Writing through another spelling reaches the same file instead of making a second one.
    ASSERT_TRUE(write_text("C:\\program files\\kelmor\\DATA.DAT", "BLUR:0\r\n"));
    EXPECT_EQ(read_text("C:\\Program Files\\Kelmor\\data.dat"), "BLUR:0\r\n");
}

TEST_F(Files, RootRelativeAndRelativePathsResolveAgainstTheCurrentFolder)
{
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\Program Files\\Kelmor"));
    ASSERT_TRUE(write_text("colors.txt", "1"));
    EXPECT_EQ(read_text("C:\\Program Files\\Kelmor\\colors.txt"), "1");
    ASSERT_TRUE(write_text("/usercolors.cps", "2"));
    EXPECT_EQ(read_text("C:\\usercolors.cps"), "2");
    char folder[MAX_PATH] {};
    EXPECT_EQ(GetCurrentDirectoryA(MAX_PATH, folder), 23u);
    EXPECT_STREQ(folder, "C:\\Program Files\\Kelmor");
}

TEST_F(Files, OpeningReportsWhatIsMissing)
{
    EXPECT_EQ(CreateFileA("C:\\Windows\\nothing.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
        INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(CreateFileA("C:\\No Folder\\nothing.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
        INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(CreateFileA("D:\\data.dat", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetFileAttributesA("C:\\Windows\\nothing.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA("c:\\windows\\SYSTEM32"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

TEST_F(Files, CreationDispositionsAndLastErrors)
{
    ASSERT_TRUE(write_text("C:\\a.txt", "abc", CREATE_NEW));
    EXPECT_FALSE(write_text("C:\\A.TXT", "x", CREATE_NEW));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));

    HANDLE file = CreateFileA("C:\\a.txt", GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    // Appending: move to the end and write there.
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_END), 3u);
    DWORD written = 0;
    WriteFile(file, "de", 2, &written, nullptr);
    CloseHandle(file);
    EXPECT_EQ(read_text("C:\\a.txt"), "abcde");

    file = CreateFileA("C:\\a.txt", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFilePointer(file, 2, nullptr, FILE_BEGIN);
    EXPECT_TRUE(SetEndOfFile(file));
    EXPECT_EQ(GetFileSize(file, nullptr), 2u);
    CloseHandle(file);

    ASSERT_TRUE(write_text("C:\\a.txt", "new"));
    EXPECT_EQ(read_text("C:\\a.txt"), "new");
}

TEST_F(Files, ReadingAndWritingNeedTheRightAccess)
{
    ASSERT_TRUE(write_text("C:\\a.txt", "abc"));
    HANDLE file = CreateFileA("C:\\a.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD count = 7;
    EXPECT_FALSE(WriteFile(file, "x", 1, &count, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(count, 0u);
    char buffer[8] {};
    // Reading past the end succeeds with fewer bytes, then with none.
    EXPECT_TRUE(ReadFile(file, buffer, sizeof(buffer), &count, nullptr));
    EXPECT_EQ(count, 3u);
    EXPECT_TRUE(ReadFile(file, buffer, sizeof(buffer), &count, nullptr));
    EXPECT_EQ(count, 0u);
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_FALSE(CloseHandle(file));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(Files, CopyMoveAndDelete)
{
    ASSERT_TRUE(write_text("C:\\Program Files\\Kelmor\\COMCTL32.OCX", "ocx"));
    EXPECT_TRUE(CopyFileA("C:\\Program Files\\Kelmor\\comctl32.ocx", "C:\\Windows\\system32\\COMCTL32.OCX", TRUE));
    EXPECT_EQ(read_text("C:\\WINDOWS\\SYSTEM32\\comctl32.ocx"), "ocx");
    EXPECT_FALSE(CopyFileA("C:\\Program Files\\Kelmor\\COMCTL32.OCX", "C:\\Windows\\system32\\COMCTL32.OCX", TRUE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_FALSE(CopyFileA("C:\\Program Files\\Kelmor\\MSINET.OCX", "C:\\Windows\\system32\\MSINET.OCX", FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    ASSERT_TRUE(write_text("C:\\new.tmp", "fresh"));
    EXPECT_FALSE(MoveFileExA("C:\\new.tmp", "C:\\Windows\\system32\\comctl32.ocx", 0));
    EXPECT_TRUE(MoveFileExA("C:\\new.tmp", "C:\\Windows\\system32\\comctl32.ocx", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(read_text("C:\\Windows\\system32\\COMCTL32.OCX"), "fresh");
    EXPECT_EQ(GetFileAttributesA("C:\\new.tmp"), INVALID_FILE_ATTRIBUTES);

    EXPECT_TRUE(DeleteFileA("c:\\windows\\system32\\comctl32.OCX"));
    EXPECT_FALSE(DeleteFileA("C:\\Windows\\system32\\COMCTL32.OCX"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(Files, FoldersAreCreatedOnlyInsideExistingOnes)
{
    EXPECT_TRUE(CreateDirectoryA("C:\\Temp", nullptr));
    EXPECT_FALSE(CreateDirectoryA("c:\\TEMP", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(CreateDirectoryA("C:\\Missing\\Inner", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(Files, ProgramFolderFilesAreCopiedBeforeTheyAreWritten)
{
    auto outside = sim::drive_root().parent_path() / ("kelmor-build-" + std::to_string(::getpid()));
    std::filesystem::create_directories(outside);
    std::ofstream(outside / "back.tpci") << "original";
    sim::install_program_folder(outside);
    EXPECT_EQ(read_text("C:\\Program Files\\Kelmor\\back.tpci"), "original");
    ASSERT_TRUE(write_text("C:\\Program Files\\Kelmor\\back.tpci", "changed"));
    EXPECT_EQ(read_text("C:\\Program Files\\Kelmor\\back.tpci"), "changed");
    std::ifstream original(outside / "back.tpci");
    std::string text;
    original >> text;
    EXPECT_EQ(text, "original");
    std::filesystem::remove_all(outside);
}

TEST_F(Files, FindListsMatchesInOrderWithoutRegardToCase)
{
    for (auto name : { "C:\\Windows\\system32\\b.OCX", "C:\\Windows\\system32\\A.ocx", "C:\\Windows\\system32\\c.dll" })
        ASSERT_TRUE(write_text(name, ""));
    WIN32_FIND_DATAA data {};
    HANDLE find = FindFirstFileA("C:\\WINDOWS\\System32\\*.OcX", &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    std::vector<std::string> names { data.cFileName };
    while (FindNextFileA(find, &data))
        names.push_back(data.cFileName);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(find));
    EXPECT_EQ(names, (std::vector<std::string> { "A.ocx", "b.OCX" }));

    EXPECT_EQ(FindFirstFileA("C:\\Windows\\system32\\COMCTL32.OCX", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    find = FindFirstFileA("C:\\Windows\\system32\\*", &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(data.cFileName, ".");
    FindClose(find);
}

TEST_F(Files, FindByNameGivesTheEntryAsStoredWithItsSizeAndLastWriteTime)
{
    ASSERT_TRUE(write_text("C:\\Windows\\Skin.PNG", "12345"));
    auto entry_of = [](const char* name) {
        WIN32_FIND_DATAA data {};
        HANDLE find = FindFirstFileA(name, &data);
        EXPECT_NE(find, INVALID_HANDLE_VALUE) << name;
        EXPECT_FALSE(FindNextFileA(find, &data));
        FindClose(find);
        return data;
    };
    WIN32_FIND_DATAA first = entry_of("C:\\WINDOWS\\skin.png");
    EXPECT_STREQ(first.cFileName, "Skin.PNG");
    EXPECT_EQ(first.nFileSizeLow, 5u);
    EXPECT_EQ(first.nFileSizeHigh, 0u);
    EXPECT_EQ(entry_of("C:\\Windows").dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));

    // A file written again a second later has a later last write time, in 100 ns units.
    auto host = sim::host_path("C:\\Windows\\Skin.PNG");
    auto written = std::filesystem::last_write_time(host);
    std::filesystem::last_write_time(host, written + std::chrono::seconds(1));
    WIN32_FIND_DATAA later = entry_of("C:\\Windows\\Skin.PNG");
    auto ticks = [](const FILETIME& time) { return (uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime; };
    EXPECT_EQ(ticks(later.ftLastWriteTime) - ticks(first.ftLastWriteTime), 10'000'000u);
}

TEST_F(Files, StandardFoldersAndDrives)
{
    char buffer[MAX_PATH] {};
    EXPECT_EQ(GetWindowsDirectoryA(buffer, MAX_PATH), 10u);
    EXPECT_STREQ(buffer, "C:\\Windows");
    EXPECT_EQ(GetSystemDirectoryA(buffer, 5), 20u);
    EXPECT_EQ(GetLogicalDriveStringsA(MAX_PATH, buffer), 12u);
    EXPECT_EQ(std::string(buffer, 13), std::string("C:\\\0D:\\\0E:\\\0\0", 13));
    EXPECT_EQ(GetLogicalDrives(), 0x1Cu);
    EXPECT_EQ(GetDriveTypeA("C:\\"), static_cast<UINT>(DRIVE_FIXED));
    EXPECT_EQ(GetDriveTypeA("d:\\"), static_cast<UINT>(DRIVE_FIXED));
    EXPECT_EQ(GetDriveTypeA("E:\\"), static_cast<UINT>(DRIVE_REMOVABLE));
    EXPECT_EQ(GetDriveTypeA("Q:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
    char label[MAX_PATH] {};
    EXPECT_TRUE(GetVolumeInformationA("D:\\", label, MAX_PATH, nullptr, nullptr, nullptr, nullptr, 0));
    EXPECT_STREQ(label, "Data");
    // A drive without a medium is not ready, and nothing can be read from it.
    EXPECT_FALSE(GetVolumeInformationA("E:\\", label, MAX_PATH, nullptr, nullptr, nullptr, nullptr, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_READY));
    EXPECT_EQ(GetFileAttributesA("E:\\"), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesA("D:\\"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Files, EveryResetStartsFromAFreshDrive)
{
    ASSERT_TRUE(write_text("C:\\left.over", "x"));
    sim::reset_desktop();
    EXPECT_EQ(GetFileAttributesA("C:\\left.over"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA("C:\\Program Files\\Kelmor"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

}
