// Starting the program: the one entry that both the Windows program and the simulation call.
#pragma once

#include "runtime/program.h"

class frmGethWnd;

// Loads the controller, which starts the whole system, and installs the last line of defence:
// an error no handler dealt with first gives every adopted window back, then ends the program.
frmGethWnd& start_kelmor(runtime::Program& program);
