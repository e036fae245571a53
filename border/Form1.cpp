#include "border/Form1.h"

Form1::Form1(runtime::Program& program)
    : Form(program, "Form1")
{
    BorderStyle(runtime::vbBSNone);
    ShowInTaskbar(false);
    ScaleMode(runtime::vbPixels);
    Move(0, 0, 1335, 780);
}

void Form1::HideGlow()
{
    // FIXME: the glow picture arrives with the caption-button glow; until a glow can be shown
    // there is none to release.
}
