#include "runtime/window_classes.h"

#include "runtime/control.h"
#include "runtime/program.h"

#include <cstring>

namespace runtime {

HINSTANCE program_instance()
{
    return GetModuleHandleA(nullptr);
}

void register_window_classes()
{
    // Registering again is refused harmlessly; a fresh desktop (as tests make) has no classes yet.
    struct ClassEntry {
        const char* name;
        WNDPROC procedure;
    };
    const ClassEntry classes[] = { { FormWindowClass, control_window_procedure },
        { ControlWindowClass, control_window_procedure }, { OwnerWindowClass, owner_window_procedure } };
    for (auto [name, procedure] : classes) {
        WNDCLASSEXA window_class;
        std::memset(&window_class, 0, sizeof window_class);
        window_class.cbSize = sizeof window_class;
        window_class.style = CS_DBLCLKS | CS_OWNDC;
        window_class.lpfnWndProc = procedure;
        window_class.hInstance = program_instance();
        window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        window_class.lpszClassName = name;
        RegisterClassExA(&window_class);
    }
}

LRESULT CALLBACK control_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
        auto* control = static_cast<Control*>(create->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
        if (control)
            control->m_window = window;
        return DefWindowProcA(window, message, wparam, lparam);
    }
    auto* control = reinterpret_cast<Control*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!control)
        return DefWindowProcA(window, message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        control->m_window = nullptr;
        return DefWindowProcA(window, message, wparam, lparam);
    }
    // The message is handled as an event: forms unloaded meanwhile are freed only after it, and
    // an error nothing handled goes to the program's fatal hook, never back into the window system.
    LRESULT result = 0;
    control->program().dispatch([&] { result = control->handle_message(message, wparam, lparam); });
    return result;
}

LRESULT CALLBACK owner_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        return DefWindowProcA(window, message, wparam, lparam);
    }
    auto* program = reinterpret_cast<Program*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!program)
        return DefWindowProcA(window, message, wparam, lparam);
    switch (message) {
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        break;
    case WM_CLOSE:
        // Closing this window would destroy every form it owns without their unload code: the
        // program ends in order instead, so that every window it holds is given back first.
        program->request_end();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wparam)
            program->request_end();
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

}
