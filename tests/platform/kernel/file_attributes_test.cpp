// File attributes (read-only, hidden, system) as opening, replacing, deleting and listing honour
// them, and folders the program may not write in.
#include "platform/win32.h"
#include "platform/sim/desktop.h"
#include "platform/sim/driver.h"
#include "platform/sim/kernel/file_attributes.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

constexpr DWORD hidden_system = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

class FileAttributes : public testing::Test {
protected:
    void SetUp() override { sim::reset_desktop(); }

    // Opens, writes and closes; the last error of a refused open, or 0.
    static DWORD write_text(const char* path, DWORD disposition = CREATE_ALWAYS, DWORD attributes = FILE_ATTRIBUTE_NORMAL)
    {
        HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, disposition, attributes, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return GetLastError();
        DWORD written = 0;
        WriteFile(file, "x", 1, &written, nullptr);
        CloseHandle(file);
        return 0;
    }

    static DWORD open_error(const char* path, DWORD access, DWORD disposition)
    {
        HANDLE file = CreateFileA(path, access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return GetLastError();
        CloseHandle(file);
        return 0;
    }

    static std::map<std::string, DWORD> listing(const char* pattern)
    {
        std::map<std::string, DWORD> found;
        WIN32_FIND_DATAA data {};
        HANDLE search = FindFirstFileA(pattern, &data);
        if (search == INVALID_HANDLE_VALUE)
            return found;
        do
            found[data.cFileName] = data.dwFileAttributes;
        while (FindNextFileA(search, &data));
        FindClose(search);
        return found;
    }
};

TEST_F(FileAttributes, SetAndReadBackAndListedWithEveryFile)
{
    ASSERT_EQ(write_text("C:\\a.txt"), 0u);
    ASSERT_EQ(write_text("C:\\b.txt"), 0u);
    ASSERT_TRUE(CreateDirectoryA("C:\\Folder", nullptr));
    EXPECT_EQ(GetFileAttributesA("C:\\a.txt"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_TRUE(SetFileAttributesA("c:\\A.TXT", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(SetFileAttributesA("C:\\b.txt", FILE_ATTRIBUTE_NORMAL));
    ASSERT_TRUE(SetFileAttributesA("C:\\Folder", FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(GetFileAttributesA("C:\\a.txt"), hidden_system);
    EXPECT_EQ(GetFileAttributesA("C:\\b.txt"), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetFileAttributesA("C:\\Folder"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(SetFileAttributesA("C:\\none.txt", FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    // The search hands out hidden and system entries too, each with its attributes.
    auto found = listing("C:\\*");
    EXPECT_EQ(found["a.txt"], hidden_system);
    EXPECT_EQ(found["b.txt"], static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(found["Folder"], static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));

    // A rename takes the attributes along; a deleted file's attributes do not pass to a new one.
    ASSERT_TRUE(MoveFileA("C:\\a.txt", "C:\\c.txt"));
    EXPECT_EQ(GetFileAttributesA("C:\\c.txt"), hidden_system);
    ASSERT_EQ(write_text("C:\\a.txt"), 0u);
    EXPECT_EQ(GetFileAttributesA("C:\\a.txt"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
}

TEST_F(FileAttributes, ReadOnlyFilesAreReadButNeverWrittenReplacedOrDeleted)
{
    ASSERT_EQ(write_text("C:\\ro.txt"), 0u);
    ASSERT_EQ(write_text("C:\\other.txt"), 0u);
    ASSERT_TRUE(SetFileAttributesA("C:\\ro.txt", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(open_error("C:\\ro.txt", GENERIC_READ, OPEN_EXISTING), 0u);
    EXPECT_EQ(open_error("C:\\ro.txt", GENERIC_WRITE, OPEN_EXISTING), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(open_error("C:\\ro.txt", GENERIC_READ, CREATE_ALWAYS), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(open_error("C:\\ro.txt", GENERIC_WRITE, TRUNCATE_EXISTING), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(DeleteFileA("C:\\ro.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(CopyFileA("C:\\other.txt", "C:\\ro.txt", FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(MoveFileExA("C:\\other.txt", "C:\\ro.txt", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(GetFileAttributesA("C:\\other.txt"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));

    // Once writable again it is deleted as any file.
    ASSERT_TRUE(SetFileAttributesA("C:\\ro.txt", FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(DeleteFileA("C:\\ro.txt"));
}

TEST_F(FileAttributes, HiddenAndSystemFilesAreReplacedOnlyByACallThatNamesThem)
{
    ASSERT_EQ(write_text("C:\\h.dat"), 0u);
    ASSERT_TRUE(SetFileAttributesA("C:\\h.dat", FILE_ATTRIBUTE_HIDDEN));
    // Opening and writing in place is allowed; replacing without the attribute is not.
    EXPECT_EQ(write_text("C:\\h.dat", OPEN_EXISTING), 0u);
    EXPECT_EQ(write_text("C:\\h.dat", CREATE_ALWAYS), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(write_text("C:\\h.dat", TRUNCATE_EXISTING), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(write_text("C:\\h.dat", CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN), 0u);
    EXPECT_EQ(GetFileAttributesA("C:\\h.dat"), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));

    ASSERT_TRUE(SetFileAttributesA("C:\\h.dat", FILE_ATTRIBUTE_SYSTEM));
    EXPECT_EQ(write_text("C:\\h.dat", CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(write_text("C:\\h.dat", CREATE_ALWAYS, hidden_system), 0u);

    // A copy carries its source's attributes, so a plain file cannot replace a hidden one.
    ASSERT_EQ(write_text("C:\\plain.dat"), 0u);
    EXPECT_FALSE(CopyFileA("C:\\plain.dat", "C:\\h.dat", FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(CopyFileA("C:\\h.dat", "C:\\copy.dat", TRUE));
    EXPECT_EQ(GetFileAttributesA("C:\\copy.dat"), static_cast<DWORD>(hidden_system | FILE_ATTRIBUTE_ARCHIVE));
}

TEST_F(FileAttributes, UnwritableFolderRefusesTheProgramEveryChangeButReading)
{
    ASSERT_EQ(write_text("C:\\Program Files\\Kelmor\\data.dat"), 0u);
    ASSERT_TRUE(CreateDirectoryA("C:\\Program Files\\Kelmor\\Skins", nullptr));
    sim::deny_writes("c:\\program files");
    const DWORD denied = ERROR_ACCESS_DENIED;

    EXPECT_EQ(open_error("C:\\Program Files\\Kelmor\\data.dat", GENERIC_READ, OPEN_EXISTING), 0u);
    EXPECT_EQ(open_error("C:\\Program Files\\Kelmor\\data.dat", GENERIC_WRITE, OPEN_EXISTING), denied);
    EXPECT_EQ(write_text("C:\\Program Files\\Kelmor\\data.dat"), denied);
    EXPECT_EQ(write_text("C:\\Program Files\\Kelmor\\new.dat"), denied);
    EXPECT_EQ(write_text("C:\\Program Files\\Kelmor\\Skins\\deep.dat"), denied);
    EXPECT_EQ(GetFileAttributesA("C:\\Program Files\\Kelmor\\new.dat"), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(DeleteFileA("C:\\Program Files\\Kelmor\\data.dat"));
    EXPECT_EQ(GetLastError(), denied);
    EXPECT_FALSE(CopyFileA("C:\\Program Files\\Kelmor\\data.dat", "C:\\Program Files\\Kelmor\\b.dat", FALSE));
    EXPECT_EQ(GetLastError(), denied);
    EXPECT_FALSE(MoveFileA("C:\\Program Files\\Kelmor\\data.dat", "C:\\data.dat"));
    EXPECT_EQ(GetLastError(), denied);
    EXPECT_FALSE(SetFileAttributesA("C:\\Program Files\\Kelmor\\data.dat", FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(CreateDirectoryA("C:\\Program Files\\Kelmor\\More", nullptr));
    EXPECT_FALSE(RemoveDirectoryA("C:\\Program Files\\Kelmor\\Skins"));
    EXPECT_EQ(GetLastError(), denied);

    // Copying out of it is reading; a folder with a similar name is not below it.
    EXPECT_TRUE(CopyFileA("C:\\Program Files\\Kelmor\\data.dat", "C:\\data.dat", FALSE));
    ASSERT_TRUE(CreateDirectoryA("C:\\Program Files Extra", nullptr));
    EXPECT_EQ(write_text("C:\\Program Files Extra\\x.dat"), 0u);

    // A second instance of the program is limited as well; another program (an installer running
    // as administrator) is not.
    sim::driver::set_current_process(sim::driver::create_process("c:\\program files\\kelmor\\kelmor 2.exe"));
    EXPECT_EQ(write_text("C:\\Program Files\\Kelmor\\new.dat"), denied);
    sim::driver::set_current_process(sim::driver::create_process("C:\\Windows\\setup.exe"));
    EXPECT_EQ(write_text("C:\\Program Files\\Kelmor\\new.dat"), 0u);
    sim::driver::set_current_process(sim::driver::program_process());
}

}
