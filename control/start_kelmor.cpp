#include "control/start_kelmor.h"

#include "control/frmGethWnd.h"

frmGethWnd& start_kelmor(runtime::Program& program)
{
    // A fault of ours and an end asked for by the system take the quit routine's way out, so that a
    // user never loses a window with the program.
    program.set_fatal_hook([&program](const runtime::Error&) { end_kelmor(program); });
    program.set_end_request_hook([&program] { end_kelmor(program); });
    return program.form<frmGethWnd>();
}
