// One run of kelmor-sim: a fresh desktop with the build's program folder installed, a scenario
// read from a file, run, and its outputs written.
#pragma once

#include "app/kelmor_sim/scenario.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kelmor_sim {

struct SessionResult {
    bool is_success = false;
    std::vector<std::string> messages;
    std::vector<std::filesystem::path> written_files;
};

// Resets the simulated desktop, links the files of `program_folder` into the simulated
// "C:\Program Files\Kelmor", parses and runs the scenario text, and writes its outputs below
// `output_folder`. `source_name` names the scenario in messages.
SessionResult run_session(const std::string& source_name, std::string_view scenario_text,
    const std::filesystem::path& program_folder, const std::filesystem::path& output_folder);

}
