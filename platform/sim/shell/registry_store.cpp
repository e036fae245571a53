#include "platform/sim/shell/registry_store.h"

#include "platform/sim/desktop.h"

#include "platform/api/shell.h"
#include "platform/api/user.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace sim {

namespace {

struct Root {
    HKEY handle;
    const char* name;
    const char* short_name;
};

const Root roots[] = {
    { HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT", "HKCR" },
    { HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "HKCU" },
    { HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", "HKLM" },
    { HKEY_USERS, "HKEY_USERS", "HKU" },
};
constexpr size_t root_count = sizeof(roots) / sizeof(roots[0]);

RegistryKey* root_keys()
{
    static RegistryKey keys[root_count];
    // The registry is filled by the desktop's reset; a program that reaches the registry first
    // makes the desktop exist, as any other call does.
    ensure_desktop();
    return keys;
}

int root_index(HKEY key)
{
    for (size_t i = 0; i < root_count; ++i) {
        if (roots[i].handle == key)
            return static_cast<int>(i);
    }
    return -1;
}

std::vector<std::string> split_key_path(std::string_view path)
{
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\') {
            if (!part.empty())
                parts.push_back(std::move(part));
            part.clear();
            continue;
        }
        part += c;
    }
    if (!part.empty())
        parts.push_back(std::move(part));
    return parts;
}

void collect(const RegistryKey& key, const std::string& path, std::vector<RegistryEntry>& entries)
{
    for (auto& [name, value] : key.values)
        entries.push_back({ path, name, value });
    for (auto& [name, subkey] : key.subkeys)
        collect(*subkey, path + "\\" + subkey->name, entries);
}

}

bool CaseInsensitiveLess::operator()(std::string_view a, std::string_view b) const
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) < std::toupper(static_cast<unsigned char>(y));
    });
}

RegistryKey* predefined_key(HKEY key)
{
    int index = root_index(key);
    if (index < 0)
        return nullptr;
    return &root_keys()[index];
}

std::string predefined_key_name(HKEY key)
{
    int index = root_index(key);
    if (index < 0)
        return {};
    return roots[index].name;
}

const RegistryValue* find_value(std::string_view key_path, std::string_view name)
{
    size_t separator = key_path.find('\\');
    std::string_view root_name = key_path.substr(0, separator);
    std::string_view rest = separator == std::string_view::npos ? std::string_view() : key_path.substr(separator + 1);
    CaseInsensitiveLess less;
    auto is_named = [&](std::string_view a, std::string_view b) { return !less(a, b) && !less(b, a); };
    for (size_t i = 0; i < root_count; ++i) {
        if (!is_named(root_name, roots[i].name) && !is_named(root_name, roots[i].short_name))
            continue;
        RegistryKey* key = find_subkey(root_keys()[i], rest);
        if (!key)
            return nullptr;
        auto value = key->values.find(name);
        return value == key->values.end() ? nullptr : &value->second;
    }
    return nullptr;
}

std::string value_text(const RegistryValue& value)
{
    if (value.type == REG_SZ || value.type == REG_EXPAND_SZ) {
        std::string text(value.data.begin(), value.data.end());
        return text.substr(0, text.find('\0'));
    }
    if (value.type == REG_DWORD && value.data.size() == 4) {
        DWORD number = 0;
        std::memcpy(&number, value.data.data(), 4);
        return std::to_string(number);
    }
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (uint8_t byte : value.data) {
        hex += digits[byte >> 4];
        hex += digits[byte & 15];
    }
    return hex;
}

RegistryKey* find_subkey(RegistryKey& from, std::string_view path)
{
    RegistryKey* key = &from;
    for (auto& part : split_key_path(path)) {
        auto it = key->subkeys.find(part);
        if (it == key->subkeys.end())
            return nullptr;
        key = it->second.get();
    }
    return key;
}

RegistryKey* create_subkey(RegistryKey& from, std::string_view path, bool* is_new)
{
    if (is_new)
        *is_new = false;
    RegistryKey* key = &from;
    for (auto& part : split_key_path(path)) {
        auto it = key->subkeys.find(part);
        if (it == key->subkeys.end()) {
            auto subkey = std::make_unique<RegistryKey>();
            subkey->name = part;
            it = key->subkeys.emplace(part, std::move(subkey)).first;
            if (is_new)
                *is_new = true;
        } else if (is_new) {
            *is_new = false;
        }
        key = it->second.get();
    }
    return key;
}

void set_string_value(HKEY root, std::string_view path, std::string_view name, std::string_view text)
{
    auto* base = predefined_key(root);
    if (!base)
        return;
    auto* key = create_subkey(*base, path, nullptr);
    RegistryValue value;
    value.type = REG_SZ;
    value.data.assign(text.begin(), text.end());
    value.data.push_back(0);
    key->values[std::string(name)] = std::move(value);
}

std::string string_value(HKEY root, std::string_view path, std::string_view name)
{
    auto* base = predefined_key(root);
    if (!base)
        return {};
    auto* key = find_subkey(*base, path);
    if (!key)
        return {};
    auto it = key->values.find(name);
    if (it == key->values.end() || (it->second.type != REG_SZ && it->second.type != REG_EXPAND_SZ))
        return {};
    auto& data = it->second.data;
    auto end = std::find(data.begin(), data.end(), uint8_t { 0 });
    return std::string(data.begin(), end);
}

std::vector<RegistryEntry> registry_entries()
{
    std::vector<RegistryEntry> entries;
    for (size_t i = 0; i < root_count; ++i)
        collect(root_keys()[i], roots[i].name, entries);
    return entries;
}

void reset_registry()
{
    for (size_t i = 0; i < root_count; ++i)
        root_keys()[i] = RegistryKey {};
    set_string_value(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper", "");
    create_subkey(*predefined_key(HKEY_CURRENT_USER), "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", nullptr);
    create_subkey(*predefined_key(HKEY_LOCAL_MACHINE), "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", nullptr);
}

}
