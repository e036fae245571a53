// The registry of the simulated machine: keys and values under the predefined roots.
#pragma once

#include "platform/api/types.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// Key and value names compare without regard to case and keep the spelling they were created with.
struct CaseInsensitiveLess {
    bool operator()(std::string_view a, std::string_view b) const;
    using is_transparent = void;
};

struct RegistryValue {
    DWORD type = 0;
    std::vector<uint8_t> data;
};

struct RegistryKey {
    std::string name;
    std::map<std::string, std::unique_ptr<RegistryKey>, CaseInsensitiveLess> subkeys;
    std::map<std::string, RegistryValue, CaseInsensitiveLess> values;
};

// The root behind a predefined key (HKEY_CURRENT_USER...), or nullptr for another handle.
RegistryKey* predefined_key(HKEY key);
// The name of a predefined key as the registry editor shows it ("HKEY_CURRENT_USER").
std::string predefined_key_name(HKEY key);

// Finds a value by its key's full path, whose root is named in full ("HKEY_CURRENT_USER\Control
// Panel\Desktop") or short (HKCR, HKCU, HKLM, HKU); nullptr when the key or the value is missing.
const RegistryValue* find_value(std::string_view key_path, std::string_view name);
// A value as text: a REG_SZ or REG_EXPAND_SZ its text up to the NUL, a REG_DWORD its decimal
// number, any other its bytes in lower-case hex.
std::string value_text(const RegistryValue& value);

// Finds a key below another by a path of "\"-separated names; nullptr when a part is missing.
RegistryKey* find_subkey(RegistryKey& from, std::string_view path);
// Finds or creates every part of a path; reports whether the last part was new.
RegistryKey* create_subkey(RegistryKey& from, std::string_view path, bool* is_new);

// Reads and writes text values the way the program stores them: REG_SZ with a closing NUL.
void set_string_value(HKEY root, std::string_view path, std::string_view name, std::string_view text);
// The text of a REG_SZ or REG_EXPAND_SZ value up to its NUL; empty when missing or of another type.
std::string string_value(HKEY root, std::string_view path, std::string_view name);

// Every value of the registry in a stable order, as "ROOT\path" with its values, for read-back.
struct RegistryEntry {
    std::string key_path;
    std::string value_name;
    RegistryValue value;
};
std::vector<RegistryEntry> registry_entries();

// Puts the registry back to what a fresh user profile holds.
void reset_registry();

}
