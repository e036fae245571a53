// Everything a form or module of the system is written against, in one include.
//
// A form derives from Form, declares its controls as members (containers before what they hold),
// sets their designer values and then wires their events in its constructor (so that designer
// values raise no events), and overrides the Form_ events it handles:
//
//     class frmWinMgr : public runtime::Form {
//     public:
//         explicit frmWinMgr(runtime::Program& program) : Form(program, "frmWinMgr")
//         {
//             List1.on_mouse_up = [this](int Button, int Shift, float X, float Y) { List1_MouseUp(Button, Shift, X, Y); };
//             Label1.connect(&runtime::Label::on_mouse_move, [this](int Index, int Button, int Shift, float X, float Y) { ... });
//         }
//         runtime::ListBox List1 { *this, "List1" };
//         runtime::ControlArray<runtime::Label> Label1 { *this, "Label1", 3 };
//         void Form_Load() override;
//     };
//
// Properties read as Value() and are assigned as Value(v). Single-instance forms are reached with
// program.form<frmWinMgr>(), border windows made with program.load_new<frmTrans>().
#pragma once

#include "runtime/canvas.h"
#include "runtime/check_box.h"
#include "runtime/colour.h"
#include "runtime/command_button.h"
#include "runtime/common_dialog.h"
#include "runtime/control_array.h"
#include "runtime/error.h"
#include "runtime/file_lists.h"
#include "runtime/form.h"
#include "runtime/frame.h"
#include "runtime/image_control.h"
#include "runtime/inet.h"
#include "runtime/label.h"
#include "runtime/list_box.h"
#include "runtime/menu.h"
#include "runtime/numeric.h"
#include "runtime/option_button.h"
#include "runtime/picture_box.h"
#include "runtime/picture_file.h"
#include "runtime/program.h"
#include "runtime/rich_text_box.h"
#include "runtime/scroll_bar.h"
#include "runtime/shape.h"
#include "runtime/slider.h"
#include "runtime/statements.h"
#include "runtime/text_box.h"
#include "runtime/text_file.h"
#include "runtime/timer.h"
#include "runtime/variant.h"
