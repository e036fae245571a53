#include "platform/sim/kernel/desktop_link.h"

#include "platform/sim/desktop.h"
#include "platform/sim/user/freezes.h"
#include "platform/sim/user/process_table.h"

namespace sim::kernel {

uint64_t now_ms()
{
    return sim::now_ms();
}

void let_time_pass(uint32_t milliseconds)
{
    sim::wait_in_call(milliseconds);
}

uint32_t current_process_id()
{
    return sim::current_process_id();
}

std::string current_executable()
{
    return sim::process_executable(sim::current_process_id());
}

std::string program_executable()
{
    return sim::process_executable(sim::program_process_id());
}

}
