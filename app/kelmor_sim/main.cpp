// kelmor-sim: runs a scenario on the simulated desktop.
// Usage: kelmor-sim SCENARIO [--out FOLDER]   (outputs go below FOLDER, by default the current one)
#include "app/kelmor_sim/session.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

int usage()
{
    std::cerr << "usage: kelmor-sim SCENARIO [--out FOLDER]\n";
    return 2;
}

// The program folder is where kelmor-sim itself lies: the build puts everything the program
// needs at run time there.
fs::path program_folder()
{
    std::error_code error;
    fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return self.parent_path();
}

}

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 4)
        return usage();
    fs::path scenario_path = argv[1];
    fs::path output_folder = fs::current_path();
    if (argc == 4) {
        if (std::string(argv[2]) != "--out")
            return usage();
        output_folder = argv[3];
    }
    std::ifstream file(scenario_path, std::ios::binary);
    if (!file) {
        std::cerr << "kelmor-sim: cannot read " << scenario_path.string() << "\n";
        return 2;
    }
    std::stringstream text;
    text << file.rdbuf();

    auto result = kelmor_sim::run_session(scenario_path.string(), text.str(), program_folder(), output_folder);
    for (auto& written : result.written_files)
        std::cout << "wrote " << written.string() << "\n";
    for (auto& message : result.messages)
        std::cerr << message << "\n";
    return result.is_success ? 0 : 1;
}
