#include "border/Form1.h"

#include "services/modGlobal.h"

#include <array>

namespace {

// The glow pictures of the minimise, maximise and close buttons, in the program folder.
constexpr std::array<const char*, 3> GlowFiles { "\\min_glow.cbg", "\\max_glow.cbg", "\\close_glow.cbg" };

}

Form1::Form1(runtime::Program& program)
    : Form(program, "Form1")
{
    BorderStyle(runtime::vbBSNone);
    ShowInTaskbar(false);
    ScaleMode(runtime::vbPixels);
    Move(0, 0, 1335, 780);
}

void Form1::Form_Load()
{
    // Layered before it is ever shown, so that it never appears as an opaque box, and
    // transparent to the mouse and to activation, so that the button under it keeps its clicks.
    HWND window = hWnd();
    SetWindowLongA(window, GWL_EXSTYLE,
        GetWindowLongA(window, GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW);
    if (globals(program()).GlowSuppressed)
        Hide();
}

void Form1::Form_Unload(int&)
{
    HideGlow();
}

void Form1::ShowGlow(int Index, long nLeft, long nTop)
{
    if (globals(program()).GlowSuppressed) {
        Hide();
        return;
    }
    // One layer at a time: the one being replaced gives its picture and GDI+ start-up back.
    HideGlow();
    unsigned request = ++m_glow_changes;
    GlowLayer = std::make_unique<LayeredWindow>();
    runtime::skip_on_error([&] { Move(static_cast<float>(nLeft), static_cast<float>(nTop)); });
    runtime::DoEvents();
    // What ran meanwhile has the newer word: a press or a pointer that left released the glow, or
    // a hover of another button showed its own.
    if (m_glow_changes != request || !GlowLayer)
        return;
    if (Index < 0 || Index >= static_cast<int>(GlowFiles.size()))
        return;
    if (!GlowLayer->MakeTrans(program().App().Path() + GlowFiles[static_cast<size_t>(Index)], *this)) {
        Hide();
        return;
    }
    // Shown without taking the activation from the window the user works in.
    SetWindowPos(hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void Form1::HideGlow()
{
    ++m_glow_changes;
    if (!GlowLayer)
        return;
    GlowLayer->UnloadPNGForm();
    GlowLayer.reset();
}

void Form1::HideAll()
{
    HideGlow();
    Hide();
}
