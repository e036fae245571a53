// Starting programs: what ShellExecuteA was asked to open, and the processes WinExec and
// CreateProcessA start.
#pragma once

#include "platform/api/types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct ShellExecution {
    std::string operation;
    std::string file;
    std::string parameters;
    std::string directory;
    int show_command = 0;
};

// Everything ShellExecuteA was asked to open, in order. Nothing is opened.
const std::vector<ShellExecution>& shell_executions();

// A process started by WinExec or CreateProcessA, and the process that started it.
struct StartedProgram {
    uint32_t process_id = 0;
    std::string executable;
    uint32_t started_by = 0;
};
// Every process started so far, in order.
const std::vector<StartedProgram>& started_programs();

// Starts the program a command line names (its first word, quoted or not) as a new process.
// Programs the desktop knows open their main window: "explorer" a folder window with an address
// bar, "notepad" an empty editor. Returns the new process id, or 0 when no such program exists.
uint32_t start_program(const std::string& command_line, int show_command);

void reset_program_start();

}
