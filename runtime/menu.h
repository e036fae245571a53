// Menu: a pop-up menu of a form and its items. An item captioned "-" is a separator; checked and
// disabled items show as such. PopupMenu opens the menu at the mouse and raises the chosen item's Click.
#pragma once

#include "runtime/control.h"

#include <string>
#include <vector>

namespace runtime {

class Menu {
public:
    // A menu of the form (not shown in a menu bar) or an item of a menu.
    Menu(Form& form, std::string name, std::string caption = {});
    Menu(Menu& parent, std::string name, std::string caption);
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    const std::string& Name() const { return m_name; }
    Form& form() const { return m_form; }
    const std::string& Caption() const { return m_caption; }
    void Caption(std::string caption) { m_caption = std::move(caption); }
    bool Checked() const { return m_is_checked; }
    void Checked(bool checked) { m_is_checked = checked; }
    bool Enabled() const { return m_is_enabled; }
    void Enabled(bool enabled) { m_is_enabled = enabled; }
    bool Visible() const { return m_is_visible; }
    void Visible(bool visible) { m_is_visible = visible; }
    const std::vector<Menu*>& items() const { return m_items; }

    EventHandler on_click;

    // Opens the menu at the mouse position, owned by a window of the program; a chosen item raises
    // its Click after the menu has closed. Returns the chosen item, or none when cancelled.
    Menu* popup(HWND owner);

private:
    Form& m_form;
    std::string m_name;
    std::string m_caption;
    std::vector<Menu*> m_items;
    bool m_is_checked = false;
    bool m_is_enabled = true;
    bool m_is_visible = true;
};

// The PopupMenu statement: opens a menu as a pop-up of a form.
void PopupMenu(Form& form, Menu& menu);

}
