#include "app/kelmor_sim/expectations.h"

#include "app/kelmor_sim/scenario.h"
#include "app/kelmor_sim/shell_expectations.h"
#include "platform/sim/driver.h"
#include "platform/sim/shell/notification_area.h"
#include "platform/sim/shell/shell_windows.h"
#include "platform/win32.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace kelmor_sim {

namespace {

using sim::driver::WindowState;

enum class Value { Count, Alpha, Bits, Rectangle, Text };

struct What {
    std::string_view name;
    std::vector<Value> values;
    // Takes any number of texts, none included.
    bool is_list = false;
};

const std::vector<What>& whats_of(std::string_view subject)
{
    static const std::vector<What> program = { { "running", {} }, { "ended", {} }, { "borders", { Value::Count } },
        { "instances", { Value::Count } } };
    static const std::vector<What> tray = { { "icons", { Value::Count } }, { "tip", { Value::Count, Value::Text } } };
    static const std::vector<What> manager = { { "rows", {}, true } };
    static const std::vector<What> window = { { "exists", {} }, { "gone", {} }, { "visible", {} }, { "hidden", {} },
        { "adopted", {} }, { "top-level", {} }, { "minimized", {} }, { "maximized", {} }, { "layered", {} },
        { "shaped", {} }, { "alpha", { Value::Alpha } }, { "style", { Value::Bits } }, { "exstyle", { Value::Bits } },
        { "rect", { Value::Rectangle } }, { "text", { Value::Text } } };
    if (subject == "kelmor")
        return program;
    if (subject == "tray")
        return tray;
    if (subject == "window-manager")
        return manager;
    return window;
}

std::optional<std::string> check_value(Value kind, const std::string& text)
{
    auto number = parse_number(text);
    switch (kind) {
    case Value::Count:
        if (!number || *number < 0)
            return "expects a count, not \"" + text + "\"";
        return std::nullopt;
    case Value::Alpha:
        if (!number || *number < 0 || *number > 255)
            return "expects an alpha from 0 to 255, not \"" + text + "\"";
        return std::nullopt;
    case Value::Bits:
        if (!number || *number < 0 || *number > 0xFFFFFFFFLL)
            return "expects a 32-bit value such as 0x10CF0000, not \"" + text + "\"";
        return std::nullopt;
    case Value::Rectangle:
        if (!parse_rectangle(text))
            return "expects the rectangle as left,top,right,bottom, not \"" + text + "\"";
        return std::nullopt;
    case Value::Text:
        return std::nullopt;
    }
    return std::nullopt;
}

std::string hex(DWORD value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

std::string rect_text(const RECT& rect)
{
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + ","
        + std::to_string(rect.bottom);
}

std::string quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string titles_text(const std::vector<std::string>& titles)
{
    if (titles.empty())
        return "no rows";
    std::string text;
    for (auto& title : titles)
        text += (text.empty() ? "" : " ") + quoted(title);
    return text;
}

std::string describe(const WindowState& state)
{
    return state.class_name + " " + quoted(state.title);
}

std::string not_as_expected(const std::string& subject, const std::string& expected, const std::string& found)
{
    return subject + ": expected " + expected + ", found " + found;
}

// Passes when `holds`; otherwise names what was found instead.
std::optional<std::string> expect_that(bool holds, const std::string& subject, const std::string& expected,
    const std::string& found)
{
    if (holds)
        return std::nullopt;
    return not_as_expected(subject, expected, found);
}

// The top-level window a window lies in, as GetAncestor with GA_ROOT finds it.
WindowState root_of(WindowState state)
{
    while (state.parent) {
        auto parent = sim::driver::window_state(state.parent);
        if (!parent)
            break;
        state = std::move(*parent);
    }
    return state;
}

bool belongs_to_kelmor(const WindowState& state)
{
    return state.process_id == sim::driver::program_process();
}

bool is_adopted(const WindowState& state)
{
    return state.parent && belongs_to_kelmor(root_of(state));
}

std::string adoption_text(const WindowState& state)
{
    if (!state.parent)
        return "top-level";
    WindowState root = root_of(state);
    return "inside " + describe(root) + " of " + root.executable;
}

// The window a subject names: a scenario's name, the shell's predefined ones, or NAME:border.
std::optional<std::string> find_subject_window(const std::string& subject, const ExpectationContext& context,
    HWND& window)
{
    if (HWND shell_window = predefined_window(subject)) {
        window = shell_window;
        return std::nullopt;
    }
    static constexpr std::string_view border_suffix = ":border";
    bool wants_border = subject.size() > border_suffix.size() && subject.ends_with(border_suffix);
    std::string name = wants_border ? subject.substr(0, subject.size() - border_suffix.size()) : subject;
    auto named = context.windows.find(name);
    if (named == context.windows.end())
        return "no window was opened as " + quoted(name);
    window = named->second;
    if (!wants_border)
        return std::nullopt;
    auto state = sim::driver::window_state(window);
    if (!state)
        return name + " is gone, so it has no border";
    if (!is_adopted(*state))
        return name + " is not adopted: it is " + adoption_text(*state);
    window = root_of(*state).handle;
    return std::nullopt;
}

std::optional<std::string> check_window(const std::string& subject, HWND window, const std::string& what,
    const std::vector<std::string>& values)
{
    auto state = sim::driver::window_state(window);
    if (what == "gone")
        return expect_that(!state, subject, "gone", "it exists");
    if (!state)
        return not_as_expected(subject, what, "the window gone");
    const WindowState& found = *state;
    std::string style_note = " (style " + hex(found.style) + ")";
    if (what == "exists")
        return std::nullopt;
    if (what == "visible" || what == "hidden")
        return expect_that(found.is_visible == (what == "visible"), subject, what, found.is_visible ? "visible" : "hidden");
    if (what == "adopted")
        return expect_that(is_adopted(found), subject, "adopted", adoption_text(found));
    if (what == "top-level")
        return expect_that(!found.parent, subject, "top-level", adoption_text(found));
    if (what == "minimized")
        return expect_that(found.style & WS_MINIMIZE, subject, what, "not minimized" + style_note);
    if (what == "maximized")
        return expect_that(found.style & WS_MAXIMIZE, subject, what, "not maximized" + style_note);
    if (what == "layered")
        return expect_that(found.is_layered, subject, what, "not layered (exstyle " + hex(found.ex_style) + ")");
    if (what == "shaped")
        return expect_that(found.region_bounds.has_value(), subject, what, "no window region");
    if (what == "alpha") {
        auto wanted = static_cast<BYTE>(*parse_number(values[0]));
        std::string actual = found.layered_alpha ? std::to_string(*found.layered_alpha) : "no constant alpha";
        return expect_that(found.layered_alpha == wanted, subject, "alpha " + values[0], actual);
    }
    if (what == "style" || what == "exstyle") {
        auto wanted = static_cast<DWORD>(*parse_number(values[0]));
        DWORD actual = what == "style" ? found.style : found.ex_style;
        return expect_that(actual == wanted, subject, what + " " + hex(wanted), hex(actual));
    }
    if (what == "rect") {
        auto wanted = *parse_rectangle(values[0]);
        const RECT& actual = found.rect;
        bool is_equal = actual.left == wanted.left && actual.top == wanted.top && actual.right == wanted.right
            && actual.bottom == wanted.bottom;
        return expect_that(is_equal, subject, "rect " + values[0], rect_text(actual));
    }
    return expect_that(found.title == values[0], subject, "text " + quoted(values[0]), quoted(found.title));
}

std::optional<std::string> check_program(const std::string& what, const std::vector<std::string>& values,
    const ProgramFacts& facts)
{
    if (!facts.is_started)
        return not_as_expected("kelmor", what, "Kelmor not started");
    if (what == "running" || what == "ended")
        return expect_that(facts.is_running == (what == "running"), "kelmor", what, facts.is_running ? "running" : "ended");
    auto wanted = static_cast<int>(*parse_number(values[0]));
    if (what == "instances")
        return expect_that(facts.running_instances == wanted, "kelmor", what + " " + values[0],
            std::to_string(facts.running_instances));
    if (!facts.is_running)
        return not_as_expected("kelmor", what + " " + values[0], "Kelmor ended");
    return expect_that(facts.border_count == wanted, "kelmor", what + " " + values[0], std::to_string(facts.border_count));
}

std::optional<std::string> check_tray(const std::string& what, const std::vector<std::string>& values)
{
    const auto& icons = sim::tray_icons();
    auto count = static_cast<size_t>(*parse_number(values[0]));
    if (what == "icons")
        return expect_that(icons.size() == count, "tray", "icons " + values[0], std::to_string(icons.size()));
    std::string expected = "tip " + values[0] + " " + quoted(values[1]);
    if (count >= icons.size())
        return not_as_expected("tray", expected, std::to_string(icons.size()) + " icons");
    return expect_that(icons[count].tip == values[1], "tray", expected, quoted(icons[count].tip));
}

std::optional<std::string> check_window_manager(const std::vector<std::string>& titles, const ProgramFacts& facts)
{
    if (!facts.is_running)
        return not_as_expected("window-manager", "rows " + titles_text(titles), "Kelmor not running");
    return expect_that(facts.window_manager_rows == titles, "window-manager", "rows " + titles_text(titles),
        titles_text(facts.window_manager_rows));
}

}

HWND predefined_window(std::string_view name)
{
    if (name == "taskbar")
        return sim::taskbar_window();
    if (name == "desktop-icons")
        return sim::program_manager_window();
    return nullptr;
}

std::optional<std::string> validate_expectation(const std::vector<std::string>& arguments)
{
    if (!arguments.empty() && is_shell_subject(arguments[0]))
        return validate_shell_expectation(arguments);
    if (arguments.size() < 2)
        return "expects a subject and what to check";
    const auto& whats = whats_of(arguments[0]);
    auto known = std::find_if(whats.begin(), whats.end(), [&](const What& what) { return what.name == arguments[1]; });
    if (known == whats.end()) {
        std::string names;
        for (auto& what : whats)
            names += (names.empty() ? "" : ", ") + std::string(what.name);
        return quoted(arguments[1]) + " cannot be checked of " + arguments[0] + "; known: " + names;
    }
    if (known->is_list)
        return std::nullopt;
    size_t count = arguments.size() - 2;
    if (count != known->values.size())
        return arguments[1] + " takes " + std::to_string(known->values.size()) + " values, not " + std::to_string(count);
    for (size_t i = 0; i < count; ++i) {
        if (auto error = check_value(known->values[i], arguments[i + 2]))
            return arguments[1] + " " + *error;
    }
    return std::nullopt;
}

std::optional<std::string> check_expectation(const std::vector<std::string>& arguments,
    const ExpectationContext& context)
{
    if (!arguments.empty() && is_shell_subject(arguments[0]))
        return check_shell_expectation(arguments, context.scenario_folder);
    if (auto error = validate_expectation(arguments))
        return error;
    const std::string& subject = arguments[0];
    const std::string& what = arguments[1];
    std::vector<std::string> values(arguments.begin() + 2, arguments.end());
    if (subject == "kelmor")
        return check_program(what, values, context.program_facts());
    if (subject == "tray")
        return check_tray(what, values);
    if (subject == "window-manager")
        return check_window_manager(values, context.program_facts());
    HWND window = nullptr;
    if (auto error = find_subject_window(subject, context, window))
        return subject + ": " + *error;
    return check_window(subject, window, what, values);
}

}
