// frmCAM: the webcam reflection window. Its timer tmrMain is the webcam loop's one pause switch.
#pragma once

#include "runtime/forms.h"

class frmCAM : public runtime::Form {
public:
    explicit frmCAM(runtime::Program& program);

    runtime::Timer tmrMain { *this, "tmrMain" };
    // The composite the borders copy into their captions, and the caption image of the border
    // that rendered last, which the frame is blended over.
    runtime::PictureBox picDestination { *this, "picDestination" };
    runtime::PictureBox picSource { *this, "picSource" };

    // Stops the webcam capture.
    void Command2_Click();
};
