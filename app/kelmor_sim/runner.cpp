#include "app/kelmor_sim/runner.h"

#include "app/kelmor_sim/key_names.h"
#include "app/kelmor_sim/state_dump.h"
#include "platform/sim/driver.h"
#include "platform/sim/gdi/png_encoder.h"
#include "platform/sim/shell/capture.h"
#include "platform/sim/shell/internet.h"
#include "platform/sim/shell/notification_area.h"
#include "platform/win32.h"
#include "runtime/program.h"

#include <cctype>
#include <fstream>

namespace kelmor_sim {

namespace fs = std::filesystem;
using sim::driver::Button;

namespace {

std::string upper(std::string text)
{
    for (auto& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::optional<Button> button_named(const std::string& name)
{
    std::string key = upper(name);
    if (key == "LEFT")
        return Button::Left;
    if (key == "RIGHT")
        return Button::Right;
    if (key == "MIDDLE")
        return Button::Middle;
    return std::nullopt;
}

// An optional trailing button argument; left when it is missing.
std::optional<Button> button_argument(const Command& command, size_t index)
{
    if (command.arguments.size() <= index)
        return Button::Left;
    return button_named(command.arguments[index]);
}

std::optional<int> integer_argument(const std::string& text)
{
    auto number = parse_number(text);
    if (!number)
        return std::nullopt;
    return static_cast<int>(*number);
}

std::optional<int> message_box_answer(const std::string& text)
{
    static const std::pair<const char*, int> answers[] = { { "OK", IDOK }, { "CANCEL", IDCANCEL }, { "ABORT", IDABORT },
        { "RETRY", IDRETRY }, { "IGNORE", IDIGNORE }, { "YES", IDYES }, { "NO", IDNO } };
    for (auto& [name, id] : answers) {
        if (upper(text) == name)
            return id;
    }
    return integer_argument(text);
}

// "#RRGGBB" or a decimal COLORREF.
std::optional<COLORREF> color_argument(const std::string& text)
{
    if (auto rgb = parse_color(text))
        return RGB((*rgb >> 16) & 0xFF, (*rgb >> 8) & 0xFF, *rgb & 0xFF);
    auto value = parse_number(text);
    if (!value || *value < 0 || *value > 0xFFFFFF)
        return std::nullopt;
    return static_cast<COLORREF>(*value);
}

RECT to_rect(const Rectangle& rectangle)
{
    return { rectangle.left, rectangle.top, rectangle.right, rectangle.bottom };
}

// Splits "name=value" options; false for a word that is not one.
bool split_option(const std::string& word, std::string& name, std::string& value)
{
    size_t equals = word.find('=');
    if (equals == std::string::npos)
        return false;
    name = word.substr(0, equals);
    value = word.substr(equals + 1);
    return true;
}

// The optional after=MS at the index: milliseconds of virtual time, 0 when the word is not there.
std::optional<uint32_t> after_milliseconds(const std::vector<std::string>& arguments, size_t index)
{
    if (arguments.size() <= index)
        return 0;
    std::string name;
    std::string value;
    auto after = split_option(arguments[index], name, value) && name == "after" ? parse_number(value) : std::nullopt;
    if (!after || *after < 0 || *after > 0x7FFFFFFF)
        return std::nullopt;
    return static_cast<uint32_t>(*after);
}

// `camera format rgb24|rgb32|yuy2|mjpg [only]`: the video format the camera delivers its frames
// in; `only`: its driver refuses to deliver any other.
std::optional<std::string> set_camera_format(const std::vector<std::string>& arguments)
{
    struct Format {
        const char* name;
        WORD bits_per_pixel;
        DWORD compression;
    };
    // YUY2 and MJPG are the four characters of their codes.
    constexpr Format Formats[] { { "rgb24", 24, BI_RGB }, { "rgb32", 32, BI_RGB }, { "yuy2", 16, 0x32595559 },
        { "mjpg", 24, 0x47504A4D } };
    bool is_only_format = arguments.size() == 3 && arguments[2] == "only";
    for (const Format& format : Formats) {
        if (arguments.size() >= 2 && arguments[1] == format.name && (arguments.size() == 2 || is_only_format)) {
            sim::set_camera_format(format.bits_per_pixel, format.compression, is_only_format);
            return std::nullopt;
        }
    }
    return "expects format rgb24, rgb32, yuy2 or mjpg, then only or nothing";
}

}

Runner::Runner(fs::path output_folder, fs::path scenario_folder)
    : m_output_folder(std::move(output_folder))
    , m_scenario_folder(std::move(scenario_folder))
{
}

std::optional<ScenarioError> Runner::run(const Scenario& scenario)
{
    for (auto& command : scenario.commands) {
        if (auto error = run_command(command))
            return ScenarioError { command.line, command.name + ": " + *error };
    }
    return std::nullopt;
}

std::optional<std::string> Runner::run_command(const Command& command)
{
    if (command.name == "start")
        return start_program(command);
    if (command.name == "quit")
        return quit_program();
    if (command.name == "close-kelmor")
        return close_controller();
    if (command.name == "press")
        return press_control(*parse_control_path(command.arguments[0]));
    if (command.name == "end-task")
        return end_task();
    if (command.name == "logoff")
        return log_off();
    if (command.name == "fault")
        return fault_program(command);
    if (command.name == "expect") {
        ExpectationContext context { m_windows, [this] { return program_facts(); }, m_scenario_folder.string(),
            [this](const std::string& form, HWND& window) { return program_form_window(form, window); },
            [this](HWND form, const std::string& name, int index, ControlFacts& facts) {
                return program_control_facts(form, name, index, facts);
            } };
        return check_expectation(command.arguments, context);
    }
    if (command.name == "screen") {
        auto width = integer_argument(command.arguments[0]);
        auto height = integer_argument(command.arguments[1]);
        if (!width || !height || *width <= 0 || *height <= 0)
            return "expects a width and a height in pixels";
        sim::driver::set_screen_size(*width, *height);
        return std::nullopt;
    }
    static const char* const window_commands[] = { "open", "child", "title", "hide", "show", "minimize", "maximize",
        "restore", "close", "move", "end-process", "hang", "activate" };
    for (auto name : window_commands) {
        if (command.name == name)
            return run_window_command(command);
    }
    static const char* const answer_commands[] = { "menu", "menu-position", "message-box", "color-dialog",
        "save-dialog" };
    for (auto name : answer_commands) {
        if (command.name == name)
            return run_answer_command(command);
    }
    if (command.name == "http" || command.name == "camera" || command.name == "tray-click" || command.name == "wait"
        || command.name == "restart-shell")
        return run_shell_command(command);
    if (command.name == "screenshot" || command.name == "dump")
        return run_output_command(command);
    static const char* const setup_commands[] = { "file", "attributes", "deny-write", "clock", "wallpaper",
        "taskbar-edge", "picture", "clipboard", "gdi-quota" };
    for (auto name : setup_commands) {
        if (command.name == name)
            return run_setup_command(command);
    }
    return run_input_command(command);
}

uint32_t Runner::process_for(const std::string& executable, bool is_elevated)
{
    // An executable started as administrator runs in a process of its own beside the ordinary one.
    std::string key = upper(executable) + (is_elevated ? " ELEVATED" : "");
    auto known = m_processes.find(key);
    if (known != m_processes.end() && sim::driver::is_process_alive(known->second))
        return known->second;
    uint32_t process = sim::driver::create_process(executable);
    sim::driver::set_elevated(process, is_elevated);
    m_processes[key] = process;
    return process;
}

HWND Runner::find_window(const std::string& name, std::string& error) const
{
    if (HWND shell_window = predefined_window(name))
        return shell_window;
    auto it = m_windows.find(name);
    if (it == m_windows.end()) {
        error = "no window was opened as \"" + name + "\"";
        return nullptr;
    }
    return it->second;
}

std::optional<std::string> Runner::open_window(const Command& command)
{
    const auto& arguments = command.arguments;
    if (m_windows.count(arguments[0]) || predefined_window(arguments[0]))
        return "a window named \"" + arguments[0] + "\" is open already";
    auto rectangle = parse_rectangle(arguments[4]);
    if (!rectangle)
        return "expects the rectangle as left,top,right,bottom";
    sim::driver::AppWindow window;
    window.class_name = arguments[2];
    window.title = arguments[3];
    window.rect = to_rect(*rectangle);
    bool is_hidden = false;
    bool is_elevated = false;
    for (size_t i = 5; i < arguments.size(); ++i) {
        std::string name;
        std::string value;
        if (arguments[i] == "hidden") {
            is_hidden = true;
            continue;
        }
        if (arguments[i] == "noicon") {
            window.has_icon = false;
            continue;
        }
        if (arguments[i] == "elevated") {
            is_elevated = true;
            continue;
        }
        if (arguments[i] == "keeps-open") {
            window.keeps_open = true;
            continue;
        }
        if (arguments[i] == "classicon") {
            window.answers_get_icon = false;
            continue;
        }
        auto number = split_option(arguments[i], name, value) ? parse_number(value) : std::nullopt;
        if (number && name == "style") {
            window.style = static_cast<DWORD>(*number);
            continue;
        }
        if (number && name == "exstyle") {
            window.ex_style = static_cast<DWORD>(*number);
            continue;
        }
        if (number && name == "handle" && *number > 0 && *number <= 0xFFFFFFFFLL) {
            window.handle = static_cast<uintptr_t>(*number);
            continue;
        }
        return "does not know the option \"" + arguments[i] + "\"";
    }
    if (is_hidden)
        window.style &= ~static_cast<DWORD>(WS_VISIBLE);
    if (window.handle && IsWindow(reinterpret_cast<HWND>(window.handle)))
        return "the handle " + std::to_string(window.handle) + " is taken";
    HWND handle = sim::driver::open_app_window(process_for(arguments[1], is_elevated), window);
    if (!handle)
        return "the window could not be created";
    m_windows[arguments[0]] = handle;
    return std::nullopt;
}

std::optional<std::string> Runner::add_child(const Command& command)
{
    const auto& arguments = command.arguments;
    std::string error;
    if (predefined_window(arguments[0]))
        return "\"" + arguments[0] + "\" names a window of the shell";
    HWND parent = find_window(arguments[1], error);
    if (!parent)
        return error;
    auto rectangle = parse_rectangle(arguments[4]);
    if (!rectangle)
        return "expects the rectangle as left,top,right,bottom";
    DWORD style = WS_CHILD | WS_VISIBLE;
    if (arguments.size() > 5) {
        std::string name;
        std::string value;
        auto number = split_option(arguments[5], name, value) ? parse_number(value) : std::nullopt;
        if (!number || name != "style")
            return "does not know the option \"" + arguments[5] + "\"";
        style = static_cast<DWORD>(*number);
    }
    HWND child = sim::driver::add_child_control(parent, arguments[2], arguments[3], to_rect(*rectangle), style);
    if (!child)
        return "the control could not be created";
    m_windows[arguments[0]] = child;
    return std::nullopt;
}

std::optional<std::string> Runner::run_window_command(const Command& command)
{
    if (command.name == "open")
        return open_window(command);
    if (command.name == "child")
        return add_child(command);
    std::string error;
    HWND window = find_window(command.arguments[0], error);
    if (!window)
        return error;
    if (command.name == "title") {
        sim::driver::set_title(window, command.arguments[1]);
    } else if (command.name == "hide") {
        sim::driver::hide(window);
    } else if (command.name == "show") {
        sim::driver::show(window);
    } else if (command.name == "minimize") {
        sim::driver::minimise(window);
    } else if (command.name == "maximize") {
        sim::driver::maximise(window);
    } else if (command.name == "restore") {
        sim::driver::restore(window);
    } else if (command.name == "close") {
        sim::driver::close(window);
    } else if (command.name == "move") {
        auto rectangle = parse_rectangle(command.arguments[1]);
        if (!rectangle)
            return "expects the rectangle as left,top,right,bottom";
        sim::driver::move(window, to_rect(*rectangle));
    } else if (command.name == "end-process") {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        sim::driver::end_process(process);
    } else if (command.name == "activate") {
        auto after = after_milliseconds(command.arguments, 1);
        if (!after)
            return "expects after=MS, milliseconds of virtual time";
        sim::driver::activate(window, *after);
    } else if (command.name == "hang") {
        const auto& state = command.arguments[1];
        if (state != "on" && state != "off")
            return "expects on or off";
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (command.arguments.size() < 3) {
            sim::driver::set_hung(process, state == "on");
            return std::nullopt;
        }
        std::string name;
        std::string value;
        std::optional<long long> busy
            = split_option(command.arguments[2], name, value) && name == "for" ? parse_number(value) : std::nullopt;
        if (state != "on" || !busy || *busy < 0)
            return "expects on for=MS, milliseconds of virtual time";
        sim::driver::set_busy(process, static_cast<uint64_t>(*busy));
    }
    return std::nullopt;
}

std::optional<std::string> Runner::run_input_command(const Command& command)
{
    const auto& arguments = command.arguments;
    if (command.name == "hold-input") {
        sim::driver::hold_input();
        return std::nullopt;
    }
    if (command.name == "release-input") {
        sim::driver::release_input();
        return std::nullopt;
    }
    if (command.name == "mouse-move" || command.name == "click" || command.name == "double-click") {
        auto x = integer_argument(arguments[0]);
        auto y = integer_argument(arguments[1]);
        auto button = button_argument(command, 2);
        if (!x || !y || !button)
            return "expects x, y and an optional button (left, right, middle)";
        if (command.name == "mouse-move")
            sim::driver::mouse_move(*x, *y);
        else if (command.name == "click")
            sim::driver::click(*x, *y, *button);
        else
            sim::driver::double_click(*x, *y, *button);
        return std::nullopt;
    }
    if (command.name == "mouse-down" || command.name == "mouse-up") {
        auto button = button_argument(command, 0);
        if (!button)
            return "expects left, right or middle";
        if (command.name == "mouse-down")
            sim::driver::mouse_down(*button);
        else
            sim::driver::mouse_up(*button);
        return std::nullopt;
    }
    if (command.name == "wheel") {
        auto x = integer_argument(arguments[0]);
        auto y = integer_argument(arguments[1]);
        auto notches = integer_argument(arguments[2]);
        if (!x || !y || !notches || *notches < -100 || *notches > 100)
            return "expects x, y and the notches (-100 to 100, positive away from the user)";
        sim::driver::wheel(*x, *y, *notches);
        return std::nullopt;
    }
    if (command.name == "drag") {
        auto x1 = integer_argument(arguments[0]);
        auto y1 = integer_argument(arguments[1]);
        auto x2 = integer_argument(arguments[2]);
        auto y2 = integer_argument(arguments[3]);
        auto steps = arguments.size() > 4 ? integer_argument(arguments[4]) : std::optional<int>(4);
        auto button = button_argument(command, 5);
        if (!x1 || !y1 || !x2 || !y2 || !steps || *steps < 1 || !button)
            return "expects x1 y1 x2 y2, then optional steps and button";
        sim::driver::drag(POINT { *x1, *y1 }, POINT { *x2, *y2 }, *steps, *button);
        return std::nullopt;
    }
    std::vector<BYTE> keys;
    for (auto& name : arguments) {
        auto key = virtual_key(name);
        if (!key)
            return "does not know the key \"" + name + "\"";
        keys.push_back(*key);
    }
    if (command.name == "key-down") {
        sim::driver::key_down(keys[0]);
        return std::nullopt;
    }
    if (command.name == "key-up") {
        sim::driver::key_up(keys[0]);
        return std::nullopt;
    }
    sim::driver::press_key(keys[0], std::vector<BYTE>(keys.begin() + 1, keys.end()));
    return std::nullopt;
}

std::optional<std::string> Runner::run_answer_command(const Command& command)
{
    const auto& answer = command.arguments[0];
    // A user who takes time to answer: the dialog stays open meanwhile, with messages and timers running.
    auto after = after_milliseconds(command.arguments, 1);
    if (!after)
        return "expects after=MS, milliseconds of virtual time";
    if (*after > 0)
        sim::driver::wait_in_modal(*after);
    if (command.name == "menu") {
        sim::driver::choose_menu_item(answer);
        return std::nullopt;
    }
    if (command.name == "menu-position") {
        auto position = integer_argument(answer);
        if (!position || *position < 0)
            return "expects the item's position, counted from 0";
        sim::driver::choose_menu_position(*position);
        return std::nullopt;
    }
    if (command.name == "message-box") {
        auto button = message_box_answer(answer);
        if (!button)
            return "expects ok, cancel, yes, no, abort, retry, ignore or a button number";
        sim::driver::answer_message_box(*button);
        return std::nullopt;
    }
    if (command.name == "color-dialog") {
        if (upper(answer) == "CANCEL") {
            sim::driver::cancel_color_dialog();
            return std::nullopt;
        }
        auto color = color_argument(answer);
        if (!color)
            return "expects #RRGGBB, a colour number or cancel";
        sim::driver::answer_color_dialog(*color);
        return std::nullopt;
    }
    if (upper(answer) == "CANCEL") {
        sim::driver::cancel_save_dialog();
        return std::nullopt;
    }
    sim::driver::answer_save_dialog(answer);
    return std::nullopt;
}

std::optional<std::string> Runner::run_shell_command(const Command& command)
{
    const auto& arguments = command.arguments;
    if (command.name == "wait") {
        auto milliseconds = integer_argument(arguments[0]);
        if (!milliseconds || *milliseconds < 0)
            return "expects a number of milliseconds";
        sim::driver::run_for(static_cast<uint64_t>(*milliseconds));
        return std::nullopt;
    }
    if (command.name == "camera" && arguments[0] == "format")
        return set_camera_format(arguments);
    if (command.name == "camera") {
        bool is_plugged = arguments[0] == "plugged";
        if (!is_plugged && (arguments[0] != "unplugged" || arguments.size() > 1))
            return "expects plugged [WxH] or unplugged";
        if (arguments.size() > 1) {
            size_t by = arguments[1].find('x');
            auto width = by == std::string::npos ? std::nullopt : integer_argument(arguments[1].substr(0, by));
            auto height = by == std::string::npos ? std::nullopt : integer_argument(arguments[1].substr(by + 1));
            if (!width || !height || !sim::set_camera_frame_size(*width, *height))
                return "expects the frame size as WxH, 1 to 4096 each, not \"" + arguments[1] + "\"";
        }
        sim::set_camera_plugged(is_plugged);
        return std::nullopt;
    }
    if (command.name == "http") {
        sim::HttpAnswer answer;
        answer.body = arguments[1];
        for (size_t i = 2; i < arguments.size(); ++i) {
            std::string name;
            std::string value;
            auto number = split_option(arguments[i], name, value) ? parse_number(value) : std::nullopt;
            if (number && name == "status") {
                answer.status = static_cast<int>(*number);
                continue;
            }
            if (number && name == "delay" && *number >= 0) {
                answer.delay_ms = static_cast<uint32_t>(*number);
                continue;
            }
            return "does not know the option \"" + arguments[i] + "\"";
        }
        sim::set_http_answer(arguments[0], answer);
        return std::nullopt;
    }
    if (command.name == "restart-shell") {
        sim::driver::restart_shell();
        return std::nullopt;
    }
    auto index = integer_argument(arguments[0]);
    if (!index || *index < 0 || static_cast<size_t>(*index) >= sim::tray_icons().size())
        return "there is no notification-area icon " + arguments[0];
    std::string kind = arguments.size() > 1 ? upper(arguments[1]) : "LEFT";
    if (kind != "LEFT" && kind != "RIGHT" && kind != "DOUBLE")
        return "expects left, right or double";
    click_tray_icon(static_cast<size_t>(*index), kind);
    return std::nullopt;
}

void Runner::click_tray_icon(size_t index, const std::string& kind)
{
    std::vector<UINT> messages;
    if (kind == "RIGHT")
        messages = { WM_RBUTTONDOWN, WM_RBUTTONUP };
    else if (kind == "DOUBLE")
        messages = { WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP };
    else
        messages = { WM_LBUTTONDOWN, WM_LBUTTONUP };
    for (UINT message : messages) {
        sim::send_tray_mouse_message(index, message);
        sim::driver::pump();
    }
}

std::optional<std::string> Runner::write_file(const std::string& name, const void* data, size_t size)
{
    fs::path path = m_output_folder / name;
    std::error_code ignored;
    fs::create_directories(path.parent_path(), ignored);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!file)
        return "cannot write " + path.string();
    m_written.push_back(path);
    return std::nullopt;
}

std::optional<std::string> Runner::run_output_command(const Command& command)
{
    if (command.name == "dump") {
        std::string json = dump_state();
        return write_file(command.arguments[0], json.data(), json.size());
    }
    sim::driver::pump();
    auto png = sim::encode_png(sim::driver::screenshot());
    return write_file(command.arguments[0], png.data(), png.size());
}

}
