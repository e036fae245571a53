#include "platform/sim/user/process_table.h"

#include "platform/sim/desktop.h"
#include "platform/sim/gdi/gdi_accounting.h"
#include "platform/sim/kernel/kernel_object.h"
#include "platform/sim/user/process_faults.h"
#include "platform/sim/user/window_lifecycle.h"
#include "platform/sim/user/window_tree.h"

#include <map>
#include <vector>

namespace sim {

namespace {

struct Process {
    std::string executable;
    bool is_alive = true;
    bool is_hung = false;
    bool is_elevated = false;
    uint64_t hung_since_ms = 0;
    // A busy process answers again by itself at this time; never for one hung by the driver.
    uint64_t busy_until_ms = UINT64_MAX;
    uint32_t answer_delay_ms = 0;
};

std::map<uint32_t, Process> g_processes;
uint32_t g_next_id = 1000;
uint32_t g_current = 0;
uint32_t g_shell = 0;
uint32_t g_program = 0;
int g_scope_depth = 0;

// Process ids on Windows are multiples of four.
constexpr uint32_t id_step = 4;

}

uint32_t create_process(const std::string& executable_path)
{
    uint32_t id = g_next_id;
    g_next_id += id_step;
    g_processes[id] = Process {executable_path};
    return id;
}

bool is_process_alive(uint32_t process_id)
{
    auto it = g_processes.find(process_id);
    return it != g_processes.end() && it->second.is_alive;
}

bool is_process_hung(uint32_t process_id)
{
    auto it = g_processes.find(process_id);
    if (it == g_processes.end() || !it->second.is_hung)
        return false;
    if (now_ms() >= it->second.busy_until_ms)
        it->second.is_hung = false;
    return it->second.is_hung;
}

void set_process_hung(uint32_t process_id, bool is_hung)
{
    auto it = g_processes.find(process_id);
    if (it == g_processes.end() || !it->second.is_alive || it->second.is_hung == is_hung)
        return;
    it->second.is_hung = is_hung;
    it->second.hung_since_ms = now_ms();
    it->second.busy_until_ms = UINT64_MAX;
}

void set_process_busy(uint32_t process_id, uint64_t milliseconds)
{
    set_process_hung(process_id, true);
    auto it = g_processes.find(process_id);
    if (it != g_processes.end() && it->second.is_hung)
        it->second.busy_until_ms = now_ms() + milliseconds;
}

bool is_hung_app(uint32_t process_id)
{
    auto it = g_processes.find(process_id);
    return is_process_hung(process_id) && now_ms() - it->second.hung_since_ms >= hung_app_delay_ms;
}

uint32_t process_answer_delay_ms(uint32_t process_id)
{
    auto it = g_processes.find(process_id);
    return it == g_processes.end() ? 0 : it->second.answer_delay_ms;
}

void set_process_answer_delay(uint32_t process_id, uint32_t milliseconds)
{
    auto it = g_processes.find(process_id);
    if (it != g_processes.end())
        it->second.answer_delay_ms = milliseconds;
}

bool is_process_elevated(uint32_t process_id)
{
    auto it = g_processes.find(process_id);
    return it != g_processes.end() && it->second.is_elevated;
}

void set_process_elevated(uint32_t process_id, bool is_elevated)
{
    auto it = g_processes.find(process_id);
    if (it != g_processes.end())
        it->second.is_elevated = is_elevated;
}

std::string process_executable(uint32_t process_id)
{
    auto it = g_processes.find(process_id);
    return it == g_processes.end() ? std::string() : it->second.executable;
}

void end_process(uint32_t process_id)
{
    auto it = g_processes.find(process_id);
    if (it == g_processes.end() || !it->second.is_alive)
        return;
    std::vector<HWND> owned;
    handles().for_each([&](uintptr_t handle, Object& object) {
        auto* window = dynamic_cast<Window*>(&object);
        if (window && window->process_id == process_id && !is_desktop(window->handle))
            owned.push_back(reinterpret_cast<HWND>(handle));
    });
    {
        ProcessScope scope(process_id);
        for (HWND hwnd : owned)
            if (find_window(hwnd))
                destroy_window(hwnd);
    }
    it->second.is_alive = false;
    it->second.is_hung = false;
    close_process_handles(process_id);
    release_objects_of(process_id);
}

uint32_t current_process_id()
{
    ensure_desktop();
    return g_current;
}

void set_current_process(uint32_t process_id)
{
    g_current = process_id;
}

bool is_process_code_running()
{
    return g_scope_depth > 0;
}

ProcessScope::ProcessScope(uint32_t process_id)
    : m_previous(g_current)
    , m_outer_call_depth(begin_program_code())
{
    g_current = process_id;
    ++g_scope_depth;
}

ProcessScope::~ProcessScope()
{
    g_current = m_previous;
    --g_scope_depth;
    end_program_code(m_outer_call_depth);
}

uint32_t shell_process_id()
{
    return g_shell;
}

uint32_t program_process_id()
{
    return g_program;
}

uint32_t start_program_again()
{
    g_program = create_process(process_executable(g_program));
    g_current = g_program;
    return g_program;
}

void reset_processes()
{
    g_processes.clear();
    g_next_id = 1000;
    g_shell = create_process("C:\\Windows\\explorer.exe");
    g_program = create_process("C:\\Program Files\\Kelmor\\Kelmor 2.exe");
    g_current = g_program;
}

}
