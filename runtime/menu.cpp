#include "runtime/menu.h"

#include "runtime/form.h"

namespace runtime {

Menu::Menu(Form& form, std::string name, std::string caption)
    : m_form(form)
    , m_name(std::move(name))
    , m_caption(std::move(caption))
{
}

Menu::Menu(Menu& parent, std::string name, std::string caption)
    : m_form(parent.m_form)
    , m_name(std::move(name))
    , m_caption(std::move(caption))
{
    parent.m_items.push_back(this);
}

Menu* Menu::popup(HWND owner)
{
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return nullptr;
    // Item identifiers are positions in the item list plus one, so that 0 means cancelled.
    for (size_t position = 0; position < m_items.size(); ++position) {
        Menu& item = *m_items[position];
        if (!item.m_is_visible)
            continue;
        if (item.m_caption == "-") {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING | (item.m_is_checked ? MF_CHECKED : MF_UNCHECKED) | (item.m_is_enabled ? MF_ENABLED : MF_GRAYED);
        AppendMenuA(menu, flags, position + 1, item.m_caption.c_str());
    }
    POINT cursor { 0, 0 };
    GetCursorPos(&cursor);
    // A menu opened for a window that is not in front (a notification-area icon's hidden window)
    // closes when the user clicks elsewhere only if that window is the foreground window, and the
    // next menu opens at once only after a message has reached it.
    SetForegroundWindow(owner);
    int chosen = static_cast<int>(TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
        cursor.x, cursor.y, 0, owner, nullptr));
    PostMessageA(owner, WM_NULL, 0, 0);
    DestroyMenu(menu);
    if (chosen <= 0 || chosen > static_cast<int>(m_items.size()))
        return nullptr;
    return m_items[chosen - 1];
}

void PopupMenu(Form& form, Menu& menu)
{
    Menu* chosen = menu.popup(form.hWnd());
    if (!chosen || !chosen->on_click)
        return;
    form.program().dispatch(chosen->on_click);
}

}
