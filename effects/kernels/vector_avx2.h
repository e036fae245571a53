// The vector operations the SIMD kernels are written in, on 256-bit AVX2 registers. Only code
// compiled for AVX2 includes this header.
#pragma once

#include <immintrin.h>

#if !defined(__AVX2__)
#error "vector_avx2.h belongs in code compiled with -mavx2"
#endif

#include <cstdint>

namespace norvex {

// Lanes are 16-bit channels unless a name says otherwise; masks are lanes of all ones or zeros.
// Unpacking and packing work within each 128-bit half, as SSE2 does on its one block.
struct Avx2Vector {
    using Lanes = __m256i;
    using Floats = __m256;

    // Pixels a register holds, four bytes each.
    static constexpr int pixels = 8;
    // 16-bit lanes a register holds.
    static constexpr int lanes = 16;

    // Channels of 2 * pixels pixels widened to 16-bit lanes, in the order of the pixels.
    struct WidePixels {
        Lanes first;
        Lanes second;
    };

    static Lanes load(const void* at) { return _mm256_loadu_si256(static_cast<const __m256i*>(at)); }
    static void store(void* at, Lanes value) { _mm256_storeu_si256(static_cast<__m256i*>(at), value); }
    static Lanes zero() { return _mm256_setzero_si256(); }
    static Lanes splat(int value) { return _mm256_set1_epi16(static_cast<short>(value)); }
    static Lanes splat_32(uint32_t value) { return _mm256_set1_epi32(static_cast<int>(value)); }
    static Floats splat_float(float value) { return _mm256_set1_ps(value); }

    static Lanes add(Lanes a, Lanes b) { return _mm256_add_epi16(a, b); }
    static Lanes subtract(Lanes a, Lanes b) { return _mm256_sub_epi16(a, b); }
    static Lanes subtract_saturated_unsigned(Lanes a, Lanes b) { return _mm256_subs_epu16(a, b); }
    static Lanes min(Lanes a, Lanes b) { return _mm256_min_epi16(a, b); }
    static Lanes max(Lanes a, Lanes b) { return _mm256_max_epi16(a, b); }
    static Lanes multiply_high(Lanes a, Lanes b) { return _mm256_mulhi_epi16(a, b); }
    static Lanes multiply_high_unsigned(Lanes a, Lanes b) { return _mm256_mulhi_epu16(a, b); }
    // The low 16 bits of each product.
    static Lanes multiply_low(Lanes a, Lanes b) { return _mm256_mullo_epi16(a, b); }
    static Lanes shift_left(Lanes a, int bits) { return _mm256_slli_epi16(a, bits); }
    static Lanes shift_right(Lanes a, int bits) { return _mm256_srli_epi16(a, bits); }
    static Lanes shift_right_signed(Lanes a, int bits) { return _mm256_srai_epi16(a, bits); }
    static Lanes equal(Lanes a, Lanes b) { return _mm256_cmpeq_epi16(a, b); }
    static Lanes greater(Lanes a, Lanes b) { return _mm256_cmpgt_epi16(a, b); }
    // On 32-bit lanes.
    static Lanes equal_32(Lanes a, Lanes b) { return _mm256_cmpeq_epi32(a, b); }

    static Lanes bits_and(Lanes a, Lanes b) { return _mm256_and_si256(a, b); }
    static Lanes bits_or(Lanes a, Lanes b) { return _mm256_or_si256(a, b); }
    // The bits of b where mask is clear.
    static Lanes bits_and_not(Lanes mask, Lanes b) { return _mm256_andnot_si256(mask, b); }

    static Lanes unpack_low_bytes(Lanes a, Lanes b) { return _mm256_unpacklo_epi8(a, b); }
    static Lanes unpack_high_bytes(Lanes a, Lanes b) { return _mm256_unpackhi_epi8(a, b); }
    static Lanes unpack_low(Lanes a, Lanes b) { return _mm256_unpacklo_epi16(a, b); }
    static Lanes unpack_high(Lanes a, Lanes b) { return _mm256_unpackhi_epi16(a, b); }
    // Lanes saturated to unsigned bytes, a's block before b's.
    static Lanes pack_bytes(Lanes a, Lanes b) { return _mm256_packus_epi16(a, b); }
    // 32-bit lanes saturated to 16 bits, a's block before b's.
    static Lanes pack_32(Lanes a, Lanes b) { return _mm256_packs_epi32(a, b); }

    static WidePixels widen_pixels(const uint32_t* pixels)
    {
        return WidePixels { _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels))),
            _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + 4))) };
    }
    // The reverse of widen_pixels, saturating each channel to a byte. The pack works within 128-bit
    // halves; the permutation puts the pixels back in order.
    static Lanes pack_pixels(Lanes first, Lanes second)
    {
        return _mm256_permute4x64_epi64(_mm256_packus_epi16(first, second), 0xD8);
    }

    // On 32-bit lanes.
    static Floats to_floats(Lanes a) { return _mm256_cvtepi32_ps(a); }
    static Lanes truncate_floats(Floats a) { return _mm256_cvttps_epi32(a); }
    static Floats multiply(Floats a, Floats b) { return _mm256_mul_ps(a, b); }
    static Floats divide(Floats a, Floats b) { return _mm256_div_ps(a, b); }

    // Called after a loop over registers, before scalar code takes over: legacy SSE code after
    // 256-bit code is slow unless the upper register halves are cleared.
    static void finish() { _mm256_zeroupper(); }
};

}
