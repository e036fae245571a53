// frmStartmenu: the skinned start menu, created hidden at start-up.
#pragma once

#include "runtime/forms.h"

class frmStartmenu : public runtime::Form {
public:
    explicit frmStartmenu(runtime::Program& program);
};
