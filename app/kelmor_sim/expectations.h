// Expectations: the scenario line `expect SUBJECT WHAT [VALUE...]`, which checks the state of the
// simulated desktop and of the program and, when it does not hold, says what it found instead.
#pragma once

#include "platform/api/types.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmor_sim {

// What only the program object knows; the runner reads it when an expectation asks.
struct ProgramFacts {
    bool is_started = false;
    bool is_running = false;
    int border_count = 0;
    // Instances of the program whose processes live: the first and any started after it.
    int running_instances = 0;
    // The window manager's titles in order; empty while its form is not loaded.
    std::vector<std::string> window_manager_rows;
};

// What the program tells of one of its controls; the fields a kind of control lacks stay empty.
struct ControlFacts {
    // The control's Visible property and those of its containers inside the form.
    bool is_visible = false;
    // Enabled; for a timer, that it runs (enabled with an interval).
    bool is_enabled = false;
    std::optional<std::string> text;
    std::optional<long> value;
    // A check box's value, or 1 and 0 for an option button.
    std::optional<long> checked;
};

struct ExpectationContext {
    // The windows the scenario named with `open` and `child`.
    const std::map<std::string, HWND>& windows;
    std::function<ProgramFacts()> program_facts;
    // The host folder that host files named by an expectation are read from.
    std::string scenario_folder;
    // The window of the running program's single-instance form of this name; or why there is none.
    std::function<std::optional<std::string>(const std::string& form, HWND& window)> form_window;
    // A control of the program's form whose window is `form`, by its name and its index in a
    // control array (-1 for none); or why there is none.
    std::function<std::optional<std::string>(HWND form, const std::string& control, int index, ControlFacts& facts)>
        control_facts;
};

// A control of the program as a scenario names it: FORM.CONTROL, NAME:border.CONTROL, or either
// with CONTROL(N) for an element of a control array.
struct ControlPath {
    std::string form;
    std::string control;
    int index = -1;
};
std::optional<ControlPath> parse_control_path(const std::string& text);

// The shell's windows a scenario names without opening them: "taskbar" (the "Shell_TrayWnd"
// window) and "desktop-icons" ("Program Manager", which holds the desktop's icons); null otherwise.
HWND predefined_window(std::string_view name);

// Checks the words of an expectation before anything runs: a known WHAT for the subject, and
// values of the right number and form. Returns what is wrong.
std::optional<std::string> validate_expectation(const std::vector<std::string>& arguments);

// Checks one expectation; returns why it does not hold, naming the expected and the found value.
std::optional<std::string> check_expectation(const std::vector<std::string>& arguments,
    const ExpectationContext& context);

}
