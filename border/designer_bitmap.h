// The pictures the forms carry in their designer data, as pictures a control can show.
#pragma once

#include "runtime/picture.h"

#include <string>

// The designer picture of that name ("frmColDialog.Picture1(3)") as a bitmap; empty when the
// artwork has no picture of that name.
runtime::StdPicture designer_bitmap(const std::string& name);
