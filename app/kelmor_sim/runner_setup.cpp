// The runner's set-up commands: files and pictures on drive C: and their attributes, folders the
// program may not write in, the wallpaper and the time of day.
#include "app/kelmor_sim/runner.h"

#include "app/kelmor_sim/picture_pattern.h"
#include "platform/sim/driver.h"
#include "platform/sim/gdi/gdi_accounting.h"
#include "platform/sim/gdi/image_decoder.h"
#include "platform/sim/kernel/clock.h"
#include "platform/sim/kernel/file_attributes.h"
#include "platform/sim/kernel/paths.h"
#include "platform/sim/shell/clipboard.h"
#include "platform/sim/shell/shell_windows.h"
#include "platform/sim/user/process_table.h"
#include "platform/win32.h"

#include <cstdio>
#include <fstream>

namespace kelmor_sim {

namespace fs = std::filesystem;

namespace {

// Puts a file on drive C: as the user would have left it there: its folders are made, and a file
// already there (also one linked from the build's program folder) is replaced with a plain one.
std::optional<std::string> put_file(const std::string& windows_path, const std::vector<uint8_t>& bytes)
{
    fs::path host = sim::host_path(windows_path);
    if (host.empty())
        return "\"" + windows_path + "\" is not on drive C:";
    std::error_code error;
    fs::create_directories(host.parent_path(), error);
    if (fs::is_directory(host, error))
        return "\"" + windows_path + "\" is a folder";
    fs::remove(host, error);
    sim::forget_file_attributes(host);
    std::ofstream file(host, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        return "cannot write \"" + windows_path + "\"";
    return std::nullopt;
}

// `picture PATH W H PATTERN`.
std::optional<std::string> put_picture(const std::vector<std::string>& arguments)
{
    auto width = parse_number(arguments[1]);
    auto height = parse_number(arguments[2]);
    if (!width || !height || *width < 1 || *height < 1 || *width > max_picture_side || *height > max_picture_side)
        return "expects a width and a height from 1 to " + std::to_string(max_picture_side);
    auto picture = picture_pattern(static_cast<int>(*width), static_cast<int>(*height), arguments[3]);
    if (!picture)
        return "expects the pattern stripes, checks, gradient or scenery, not \"" + arguments[3] + "\"";
    auto bytes = picture_file_bytes(arguments[0], *picture);
    if (!bytes)
        return "writes .png or .bmp files, not \"" + arguments[0] + "\"";
    return put_file(arguments[0], *bytes);
}

// "hidden", "readonly", "system" in any combination, or "normal" alone.
std::optional<DWORD> attributes_named(const std::vector<std::string>& words)
{
    if (words.size() == 1 && words[0] == "normal")
        return FILE_ATTRIBUTE_NORMAL;
    DWORD attributes = 0;
    for (auto& word : words) {
        if (word == "hidden")
            attributes |= FILE_ATTRIBUTE_HIDDEN;
        else if (word == "readonly")
            attributes |= FILE_ATTRIBUTE_READONLY;
        else if (word == "system")
            attributes |= FILE_ATTRIBUTE_SYSTEM;
        else
            return std::nullopt;
    }
    return attributes;
}

// "HH:MM:SS" on a 24-hour clock.
std::optional<std::string> set_clock(const std::string& text)
{
    int hour = -1;
    int minute = -1;
    int second = -1;
    char end = 0;
    bool is_read = std::sscanf(text.c_str(), "%2d:%2d:%2d%c", &hour, &minute, &second, &end) == 3;
    if (!is_read || text.size() != 8 || hour > 23 || minute > 59 || second > 59 || hour < 0 || minute < 0 || second < 0)
        return "expects the time as HH:MM:SS, not \"" + text + "\"";
    sim::set_time_of_day(hour, minute, second);
    return std::nullopt;
}

// Sets the wallpaper as the desktop's settings do: through SystemParametersInfoA in the shell's
// process, which stores it in the profile and tells every window.
std::optional<std::string> set_wallpaper(const std::string& windows_path)
{
    BOOL is_set = FALSE;
    {
        sim::ProcessScope scope(sim::driver::shell_process());
        std::string path = windows_path;
        is_set = SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, path.data(), SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
    }
    sim::driver::pump();
    if (!is_set)
        return "\"" + windows_path + "\" cannot be shown as the wallpaper";
    return std::nullopt;
}

}

std::optional<std::string> Runner::run_setup_command(const Command& command)
{
    const auto& arguments = command.arguments;
    if (command.name == "file") {
        if (arguments.size() == 2) {
            std::string text = unescape_line_ends(arguments[1]);
            return put_file(arguments[0], std::vector<uint8_t>(text.begin(), text.end()));
        }
        if (arguments[1] != "from")
            return "expects PATH \"TEXT\" or PATH from HOSTFILE";
        auto bytes = sim::read_host_file(m_scenario_folder / arguments[2]);
        if (!bytes)
            return "cannot read " + (m_scenario_folder / arguments[2]).string();
        return put_file(arguments[0], *bytes);
    }
    if (command.name == "attributes") {
        auto attributes = attributes_named(std::vector<std::string>(arguments.begin() + 1, arguments.end()));
        if (!attributes)
            return "expects hidden, readonly and system in any combination, or normal";
        fs::path host = sim::host_path(arguments[0]);
        std::error_code error;
        if (host.empty() || !fs::exists(host, error))
            return "there is no file \"" + arguments[0] + "\"";
        sim::set_file_attributes(host, *attributes);
        return std::nullopt;
    }
    if (command.name == "deny-write") {
        if (sim::host_path(arguments[0]).empty())
            return "\"" + arguments[0] + "\" is not on drive C:";
        sim::deny_writes(arguments[0]);
        return std::nullopt;
    }
    if (command.name == "clock")
        return set_clock(arguments[0]);
    if (command.name == "taskbar-edge") {
        sim::set_taskbar_edge(*taskbar_edge_named(arguments[0]));
        return std::nullopt;
    }
    if (command.name == "picture")
        return put_picture(arguments);
    if (command.name == "gdi-quota") {
        auto quota = parse_number(arguments[0]);
        if (!quota || *quota < 0 || *quota > sim::gdi_object_quota)
            return "expects a number of GDI objects from 0 to " + std::to_string(sim::gdi_object_quota);
        sim::set_gdi_object_quota(static_cast<int>(*quota));
        return std::nullopt;
    }
    if (command.name == "clipboard") {
        sim::set_clipboard_text(unescape_line_ends(arguments[0]));
        return std::nullopt;
    }
    return set_wallpaper(arguments[0]);
}

}
