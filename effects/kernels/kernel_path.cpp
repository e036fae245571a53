#include "effects/kernels/kernel_path.h"

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

}
