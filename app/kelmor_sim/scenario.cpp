#include "app/kelmor_sim/scenario.h"

#include "app/kelmor_sim/expectations.h"
#include "platform/sim/user/window_styles.h"
#include "platform/win32.h"

#include <charconv>
#include <cstdint>
#include <map>

namespace kelmor_sim {

namespace {

struct Arity {
    size_t minimum = 0;
    size_t maximum = 0;
};

const std::map<std::string, Arity, std::less<>>& commands()
{
    static const std::map<std::string, Arity, std::less<>> table = {
        { "screen", { 2, 2 } },
        { "start", { 1, 1 } },
        { "open", { 5, 13 } },
        { "child", { 5, 6 } },
        { "title", { 2, 2 } },
        { "hide", { 1, 1 } },
        { "show", { 1, 1 } },
        { "minimize", { 1, 1 } },
        { "maximize", { 1, 1 } },
        { "restore", { 1, 1 } },
        { "close", { 1, 1 } },
        { "move", { 2, 2 } },
        { "end-process", { 1, 1 } },
        { "hang", { 2, 3 } },
        { "activate", { 1, 2 } },
        { "hold-input", { 0, 0 } },
        { "release-input", { 0, 0 } },
        { "mouse-move", { 2, 2 } },
        { "mouse-down", { 0, 1 } },
        { "mouse-up", { 0, 1 } },
        { "click", { 2, 3 } },
        { "double-click", { 2, 3 } },
        { "drag", { 4, 6 } },
        { "wheel", { 3, 3 } },
        { "key", { 1, 4 } },
        { "key-down", { 1, 1 } },
        { "key-up", { 1, 1 } },
        { "menu", { 1, 2 } },
        { "menu-position", { 1, 2 } },
        { "message-box", { 1, 2 } },
        { "color-dialog", { 1, 2 } },
        { "save-dialog", { 1, 2 } },
        { "http", { 2, 4 } },
        { "camera", { 1, 3 } },
        { "taskbar-edge", { 1, 1 } },
        { "tray-click", { 1, 2 } },
        { "restart-shell", { 0, 0 } },
        { "wait", { 1, 1 } },
        { "screenshot", { 1, 1 } },
        { "dump", { 1, 1 } },
        { "picture", { 4, 4 } },
        { "quit", { 0, 0 } },
        { "close-kelmor", { 0, 0 } },
        { "press", { 1, 1 } },
        { "end-task", { 0, 0 } },
        { "logoff", { 0, 0 } },
        { "expect", { 1, 64 } },
        { "file", { 2, 3 } },
        { "attributes", { 2, 4 } },
        { "deny-write", { 1, 1 } },
        { "clock", { 1, 1 } },
        { "gdi-quota", { 1, 1 } },
        { "clipboard", { 1, 1 } },
        { "wallpaper", { 1, 1 } },
        { "fault", { 1, 2 } },
    };
    return table;
}

bool is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

// Splits a line into words; returns an error message for a quote left open.
std::optional<std::string> split_words(std::string_view line, std::vector<std::string>& words)
{
    size_t i = 0;
    while (i < line.size()) {
        if (is_blank(line[i])) {
            ++i;
            continue;
        }
        std::string word;
        if (line[i] != '"') {
            while (i < line.size() && !is_blank(line[i]))
                word += line[i++];
            words.push_back(std::move(word));
            continue;
        }
        ++i;
        bool is_closed = false;
        while (i < line.size()) {
            if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == '"') {
                word += '"';
                i += 2;
                continue;
            }
            if (line[i] == '"') {
                is_closed = true;
                ++i;
                break;
            }
            word += line[i++];
        }
        if (!is_closed)
            return "a quoted word is not closed";
        words.push_back(std::move(word));
    }
    return std::nullopt;
}

// The rectangle a window command gives: well formed, and within what a window can take.
std::optional<std::string> check_window_rectangle(const std::string& text)
{
    auto rectangle = parse_rectangle(text);
    if (!rectangle)
        return "expects the rectangle as left,top,right,bottom, not \"" + text + "\"";
    auto is_corner = [](int value) { return value >= sim::min_window_coordinate && value <= sim::max_window_coordinate; };
    auto is_side = [](long long length) { return length <= sim::max_window_coordinate; };
    if (!is_corner(rectangle->left) || !is_corner(rectangle->top)
        || !is_side(static_cast<long long>(rectangle->right) - rectangle->left)
        || !is_side(static_cast<long long>(rectangle->bottom) - rectangle->top))
        return "the rectangle " + text + " is beyond what a window can take (its corner from -32768 to 32767, "
            "its sides up to 32767 pixels)";
    return std::nullopt;
}

// Checks the arguments whose form a command fixes, before anything runs.
std::optional<std::string> check_arguments(const std::string& command, const std::vector<std::string>& arguments)
{
    if (command == "open" || command == "child")
        return check_window_rectangle(arguments[4]);
    if (command == "move")
        return check_window_rectangle(arguments[1]);
    if (command == "taskbar-edge" && !taskbar_edge_named(arguments[0]))
        return "expects left, top, right or bottom, not \"" + arguments[0] + "\"";
    if (command == "expect")
        return validate_expectation(arguments);
    if (command == "press" && !parse_control_path(arguments[0]))
        return "expects FORM.CONTROL, with (N) for an element of a control array, not \"" + arguments[0] + "\"";
    return std::nullopt;
}

std::string arity_text(const Arity& arity)
{
    if (arity.minimum == arity.maximum)
        return std::to_string(arity.minimum);
    return std::to_string(arity.minimum) + " to " + std::to_string(arity.maximum);
}

}

Scenario parse_scenario(std::string_view text)
{
    Scenario scenario;
    int line_number = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++line_number;

        size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string_view::npos || line[first] == '#')
            continue;
        std::vector<std::string> words;
        if (auto error = split_words(line, words)) {
            scenario.errors.push_back({ line_number, *error });
            continue;
        }
        auto known = commands().find(words[0]);
        if (known == commands().end()) {
            scenario.errors.push_back({ line_number, "unknown command \"" + words[0] + "\"" });
            continue;
        }
        size_t count = words.size() - 1;
        if (count < known->second.minimum || count > known->second.maximum) {
            scenario.errors.push_back({ line_number,
                words[0] + " takes " + arity_text(known->second) + " arguments, not " + std::to_string(count) });
            continue;
        }
        std::vector<std::string> arguments(words.begin() + 1, words.end());
        if (auto error = check_arguments(words[0], arguments)) {
            scenario.errors.push_back({ line_number, words[0] + ": " + *error });
            continue;
        }
        Command command;
        command.line = line_number;
        command.name = words[0];
        command.arguments = std::move(arguments);
        scenario.commands.push_back(std::move(command));
    }
    return scenario;
}

std::optional<UINT> taskbar_edge_named(std::string_view name)
{
    static const std::pair<std::string_view, UINT> edges[] = { { "left", ABE_LEFT }, { "top", ABE_TOP },
        { "right", ABE_RIGHT }, { "bottom", ABE_BOTTOM } };
    for (auto& [edge_name, edge] : edges) {
        if (edge_name == name)
            return edge;
    }
    return std::nullopt;
}

std::optional<long long> parse_number(std::string_view text)
{
    int base = 10;
    bool is_negative = !text.empty() && text[0] == '-';
    if (is_negative)
        text.remove_prefix(1);
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return std::nullopt;
    long long value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return is_negative ? -value : value;
}

std::string unescape_line_ends(std::string_view text)
{
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] != '\\' || (next != 'r' && next != 'n' && next != '\\')) {
            result += text[i];
            continue;
        }
        result += next == 'r' ? '\r' : next == 'n' ? '\n' : '\\';
        ++i;
    }
    return result;
}

std::optional<uint32_t> parse_color(std::string_view text)
{
    if (text.size() != 7 || text[0] != '#')
        return std::nullopt;
    uint32_t value = 0;
    auto [end, error] = std::from_chars(text.data() + 1, text.data() + text.size(), value, 16);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<Rectangle> parse_rectangle(std::string_view text)
{
    long long values[4] {};
    for (int i = 0; i < 4; ++i) {
        size_t comma = text.find(',');
        bool is_last = i == 3;
        if (is_last != (comma == std::string_view::npos))
            return std::nullopt;
        auto value = parse_number(text.substr(0, comma));
        if (!value || *value < INT32_MIN || *value > INT32_MAX)
            return std::nullopt;
        values[i] = *value;
        text = is_last ? std::string_view() : text.substr(comma + 1);
    }
    Rectangle rectangle { static_cast<int>(values[0]), static_cast<int>(values[1]), static_cast<int>(values[2]),
        static_cast<int>(values[3]) };
    if (rectangle.right < rectangle.left || rectangle.bottom < rectangle.top)
        return std::nullopt;
    return rectangle;
}

}
