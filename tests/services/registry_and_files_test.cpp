// Registry reads, the autostart entry under the Run key, file existence and the Windows folder.
#include "services/modAPI.h"
#include "services/modAutostart.h"
#include "services/modGlobal.h"
#include "tests/services/services_fixture.h"

#include "platform/sim/handle_table.h"
#include "platform/sim/kernel/paths.h"
#include "platform/sim/shell/registry_store.h"

#include <filesystem>
#include <fstream>

namespace {

constexpr const char* TestKey = "Software\\Kelmor Tests";
constexpr const char* RunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

void store_value(const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, TestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), 0);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), 0);
    RegCloseKey(key);
}

bool has_run_value(const char* name)
{
    for (const auto& entry : sim::registry_entries()) {
        if (entry.key_path == std::string("HKEY_CURRENT_USER\\") + RunKey && entry.value_name == name)
            return true;
    }
    return false;
}

// Open registry keys are handles; a call that leaves one open leaves the table bigger.
size_t open_handles()
{
    size_t count = 0;
    sim::handles().for_each([&](uintptr_t, const sim::Object&) { ++count; });
    return count;
}

class RegistryTest : public ServicesTest {
protected:
    bool query(const std::string& sub_key, const std::string& name, runtime::Variant& value)
    {
        bool is_read = false;
        run([&] { is_read = RegQueryValue(HKEY_CURRENT_USER, sub_key, name, value); });
        return is_read;
    }
};

}

TEST_F(RegistryTest, TextValueIsTheWholeBufferWithItsNulAndABlank)
{
    store_value("Name", REG_SZ, "Kelmor", 7);
    runtime::Variant value;
    ASSERT_TRUE(query(TestKey, "Name", value));
    EXPECT_EQ(value, runtime::Variant(std::string("Kelmor\0 ", 8)));

    // A text stored without its NUL still gets the blank behind it.
    store_value("Bare", REG_SZ, "abc", 3);
    ASSERT_TRUE(query(TestKey, "Bare", value));
    EXPECT_EQ(value, runtime::Variant(std::string("abc ")));
}

TEST_F(RegistryTest, NumberIsReadAndOtherTypesLeaveTheValueAlone)
{
    int32_t number = -12345;
    store_value("Count", REG_DWORD, &number, sizeof number);
    store_value("Expanded", REG_EXPAND_SZ, "%WINDIR%", 9);
    runtime::Variant value;
    ASSERT_TRUE(query(TestKey, "Count", value));
    EXPECT_EQ(value, runtime::Variant(-12345));

    runtime::Variant untouched("before");
    EXPECT_TRUE(query(TestKey, "Expanded", untouched));
    EXPECT_EQ(untouched, runtime::Variant("before"));
}

TEST_F(RegistryTest, MissingKeyOrValueIsFalseAndClosesWhatItOpened)
{
    store_value("Name", REG_SZ, "Kelmor", 7);
    int32_t number = 1;
    store_value("Count", REG_DWORD, &number, sizeof number);
    size_t before = open_handles();
    runtime::Variant value("before");
    EXPECT_FALSE(query("Software\\Nobody Here", "Name", value));
    EXPECT_FALSE(query(TestKey, "Missing", value));
    EXPECT_EQ(value, runtime::Variant("before"));
    EXPECT_EQ(open_handles(), before);
    EXPECT_TRUE(query(TestKey, "Name", value));
    EXPECT_TRUE(query(TestKey, "Count", value));
    EXPECT_EQ(open_handles(), before);
}

TEST_F(RegistryTest, AutostartIsWrittenOverwrittenAndRemoved)
{
    bool is_done = false;
    run([&] { is_done = AddAutostart("Kelmor", "C:\\Program Files\\Kelmor\\Kelmor 2.exe"); });
    EXPECT_TRUE(is_done);
    EXPECT_EQ(sim::string_value(HKEY_CURRENT_USER, RunKey, "Kelmor"), "C:\\Program Files\\Kelmor\\Kelmor 2.exe");

    run([&] { is_done = AddAutostart("Kelmor", "D:\\Kelmor\\Kelmor 2.exe"); });
    EXPECT_TRUE(is_done);
    EXPECT_EQ(sim::string_value(HKEY_CURRENT_USER, RunKey, "Kelmor"), "D:\\Kelmor\\Kelmor 2.exe");
    runtime::Variant stored;
    ASSERT_TRUE(query(RunKey, "Kelmor", stored));
    EXPECT_EQ(stored, runtime::Variant(std::string("D:\\Kelmor\\Kelmor 2.exe\0 ", 24)));

    run([&] { is_done = RemoveAutostart("Kelmor"); });
    EXPECT_TRUE(is_done);
    EXPECT_FALSE(has_run_value("Kelmor"));
    size_t before = open_handles();
    run([&] { is_done = RemoveAutostart("Kelmor"); });
    EXPECT_FALSE(is_done);
    EXPECT_EQ(open_handles(), before);
}

TEST_F(RegistryTest, AutostartWithoutARunKeyReportsFailure)
{
    ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, RunKey), 0);
    bool is_done = true;
    run([&] { is_done = AddAutostart("Kelmor", "C:\\Kelmor 2.exe"); });
    EXPECT_FALSE(is_done);
    run([&] { is_done = RemoveAutostart("Kelmor"); });
    EXPECT_FALSE(is_done);
}

TEST_F(ServicesTest, FileExistsIsTrueForFilesOnly)
{
    std::ofstream(sim::host_path("C:\\Windows\\present.txt")) << "here";
    std::filesystem::create_directories(sim::host_path("C:\\Windows\\Folder.txt"));
    bool is_file = false;
    run([&] { is_file = FileExists("C:\\Windows\\present.txt"); });
    EXPECT_TRUE(is_file);
    run([&] { is_file = FileExists("c:\\WINDOWS\\PRESENT.TXT"); });
    EXPECT_TRUE(is_file);
    run([&] { is_file = FileExists("C:\\Windows\\absent.txt"); });
    EXPECT_FALSE(is_file);
    run([&] { is_file = FileExists("C:\\Windows\\Folder.txt"); });
    EXPECT_FALSE(is_file);
    run([&] { is_file = FileExists(""); });
    EXPECT_FALSE(is_file);
}

TEST_F(ServicesTest, WindowsFolderHasNoTrailingSeparator)
{
    std::string folder;
    run([&] { folder = GetWindowsFolder(); });
    EXPECT_EQ(folder, sim::windows_folder);
    run([&] { folder = GetWindowsFolder() + "\\system32"; });
    EXPECT_TRUE(std::filesystem::is_directory(sim::host_path(folder)));
}
