#include "platform/sim/user/window_class.h"

#include "platform/sim/desktop.h"
#include "platform/sim/letter_case.h"
#include "platform/sim/user/process_table.h"
#include "platform/sim/user/system_controls.h"

#include <map>

namespace sim {

namespace {

struct RegisteredClass {
    ATOM atom = 0;
    std::shared_ptr<WindowClass> window_class;
};

std::map<std::string, RegisteredClass> g_classes;
ATOM g_next_atom = 0xC000;

void register_system_classes()
{
    for (const char* name : {"Edit", "Static", "Button"}) {
        WindowClass window_class;
        window_class.name = name;
        window_class.procedure = system_control_procedure;
        window_class.style = CS_DBLCLKS;
        window_class.background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        window_class.process_id = 0;
        register_class(window_class);
    }
    // The dialog boxes' own class: the system's message boxes and common dialogs are made of it.
    WindowClass dialog_class;
    dialog_class.name = "#32770";
    dialog_class.procedure = DefWindowProcA;
    dialog_class.style = CS_DBLCLKS | CS_SAVEBITS;
    dialog_class.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    register_class(dialog_class);
}

}

std::string class_name_text(LPCSTR name)
{
    if (!name)
        return {};
    if (!IS_INTRESOURCE(name))
        return name;
    ATOM atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name));
    for (auto& [key, entry] : g_classes)
        if (entry.atom == atom)
            return entry.window_class->name;
    return {};
}

std::shared_ptr<WindowClass> find_class(LPCSTR name)
{
    ensure_desktop();
    auto it = g_classes.find(folded_case(class_name_text(name)));
    return it == g_classes.end() ? nullptr : it->second.window_class;
}

ATOM register_class(const WindowClass& window_class)
{
    ensure_desktop();
    auto key = folded_case(window_class.name);
    if (key.empty() || !window_class.procedure || g_classes.count(key))
        return 0;
    ATOM atom = g_next_atom++;
    g_classes[key] = RegisteredClass {atom, std::make_shared<WindowClass>(window_class)};
    return atom;
}

bool unregister_class(LPCSTR name)
{
    return g_classes.erase(folded_case(class_name_text(name))) != 0;
}

void reset_window_classes()
{
    g_classes.clear();
    g_next_atom = 0xC000;
    register_system_classes();
}

}
