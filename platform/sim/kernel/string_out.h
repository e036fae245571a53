// Hands a string to a caller's buffer the way the kernel's path functions do.
#pragma once

#include <cstring>
#include <string_view>

namespace sim {

// Copies text with its terminating NUL when it fits and returns its length; otherwise copies
// nothing and returns the size the buffer would need, NUL included.
inline unsigned copy_or_measure(std::string_view text, char* buffer, unsigned size)
{
    if (!buffer || size < text.size() + 1)
        return static_cast<unsigned>(text.size() + 1);
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
    return static_cast<unsigned>(text.size());
}

}
