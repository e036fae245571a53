// Window handles and process ids kept as decimal text in labels and list rows.
#pragma once

#include "platform/win32.h"

#include <string>
#include <string_view>

// The handle as the decimal text the lists and storage labels hold.
std::string handle_text(HWND window);

// The number a storage text holds; an empty or non-numeric text gives 0.
long number_from_text(std::string_view text);

// The handle a storage text holds; an empty or non-numeric text gives no window.
HWND handle_from_text(std::string_view text);
