// modAutostart: the program's entry under the current user's Run key, which starts it at logon.
#pragma once

#include <string>

// Writes the text value ValueName = Command under the Run key, replacing an earlier one. True
// when the value was written.
bool AddAutostart(const std::string& ValueName, const std::string& Command);

// Deletes the value ValueName under the Run key. True when it was there and was deleted.
bool RemoveAutostart(const std::string& ValueName);
