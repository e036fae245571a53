// frmGethWnd: the controller. It starts the system, polls the desktop for newly opened windows,
// adopts each into a border window, and at quit gives every adopted window back.
#pragma once

#include "runtime/forms.h"

#include <array>
#include <string>

class frmGethWnd : public runtime::Form {
public:
    explicit frmGethWnd(runtime::Program& program);

    // The window list: handle text, title and process id text of each qualifying window.
    runtime::ControlArray<runtime::ListBox> List1 { *this, "List1", 3 };
    runtime::Timer Timer4 { *this, "Timer4" };
    runtime::Timer Timer2 { *this, "Timer2" };

    // The notification-area icon's menu.
    runtime::Menu TrayMenu { *this, "TrayMenu" };
    runtime::Menu TrayMenu_Enabled { TrayMenu, "TrayMenu_Enabled", "Enabled" };
    runtime::Menu TrayMenu_Colors { TrayMenu, "TrayMenu_Colors", "Colors" };
    runtime::Menu TrayMenu_Preferences { TrayMenu, "TrayMenu_Preferences", "Preferences" };
    runtime::Menu TrayMenu_Windowmanager { TrayMenu, "TrayMenu_Windowmanager", "Windowmanager" };
    runtime::Menu mnu1 { TrayMenu, "mnu1", "-" };
    runtime::Menu TrayMenu_End { TrayMenu, "TrayMenu_End", "Exit Kelmor" };

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    // The notification-area icon's callbacks arrive as mouse moves whose X is the mouse message.
    void Form_MouseMove(int Button, int Shift, float X, float Y) override;

    void TrayMenu_Enabled_Click();
    void TrayMenu_Colors_Click();
    void TrayMenu_Preferences_Click();
    void TrayMenu_Windowmanager_Click();
    void TrayMenu_End_Click();

    void Command7_Click();
    void Command1_Click();
    void FillWindowList();
    void AddWindowToList(HWND hWnd);
    void Timer4_Timer();
    void Timer2_Timer();
    void CreateNewWindow(HWND XhWnd, const DWORD& iTaskID);

    const std::string& window_snapshot() const { return OldWinList; }

protected:
    // A shell that starts anew tells every window "TaskbarCreated": the icon is added again.
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    void wire_tray_menu();
    void copy_missing_control_files();
    // WinList from the window list's handle texts.
    void build_snapshot();
    void load_singletons();
    // Adopts one handle of the snapshot that is new, unless its program or title is excluded.
    // What became of a new window: adopted, passed over for good, or left for a later tick because
    // its program did not answer (nothing may be sent to it that waits for it).
    enum class Adoption { Adopted, PassedOver, Deferred };
    Adoption adopt_if_allowed(const std::string& handle);
    bool is_excluded(const std::string& exe) const;
    // The screen rectangle a new border takes from its target.
    static RECT adoption_rectangle(HWND window);
    // The program's own windows that the window list leaves out.
    std::array<HWND, 9> own_windows();

    int FadeLevel = 100;
    std::string WinList = ":";
    std::string OldWinList;
    int WinCount = 0;
    int OldWinCount = 0;
    int NewWinIndex = 0;
    bool m_is_polling = false;
    // The program is ending: the poll and the adoption stand still.
    bool m_is_ending = false;
    UINT m_taskbar_created = RegisterWindowMessageA("TaskbarCreated");
};

// Gives every adopted window whose program answers back to the desktop: each such border window
// releases its target.
void release_all_borders(runtime::Program& program);
// Gives back every border's window, waiting for each one whose program does not answer until it does.
void release_borders_once_answering(runtime::Program& program);

// Ends the program the quit routine's way, also when the controller is not there (yet).
void end_kelmor(runtime::Program& program);
