// Declarations of the gdiplus part of the API surface; filled in as the program needs them.
#pragma once

#include "platform/api/types.h"
