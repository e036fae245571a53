// Form1: the one top-most window that shows the glow around a hovered caption button of any border.
#pragma once

#include "runtime/forms.h"

class Form1 : public runtime::Form {
public:
    explicit Form1(runtime::Program& program);

    // Releases the glow picture shown at present, when there is one.
    void HideGlow();
};
