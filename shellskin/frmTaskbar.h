// frmTaskbar: the skinned taskbar, created hidden at start-up.
#pragma once

#include "runtime/forms.h"

class frmTaskbar : public runtime::Form {
public:
    explicit frmTaskbar(runtime::Program& program);
};
