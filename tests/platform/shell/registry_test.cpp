#include "platform/win32.h"
#include "platform/sim/desktop.h"
#include "platform/sim/shell/registry_store.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr const char* run_key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

class Registry : public testing::Test {
protected:
    void SetUp() override { sim::reset_desktop(); }

    static HKEY open(const char* path, REGSAM access)
    {
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, access, &key), ERROR_SUCCESS);
        return key;
    }
};

TEST_F(Registry, StringValuesAreReadBackWithTheirNul)
{
    HKEY key = open(run_key, KEY_QUERY_VALUE | KEY_SET_VALUE);
    const char command[] = "C:\\Program Files\\Kelmor\\Kelmor 2.exe";
    ASSERT_EQ(RegSetValueExA(key, "Kelmor", 0, REG_SZ, reinterpret_cast<const BYTE*>(command), sizeof(command)),
        ERROR_SUCCESS);

    DWORD type = 0;
    DWORD size = 0;
    ASSERT_EQ(RegQueryValueExA(key, "KELMOR", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, sizeof(command));
    // A buffer one larger, filled with blanks, keeps its last blank after the stored bytes.
    std::string buffer(size + 1, ' ');
    DWORD buffer_size = size;
    ASSERT_EQ(RegQueryValueExA(key, "Kelmor", nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &buffer_size),
        ERROR_SUCCESS);
    EXPECT_EQ(buffer, std::string(command, sizeof(command)) + " ");

    char small[4];
    DWORD small_size = sizeof(small);
    EXPECT_EQ(RegQueryValueExA(key, "Kelmor", nullptr, nullptr, reinterpret_cast<BYTE*>(small), &small_size),
        ERROR_MORE_DATA);
    EXPECT_EQ(small_size, sizeof(command));
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
}

TEST_F(Registry, DwordAndExpandableStringValues)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Kelmor\\Test", 0, nullptr, REG_OPTION_NON_VOLATILE,
                  KEY_ALL_ACCESS, nullptr, &key, &disposition),
        ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    DWORD number = 0xDEADBEEF;
    ASSERT_EQ(RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number)),
        ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, "Short", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 2),
        ERROR_INVALID_PARAMETER);
    const char expandable[] = "%SystemRoot%\\system32";
    ASSERT_EQ(RegSetValueExA(key, "Path", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expandable),
                  sizeof(expandable)),
        ERROR_SUCCESS);
    RegCloseKey(key);

    key = open("software\\KELMOR\\test", KEY_QUERY_VALUE);
    DWORD type = 0;
    DWORD read = 0;
    DWORD size = sizeof(read);
    ASSERT_EQ(RegQueryValueExA(key, "Number", nullptr, &type, reinterpret_cast<BYTE*>(&read), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(read, 0xDEADBEEFu);
    char text[64] {};
    size = sizeof(text);
    ASSERT_EQ(RegQueryValueExA(key, "Path", nullptr, &type, reinterpret_cast<BYTE*>(text), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
    // The text is handed back as stored; nothing is expanded.
    EXPECT_STREQ(text, expandable);
    RegCloseKey(key);
}

TEST_F(Registry, MissingKeysAndValues)
{
    HKEY key = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Nobody", 0, KEY_QUERY_VALUE, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    key = open(run_key, 0x3F);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Kelmor", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteValueA(key, "Kelmor"), ERROR_FILE_NOT_FOUND);
    const char command[] = "x";
    RegSetValueExA(key, "Kelmor", 0, REG_SZ, reinterpret_cast<const BYTE*>(command), sizeof(command));
    EXPECT_EQ(RegDeleteValueA(key, "Kelmor"), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(key, "Kelmor", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST_F(Registry, RightsOfTheOpenKeyAreEnforced)
{
    HKEY key = open(run_key, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY);
    const char command[] = "x";
    EXPECT_EQ(RegSetValueExA(key, "Kelmor", 0, REG_SZ, reinterpret_cast<const BYTE*>(command), sizeof(command)),
        ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueA(key, "Kelmor"), ERROR_ACCESS_DENIED);
    RegCloseKey(key);
}

TEST_F(Registry, AFreshProfileHasAnEmptyWallpaperValue)
{
    HKEY key = open("Control Panel\\Desktop", KEY_QUERY_VALUE);
    DWORD type = 0;
    DWORD size = 0;
    ASSERT_EQ(RegQueryValueExA(key, "Wallpaper", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 1u);
    RegCloseKey(key);
}

TEST_F(Registry, ValuesAreFoundByFullPathAndReadBackAsText)
{
    HKEY key = open(run_key, KEY_SET_VALUE);
    const char command[] = "C:\\Kelmor.exe";
    DWORD number = 4000000000u;
    const BYTE bytes[] = { 0x0A, 0xFF };
    RegSetValueExA(key, "Kelmor", 0, REG_SZ, reinterpret_cast<const BYTE*>(command), sizeof(command));
    RegSetValueExA(key, "Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
    RegSetValueExA(key, "Raw", 0, REG_BINARY, bytes, sizeof(bytes));
    RegCloseKey(key);

    const auto* text = sim::find_value("HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "kelmor");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(sim::value_text(*text), "C:\\Kelmor.exe");
    const auto* count = sim::find_value("hkcu\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Count");
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(sim::value_text(*count), "4000000000");
    const auto* raw = sim::find_value("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Raw");
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(sim::value_text(*raw), "0aff");
    EXPECT_EQ(sim::find_value("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Kelmor"), nullptr);
    EXPECT_EQ(sim::find_value("HKCU\\Software\\Nobody", "Kelmor"), nullptr);
    EXPECT_EQ(sim::find_value("HKEY_NOWHERE\\Software", "Kelmor"), nullptr);
}

}
