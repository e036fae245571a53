// frmFlipImage: the hidden window whose pictures turn the webcam frames.
#pragma once

#include "runtime/forms.h"

class frmFlipImage : public runtime::Form {
public:
    explicit frmFlipImage(runtime::Program& program);
};
