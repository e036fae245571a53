// The webcam loop's pause switch as the tray menu, the window manager, the colour-scheme dialog
// and the border windows use it: paused before they act, running again afterwards only while the
// live reflection is ticked in the settings window.
#pragma once

#include "runtime/program.h"

void PauseWebcamLoop(runtime::Program& program);
void ResumeWebcamLoop(runtime::Program& program);
