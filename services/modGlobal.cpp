#include "services/modGlobal.h"

#include "runtime/error.h"
#include "runtime/statements.h"
#include "runtime/text_file.h"
#include "services/modAPI.h"
#include "services/window_answers.h"

#include <algorithm>
#include <vector>

namespace {

// A hung window is not waited for at all, a busy one only briefly (see window_answers.h).
constexpr UINT answer_flags = SMTO_BLOCK | SMTO_ABORTIFHUNG;
// Texts longer than this are cut: a window that reports an absurd length cannot exhaust memory.
constexpr LRESULT longest_text = 1 << 20;
constexpr double seconds_per_day = 86400;

// False for a window that is gone; a window that is there but gives no answer in time fails the
// statement.
bool ask_window(HWND window, UINT message, WPARAM wparam, LPARAM lparam, DWORD_PTR& answer)
{
    if (SendMessageTimeoutA(window, message, wparam, lparam, answer_flags, AnswerLimitMs, &answer))
        return true;
    if (IsWindow(window))
        runtime::raise(runtime::ErrRequestTimedOut, "The window did not answer");
    return false;
}

}

std::string GetCaption(HWND hWnd)
{
    std::string buffer(LongestCaption + 1, ' ');
    int count = GetWindowTextA(hWnd, buffer.data(), static_cast<int>(LongestCaption + 1));
    buffer.resize(static_cast<size_t>(std::clamp(count, 0, static_cast<int>(LongestCaption))));
    return buffer;
}

std::string GetControlText(HWND hWnd)
{
    DWORD_PTR reported_length = 0;
    if (!ask_window(hWnd, WM_GETTEXTLENGTH, 0, 0, reported_length))
        return {};
    LRESULT length = std::clamp(static_cast<LRESULT>(reported_length), LRESULT(0), longest_text);
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    DWORD_PTR copied = 0;
    if (!ask_window(hWnd, WM_GETTEXT, static_cast<WPARAM>(buffer.size()), reinterpret_cast<LPARAM>(buffer.data()), copied))
        return {};
    // The window says how much it copied; a length reported larger than the text (as Windows
    // allows) or a text that shrank in between leaves no padding behind the text.
    size_t count = std::min(static_cast<size_t>(copied), static_cast<size_t>(length));
    return std::string(buffer.data(), std::find(buffer.data(), buffer.data() + count, '\0'));
}

bool ActivateWindow(HWND hWnd)
{
    // Each step below sends to the window and waits for it: one that does not answer is left as it is.
    if (!IsAnswering(hWnd))
        return false;
    WINDOWPLACEMENT placement {};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(hWnd, &placement))
        return false;
    if (placement.showCmd == SW_SHOWMINIMIZED) {
        placement.flags = 0;
        placement.showCmd = SW_SHOWNORMAL;
        return SetWindowPlacement(hWnd, &placement) != 0;
    }
    SetForegroundWindow(hWnd);
    return BringWindowToTop(hWnd) != 0;
}

void Pause(float Seconds)
{
    // Elapsed time adds up the steps between readings of the time of day, so that midnight, where
    // the time of day starts again at 0, only adds a day to that one step.
    double elapsed = 0;
    double last = runtime::SecondsSinceMidnight();
    for (;;) {
        runtime::DoEvents();
        double now = runtime::SecondsSinceMidnight();
        double step = now - last;
        if (step < 0)
            step += seconds_per_day;
        elapsed += step;
        last = now;
        // Written so that a wait of no number (NaN) ends too.
        if (!(elapsed < Seconds))
            return;
    }
}

void SetTopMost(HWND hWnd, bool OnTop)
{
    SetWindowPos(hWnd, OnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
        SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void ReleaseTopMost(HWND hWnd, bool Release)
{
    SetWindowPos(hWnd, Release ? HWND_NOTOPMOST : HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

std::string GetWallpaperPath()
{
    runtime::Variant path;
    if (!RegQueryValue(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper", path))
        return {};
    if (path.is_empty())
        return {};
    return path.to_string();
}

void ShellOpen(HWND hWnd, const std::string& Target)
{
    ShellExecuteA(hWnd, "Open", Target.c_str(), "", "", SW_SHOWMAXIMIZED);
}

bool FileExists(const std::string& Path)
{
    return runtime::FileExists(Path);
}

std::string GetWindowsFolder()
{
    char buffer[MAX_PATH] = {};
    UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        runtime::raise(runtime::ErrPathNotFound, "Path not found");
    std::string folder(buffer, length);
    if (folder.back() == '\\')
        folder.pop_back();
    return folder;
}
