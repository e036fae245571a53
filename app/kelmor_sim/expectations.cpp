#include "app/kelmor_sim/expectations.h"

#include "app/kelmor_sim/pixel_expectation.h"
#include "app/kelmor_sim/freeze_text.h"
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

struct CursorShape {
    std::string_view name;
    LPCSTR id;
};

// The system cursors by the names scenarios give them.
const std::vector<CursorShape>& cursor_shapes()
{
    static const std::vector<CursorShape> shapes = { { "arrow", IDC_ARROW }, { "ibeam", IDC_IBEAM },
        { "wait", IDC_WAIT }, { "cross", IDC_CROSS }, { "size-we", IDC_SIZEWE }, { "size-ns", IDC_SIZENS },
        { "size-nwse", IDC_SIZENWSE }, { "size-nesw", IDC_SIZENESW }, { "size-all", IDC_SIZEALL },
        { "hand", IDC_HAND } };
    return shapes;
}

int cursor_id(LPCSTR resource)
{
    return static_cast<int>(reinterpret_cast<uintptr_t>(resource));
}

enum class Value { Count, Number, Alpha, Bits, Rectangle, Text, AtMost };

struct What {
    std::string_view name;
    std::vector<Value> values;
    // Takes any number of texts, none included.
    bool is_list = false;
};

const std::vector<What>& whats_of(std::string_view subject)
{
    static const std::vector<What> program = { { "running", {} }, { "ended", {} }, { "borders", { Value::Count } },
        { "instances", { Value::Count } }, { "gdi-objects", { Value::AtMost, Value::Count } },
        { "bitmap-bytes", { Value::AtMost, Value::Count } },
        { "screen-dcs", { Value::Count } }, { "gdiplus-startups", { Value::Count } },
        { "double-frees", { Value::Count } }, { "freezes", { Value::Count } },
        { "longest-wait", { Value::AtMost, Value::Count } } };
    static const std::vector<What> tray = { { "icons", { Value::Count } }, { "tip", { Value::Count, Value::Text } } };
    static const std::vector<What> manager = { { "rows", {}, true } };
    static const std::vector<What> window = { { "exists", {} }, { "gone", {} }, { "visible", {} }, { "hidden", {} },
        { "adopted", {} }, { "top-level", {} }, { "minimized", {} }, { "maximized", {} }, { "layered", {} },
        { "shaped", {} }, { "alpha", { Value::Alpha } }, { "style", { Value::Bits } }, { "exstyle", { Value::Bits } },
        { "rect", { Value::Rectangle } }, { "restored", { Value::Rectangle } }, { "text", { Value::Text } },
        { "topmost", {} }, { "front", {} },
        { "focused", {} }, { "foreground", {} } };
    static const std::vector<What> cursor = [] {
        std::vector<What> shapes;
        for (auto& shape : cursor_shapes())
            shapes.push_back({ shape.name, {} });
        return shapes;
    }();
    if (subject == "kelmor")
        return program;
    if (subject == "tray")
        return tray;
    if (subject == "window-manager")
        return manager;
    if (subject == "cursor")
        return cursor;
    return window;
}

const std::vector<What>& control_whats()
{
    static const std::vector<What> control = { { "visible", {} }, { "hidden", {} }, { "enabled", {} },
        { "disabled", {} }, { "text", { Value::Text } }, { "value", { Value::Number } },
        { "checked", { Value::Number } } };
    return control;
}

std::optional<std::string> check_value(Value kind, const std::string& text)
{
    auto number = parse_number(text);
    switch (kind) {
    case Value::Count:
        if (!number || *number < 0)
            return "expects a count, not \"" + text + "\"";
        return std::nullopt;
    case Value::Number:
        if (!number || *number < INT32_MIN || *number > INT32_MAX)
            return "expects a whole number, not \"" + text + "\"";
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
    case Value::AtMost:
        if (text != "at-most")
            return "expects at-most, not \"" + text + "\"";
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

// Subjects "kelmor:FORM" name the program's single-instance forms.
constexpr std::string_view program_prefix = "kelmor:";

// The window in front of `window` among its siblings that the user sees and that shares its band
// (the top-most windows, or the others); null when it is the front-most of its band.
HWND visible_window_in_front(HWND window)
{
    bool is_topmost = (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    bool is_top_level = GetAncestor(window, GA_PARENT) == GetDesktopWindow();
    for (HWND other = GetWindow(window, GW_HWNDPREV); other; other = GetWindow(other, GW_HWNDPREV)) {
        bool is_other_topmost = (GetWindowLongA(other, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        if (IsWindowVisible(other) && (!is_top_level || is_other_topmost == is_topmost))
            return other;
    }
    return nullptr;
}

std::string window_text_of(HWND window)
{
    if (!window)
        return "none";
    auto state = sim::driver::window_state(window);
    return state ? describe(*state) : "none";
}

// Checks that `window` is the one a state names: the focus or the foreground window.
std::optional<std::string> expect_window_is(HWND window, HWND holder, const std::string& subject,
    const std::string& what, const std::string& holder_name)
{
    return expect_that(holder == window, subject, what, holder_name + " on " + window_text_of(holder));
}

// The window a subject names: a scenario's name, the shell's predefined ones, the program's forms
// as kelmor:FORM, or NAME:border.
std::optional<std::string> find_subject_window(const std::string& subject, const ExpectationContext& context,
    HWND& window)
{
    if (HWND shell_window = predefined_window(subject)) {
        window = shell_window;
        return std::nullopt;
    }
    if (subject.starts_with(program_prefix)) {
        if (!context.form_window)
            return "Kelmor's forms cannot be reached here";
        return context.form_window(subject.substr(program_prefix.size()), window);
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
    if (what == "topmost")
        return expect_that(found.ex_style & WS_EX_TOPMOST, subject, what, "not topmost (exstyle " + hex(found.ex_style) + ")");
    if (what == "front") {
        if (!found.is_visible)
            return not_as_expected(subject, what, "hidden");
        HWND in_front = visible_window_in_front(window);
        return expect_that(!in_front, subject, what, "behind " + window_text_of(in_front));
    }
    if (what == "focused")
        return expect_window_is(window, sim::driver::focus_window(), subject, what, "the focus");
    if (what == "foreground")
        return expect_window_is(window, sim::driver::foreground_window(), subject, what, "the foreground");
    if (what == "rect" || what == "restored") {
        auto wanted = *parse_rectangle(values[0]);
        const RECT& actual = what == "rect" ? found.rect : found.restored;
        bool is_equal = actual.left == wanted.left && actual.top == wanted.top && actual.right == wanted.right
            && actual.bottom == wanted.bottom;
        return expect_that(is_equal, subject, std::string(what) + " " + values[0], rect_text(actual));
    }
    return expect_that(found.title == values[0], subject, "text " + quoted(values[0]), quoted(found.title));
}

// What the program's process holds; read also after it ended, as it held it at its end.
std::optional<std::string> check_program_resources(const std::string& what, const std::vector<std::string>& values)
{
    auto usage = sim::driver::resource_usage(sim::driver::program_process());
    std::string wanted = values.back();
    auto limit = *parse_number(wanted);
    if (what == "gdi-objects")
        return expect_that(usage.gdi_objects <= limit, "kelmor", "gdi-objects at-most " + wanted,
            std::to_string(usage.gdi_objects));
    if (what == "bitmap-bytes")
        return expect_that(usage.bitmap_bytes <= limit, "kelmor", "bitmap-bytes at-most " + wanted,
            std::to_string(usage.bitmap_bytes));
    int found = usage.double_frees;
    if (what == "screen-dcs")
        found = usage.screen_dcs;
    else if (what == "gdiplus-startups")
        found = usage.gdiplus_startups;
    return expect_that(found == limit, "kelmor", what + " " + wanted, std::to_string(found));
}

bool is_resource_count(const std::string& what)
{
    return what == "gdi-objects" || what == "bitmap-bytes" || what == "screen-dcs" || what == "gdiplus-startups" || what == "double-frees";
}

// Sends of Kelmor's process that would have frozen it; they stay counted after it has ended.
std::optional<std::string> check_freezes(const std::string& wanted)
{
    auto found = kelmor_freezes();
    std::string text = std::to_string(found.size());
    for (size_t i = 0; i < found.size(); ++i)
        text += (i == 0 ? ": " : "; ") + freeze_text(found[i]);
    return expect_that(found.size() == static_cast<size_t>(*parse_number(wanted)), "kelmor", "freezes " + wanted, text);
}

// The longest time Kelmor's thread waited inside one call, in virtual milliseconds: while it waits,
// no border fades, draws or follows the pointer.
std::optional<std::string> check_longest_wait(const std::string& wanted)
{
    uint64_t found = sim::driver::longest_wait(sim::driver::program_process());
    return expect_that(found <= static_cast<uint64_t>(*parse_number(wanted)), "kelmor", "longest-wait at-most " + wanted,
        std::to_string(found) + " ms");
}

std::optional<std::string> check_program(const std::string& what, const std::vector<std::string>& values,
    const ProgramFacts& facts)
{
    if (!facts.is_started)
        return not_as_expected("kelmor", what, "Kelmor not started");
    if (is_resource_count(what))
        return check_program_resources(what, values);
    if (what == "running" || what == "ended")
        return expect_that(facts.is_running == (what == "running"), "kelmor", what, facts.is_running ? "running" : "ended");
    auto wanted = static_cast<int>(*parse_number(values[0]));
    if (what == "instances")
        return expect_that(facts.running_instances == wanted, "kelmor", what + " " + values[0],
            std::to_string(facts.running_instances));
    if (what == "freezes")
        return check_freezes(values[0]);
    if (what == "longest-wait")
        return check_longest_wait(values.back());
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

// The subjects checked against one text: the last menu shown, the last message box shown.
bool is_modal_subject(std::string_view subject)
{
    return subject == "menu" || subject == "message-box";
}

std::optional<std::string> check_last_modal(const std::string& subject, const std::string& wanted)
{
    std::string kind = subject == "menu" ? "menu" : "message box";
    const auto& history = sim::driver::modal_history();
    auto last = std::find_if(history.rbegin(), history.rend(),
        [&](const sim::driver::ModalRecord& record) { return record.kind == kind; });
    if (last == history.rend())
        return not_as_expected(subject, quoted(wanted), "no " + kind + " shown");
    return expect_that(last->text == wanted, subject, quoted(wanted), quoted(last->text));
}


// Checks WHAT and its values, found at `first` in the arguments, against what a subject knows.
std::optional<std::string> validate_what(const std::string& subject, const std::vector<What>& whats,
    const std::vector<std::string>& arguments, size_t first)
{
    const std::string& name = arguments[first];
    auto known = std::find_if(whats.begin(), whats.end(), [&](const What& what) { return what.name == name; });
    if (known == whats.end()) {
        std::string names;
        for (auto& what : whats)
            names += (names.empty() ? "" : ", ") + std::string(what.name);
        return quoted(name) + " cannot be checked of " + subject + "; known: " + names;
    }
    if (known->is_list)
        return std::nullopt;
    size_t count = arguments.size() - first - 1;
    if (count != known->values.size())
        return name + " takes " + std::to_string(known->values.size()) + " values, not " + std::to_string(count);
    for (size_t i = 0; i < count; ++i) {
        if (auto error = check_value(known->values[i], arguments[first + 1 + i]))
            return name + " " + *error;
    }
    return std::nullopt;
}

}

// Reads FORM.CONTROL, NAME:border.CONTROL or either with CONTROL(N).
std::optional<ControlPath> parse_control_path(const std::string& text)
{
    size_t dot = text.rfind('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == text.size())
        return std::nullopt;
    ControlPath path { text.substr(0, dot), text.substr(dot + 1) };
    size_t open = path.control.find('(');
    if (open == std::string::npos)
        return path;
    if (open == 0 || path.control.back() != ')')
        return std::nullopt;
    auto index = parse_number(std::string_view(path.control).substr(open + 1, path.control.size() - open - 2));
    if (!index || *index < 0 || *index > INT32_MAX)
        return std::nullopt;
    path.index = static_cast<int>(*index);
    path.control.resize(open);
    return path;
}

namespace {

// The window of the form a control path names: a single-instance form, or NAME:border.
std::optional<std::string> find_control_form(const ControlPath& path, const ExpectationContext& context, HWND& window)
{
    if (path.form.ends_with(":border"))
        return find_subject_window(path.form, context, window);
    return find_subject_window(std::string(program_prefix) + path.form, context, window);
}

std::optional<std::string> expect_number(const std::optional<long>& found, const std::string& subject,
    const std::string& what, const std::string& wanted)
{
    if (!found)
        return not_as_expected(subject, what + " " + wanted, "a control without a " + what);
    return expect_that(*found == *parse_number(wanted), subject, what + " " + wanted, std::to_string(*found));
}

std::optional<std::string> check_control(const ControlPath& path, const std::string& what,
    const std::vector<std::string>& values, const ExpectationContext& context)
{
    std::string subject = path.form + "." + path.control + (path.index >= 0 ? "(" + std::to_string(path.index) + ")" : "");
    HWND form = nullptr;
    if (auto error = find_control_form(path, context, form))
        return subject + ": " + *error;
    ControlFacts facts;
    if (!context.control_facts)
        return subject + ": Kelmor's controls cannot be reached here";
    if (auto error = context.control_facts(form, path.control, path.index, facts))
        return subject + ": " + *error;
    if (what == "visible" || what == "hidden")
        return expect_that(facts.is_visible == (what == "visible"), subject, what, facts.is_visible ? "visible" : "hidden");
    if (what == "enabled" || what == "disabled")
        return expect_that(facts.is_enabled == (what == "enabled"), subject, what, facts.is_enabled ? "enabled" : "disabled");
    if (what == "text") {
        std::string expected = "text " + quoted(values[0]);
        if (!facts.text)
            return not_as_expected(subject, expected, "a control without a text");
        return expect_that(*facts.text == values[0], subject, expected, quoted(*facts.text));
    }
    return expect_number(what == "value" ? facts.value : facts.checked, subject, what, values[0]);
}

std::string cursor_name(int id)
{
    if (id == 0)
        return "a cursor of the program's own or none";
    for (auto& shape : cursor_shapes()) {
        if (cursor_id(shape.id) == id)
            return std::string(shape.name);
    }
    return "the system cursor " + std::to_string(id);
}

std::optional<std::string> check_cursor(const std::string& shape)
{
    auto wanted = std::find_if(cursor_shapes().begin(), cursor_shapes().end(),
        [&](const CursorShape& known) { return known.name == shape; });
    int found = sim::driver::cursor_shape();
    return expect_that(cursor_id(wanted->id) == found, "cursor", shape, cursor_name(found));
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
    if (!arguments.empty() && arguments[0] == "pixel")
        return validate_pixel_expectation({ arguments.begin() + 1, arguments.end() });
    if (arguments.size() < 2)
        return "expects a subject and what to check";
    if (is_modal_subject(arguments[0])) {
        if (arguments.size() != 2)
            return arguments[0] + " takes one text, not " + std::to_string(arguments.size() - 1) + " values";
        return std::nullopt;
    }
    if (arguments[0] != "control")
        return validate_what(arguments[0], whats_of(arguments[0]), arguments, 1);
    if (arguments.size() < 3)
        return "control expects FORM.CONTROL and what to check";
    if (!parse_control_path(arguments[1]))
        return "control expects FORM.CONTROL or NAME:border.CONTROL, with (N) for an element of a control array, not "
            + quoted(arguments[1]);
    return validate_what(arguments[1], control_whats(), arguments, 2);
}

std::optional<std::string> check_expectation(const std::vector<std::string>& arguments,
    const ExpectationContext& context)
{
    if (!arguments.empty() && is_shell_subject(arguments[0]))
        return check_shell_expectation(arguments, context.scenario_folder);
    if (!arguments.empty() && arguments[0] == "pixel")
        return check_pixel_expectation({ arguments.begin() + 1, arguments.end() });
    if (auto error = validate_expectation(arguments))
        return error;
    const std::string& subject = arguments[0];
    if (subject == "control")
        return check_control(*parse_control_path(arguments[1]), arguments[2],
            std::vector<std::string>(arguments.begin() + 3, arguments.end()), context);
    const std::string& what = arguments[1];
    std::vector<std::string> values(arguments.begin() + 2, arguments.end());
    if (subject == "kelmor")
        return check_program(what, values, context.program_facts());
    if (subject == "tray")
        return check_tray(what, values);
    if (is_modal_subject(subject))
        return check_last_modal(subject, what);
    if (subject == "window-manager")
        return check_window_manager(values, context.program_facts());
    if (subject == "cursor")
        return check_cursor(what);
    HWND window = nullptr;
    if (auto error = find_subject_window(subject, context, window))
        return subject + ": " + *error;
    return check_window(subject, window, what, values);
}

}
