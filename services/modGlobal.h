// modGlobal: the program-wide variables that every form reads, small helpers over windows, and
// small shell helpers: the wallpaper's path, opening documents, files and the Windows folder.
#pragma once

#include "platform/win32.h"
#include "runtime/program.h"

#include <string>

// The program-wide variables of one running program. The controller's start-up sets them to
// these values; the settings window's handlers and the border windows change them.
struct Globals {
    bool BrightnessOn = true;
    bool BorderColorOn = true;
    bool BorderColorOff = true;
    bool ReflectionsOn = false;
    bool GlowSuppressed = false;
    int FadeOutStep = 10;
    int FadeInStep = 10;
    int BlurAmount = 8;
    int TransparencyPercent = 0;
    int BorderCount = 0;
    std::string OldWallpaper;
    std::string VersionString;
    std::string ColorSchemeFile;

    // The colour the settings window hands to the colour picker and gets back from it.
    int ColorIndex = 0;
    int ColorR = 0;
    int ColorG = 0;
    int ColorB = 0;
};

inline Globals& globals(runtime::Program& program)
{
    return program.module<Globals>();
}

// Small operations on windows of any process. None of them fails towards the caller: a window
// that is gone gives the empty string or False.

// The longest title a caption shows.
inline constexpr size_t LongestCaption = 254;

// The window's title through GetWindowTextA, at most LongestCaption characters.
std::string GetCaption(HWND hWnd);

// The window's text as the window itself reports it (WM_GETTEXTLENGTH, then WM_GETTEXT). A window
// that is gone gives the empty string; one that exists but does not answer at once (a busy or hung
// application, see window_answers.h) fails the statement, so that its caller keeps the text it has.
std::string GetControlText(HWND hWnd);

// Brings the window to the user: a minimised one is restored to its normal rectangle, any other
// becomes the foreground window and goes to the top. True when the last platform call succeeded; a
// window that does not answer is left as it is (False).
bool ActivateWindow(HWND hWnd);

// Waits Seconds while the message loop keeps running: every pending message is processed at
// least once, also for 0. A wait across midnight ends after Seconds as well.
void Pause(float Seconds);

// Puts the window into the top-most band (OnTop) or takes it out, shown, neither moved, sized nor
// activated.
void SetTopMost(HWND hWnd, bool OnTop);

// Takes the window out of the top-most band (Release) or puts it in, neither moved nor sized; the
// window is also activated.
void ReleaseTopMost(HWND hWnd, bool Release);

// The current user's wallpaper path as RegQueryValue reads it from the profile: the text followed
// by its NUL and one blank (with no wallpaper a NUL and a blank), which SetWallpaper takes back as
// it is. The empty string when the profile holds no wallpaper text.
std::string GetWallpaperPath();

// Asks the shell to open Target (a document or a web address) maximised, on behalf of hWnd.
// Whether the shell managed is not looked at.
void ShellOpen(HWND hWnd, const std::string& Target);

// Whether a file (not a folder) exists at Path.
bool FileExists(const std::string& Path);

// The Windows folder without a trailing "\". Raises ErrPathNotFound when the system cannot tell
// it, so that a caller never builds paths on an empty folder.
std::string GetWindowsFolder();
