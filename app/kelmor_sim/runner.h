// Runs a parsed scenario on the simulated desktop and writes the files it asks for.
#pragma once

#include "app/kelmor_sim/expectations.h"
#include "app/kelmor_sim/scenario.h"
#include "platform/api/types.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace runtime {
class Control;
class Program;
}

namespace kelmor_sim {

class Runner {
public:
    // Output files named in the scenario are written below `output_folder`; host files it names
    // are read relative to `scenario_folder`, the folder of the scenario file.
    explicit Runner(std::filesystem::path output_folder, std::filesystem::path scenario_folder = {});
    ~Runner();
    Runner(const Runner&) = delete;
    Runner& operator=(const Runner&) = delete;

    // Runs every command in order; stops at the first that fails and says why.
    std::optional<ScenarioError> run(const Scenario& scenario);

    // The files written so far, in order.
    const std::vector<std::filesystem::path>& written_files() const { return m_written; }

private:
    std::optional<std::string> run_command(const Command& command);
    std::optional<std::string> run_window_command(const Command& command);
    std::optional<std::string> run_input_command(const Command& command);
    std::optional<std::string> run_answer_command(const Command& command);
    std::optional<std::string> run_shell_command(const Command& command);
    std::optional<std::string> run_output_command(const Command& command);
    // Clicks notification-area icon `index` as the shell reports it: "LEFT", "RIGHT" or "DOUBLE".
    void click_tray_icon(size_t index, const std::string& kind);
    // Files, pictures, attributes, unwritable folders, wallpaper, clock: runner_setup.cpp.
    std::optional<std::string> run_setup_command(const Command& command);

    // The commands that reach into the program: runner_program.cpp.
    std::optional<std::string> start_program(const Command& command);
    std::optional<std::string> start_second_instance();
    std::optional<std::string> quit_program();
    std::optional<std::string> close_controller();
    std::optional<std::string> press_control(const ControlPath& path);
    std::optional<std::string> end_task();
    std::optional<std::string> log_off();
    std::optional<std::string> fault_program(const Command& command);
    bool is_program_running() const;
    // The running program's icon among the notification area's icons.
    std::optional<size_t> program_tray_icon() const;
    static size_t shown_menu_count();
    ProgramFacts program_facts() const;
    std::optional<std::string> program_form_window(const std::string& name, HWND& window) const;
    std::optional<std::string> program_control_facts(HWND form_window, const std::string& name, int index,
        ControlFacts& facts) const;
    // The control of the program's form whose window is `form_window`; or why there is none.
    std::optional<std::string> find_program_control(HWND form_window, const std::string& name, int index,
        runtime::Control*& found) const;

    std::optional<std::string> open_window(const Command& command);
    std::optional<std::string> add_child(const Command& command);
    HWND find_window(const std::string& name, std::string& error) const;
    uint32_t process_for(const std::string& executable, bool is_elevated = false);
    std::optional<std::string> write_file(const std::string& name, const void* data, size_t size);

    std::filesystem::path m_output_folder;
    std::filesystem::path m_scenario_folder;
    std::map<std::string, HWND> m_windows;
    std::map<std::string, uint32_t> m_processes;
    std::vector<std::filesystem::path> m_written;
    // The running program, once the scenario has started it.
    std::unique_ptr<runtime::Program> m_program;
    // Programs whose process ended before the scenario started the program again.
    std::vector<std::unique_ptr<runtime::Program>> m_ended_programs;
    // Later instances that did not end at start, each with its process; kept until the run ends.
    std::vector<std::pair<uint32_t, std::unique_ptr<runtime::Program>>> m_other_instances;
};

}
