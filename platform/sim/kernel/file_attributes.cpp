#include "platform/sim/kernel/file_attributes.h"

#include "platform/sim/kernel/desktop_link.h"
#include "platform/sim/kernel/paths.h"

#include <cctype>
#include <map>
#include <vector>

namespace sim {

namespace fs = std::filesystem;

namespace {

struct AttributeStore {
    // Files and folders whose attributes differ from what a new one has.
    std::map<std::string, DWORD> attributes;
    std::vector<fs::path> unwritable_folders;
};

AttributeStore& store()
{
    static AttributeStore state;
    return state;
}

// One spelling per host file: "a/b/", "a/b/." and "a/c/../b" are all "a/b".
fs::path normal_form(const fs::path& host)
{
    fs::path normal = host.lexically_normal();
    if (!normal.has_filename() && normal.has_parent_path() && normal != normal.root_path())
        return normal.parent_path();
    return normal;
}

std::string key_of(const fs::path& host)
{
    return normal_form(host).string();
}

DWORD default_attributes(bool is_folder)
{
    return is_folder ? 0 : FILE_ATTRIBUTE_ARCHIVE;
}

std::string upper(std::string text)
{
    for (auto& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool lies_below(const fs::path& host, const fs::path& folder)
{
    auto relative = normal_form(host).lexically_relative(folder);
    return !relative.empty() && *relative.begin() != "..";
}

}

DWORD file_attributes(const fs::path& host, bool is_folder)
{
    auto found = store().attributes.find(key_of(host));
    DWORD kept = found == store().attributes.end() ? default_attributes(is_folder) : found->second;
    if (is_folder)
        return FILE_ATTRIBUTE_DIRECTORY | kept;
    return kept ? kept : FILE_ATTRIBUTE_NORMAL;
}

void set_file_attributes(const fs::path& host, DWORD attributes)
{
    store().attributes[key_of(host)] = attributes & kept_attributes;
}

void forget_file_attributes(const fs::path& host)
{
    store().attributes.erase(key_of(host));
}

void move_file_attributes(const fs::path& from, const fs::path& to)
{
    auto& attributes = store().attributes;
    auto found = attributes.find(key_of(from));
    attributes.erase(key_of(to));
    if (found == attributes.end())
        return;
    DWORD moved = found->second;
    attributes.erase(found);
    attributes[key_of(to)] = moved;
}

void deny_writes(std::string_view windows_folder)
{
    fs::path host = host_path(windows_folder);
    if (!host.empty())
        store().unwritable_folders.push_back(normal_form(host));
}

bool is_write_denied(const fs::path& host)
{
    // Every instance of the program runs as the same user; other programs may run as others.
    if (upper(kernel::current_executable()) != upper(kernel::program_executable()))
        return false;
    for (auto& folder : store().unwritable_folders) {
        if (lies_below(host, folder))
            return true;
    }
    return false;
}

void reset_file_attributes()
{
    store() = AttributeStore {};
}

}
