#include "effects/kernels/kernel_path.h"

#include <cstdlib>
#include <string_view>

namespace norvex {

bool has_wide_simd_path()
{
#if defined(NORVEX_HAS_WIDE_PATH)
    static const bool is_supported = __builtin_cpu_supports("avx2");
    return is_supported;
#else
    return false;
#endif
}

KernelPath fastest_path()
{
    if (has_wide_simd_path())
        return KernelPath::WideSimd;
    return has_simd_path() ? KernelPath::Simd : KernelPath::Scalar;
}

KernelPath path_named(const char* name, KernelPath fallback)
{
    std::string_view text = name ? name : "";
    if (text == "scalar")
        return KernelPath::Scalar;
    if (text == "sse2")
        return KernelPath::Simd;
    if (text == "avx2")
        return KernelPath::WideSimd;
    return fallback;
}

KernelPath default_path()
{
    static const KernelPath path = path_named(std::getenv("NORVEX_KERNEL_PATH"), fastest_path());
    return path;
}

}
