// What the kernel part of the simulation asks of the rest of the desktop: the virtual clock and
// the current process.
#pragma once

#include <cstdint>
#include <string>

namespace sim::kernel {

uint64_t now_ms();
// Lets virtual time pass without pumping messages, as Sleep does: the calling thread waits.
void let_time_pass(uint32_t milliseconds);

uint32_t current_process_id();
// The Windows path of the current process's executable.
std::string current_executable();
// The Windows path of the program's executable, which a fresh desktop starts as its own process.
std::string program_executable();

}
