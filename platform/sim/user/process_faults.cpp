#include "platform/sim/user/process_faults.h"

#include "platform/api/process.h"
#include "platform/sim/user/process_table.h"

#include <map>

namespace sim {

namespace {

uint32_t g_armed_process = 0;
uint32_t g_calls_before_fault = 0;
// The fault fell on a release call: it comes with the next call that is none.
bool g_is_fault_pending = false;
// Windows calls under way since the program's code last started to run.
int g_call_depth = 0;
std::map<uint32_t, LPTOP_LEVEL_EXCEPTION_FILTER> g_filters;

std::map<uint32_t, uint64_t> g_calls_made;

void raise_access_violation()
{
    uint32_t process_id = g_armed_process;
    g_armed_process = 0;
    g_is_fault_pending = false;
    // As Windows does with an exception nothing handles: the process's filter runs first, then
    // the process ends, whatever the filter answers (an access violation cannot go on).
    auto filter = g_filters.find(process_id);
    if (filter != g_filters.end() && filter->second) {
        EXCEPTION_RECORD record {};
        record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
        EXCEPTION_POINTERS pointers {&record, nullptr};
        filter->second(&pointers);
    }
    ExitProcess(EXCEPTION_ACCESS_VIOLATION);
}

void count_program_call(CallKind kind)
{
    if (!is_process_code_running())
        return;
    uint32_t process_id = current_process_id();
    ++g_calls_made[process_id];
    if (g_armed_process == 0 || g_armed_process != process_id)
        return;
    if (!g_is_fault_pending && g_calls_before_fault > 0) {
        --g_calls_before_fault;
        return;
    }
    if (kind == CallKind::release) {
        g_is_fault_pending = true;
        return;
    }
    raise_access_violation();
}

}

void arm_access_violation(uint32_t process_id, uint32_t calls_before)
{
    g_armed_process = process_id;
    g_calls_before_fault = calls_before;
    g_is_fault_pending = false;
}

ApiCall::ApiCall(CallKind kind)
{
    // Counted before the call holds anything, so that a fault leaves nothing half done.
    if (g_call_depth == 0)
        count_program_call(kind);
    ++g_call_depth;
}

ApiCall::~ApiCall()
{
    --g_call_depth;
}

uint64_t calls_made(uint32_t process_id)
{
    auto found = g_calls_made.find(process_id);
    return found == g_calls_made.end() ? 0 : found->second;
}

int begin_program_code()
{
    int outer = g_call_depth;
    g_call_depth = 0;
    return outer;
}

void end_program_code(int outer_call_depth)
{
    g_call_depth = outer_call_depth;
}

void reset_process_faults()
{
    g_armed_process = 0;
    g_calls_before_fault = 0;
    g_is_fault_pending = false;
    g_call_depth = 0;
    g_calls_made.clear();
    g_filters.clear();
}

}

using namespace sim;

LPTOP_LEVEL_EXCEPTION_FILTER WINAPI SetUnhandledExceptionFilter(LPTOP_LEVEL_EXCEPTION_FILTER lpTopLevelExceptionFilter)
{
    sim::ApiCall api_call;
    auto& slot = g_filters[current_process_id()];
    LPTOP_LEVEL_EXCEPTION_FILTER previous = slot;
    slot = lpTopLevelExceptionFilter;
    return previous;
}
