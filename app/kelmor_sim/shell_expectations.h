// Expectations about the shell and the machine rather than a window: internet requests, shell
// executions, started programs, the registry, the wallpaper, the desktop's view, the clipboard
// and files on drive C:.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmor_sim {

// Whether an expectation's first word names one of these subjects.
bool is_shell_subject(std::string_view subject);

// Checks the words before anything runs; returns what is wrong.
std::optional<std::string> validate_shell_expectation(const std::vector<std::string>& arguments);

// Checks the state; returns why it does not hold, with the expected and the found value. Host
// files are read relative to `scenario_folder`.
std::optional<std::string> check_shell_expectation(const std::vector<std::string>& arguments,
    const std::string& scenario_folder);

}
