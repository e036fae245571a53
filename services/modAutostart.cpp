#include "services/modAutostart.h"

#include "platform/win32.h"

namespace {

constexpr const char* run_key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr REGSAM run_key_access = KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_ENUMERATE_SUB_KEYS
    | KEY_NOTIFY | KEY_CREATE_LINK;

HKEY open_run_key()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, run_key, 0, run_key_access, &key) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

}

bool AddAutostart(const std::string& ValueName, const std::string& Command)
{
    HKEY key = open_run_key();
    if (!key)
        return false;
    // The stored text includes its closing NUL.
    LONG result = RegSetValueExA(key, ValueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(Command.c_str()),
        static_cast<DWORD>(Command.size() + 1));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool RemoveAutostart(const std::string& ValueName)
{
    HKEY key = open_run_key();
    if (!key)
        return false;
    LONG result = RegDeleteValueA(key, ValueName.c_str());
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}
