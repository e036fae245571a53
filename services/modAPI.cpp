#include "services/modAPI.h"

#include <cstdint>

namespace {

constexpr REGSAM read_access = KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY;

// Reads the value's data into a buffer of its stored size plus one blank; false when it cannot.
bool read_text(HKEY key, const char* name, DWORD size, runtime::Variant& value)
{
    std::string buffer(static_cast<size_t>(size) + 1, ' ');
    DWORD read_size = size;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &read_size) != ERROR_SUCCESS)
        return false;
    value = runtime::Variant(std::move(buffer));
    return true;
}

bool read_number(HKEY key, const char* name, runtime::Variant& value)
{
    int32_t number = 0;
    DWORD size = sizeof number;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&number), &size) != ERROR_SUCCESS)
        return false;
    value = runtime::Variant(static_cast<int>(number));
    return true;
}

bool read_value(HKEY key, const char* name, runtime::Variant& value)
{
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    switch (type) {
    case REG_SZ:
        return read_text(key, name, size, value);
    case REG_DWORD:
        return read_number(key, name, value);
    default:
        return true;
    }
}

}

bool RegQueryValue(HKEY hKey, const std::string& SubKey, const std::string& ValueName, runtime::Variant& Value)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(hKey, SubKey.c_str(), 0, read_access, &key) != ERROR_SUCCESS)
        return false;
    bool is_read = read_value(key, ValueName.c_str(), Value);
    RegCloseKey(key);
    return is_read;
}
