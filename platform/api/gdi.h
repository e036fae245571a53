// Declarations of the gdi part of the API surface; filled in as the program needs them.
#pragma once

#include "platform/api/types.h"
