// Which implementation of a pixel kernel runs: the portable one, SSE2, or AVX2.
#pragma once

#include <type_traits>

// The AVX2 path is compiled into x86 builds and chosen at run time where the processor has it.
#if defined(__SSE2__) && defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define NORVEX_HAS_WIDE_PATH 1
#endif

// The SSE2 or AVX2 implementation named, or null where this build has none of that kind.
#if defined(__SSE2__)
#define NORVEX_SSE2(implementation) implementation
#else
#define NORVEX_SSE2(implementation) nullptr
#endif
#if defined(NORVEX_HAS_WIDE_PATH)
#define NORVEX_AVX2(implementation) implementation
#else
#define NORVEX_AVX2(implementation) nullptr
#endif

namespace norvex {

// Every path gives the same pixels; the scalar one is the reference the others are tested
// against. Kernels without a wide path run their SSE2 path for WideSimd.
enum class KernelPath {
    Scalar,
    Simd,
    WideSimd,
};

// Whether this build carries the SSE2 path; without it a request for a SIMD path runs the
// scalar one.
constexpr bool has_simd_path()
{
#if defined(__SSE2__)
    return true;
#else
    return false;
#endif
}

// Whether the AVX2 path is built in and this processor can run it.
bool has_wide_simd_path();

KernelPath fastest_path();

// The path a kernel runs when its caller names none: the fastest one, unless the environment
// variable NORVEX_KERNEL_PATH names another ("scalar", "sse2" or "avx2"), so that the checks of
// the built library can run each path in turn.
KernelPath default_path();

// The path a name given in NORVEX_KERNEL_PATH stands for; an unknown or missing name gives the
// fallback.
KernelPath path_named(const char* name, KernelPath fallback);

// The implementation that runs for the path, of those this build has (null ones it lacks): a
// kernel without an AVX2 implementation runs its SSE2 one for WideSimd, as it does where the
// processor has no AVX2, and one without SIMD implementations runs its scalar one.
template<typename Implementation>
Implementation implementation_for(KernelPath path, Implementation scalar, std::type_identity_t<Implementation> simd,
    std::type_identity_t<Implementation> wide_simd = nullptr)
{
    if (path == KernelPath::WideSimd && wide_simd != nullptr && has_wide_simd_path())
        return wide_simd;
    if (path != KernelPath::Scalar && simd != nullptr)
        return simd;
    return scalar;
}

}
