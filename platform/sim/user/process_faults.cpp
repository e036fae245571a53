#include "platform/sim/user/process_faults.h"

#include "platform/api/process.h"
#include "platform/sim/user/process_table.h"

#include <map>

namespace sim {

namespace {

uint32_t g_armed_process = 0;
uint32_t g_calls_before_fault = 0;
int g_release_calls = 0;
std::map<uint32_t, LPTOP_LEVEL_EXCEPTION_FILTER> g_filters;

}

void arm_access_violation(uint32_t process_id, uint32_t calls_before)
{
    g_armed_process = process_id;
    g_calls_before_fault = calls_before;
}

bool is_access_violation_armed(uint32_t process_id)
{
    return process_id != 0 && g_armed_process == process_id;
}

void raise_armed_fault()
{
    if (g_armed_process == 0 || g_armed_process != current_process_id() || !is_process_code_running()
        || g_release_calls > 0)
        return;
    if (g_calls_before_fault > 0) {
        --g_calls_before_fault;
        return;
    }
    uint32_t process_id = g_armed_process;
    g_armed_process = 0;
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

ReleaseCallScope::ReleaseCallScope()
{
    ++g_release_calls;
}

ReleaseCallScope::~ReleaseCallScope()
{
    --g_release_calls;
}

void reset_process_faults()
{
    g_release_calls = 0;
    g_armed_process = 0;
    g_calls_before_fault = 0;
    g_filters.clear();
}

}

using namespace sim;

LPTOP_LEVEL_EXCEPTION_FILTER WINAPI SetUnhandledExceptionFilter(LPTOP_LEVEL_EXCEPTION_FILTER lpTopLevelExceptionFilter)
{
    auto& slot = g_filters[current_process_id()];
    LPTOP_LEVEL_EXCEPTION_FILTER previous = slot;
    slot = lpTopLevelExceptionFilter;
    return previous;
}
