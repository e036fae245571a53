#include "app/kelmor_sim/session.h"

#include "app/kelmor_sim/runner.h"
#include "platform/sim/driver.h"
#include "platform/sim/kernel/paths.h"

namespace kelmor_sim {

SessionResult run_session(const std::string& source_name, std::string_view scenario_text,
    const std::filesystem::path& program_folder, const std::filesystem::path& output_folder)
{
    SessionResult result;
    Scenario scenario = parse_scenario(scenario_text);
    for (auto& error : scenario.errors)
        result.messages.push_back(source_name + ":" + std::to_string(error.line) + ": " + error.message);
    if (!scenario.is_valid())
        return result;

    sim::driver::reset();
    if (!program_folder.empty())
        sim::install_program_folder(program_folder);
    Runner runner(output_folder, std::filesystem::path(source_name).parent_path());
    auto error = runner.run(scenario);
    result.written_files = runner.written_files();
    if (error) {
        result.messages.push_back(source_name + ":" + std::to_string(error->line) + ": " + error->message);
        return result;
    }
    result.is_success = true;
    return result;
}

}
