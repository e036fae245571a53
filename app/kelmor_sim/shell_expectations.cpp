#include "app/kelmor_sim/shell_expectations.h"

#include "app/kelmor_sim/scenario.h"
#include "platform/sim/driver.h"
#include "platform/sim/gdi/image_decoder.h"
#include "platform/sim/kernel/paths.h"
#include "platform/sim/shell/capture.h"
#include "platform/sim/shell/clipboard.h"
#include "platform/sim/shell/internet.h"
#include "platform/sim/shell/program_start.h"
#include "platform/sim/shell/registry_store.h"
#include "platform/sim/shell/shell_windows.h"
#include "platform/sim/shell/wallpaper.h"
#include "platform/win32.h"

#include <algorithm>
#include <cctype>

namespace kelmor_sim {

namespace fs = std::filesystem;

namespace {

struct ExpectationForm {
    std::string_view subject;
    // Words after the subject; a fixed count, or any count when `is_list`.
    size_t words = 0;
    bool is_list = false;
    std::string_view usage;
};

const ExpectationForm forms[] = {
    { "http-requests", 0, true, "URL..." },
    { "shell-executed", 3, false, "VERB TARGET SHOW" },
    { "started", 1, false, "EXE" },
    { "registry", 3, false, "KEY NAME VALUE|absent" },
    { "wallpaper", 1, false, "PATH" },
    { "desktop-view", 1, false, "list|large|small|details" },
    { "clipboard", 2, false, "text \"...\"" },
    // Its words depend on the check: validate_camera.
    { "camera", 0, true, "windows N|connected|disconnected" },
    // Its words depend on the check: validate_file.
    { "file", 0, true, "PATH exists|absent|same-as HOSTFILE|line N \"...\"" },
};

const ExpectationForm* form_of(std::string_view subject)
{
    for (auto& form : forms) {
        if (form.subject == subject)
            return &form;
    }
    return nullptr;
}

// The show commands of ShellExecuteA by the names a scenario gives them, in the order of their values.
const std::string_view show_names[] = { "hide", "normal", "minimized", "maximized", "noactivate", "show", "minimize",
    "minnoactive", "na", "restore", "default" };

std::optional<int> show_command(const std::string& text)
{
    auto named = std::find(std::begin(show_names), std::end(show_names), text);
    if (named != std::end(show_names))
        return static_cast<int>(named - std::begin(show_names));
    auto number = parse_number(text);
    if (!number || *number < 0 || *number > 11)
        return std::nullopt;
    return static_cast<int>(*number);
}

std::string show_text(int command)
{
    if (command >= 0 && command < static_cast<int>(std::size(show_names)))
        return std::string(show_names[command]);
    return std::to_string(command);
}

const std::pair<std::string_view, sim::DesktopView> views[] = { { "list", sim::DesktopView::List },
    { "large", sim::DesktopView::Icons }, { "small", sim::DesktopView::SmallIcons },
    { "details", sim::DesktopView::Details } };

std::string upper(std::string text)
{
    for (auto& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool same_windows_path(const std::string& a, const std::string& b)
{
    return upper(sim::full_windows_path(a)) == upper(sim::full_windows_path(b));
}

std::string in_quotes(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string list_text(const std::vector<std::string>& items, const std::string& none)
{
    if (items.empty())
        return none;
    std::string text;
    for (auto& item : items)
        text += (text.empty() ? "" : " ") + item;
    return text;
}

std::optional<std::string> not_as_expected(const std::string& subject, const std::string& expected, const std::string& found)
{
    return subject + ": expected " + expected + ", found " + found;
}

std::optional<std::string> check_http_requests(const std::vector<std::string>& urls)
{
    const auto& requests = sim::http_requests();
    if (requests == urls)
        return std::nullopt;
    return not_as_expected("http-requests", list_text(urls, "no requests"), list_text(requests, "no requests"));
}

std::optional<std::string> check_shell_executed(const std::vector<std::string>& values)
{
    int show = *show_command(values[2]);
    std::vector<std::string> seen;
    for (auto& execution : sim::shell_executions()) {
        bool is_verb = upper(execution.operation) == upper(values[0]);
        if (is_verb && execution.file == values[1] && execution.show_command == show)
            return std::nullopt;
        seen.push_back(in_quotes(execution.operation) + " " + in_quotes(execution.file) + " "
            + show_text(execution.show_command));
    }
    std::string expected = in_quotes(values[0]) + " " + in_quotes(values[1]) + " " + show_text(show);
    return not_as_expected("shell-executed", expected, list_text(seen, "nothing executed"));
}

// A program started by Kelmor's process, named by its full path or, without a folder, its file name.
std::optional<std::string> check_started(const std::string& executable)
{
    bool is_file_name = executable.find('\\') == std::string::npos;
    std::vector<std::string> seen;
    for (auto& started : sim::started_programs()) {
        if (started.started_by != sim::driver::program_process())
            continue;
        std::string name = started.executable.substr(started.executable.find_last_of('\\') + 1);
        bool is_match = is_file_name ? upper(name) == upper(executable) : same_windows_path(started.executable, executable);
        if (is_match)
            return std::nullopt;
        seen.push_back(started.executable);
    }
    return not_as_expected("started", executable, list_text(seen, "no program started by Kelmor"));
}

std::optional<std::string> check_registry(const std::vector<std::string>& values)
{
    const auto* value = sim::find_value(values[0], values[1]);
    std::string found = value ? in_quotes(sim::value_text(*value)) : "absent";
    std::string expected = values[2] == "absent" ? "absent" : in_quotes(values[2]);
    if (found == expected)
        return std::nullopt;
    return not_as_expected("registry " + values[0] + " " + in_quotes(values[1]), expected, found);
}

std::optional<std::string> check_wallpaper(const std::string& path)
{
    std::string found = sim::wallpaper_path();
    bool holds = found.empty() || path.empty() ? found == path : same_windows_path(found, path);
    if (holds)
        return std::nullopt;
    return not_as_expected("wallpaper", in_quotes(path), found.empty() ? "no wallpaper" : in_quotes(found));
}

std::optional<std::string> check_desktop_view(const std::string& name)
{
    sim::DesktopView found = sim::desktop_view();
    for (auto& [view_name, view] : views) {
        if (view == found && view_name == name)
            return std::nullopt;
    }
    auto found_name = std::find_if(std::begin(views), std::end(views), [&](auto& entry) { return entry.second == found; });
    return not_as_expected("desktop-view", name, std::string(found_name->first));
}

std::optional<std::string> check_clipboard(const std::string& text)
{
    std::string expected = unescape_line_ends(text);
    std::string found = sim::clipboard_text();
    if (found == expected)
        return std::nullopt;
    return not_as_expected("clipboard", "text " + in_quotes(text), "text " + in_quotes(found));
}

// The capture windows: how many exist, and whether one of them has its driver connected.
std::optional<std::string> check_camera(const std::vector<std::string>& values)
{
    auto windows = sim::capture_windows();
    if (values[0] == "windows") {
        std::string found = std::to_string(windows.size());
        return found == values[1] ? std::nullopt : not_as_expected("camera", "windows " + values[1], found);
    }
    bool is_connected = std::any_of(windows.begin(), windows.end(), [](auto& window) { return window.is_connected; });
    if (is_connected == (values[0] == "connected"))
        return std::nullopt;
    return not_as_expected("camera", values[0], is_connected ? "connected" : "disconnected");
}

std::optional<std::string> validate_camera(const std::vector<std::string>& words)
{
    if (words.size() == 1 && (words[0] == "connected" || words[0] == "disconnected"))
        return std::nullopt;
    auto count = words.size() == 2 && words[0] == "windows" ? parse_number(words[1]) : std::nullopt;
    if (count && *count >= 0)
        return std::nullopt;
    return "camera expects windows N, connected or disconnected";
}

// The lines of a file, split at CR LF, a lone CR or a lone LF.
std::vector<std::string> lines_of(const std::vector<uint8_t>& bytes)
{
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < bytes.size(); ++i) {
        char c = static_cast<char>(bytes[i]);
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        lines.push_back(std::move(line));
        line.clear();
    }
    if (!line.empty())
        lines.push_back(std::move(line));
    return lines;
}

std::optional<std::string> check_file(const std::vector<std::string>& values, const fs::path& scenario_folder)
{
    std::string subject = "file " + in_quotes(values[0]);
    const std::string& what = values[1];
    auto bytes = sim::read_host_file(sim::host_path(values[0]));
    if (what == "absent")
        return bytes ? not_as_expected(subject, "absent", "it exists") : std::nullopt;
    if (!bytes)
        return not_as_expected(subject, what, "no such file");
    if (what == "exists")
        return std::nullopt;
    if (what == "same-as") {
        auto wanted = sim::read_host_file(scenario_folder / values[2]);
        if (!wanted)
            return subject + ": cannot read " + (scenario_folder / values[2]).string();
        if (*wanted == *bytes)
            return std::nullopt;
        auto difference = std::mismatch(bytes->begin(), bytes->end(), wanted->begin(), wanted->end());
        return not_as_expected(subject, "the bytes of " + values[2] + " (" + std::to_string(wanted->size()) + ")",
            std::to_string(bytes->size()) + " bytes that differ from byte "
                + std::to_string(difference.first - bytes->begin()));
    }
    auto number = static_cast<size_t>(*parse_number(values[2]));
    auto lines = lines_of(*bytes);
    std::string expected = "line " + values[2] + " " + in_quotes(values[3]);
    if (number > lines.size())
        return not_as_expected(subject, expected, std::to_string(lines.size()) + " lines");
    return lines[number - 1] == values[3] ? std::nullopt : not_as_expected(subject, expected, in_quotes(lines[number - 1]));
}

// The words of a `file` expectation: PATH and one of its four checks with their own values.
std::optional<std::string> validate_file(const std::vector<std::string>& words)
{
    if (words.size() >= 2) {
        const std::string& what = words[1];
        if ((what == "exists" || what == "absent") && words.size() == 2)
            return std::nullopt;
        if (what == "same-as" && words.size() == 3)
            return std::nullopt;
        auto number = words.size() == 4 ? parse_number(words[2]) : std::nullopt;
        if (what == "line" && number && *number >= 1)
            return std::nullopt;
    }
    return "file expects PATH exists|absent|same-as HOSTFILE|line N \"...\" (N counted from 1)";
}

}

bool is_shell_subject(std::string_view subject)
{
    return form_of(subject) != nullptr;
}

std::optional<std::string> validate_shell_expectation(const std::vector<std::string>& arguments)
{
    const ExpectationForm& form = *form_of(arguments[0]);
    std::vector<std::string> words(arguments.begin() + 1, arguments.end());
    if (form.subject == "file")
        return validate_file(words);
    if (form.subject == "camera")
        return validate_camera(words);
    std::string usage = std::string(form.subject) + " expects " + std::string(form.usage);
    if (!form.is_list && words.size() != form.words)
        return usage;
    if (form.subject == "shell-executed" && !show_command(words[2]))
        return usage + "; SHOW is a number from 0 to 11 or one of hide, normal, minimized, maximized, noactivate, "
                       "show, minimize, minnoactive, na, restore, default";
    auto is_view = [&] {
        return std::any_of(std::begin(views), std::end(views), [&](auto& view) { return view.first == words[0]; });
    };
    if (form.subject == "desktop-view" && !is_view())
        return usage;
    if (form.subject == "clipboard" && words[0] != "text")
        return usage;
    return std::nullopt;
}

std::optional<std::string> check_shell_expectation(const std::vector<std::string>& arguments,
    const std::string& scenario_folder)
{
    if (auto error = validate_shell_expectation(arguments))
        return error;
    const std::string& subject = arguments[0];
    std::vector<std::string> values(arguments.begin() + 1, arguments.end());
    if (subject == "http-requests")
        return check_http_requests(values);
    if (subject == "shell-executed")
        return check_shell_executed(values);
    if (subject == "started")
        return check_started(values[0]);
    if (subject == "registry")
        return check_registry(values);
    if (subject == "wallpaper")
        return check_wallpaper(values[0]);
    if (subject == "desktop-view")
        return check_desktop_view(values[0]);
    if (subject == "clipboard")
        return check_clipboard(values[1]);
    if (subject == "camera")
        return check_camera(values);
    return check_file(values, scenario_folder);
}

}
