// The processes of the simulated desktop: their ids and executables, which one runs, and ending one.
#pragma once

#include <cstdint>
#include <string>

namespace sim {

// Thrown by ExitProcess once the current process's windows are gone; caught only where the driver
// hands control to program code. Nothing else in the simulation throws.
struct ProcessExit {
    uint32_t process_id = 0;
    uint32_t exit_code = 0;
};

uint32_t create_process(const std::string& executable_path);
bool is_process_alive(uint32_t process_id);
// A hung process runs none of its code: it has stopped taking messages from its queue.
bool is_process_hung(uint32_t process_id);
void set_process_hung(uint32_t process_id, bool is_hung);
// A busy process: hung until the clock has moved by `milliseconds`, then it answers again by itself.
void set_process_busy(uint32_t process_id, uint64_t milliseconds);
// Whether Windows already calls the process hung (IsHungAppWindow, SMTO_ABORTIFHUNG): it has taken
// no message for `hung_app_delay_ms`. Until then a sender cannot tell it from a busy one.
constexpr uint64_t hung_app_delay_ms = 5000;
bool is_hung_app(uint32_t process_id);
// How long the process takes over each message sent to it while it answers (0: no time at all), as
// a program busy with other work between its looks at its queue does.
uint32_t process_answer_delay_ms(uint32_t process_id);
void set_process_answer_delay(uint32_t process_id, uint32_t milliseconds);
// A process of high integrity (started "as administrator"): a process of medium integrity, as
// every other process is, may not change its windows or send them most messages.
bool is_process_elevated(uint32_t process_id);
void set_process_elevated(uint32_t process_id, bool is_elevated);
// The Windows path of a process's executable; empty for an unknown process.
std::string process_executable(uint32_t process_id);
// Destroys the process's windows, closes its kernel handles and marks it ended.
void end_process(uint32_t process_id);

// Each simulated process has one thread, whose id is its process id plus one (process ids are
// multiples of four, so thread and process ids never meet).
inline uint32_t thread_of_process(uint32_t process_id)
{
    return process_id + 1;
}
inline uint32_t process_of_thread(uint32_t thread_id)
{
    return thread_id - 1;
}

// The process whose code runs now: windows it creates belong to it.
uint32_t current_process_id();
void set_current_process(uint32_t process_id);

// Whether code of a process runs now (inside a ProcessScope), rather than the driver itself.
bool is_process_code_running();

// Runs a stretch of code as another process, as a window procedure runs as its window's process.
class ProcessScope {
public:
    explicit ProcessScope(uint32_t process_id);
    ~ProcessScope();
    ProcessScope(const ProcessScope&) = delete;
    ProcessScope& operator=(const ProcessScope&) = delete;

private:
    uint32_t m_previous = 0;
    int m_outer_call_depth = 0;
};

// The two processes of a fresh desktop.
uint32_t shell_process_id();
uint32_t program_process_id();

// The program's executable started anew after its process ended: a new process of the same
// executable becomes the program's process and the current one.
uint32_t start_program_again();

// Called by the desktop reset: forgets every process and creates the shell and the program.
void reset_processes();

}
