// frmWinMgr: the window manager. List1 shows the adopted windows' titles, List2 holds their
// handles as text in the same rows, outside the visible area; a row's border is found by its handle.
#pragma once

#include "runtime/forms.h"

#include <string_view>
#include <vector>

class frmTrans;

class frmWinMgr : public runtime::Form {
public:
    explicit frmWinMgr(runtime::Program& program);

    runtime::Label Label2 { *this, "Label2" };
    runtime::LineControl Line2 { *this, "Line2" };
    runtime::LineControl Line1 { *this, "Line1" };
    runtime::ListBox List1 { *this, "List1" };
    // The hover highlight lies under the "Close" label.
    runtime::Shape Shape1 { *this, "Shape1" };
    runtime::ControlArray<runtime::Label> Label1 { *this, "Label1", 1 };
    runtime::ListBox List2 { *this, "List2" };

    runtime::Menu WinMgr_Menu { *this, "WinMgr_Menu" };
    runtime::Menu WinMgr_Show_Window { WinMgr_Menu, "WinMgr_Show_Window", "Show window" };
    runtime::Menu WinMgr_Close_Window { WinMgr_Menu, "WinMgr_Close_Window", "Close window" };

    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_MouseMove(int Button, int Shift, float X, float Y) override;

    void List1_MouseUp(int Button, int Shift, float X, float Y);
    void WinMgr_Show_Window_Click();
    void WinMgr_Close_Window_Click();
    void Label1_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void Label1_MouseMove(int Index, int Button, int Shift, float X, float Y);

    // The row that holds the window handle's text, or -1.
    int row_with_handle(std::string_view handle) const;
    void remove_row(int row);
    void append_row(const std::string& title, const std::string& handle);

private:
    void set_designer_values();
    void wire_events();
    // Hides the window manager and lets the webcam loop run again when the live reflection is on.
    void close_window_manager();
    // The border windows whose target is the window of the selected row.
    std::vector<frmTrans*> borders_of_selected_row() const;
};
