// frmTaskbar: the skinned taskbar. A translucent bar along the bottom edge of the screen, shaped
// by the red of its picture, with a round start button that opens the start menu, a clock, and
// the tray menu on a right click. Created hidden at start-up; the "Enable Vista style" option
// shows it in place of the system taskbar.
#pragma once

#include "runtime/forms.h"

class frmTaskbar : public runtime::Form {
public:
    explicit frmTaskbar(runtime::Program& program);

    runtime::PictureBox Picture2 { *this, "Picture2" };
    runtime::ControlArray<runtime::PictureBox> Picture1 { *this, "Picture1", 3 };
    runtime::Label Label1 { *this, "Label1" };
    runtime::Timer Timer1 { *this, "Timer1" };
    runtime::Timer Timer2 { *this, "Timer2" };

    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_MouseDown(int Button, int Shift, float X, float Y) override;
    void Form_MouseMove(int Button, int Shift, float X, float Y) override;
    void Picture2_MouseDown(int Button, int Shift, float X, float Y);
    void Picture2_MouseMove(int Button, int Shift, float X, float Y);
    void Timer1_Timer();
    void Timer2_Timer();

    // Makes the bar as wide as the screen, shaped over its whole width, with the clock's text
    // and place set anew from the current time.
    void FitToScreen();
    // Shows the bar at the bottom edge of the screen and keeps it on top from now on.
    void ShowAtBottom();

private:
    void set_designer_values();
    void wire_events();
    // Repeats the picture's last column across whatever the bar is wider than its picture, so
    // that the picture and the cut-out continue to the screen's right edge.
    void extend_picture_to_width();
};
