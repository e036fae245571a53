#include "platform/sim/kernel/paths.h"

#include "platform/sim/desktop.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <system_error>
#include <vector>

namespace sim {

namespace fs = std::filesystem;

namespace {

struct DriveState {
    fs::path root;
    bool is_temporary = false;
    // The second fixed drive D:, an empty temporary folder made when first used.
    fs::path second_root;
    std::string current = "C:\\";

    ~DriveState() { forget(); }

    void forget()
    {
        if (is_temporary && !root.empty()) {
            std::error_code ignored;
            fs::remove_all(root, ignored);
        }
        root.clear();
        is_temporary = false;
        if (!second_root.empty()) {
            std::error_code ignored;
            fs::remove_all(second_root, ignored);
        }
        second_root.clear();
        current = "C:\\";
    }
};

DriveState& drive()
{
    static DriveState state;
    ensure_desktop();
    return state;
}

bool is_separator(char c)
{
    return c == '\\' || c == '/';
}

char upper(char c)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool equals_ignoring_case(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return upper(x) == upper(y); });
}

std::vector<std::string> split_components(std::string_view path)
{
    std::vector<std::string> components;
    std::string part;
    auto flush = [&] {
        if (part.empty() || part == ".") {
            part.clear();
            return;
        }
        if (part == "..") {
            if (!components.empty())
                components.pop_back();
            part.clear();
            return;
        }
        components.push_back(std::move(part));
        part.clear();
    };
    for (char c : path) {
        if (is_separator(c)) {
            flush();
            continue;
        }
        part += c;
    }
    flush();
    return components;
}

bool has_drive_letter(std::string_view path)
{
    return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

// Finds the entry of a host folder whose name matches a component regardless of case. Several
// matches differ only in case; the smallest name wins, so the choice does not depend on the
// order the host lists them in.
fs::path match_component(const fs::path& folder, const std::string& component)
{
    std::error_code error;
    if (fs::exists(folder / component, error))
        return folder / component;
    std::string best;
    for (auto& entry : fs::directory_iterator(folder, error)) {
        std::string name = entry.path().filename().string();
        if (equals_ignoring_case(name, component) && (best.empty() || name < best))
            best = name;
    }
    if (best.empty())
        return folder / component;
    return folder / best;
}

fs::path make_temporary_root()
{
    std::string pattern = (fs::temp_directory_path() / "kelmor-drive-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return {};
    fs::path root = pattern;
    std::error_code ignored;
    fs::create_directories(root / "Windows" / "system32", ignored);
    fs::create_directories(root / "Program Files" / "Kelmor", ignored);
    // The programs of the system that can be started by name.
    for (auto program : { "Windows/explorer.exe", "Windows/notepad.exe", "Windows/system32/notepad.exe" }) {
        std::ofstream file(root / program, std::ios::binary);
        file << "MZ";
    }
    return root;
}

fs::path second_drive_root()
{
    auto& state = drive();
    if (state.second_root.empty()) {
        std::string pattern = (fs::temp_directory_path() / "kelmor-drive-d-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            state.second_root = pattern;
    }
    return state.second_root;
}

// The host folder behind a drive letter; empty for a drive without a medium or none at all.
fs::path root_of_drive(char letter)
{
    if (letter == 'C')
        return drive_root();
    if (letter == 'D')
        return second_drive_root();
    return {};
}

void link_folder_contents(const fs::path& from, const fs::path& to)
{
    std::error_code error;
    fs::create_directories(to, error);
    for (auto& entry : fs::directory_iterator(from, error)) {
        fs::path target = to / entry.path().filename();
        std::error_code ignored;
        if (entry.is_directory(ignored)) {
            link_folder_contents(entry.path(), target);
            continue;
        }
        fs::remove(target, ignored);
        fs::create_symlink(fs::absolute(entry.path(), ignored), target, ignored);
    }
}

}

std::string full_windows_path(std::string_view windows_path)
{
    if (windows_path.size() >= 2 && is_separator(windows_path[0]) && is_separator(windows_path[1]))
        return {};

    std::string combined;
    std::string current = current_folder();
    if (has_drive_letter(windows_path)) {
        char letter = upper(windows_path[0]);
        std::string_view rest = windows_path.substr(2);
        bool is_rooted = !rest.empty() && is_separator(rest[0]);
        if (!is_rooted && letter == current[0])
            combined = current + "\\" + std::string(rest);
        else
            combined = std::string(1, letter) + ":\\" + std::string(rest);
    } else if (!windows_path.empty() && is_separator(windows_path[0])) {
        combined = current.substr(0, 2) + std::string(windows_path);
    } else {
        combined = current + "\\" + std::string(windows_path);
    }

    std::string result = combined.substr(0, 2) + "\\";
    bool first = true;
    for (auto& component : split_components(std::string_view(combined).substr(2))) {
        if (!first)
            result += '\\';
        result += component;
        first = false;
    }
    return result;
}

fs::path host_path(std::string_view windows_path)
{
    std::string full = full_windows_path(windows_path);
    if (full.empty())
        return {};
    fs::path host = root_of_drive(full[0]);
    if (host.empty())
        return {};
    for (auto& component : split_components(std::string_view(full).substr(2)))
        host = match_component(host, component);
    return host;
}

std::string stored_windows_path(std::string_view windows_path)
{
    fs::path host = host_path(windows_path);
    if (host.empty())
        return {};
    char letter = full_windows_path(windows_path)[0];
    std::string result = std::string(1, letter) + ":";
    for (auto& component : host.lexically_relative(root_of_drive(letter)))
        result += "\\" + component.string();
    if (result.size() == 2)
        result += "\\";
    return result;
}

fs::path drive_root()
{
    auto& state = drive();
    if (state.root.empty()) {
        state.root = make_temporary_root();
        state.is_temporary = !state.root.empty();
    }
    return state.root;
}

void set_drive_root(fs::path host_folder)
{
    auto& state = drive();
    std::string current = state.current;
    state.forget();
    state.root = std::move(host_folder);
    state.current = current;
}

std::string current_folder()
{
    return drive().current;
}

void set_current_folder(std::string_view windows_path)
{
    std::string full = full_windows_path(windows_path);
    if (!full.empty())
        drive().current = full;
}

void install_program_folder(const fs::path& host_folder)
{
    link_folder_contents(host_folder, host_path(kelmor_program_folder));
}

void make_private_copy(const fs::path& host_file)
{
    std::error_code error;
    if (!fs::is_symlink(host_file, error))
        return;
    fs::path target = fs::read_symlink(host_file, error);
    if (error)
        return;
    fs::path temporary = host_file;
    temporary += ".copy";
    if (!fs::copy_file(target, temporary, fs::copy_options::overwrite_existing, error))
        return;
    fs::rename(temporary, host_file, error);
}

void reset_paths()
{
    drive().forget();
}

}
