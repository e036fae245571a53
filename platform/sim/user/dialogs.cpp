// Message boxes and the common dialogs: modal loops that take their answers from the script.
#include "platform/api/dialogs.h"
#include "platform/api/user.h"

#include "platform/sim/user/modal_script.h"
#include "platform/sim/user/process_faults.h"

#include <cstring>
#include <string>
#include <vector>

using namespace sim;

namespace {

constexpr DWORD buffer_too_small = 0x3003;

DWORD g_dialog_error = 0;

std::vector<int> buttons_of(UINT type)
{
    switch (type & 0x0F) {
    case MB_OKCANCEL:
        return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
        return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
        return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
        return {IDYES, IDNO};
    case MB_RETRYCANCEL:
        return {IDRETRY, IDCANCEL};
    default:
        return {IDOK};
    }
}

bool has_button(const std::vector<int>& buttons, int id)
{
    for (int button : buttons)
        if (button == id)
            return true;
    return false;
}

// Closing a box without choosing answers Cancel where it has one, else its default button.
int closing_answer(UINT type, const std::vector<int>& buttons)
{
    if (has_button(buttons, IDCANCEL))
        return IDCANCEL;
    size_t default_index = (type & MB_DEFBUTTON3) ? 2 : (type & MB_DEFBUTTON2) ? 1 : 0;
    return buttons[default_index < buttons.size() ? default_index : 0];
}

// The window of a dialog while its modal loop runs: a titled pop-up of the calling process, owned
// by the caller's window and centred on the screen, as the system's dialog boxes are. It is shown
// without taking the activation: the focus stays where the caller left it, which is where Windows
// puts it back once the dialog has ended.
class DialogWindow {
public:
    DialogWindow(HWND owner, const std::string& title, int width, int height)
    {
        int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
        m_window = CreateWindowExA(WS_EX_DLGMODALFRAME, "#32770", title.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU,
            left, top, width, height, IsWindow(owner) ? owner : nullptr, nullptr, nullptr, nullptr);
        ShowWindow(m_window, SW_SHOWNOACTIVATE);
    }
    ~DialogWindow() { DestroyWindow(m_window); }
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

private:
    HWND m_window = nullptr;
};

size_t last_position_of(const std::string& text, char c, size_t from)
{
    size_t position = text.rfind(c);
    return position == std::string::npos || position < from ? std::string::npos : position;
}

}

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    sim::ApiCall api_call;
    auto buttons = buttons_of(uType);
    std::string caption = lpCaption ? lpCaption : "Error";
    DialogWindow box(hWnd, caption, 360, 140);
    auto answer = take_modal_answer({ModalAnswer::Kind::MessageBox});
    int result = answer && has_button(buttons, answer->number) ? answer->number : closing_answer(uType, buttons);
    record_modal("message box", caption + ": " + (lpText ? lpText : ""), std::to_string(result));
    return result;
}

BOOL WINAPI ChooseColorA(LPCHOOSECOLORA lpcc)
{
    sim::ApiCall api_call;
    g_dialog_error = 0;
    if (!lpcc)
        return FALSE;
    DialogWindow dialog(lpcc->hwndOwner, "Color", 234, 330);
    auto answer = take_modal_answer({ModalAnswer::Kind::ColorOk, ModalAnswer::Kind::ColorCancel});
    bool is_chosen = answer && answer->kind == ModalAnswer::Kind::ColorOk;
    if (is_chosen)
        lpcc->rgbResult = answer->colour & 0x00FFFFFF;
    record_modal("color dialog", std::to_string(lpcc->rgbResult), is_chosen ? std::to_string(lpcc->rgbResult) : "cancel");
    return is_chosen ? TRUE : FALSE;
}

BOOL WINAPI GetSaveFileNameA(LPOPENFILENAMEA lpofn)
{
    sim::ApiCall api_call;
    g_dialog_error = 0;
    if (!lpofn || !lpofn->lpstrFile)
        return FALSE;
    std::string title = lpofn->lpstrTitle ? lpofn->lpstrTitle : "Save As";
    DialogWindow dialog(lpofn->hwndOwner, title, 560, 400);
    auto answer = take_modal_answer({ModalAnswer::Kind::SaveOk, ModalAnswer::Kind::SaveCancel});
    if (!answer || answer->kind != ModalAnswer::Kind::SaveOk) {
        record_modal("save dialog", title, "cancel");
        return FALSE;
    }
    std::string path = answer->text;
    size_t name_start = last_position_of(path, '\\', 0);
    name_start = name_start == std::string::npos ? 0 : name_start + 1;
    if (last_position_of(path, '.', name_start) == std::string::npos && lpofn->lpstrDefExt && *lpofn->lpstrDefExt)
        path += std::string(".") + lpofn->lpstrDefExt;
    if (path.size() + 1 > lpofn->nMaxFile) {
        // The dialog reports the size it needs in the first two bytes of the buffer.
        if (lpofn->nMaxFile >= 2) {
            WORD needed = static_cast<WORD>(path.size() + 1);
            std::memcpy(lpofn->lpstrFile, &needed, sizeof needed);
        }
        g_dialog_error = buffer_too_small;
        record_modal("save dialog", title, "buffer too small");
        return FALSE;
    }
    std::memcpy(lpofn->lpstrFile, path.c_str(), path.size() + 1);
    size_t extension = last_position_of(path, '.', name_start);
    lpofn->nFileOffset = static_cast<WORD>(name_start);
    lpofn->nFileExtension = static_cast<WORD>(extension == std::string::npos ? 0 : extension + 1);
    if (lpofn->lpstrFileTitle && lpofn->nMaxFileTitle > 0) {
        std::string name = path.substr(name_start).substr(0, lpofn->nMaxFileTitle - 1);
        std::memcpy(lpofn->lpstrFileTitle, name.c_str(), name.size() + 1);
    }
    record_modal("save dialog", title, path);
    return TRUE;
}

DWORD WINAPI CommDlgExtendedError(void)
{
    sim::ApiCall api_call;
    return g_dialog_error;
}
