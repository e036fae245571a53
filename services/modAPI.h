// modAPI: reading one registry value.
#pragma once

#include "platform/win32.h"
#include "runtime/variant.h"

#include <string>

// The platform headers may map RegQueryValue to one of their own functions; this module's
// function keeps its name.
#ifdef RegQueryValue
#undef RegQueryValue
#endif

// Reads the value ValueName of the key SubKey below hKey. A text value (REG_SZ) becomes the whole
// read buffer: the stored bytes with their closing NUL, followed by one blank; whoever hands it to
// the platform has it read up to the NUL. A REG_DWORD becomes a whole number. A value of any other
// type leaves Value as it was. True when the key opened and the value was read or is of another
// type; every key opened is closed again.
bool RegQueryValue(HKEY hKey, const std::string& SubKey, const std::string& ValueName, runtime::Variant& Value);
