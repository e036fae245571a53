// FrmSplash: a window that is never shown; it carries the program's icon for the notification
// area and for every border window.
#pragma once

#include "runtime/forms.h"

class FrmSplash : public runtime::Form {
public:
    explicit FrmSplash(runtime::Program& program);
};
