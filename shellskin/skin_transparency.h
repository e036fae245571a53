// skin_transparency: how translucent a skin is when it loads.
#pragma once

#include "runtime/program.h"

// The transparency in percent a skin takes at its load: the one the settings give every border
// once it is above 0 (a saved transparency at start), otherwise the skin's own designed one.
long SkinTransparency(runtime::Program& program, long DesignedPercent);
