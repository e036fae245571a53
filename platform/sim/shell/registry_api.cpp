// The registry functions of advapi32 over the registry store. An open key remembers its root and
// path and finds its key again at every call, so a key deleted meanwhile is noticed.
#include "platform/api/shell.h"

#include "platform/sim/handle_table.h"
#include "platform/sim/shell/registry_store.h"
#include "platform/sim/user/process_faults.h"

#include <cstring>

namespace {

struct OpenKey : sim::Object {
    HKEY root = nullptr;
    std::string path;
    REGSAM access = 0;
};

constexpr LONG error_key_deleted = 1018;

struct Resolved {
    HKEY root = nullptr;
    std::string path;
    REGSAM access = 0;
    bool is_valid = false;
};

// The predefined roots are always open with every right; other handles carry the rights they
// were opened with.
Resolved resolve(HKEY key)
{
    if (sim::predefined_key(key))
        return { key, {}, KEY_ALL_ACCESS, true };
    if (auto* open = sim::handles().find<OpenKey>(key))
        return { open->root, open->path, open->access, true };
    return {};
}

// Why a resolved key may not be used for an operation that needs `right`; ERROR_SUCCESS when it may.
LONG access_error(const Resolved& resolved, REGSAM right)
{
    if (!resolved.is_valid)
        return ERROR_INVALID_HANDLE;
    if (!(resolved.access & right))
        return ERROR_ACCESS_DENIED;
    return ERROR_SUCCESS;
}

std::string join(const std::string& path, LPCSTR sub_key)
{
    if (!sub_key || !*sub_key)
        return path;
    if (path.empty())
        return sub_key;
    return path + "\\" + sub_key;
}

sim::RegistryKey* key_of(const Resolved& resolved)
{
    auto* root = sim::predefined_key(resolved.root);
    if (!root)
        return nullptr;
    return sim::find_subkey(*root, resolved.path);
}

HKEY open_handle(HKEY root, std::string path, REGSAM access)
{
    auto key = std::make_unique<OpenKey>();
    key->root = root;
    key->path = std::move(path);
    key->access = access;
    return reinterpret_cast<HKEY>(sim::handles().add(std::move(key)));
}

std::string value_name(LPCSTR name)
{
    return name ? name : "";
}

}

LONG WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult)
{
    sim::ApiCall api_call;
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    Resolved base = resolve(hKey);
    if (!base.is_valid)
        return ERROR_INVALID_HANDLE;
    std::string path = join(base.path, lpSubKey);
    auto* root = sim::predefined_key(base.root);
    if (!sim::find_subkey(*root, path))
        return ERROR_FILE_NOT_FOUND;
    *phkResult = open_handle(base.root, std::move(path), samDesired);
    return ERROR_SUCCESS;
}

LONG WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD, REGSAM samDesired,
    LPSECURITY_ATTRIBUTES, PHKEY phkResult, LPDWORD lpdwDisposition)
{
    sim::ApiCall api_call;
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    Resolved base = resolve(hKey);
    if (!base.is_valid)
        return ERROR_INVALID_HANDLE;
    if (!key_of(base))
        return error_key_deleted;
    std::string path = join(base.path, lpSubKey);
    bool is_new = false;
    sim::create_subkey(*sim::predefined_key(base.root), path, &is_new);
    if (lpdwDisposition)
        *lpdwDisposition = is_new ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *phkResult = open_handle(base.root, std::move(path), samDesired);
    return ERROR_SUCCESS;
}

LONG WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData,
    LPDWORD lpcbData)
{
    sim::ApiCall api_call;
    Resolved resolved = resolve(hKey);
    if (LONG error = access_error(resolved, KEY_QUERY_VALUE))
        return error;
    if (lpData && !lpcbData)
        return ERROR_INVALID_PARAMETER;
    auto* key = key_of(resolved);
    if (!key)
        return error_key_deleted;
    auto it = key->values.find(value_name(lpValueName));
    if (it == key->values.end())
        return ERROR_FILE_NOT_FOUND;
    auto& value = it->second;
    if (lpType)
        *lpType = value.type;
    DWORD size = static_cast<DWORD>(value.data.size());
    if (!lpcbData)
        return ERROR_SUCCESS;
    if (!lpData) {
        *lpcbData = size;
        return ERROR_SUCCESS;
    }
    if (*lpcbData < size) {
        *lpcbData = size;
        return ERROR_MORE_DATA;
    }
    if (size)
        std::memcpy(lpData, value.data.data(), size);
    *lpcbData = size;
    return ERROR_SUCCESS;
}

LONG WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData)
{
    sim::ApiCall api_call;
    Resolved resolved = resolve(hKey);
    if (LONG error = access_error(resolved, KEY_SET_VALUE))
        return error;
    if (!lpData && cbData)
        return ERROR_NOACCESS;
    if (dwType == REG_DWORD && cbData != sizeof(DWORD))
        return ERROR_INVALID_PARAMETER;
    auto* key = key_of(resolved);
    if (!key)
        return error_key_deleted;
    sim::RegistryValue value;
    value.type = dwType;
    if (cbData)
        value.data.assign(lpData, lpData + cbData);
    key->values[value_name(lpValueName)] = std::move(value);
    return ERROR_SUCCESS;
}

LONG WINAPI RegDeleteValueA(HKEY hKey, LPCSTR lpValueName)
{
    sim::ApiCall api_call;
    Resolved resolved = resolve(hKey);
    if (LONG error = access_error(resolved, KEY_SET_VALUE))
        return error;
    auto* key = key_of(resolved);
    if (!key)
        return error_key_deleted;
    if (!key->values.erase(value_name(lpValueName)))
        return ERROR_FILE_NOT_FOUND;
    return ERROR_SUCCESS;
}

LONG WINAPI RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey)
{
    sim::ApiCall api_call;
    Resolved resolved = resolve(hKey);
    if (!resolved.is_valid)
        return ERROR_INVALID_HANDLE;
    if (!lpSubKey || !*lpSubKey)
        return ERROR_INVALID_PARAMETER;
    std::string path = join(resolved.path, lpSubKey);
    auto* root = sim::predefined_key(resolved.root);
    auto* key = sim::find_subkey(*root, path);
    if (!key)
        return ERROR_FILE_NOT_FOUND;
    // A key with subkeys of its own is not deleted.
    if (!key->subkeys.empty())
        return ERROR_ACCESS_DENIED;
    auto separator = path.find_last_of('\\');
    std::string parent_path = separator == std::string::npos ? std::string() : path.substr(0, separator);
    auto* parent = sim::find_subkey(*root, parent_path);
    parent->subkeys.erase(key->name);
    return ERROR_SUCCESS;
}

LONG WINAPI RegCloseKey(HKEY hKey)
{
    sim::ApiCall api_call{sim::CallKind::release};
    if (sim::predefined_key(hKey))
        return ERROR_SUCCESS;
    if (!sim::handles().find<OpenKey>(hKey))
        return ERROR_INVALID_HANDLE;
    sim::handles().remove(hKey);
    return ERROR_SUCCESS;
}
