// frmCAM: the webcam reflection window. Its timer tmrMain is the webcam loop's one pause switch.
#pragma once

#include "runtime/forms.h"

class frmCAM : public runtime::Form {
public:
    explicit frmCAM(runtime::Program& program);

    runtime::Timer tmrMain { *this, "tmrMain" };

    // Stops the webcam capture.
    void Command2_Click();
};
