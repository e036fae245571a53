#include "control/start_kelmor.h"

#include "control/frmGethWnd.h"

frmGethWnd& start_kelmor(runtime::Program& program)
{
    program.set_fatal_hook([&program](const runtime::Error&) {
        // A user must never lose a window because of a fault of ours.
        release_all_borders(program);
        program.End();
    });
    return program.form<frmGethWnd>();
}
