// frmColDialog: the colour-scheme dialog. Its scroll bar HScroll1 is a stored setting: the
// brightness the border pieces are given.
#pragma once

#include "runtime/forms.h"

class frmColDialog : public runtime::Form {
public:
    explicit frmColDialog(runtime::Program& program);

    runtime::HScrollBar HScroll1 { *this, "HScroll1" };

    void HScroll1_Change();
    void HScroll1_Scroll();
};
