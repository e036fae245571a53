// The running program: everything one instance of the program owns hangs off this object.
#pragma once

#include "runtime/app_object.h"
#include "runtime/clipboard_object.h"
#include "runtime/error.h"
#include "runtime/screen_object.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <typeindex>
#include <vector>

namespace runtime {

class Form;

// How a form came to be unloaded, as Form_QueryUnload receives it.
enum UnloadMode : int {
    vbFormControlMenu = 0,
    vbFormCode = 1,
    vbAppWindows = 2,
    vbAppTaskManager = 3,
};

class Program {
public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The single instance of a form, loaded (and its Form_Load run) on first touch.
    template<typename F>
    F& form()
    {
        if (auto it = m_single_instances.find(typeid(F)); it != m_single_instances.end())
            return static_cast<F&>(*it->second);
        auto owned = std::make_unique<F>(*this);
        F& instance = *owned;
        m_single_instances[typeid(F)] = &instance;
        load(std::move(owned));
        return instance;
    }

    // Whether the single instance of a form is loaded, without loading it.
    template<typename F>
    bool is_loaded() const
    {
        return m_single_instances.count(typeid(F)) != 0;
    }

    // A new, separate instance of a form (one per border window), loaded at once.
    template<typename F>
    F& load_new()
    {
        auto owned = std::make_unique<F>(*this);
        F& instance = *owned;
        load(std::move(owned));
        return instance;
    }

    // Loads the startup form and shows it, as the program's start does on every platform.
    template<typename F>
    F& start()
    {
        F& startup = form<F>();
        if (is_in_collection(startup))
            show_startup(startup);
        return startup;
    }

    // The loaded forms in load order.
    std::vector<Form*> forms() const;
    bool is_in_collection(const Form& form) const;

    // Unloads a form: Form_QueryUnload and Form_Unload may cancel it; otherwise its window goes
    // and it leaves the collection. The object itself is freed only when no event handler is
    // running any more, so code of the form still on the stack stays valid.
    bool unload(Form& form, UnloadMode mode = vbFormCode);

    // Program-wide variables of a module: one default-made object of each type per program.
    template<typename T>
    T& module()
    {
        auto& slot = m_modules[typeid(T)];
        if (!slot)
            slot = std::make_shared<T>();
        return *static_cast<T*>(slot.get());
    }

    AppObject& App() { return m_app; }
    ScreenObject& Screen() { return m_screen; }
    ClipboardObject& Clipboard() { return m_clipboard; }

    // What happens to an error that an event handler lets through, and to a fault (an access
    // violation) anywhere in the process; by default it is recorded and the program ends. Setting
    // it registers the program's unhandled-exception filter with the system.
    void set_fatal_hook(std::function<void(const Error&)> hook);
    const std::optional<Error>& last_unhandled_error() const { return m_last_unhandled_error; }

    // Runs an event handler: an error it lets through goes to the fatal hook, never further.
    template<typename Handler>
    void dispatch(Handler&& handler)
    {
        DispatchScope scope(*this);
        try {
            handler();
        } catch (const Error& error) {
            report_unhandled(error);
        }
    }

    // What happens when the system asks the whole program to end from outside (its hidden owner
    // window is closed, as the task list does, or the session ends); by default the program ends.
    void set_end_request_hook(std::function<void()> hook) { m_end_request_hook = std::move(hook); }
    void request_end();

    // The End statement: the process ends at once, no unload handler runs.
    void End();

    // The message loop of the Windows program; returns when the last form has been unloaded.
    int run_message_loop();

    // The hidden window that owns the forms kept out of the taskbar.
    HWND owner_window();

    // Marks that an event handler runs; unloaded forms are freed when the outermost one ends.
    class DispatchScope {
    public:
        explicit DispatchScope(Program& program);
        ~DispatchScope();
        DispatchScope(const DispatchScope&) = delete;
        DispatchScope& operator=(const DispatchScope&) = delete;

    private:
        Program& m_program;
    };

private:
    void load(std::unique_ptr<Form> form);
    void show_startup(Form& form);
    void report_unhandled(const Error& error);
    void free_unloaded_forms();
    static LONG WINAPI on_unhandled_exception(PEXCEPTION_POINTERS exception);

    AppObject m_app;
    ScreenObject m_screen;
    ClipboardObject m_clipboard;
    std::vector<std::unique_ptr<Form>> m_forms;
    std::map<std::type_index, Form*> m_single_instances;
    std::vector<std::unique_ptr<Form>> m_unloaded_forms;
    std::map<std::type_index, std::shared_ptr<void>> m_modules;
    std::function<void(const Error&)> m_fatal_hook;
    std::function<void()> m_end_request_hook;
    std::optional<Error> m_last_unhandled_error;
    HWND m_owner_window = nullptr;
    int m_dispatch_depth = 0;
    bool m_is_running_message_loop = false;
    bool m_is_ending_on_fault = false;
};

}
