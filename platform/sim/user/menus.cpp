#include "platform/sim/user/menus.h"

#include "platform/sim/letter_case.h"
#include "platform/sim/user/message_queue.h"
#include "platform/sim/user/modal_script.h"
#include "platform/sim/user/process_faults.h"
#include "platform/sim/user/window_tree.h"

namespace sim {

namespace {

MenuItem* find_item(Menu& menu, UINT item, UINT flags)
{
    if (flags & MF_BYPOSITION)
        return item < menu.items.size() ? &menu.items[item] : nullptr;
    for (auto& entry : menu.items)
        if (entry.id == item && !(entry.flags & MF_SEPARATOR))
            return &entry;
    return nullptr;
}

bool is_choosable(const MenuItem& item)
{
    return !(item.flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED | MF_POPUP));
}

std::string describe(const Menu& menu)
{
    std::string text;
    for (auto& item : menu.items) {
        if (!text.empty())
            text += "|";
        if (item.flags & MF_SEPARATOR) {
            text += "-";
            continue;
        }
        if (item.flags & MF_CHECKED)
            text += "[x] ";
        text += visible_text(item.text);
    }
    return text;
}

const MenuItem* chosen_item(const Menu& menu, const ModalAnswer& answer)
{
    if (answer.kind == ModalAnswer::Kind::MenuPosition) {
        if (answer.number < 0 || static_cast<size_t>(answer.number) >= menu.items.size())
            return nullptr;
        return &menu.items[answer.number];
    }
    for (auto& item : menu.items)
        if (!(item.flags & MF_SEPARATOR) && folded_case(visible_text(item.text)) == folded_case(answer.text))
            return &item;
    return nullptr;
}

// The modal loop of a pop-up menu: the scripted answer picks an item; no answer, an unknown item,
// a separator or a disabled item cancels.
UINT_PTR track_menu(HMENU handle, UINT flags, HWND owner)
{
    Menu* menu = find_menu(handle);
    if (!menu || !find_window(owner))
        return 0;
    bool notifies = !(flags & TPM_NONOTIFY);
    if (notifies) {
        deliver(owner, WM_ENTERMENULOOP, TRUE, 0);
        deliver(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(handle), 0);
    }
    menu = find_menu(handle);
    std::string items = menu ? describe(*menu) : std::string();
    auto answer = take_modal_answer({ModalAnswer::Kind::MenuText, ModalAnswer::Kind::MenuPosition});
    menu = find_menu(handle);
    const MenuItem* item = menu && answer ? chosen_item(*menu, *answer) : nullptr;
    UINT_PTR id = item && is_choosable(*item) ? item->id : 0;
    record_modal("menu", items, id ? visible_text(item->text) : "cancel");
    if (notifies && find_window(owner))
        deliver(owner, WM_EXITMENULOOP, TRUE, 0);
    return id;
}

}

Menu* find_menu(HMENU menu)
{
    return handles().find<Menu>(menu);
}

std::string visible_text(const std::string& text)
{
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            result += text[++i];
            continue;
        }
        result += text[i];
    }
    return result;
}

}

using namespace sim;

HMENU WINAPI CreateMenu(void)
{
    sim::ApiCall api_call;
    return reinterpret_cast<HMENU>(handles().add(std::make_unique<Menu>()));
}

HMENU WINAPI CreatePopupMenu(void)
{
    sim::ApiCall api_call;
    auto menu = std::make_unique<Menu>();
    menu->is_popup = true;
    return reinterpret_cast<HMENU>(handles().add(std::move(menu)));
}

BOOL WINAPI DestroyMenu(HMENU hMenu)
{
    sim::ApiCall api_call{sim::CallKind::release};
    if (!find_menu(hMenu))
        return FALSE;
    handles().remove(hMenu);
    return TRUE;
}

BOOL WINAPI AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem)
{
    sim::ApiCall api_call;
    Menu* menu = find_menu(hMenu);
    if (!menu)
        return FALSE;
    MenuItem item;
    item.flags = uFlags;
    item.id = uIDNewItem;
    if (!(uFlags & MF_SEPARATOR) && lpNewItem)
        item.text = lpNewItem;
    menu->items.push_back(std::move(item));
    return TRUE;
}

DWORD WINAPI CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck)
{
    sim::ApiCall api_call;
    Menu* menu = find_menu(hMenu);
    MenuItem* item = menu ? find_item(*menu, uIDCheckItem, uCheck) : nullptr;
    if (!item)
        return static_cast<DWORD>(-1);
    DWORD previous = item->flags & MF_CHECKED;
    item->flags = (item->flags & ~MF_CHECKED) | (uCheck & MF_CHECKED);
    return previous;
}

BOOL WINAPI EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable)
{
    sim::ApiCall api_call;
    Menu* menu = find_menu(hMenu);
    MenuItem* item = menu ? find_item(*menu, uIDEnableItem, uEnable) : nullptr;
    if (!item)
        return -1;
    BOOL previous = static_cast<BOOL>(item->flags & (MF_GRAYED | MF_DISABLED));
    item->flags = (item->flags & ~(MF_GRAYED | MF_DISABLED)) | (uEnable & (MF_GRAYED | MF_DISABLED));
    return previous;
}

int WINAPI GetMenuItemCount(HMENU hMenu)
{
    sim::ApiCall api_call;
    Menu* menu = find_menu(hMenu);
    return menu ? static_cast<int>(menu->items.size()) : -1;
}

BOOL WINAPI TrackPopupMenu(HMENU hMenu, UINT uFlags, int, int, int, HWND hWnd, const RECT*)
{
    sim::ApiCall api_call;
    UINT_PTR id = track_menu(hMenu, uFlags, hWnd);
    if (uFlags & TPM_RETURNCMD)
        return static_cast<BOOL>(id);
    if (id)
        post_message(hWnd, WM_COMMAND, id, 0);
    return TRUE;
}

BOOL WINAPI TrackPopupMenuEx(HMENU hMenu, UINT uFlags, int x, int y, HWND hwnd, LPTPMPARAMS)
{
    sim::ApiCall api_call;
    return TrackPopupMenu(hMenu, uFlags, x, y, 0, hwnd, nullptr);
}
