// frmStartmenu: the skinned start menu above the left end of the taskbar skin. Two columns of
// entries with a hover highlight, a search field, and an exit button that ends the program.
// Created hidden at start-up; the taskbar skin's start button shows it.
#pragma once

#include "runtime/forms.h"

class frmStartmenu : public runtime::Form {
public:
    explicit frmStartmenu(runtime::Program& program);

    runtime::PictureBox Picture4 { *this, "Picture4" };
    runtime::ImageControl Image2 { Picture4, "Image2" };
    runtime::LineControl Line1 { Picture4, "Line1" };
    runtime::ControlArray<runtime::Label> Label3 { Picture4, "Label3", 2 };
    runtime::TextBox Text1 { *this, "Text1" };
    runtime::PictureBox Picture2 { *this, "Picture2" };
    runtime::ControlArray<runtime::PictureBox> Picture3 { *this, "Picture3", 3 };
    runtime::LineControl Line2 { *this, "Line2" };
    runtime::ImageControl Image1 { *this, "Image1" };
    runtime::ControlArray<runtime::Label> Label1 { *this, "Label1", 5 };
    runtime::PictureBox Picture1 { *this, "Picture1" };
    runtime::Label Label2 { Picture1, "Label2" };

    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_MouseMove(int Button, int Shift, float X, float Y) override;
    void Picture4_MouseMove(int Button, int Shift, float X, float Y);
    void Label1_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Label3_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Label2_Click();
    void Picture2_MouseMove(int Button, int Shift, float X, float Y);
    void Picture2_MouseDown(int Button, int Shift, float X, float Y);
    void Picture2_MouseUp(int Button, int Shift, float X, float Y);

    // The right-column entry the pointer was last over.
    int LastEntryIndex = 0;

private:
    void set_designer_values();
    void wire_events();
};
