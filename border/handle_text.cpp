#include "border/handle_text.h"

#include "runtime/numeric.h"

#include <cmath>
#include <cstdint>

std::string handle_text(HWND window)
{
    return std::to_string(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window)));
}

long number_from_text(std::string_view text)
{
    double value = runtime::round_half_even(runtime::Val(text));
    // Window handles are 32-bit values; texts beyond that range name no window.
    if (!std::isfinite(value) || value < -2147483648.0 || value > 4294967295.0)
        return 0;
    if (value > 2147483647.0)
        return static_cast<long>(static_cast<int32_t>(static_cast<uint32_t>(value)));
    return static_cast<long>(value);
}

HWND handle_from_text(std::string_view text)
{
    auto value = static_cast<uint32_t>(number_from_text(text));
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(value));
}
