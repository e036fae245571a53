#include "runtime/program.h"

#include "runtime/form.h"
#include "runtime/window_classes.h"

#include <algorithm>
#include <exception>

namespace runtime {

namespace {

// The program that handles the faults of each process: one on Windows; several processes share
// the simulated desktop.
std::map<DWORD, Program*>& fault_handlers()
{
    static std::map<DWORD, Program*> handlers;
    return handlers;
}

}

Program::Program() = default;

Program::~Program()
{
    std::erase_if(fault_handlers(), [this](auto& entry) { return entry.second == this; });
    // The program goes without unload events: windows first, while every object is still there.
    ++m_dispatch_depth;
    for (auto it = m_forms.rbegin(); it != m_forms.rend(); ++it)
        (*it)->destroy_windows();
    if (m_owner_window)
        DestroyWindow(m_owner_window);
    m_forms.clear();
    m_unloaded_forms.clear();
    m_single_instances.clear();
}

std::vector<Form*> Program::forms() const
{
    std::vector<Form*> loaded;
    for (auto& form : m_forms)
        loaded.push_back(form.get());
    return loaded;
}

bool Program::is_in_collection(const Form& form) const
{
    return std::any_of(m_forms.begin(), m_forms.end(), [&](auto& loaded) { return loaded.get() == &form; });
}

void Program::load(std::unique_ptr<Form> owned)
{
    Form& form = *owned;
    m_forms.push_back(std::move(owned));
    form.create_windows();
    form.m_is_loaded = true;
    dispatch([&] { form.Form_Load(); });
}

void Program::show_startup(Form& form)
{
    dispatch([&] { form.Show(); });
}

bool Program::unload(Form& form, UnloadMode mode)
{
    if (!is_in_collection(form) || !form.m_is_loaded || form.m_is_unloading)
        return true;
    // An Unload of the same form from inside its unload handlers is the unload under way.
    form.m_is_unloading = true;
    int cancel = 0;
    dispatch([&] { form.Form_QueryUnload(cancel, mode); });
    if (!cancel)
        dispatch([&] { form.Form_Unload(cancel); });
    form.m_is_unloading = false;
    if (cancel || !is_in_collection(form))
        return cancel == 0;
    form.m_is_loaded = false;
    form.destroy_windows();
    auto it = std::find_if(m_forms.begin(), m_forms.end(), [&](auto& loaded) { return loaded.get() == &form; });
    m_unloaded_forms.push_back(std::move(*it));
    m_forms.erase(it);
    std::erase_if(m_single_instances, [&](auto& entry) { return entry.second == &form; });
    if (m_dispatch_depth == 0)
        free_unloaded_forms();
    if (m_forms.empty() && m_is_running_message_loop)
        PostQuitMessage(0);
    return true;
}

void Program::free_unloaded_forms()
{
    auto unloaded = std::move(m_unloaded_forms);
    m_unloaded_forms.clear();
}

void Program::set_fatal_hook(std::function<void(const Error&)> hook)
{
    m_fatal_hook = std::move(hook);
    fault_handlers()[GetCurrentProcessId()] = this;
    SetUnhandledExceptionFilter(on_unhandled_exception);
}

LONG WINAPI Program::on_unhandled_exception(PEXCEPTION_POINTERS exception)
{
    auto it = fault_handlers().find(GetCurrentProcessId());
    if (it == fault_handlers().end())
        return EXCEPTION_CONTINUE_SEARCH;
    Program& program = *it->second;
    // A second fault while the first is handled ends the process at once.
    if (program.m_is_ending_on_fault)
        return EXCEPTION_EXECUTE_HANDLER;
    program.m_is_ending_on_fault = true;
    DWORD code = exception && exception->ExceptionRecord ? exception->ExceptionRecord->ExceptionCode : 0;
    program.report_unhandled(Error {static_cast<long>(code), "Fault in the program"});
    return EXCEPTION_EXECUTE_HANDLER;
}

void Program::report_unhandled(const Error& error)
{
    m_last_unhandled_error = error;
    if (m_fatal_hook) {
        m_fatal_hook(error);
        return;
    }
    End();
}

void Program::request_end()
{
    if (m_end_request_hook) {
        dispatch([&] { m_end_request_hook(); });
        return;
    }
    End();
}

void Program::End()
{
    ExitProcess(0);
}

int Program::run_message_loop()
{
    m_is_running_message_loop = true;
    if (m_forms.empty())
        return 0;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

HWND Program::owner_window()
{
    if (m_owner_window)
        return m_owner_window;
    register_window_classes();
    m_owner_window = CreateWindowExA(0, OwnerWindowClass, m_app.Title().c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
        program_instance(), this);
    return m_owner_window;
}

Program::DispatchScope::DispatchScope(Program& program)
    : m_program(program)
{
    ++m_program.m_dispatch_depth;
}

Program::DispatchScope::~DispatchScope()
{
    --m_program.m_dispatch_depth;
    if (m_program.m_dispatch_depth == 0 && std::uncaught_exceptions() == 0)
        m_program.free_unloaded_forms();
}

}
