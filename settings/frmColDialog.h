// frmColDialog: the colour-scheme dialog. The user picks one of eight glass schemes and the
// brightness of the border pieces; both show on every border at once, OK also saves them. Its
// scroll bar HScroll1 is itself the stored brightness setting, which the borders read.
#pragma once

#include "runtime/forms.h"

class frmColDialog : public runtime::Form {
public:
    explicit frmColDialog(runtime::Program& program);

    runtime::Label Label1 { *this, "Label1" };
    runtime::Label Label2 { *this, "Label2" };
    // The footer band and the hover frame lie under the controls drawn after them.
    runtime::Shape Shape2 { *this, "Shape2" };
    runtime::Shape Shape1 { *this, "Shape1" };
    runtime::ControlArray<runtime::PictureBox> Picture1 { *this, "Picture1", 8 };
    runtime::ControlArray<runtime::Label> Label3 { *this, "Label3", 8 };
    runtime::CheckBox Check1 { *this, "Check1" };
    runtime::Label Label4 { *this, "Label4" };
    runtime::HScrollBar HScroll1 { *this, "HScroll1" };
    runtime::CommandButton Command2 { *this, "Command2" };
    runtime::CommandButton Command1 { *this, "Command1" };

    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_MouseMove(int Button, int Shift, float X, float Y) override;

    void Picture1_Click(int Index);
    void Picture1_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void HScroll1_Change();
    void HScroll1_Scroll();
    void Command1_Click();
    void Command2_Click();

private:
    void set_designer_values();
    void wire_events();
};
