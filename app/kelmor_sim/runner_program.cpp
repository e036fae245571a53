// The runner's commands that reach into the program: starting it (again), quitting it, closing
// its controller window, and the facts only the program object knows.
#include "app/kelmor_sim/runner.h"

#include "app/kelmor_sim/control_facts.h"
#include "control/frmGethWnd.h"
#include "control/frmWinMgr.h"
#include "control/start_kelmor.h"
#include "platform/sim/driver.h"
#include "platform/sim/shell/notification_area.h"
#include "platform/sim/user/process_table.h"
#include "runtime/form.h"
#include "runtime/program.h"

#include <algorithm>

namespace kelmor_sim {

namespace {

bool is_control_array(const runtime::Form& form, const std::string& name)
{
    for (runtime::Control* control : form.controls()) {
        if (control->Name() == name && control->Index() >= 0)
            return true;
    }
    return false;
}

}

Runner::~Runner()
{
    for (auto& [process, instance] : m_other_instances) {
        sim::ProcessScope scope(process);
        instance.reset();
    }
    sim::driver::run_program([&] {
        m_program.reset();
        m_ended_programs.clear();
    });
}

std::optional<std::string> Runner::start_program(const Command& command)
{
    if (command.arguments[0] != "Kelmor")
        return "only \"start Kelmor\" is known";
    if (m_program && is_program_running())
        return start_second_instance();
    if (m_program) {
        // Started again after it ended: a new process, and a program object of its own.
        sim::driver::start_program_again();
        m_ended_programs.push_back(std::move(m_program));
    }
    m_program = std::make_unique<runtime::Program>();
    // The program runs as its own process; if it ends at once, the scenario goes on without it.
    sim::driver::run_program([&] { m_program->dispatch([&] { start_kelmor(*m_program); }); });
    return std::nullopt;
}

std::optional<std::string> Runner::start_second_instance()
{
    // The user starts the same executable again: a new process with a program of its own.
    uint32_t process = sim::driver::create_process(sim::process_executable(sim::driver::program_process()));
    auto instance = std::make_unique<runtime::Program>();
    bool has_ended = false;
    {
        sim::ProcessScope scope(process);
        try {
            instance->dispatch([&] { start_kelmor(*instance); });
        } catch (const sim::ProcessExit&) {
            has_ended = true;
            instance.reset();
        }
    }
    if (!has_ended)
        m_other_instances.emplace_back(process, std::move(instance));
    sim::driver::pump();
    return std::nullopt;
}

bool Runner::is_program_running() const
{
    return m_program && sim::driver::is_process_alive(sim::driver::program_process());
}

std::optional<std::string> Runner::quit_program()
{
    if (!is_program_running() || !m_program->is_loaded<frmGethWnd>())
        return "Kelmor is not running";
    auto icon = program_tray_icon();
    if (!icon)
        return "Kelmor has no icon in the notification area";
    // As a user quits: a right click on the icon, then "Exit Kelmor" in its menu.
    size_t menus_before = shown_menu_count();
    sim::driver::choose_menu_item("Exit Kelmor");
    click_tray_icon(*icon, "RIGHT");
    if (shown_menu_count() == menus_before) {
        sim::driver::clear_modal_answers();
        return "the icon's menu did not open";
    }
    return std::nullopt;
}

std::optional<size_t> Runner::program_tray_icon() const
{
    const auto& icons = sim::tray_icons();
    for (size_t index = 0; index < icons.size(); ++index) {
        DWORD process = 0;
        GetWindowThreadProcessId(icons[index].owner, &process);
        if (process == sim::driver::program_process())
            return index;
    }
    return std::nullopt;
}

size_t Runner::shown_menu_count()
{
    const auto& history = sim::driver::modal_history();
    return static_cast<size_t>(std::count_if(history.begin(), history.end(),
        [](const sim::driver::ModalRecord& record) { return record.kind == "menu"; }));
}

std::optional<std::string> Runner::close_controller()
{
    if (!is_program_running() || !m_program->is_loaded<frmGethWnd>())
        return "Kelmor is not running";
    // As the controller's close button does: WM_CLOSE, and what follows is delivered.
    sim::driver::close(m_program->form<frmGethWnd>().hWnd());
    return std::nullopt;
}

std::optional<std::string> Runner::end_task()
{
    if (!is_program_running())
        return "Kelmor is not running";
    sim::driver::end_task(sim::driver::program_process());
    return std::nullopt;
}

std::optional<std::string> Runner::log_off()
{
    sim::driver::end_session();
    return std::nullopt;
}

std::optional<std::string> Runner::fault_program(const Command& command)
{
    if (command.arguments[0] != "kelmor")
        return "only \"fault kelmor\" is known";
    uint32_t calls_before = 0;
    if (command.arguments.size() > 1) {
        const std::string& option = command.arguments[1];
        auto count = option.rfind("after=", 0) == 0 ? parse_number(option.substr(6)) : std::nullopt;
        if (!count || *count < 0 || *count > UINT32_MAX)
            return "expects after=N, a number of calls, not \"" + option + "\"";
        calls_before = static_cast<uint32_t>(*count);
    }
    if (!is_program_running())
        return "Kelmor is not running";
    sim::driver::fault_next_call(sim::driver::program_process(), calls_before);
    return std::nullopt;
}

ProgramFacts Runner::program_facts() const
{
    ProgramFacts facts;
    facts.is_started = m_program != nullptr;
    facts.is_running = is_program_running();
    facts.running_instances = facts.is_running ? 1 : 0;
    for (auto& [process, instance] : m_other_instances)
        facts.running_instances += sim::driver::is_process_alive(process) ? 1 : 0;
    if (!facts.is_running)
        return facts;
    for (runtime::Form* form : m_program->forms()) {
        if (form->Name() == "frmTrans")
            ++facts.border_count;
    }
    if (!m_program->is_loaded<frmWinMgr>())
        return facts;
    const runtime::ListBox& rows = m_program->form<frmWinMgr>().List1;
    for (int row = 0; row < rows.ListCount(); ++row)
        facts.window_manager_rows.push_back(rows.List(row));
    return facts;
}

std::optional<std::string> Runner::program_form_window(const std::string& name, HWND& window) const
{
    if (!is_program_running())
        return "Kelmor is not running";
    std::vector<runtime::Form*> named;
    for (runtime::Form* form : m_program->forms()) {
        if (form->Name() == name)
            named.push_back(form);
    }
    if (named.empty())
        return "Kelmor has no form " + name + " loaded";
    if (named.size() > 1)
        return "Kelmor has " + std::to_string(named.size()) + " forms " + name + " loaded; name one by its window";
    window = named.front()->hWnd();
    if (!window)
        return name + " has no window";
    return std::nullopt;
}

std::optional<std::string> Runner::program_control_facts(HWND form_window, const std::string& name, int index,
    ControlFacts& facts) const
{
    runtime::Control* control = nullptr;
    if (auto error = find_program_control(form_window, name, index, control))
        return error;
    facts = control_facts_of(*control, control->form());
    return std::nullopt;
}

std::optional<std::string> Runner::find_program_control(HWND form_window, const std::string& name, int index,
    runtime::Control*& found) const
{
    if (!is_program_running())
        return "Kelmor is not running";
    for (runtime::Form* form : m_program->forms()) {
        if (form->hWnd() != form_window)
            continue;
        for (runtime::Control* control : form->controls()) {
            if (control->Name() == name && control->Index() == index) {
                found = control;
                return std::nullopt;
            }
        }
        return form->Name() + " has no control " + name + (index >= 0 ? "(" + std::to_string(index) + ")" : "")
            + (index < 0 && is_control_array(*form, name) ? "; it is a control array: name one as " + name + "(N)" : "");
    }
    return "the window is not one of Kelmor's forms";
}

std::optional<std::string> Runner::press_control(const ControlPath& path)
{
    HWND form_window = nullptr;
    if (auto error = program_form_window(path.form, form_window))
        return error;
    runtime::Control* control = nullptr;
    if (auto error = find_program_control(form_window, path.control, path.index, control))
        return error;
    std::string name = path.form + "." + path.control;
    HWND window = control->hWnd();
    if (!window)
        return name + " has no window to click";
    // A disabled control takes no click, as on the screen.
    if (!IsWindowEnabled(window) || !IsWindowEnabled(form_window))
        return name + " is disabled";
    // The button goes down and up in the middle of the control, as the mouse does there.
    RECT client {};
    GetClientRect(window, &client);
    LPARAM middle = MAKELPARAM((client.right - client.left) / 2, (client.bottom - client.top) / 2);
    sim::driver::run_program([&] {
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, middle);
        SendMessageA(window, WM_LBUTTONUP, 0, middle);
    });
    sim::driver::pump();
    return std::nullopt;
}

}
