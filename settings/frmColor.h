// frmColor: the colour picker window.
#pragma once

#include "runtime/forms.h"

class frmColor : public runtime::Form {
public:
    explicit frmColor(runtime::Program& program);
};
