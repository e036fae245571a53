// Which implementation of a pixel kernel runs: the portable one, SSE2, or AVX2.
#pragma once

// The AVX2 path is compiled into x86 builds and chosen at run time where the processor has it.
#if defined(__SSE2__) && defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define NORVEX_HAS_WIDE_PATH 1
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

}
