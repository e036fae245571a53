// The vector operations the SIMD kernels are written in, on 128-bit SSE2 registers.
#pragma once

#include <emmintrin.h>

#include <cstdint>

namespace norvex {

// Lanes are 16-bit channels unless a name says otherwise; masks are lanes of all ones or zeros.
// Unpacking and packing work within 128-bit blocks, as on the wider registers.
struct Sse2Vector {
    using Lanes = __m128i;
    using Floats = __m128;

    // Pixels a register holds, four bytes each.
    static constexpr int pixels = 4;
    // 16-bit lanes a register holds.
    static constexpr int lanes = 8;

    // Channels of 2 * pixels pixels widened to 16-bit lanes, in the order of the pixels.
    struct WidePixels {
        Lanes first;
        Lanes second;
    };

    static Lanes load(const void* at) { return _mm_loadu_si128(static_cast<const __m128i*>(at)); }
    static void store(void* at, Lanes value) { _mm_storeu_si128(static_cast<__m128i*>(at), value); }
    static Lanes zero() { return _mm_setzero_si128(); }
    static Lanes splat(int value) { return _mm_set1_epi16(static_cast<short>(value)); }
    static Lanes splat_32(uint32_t value) { return _mm_set1_epi32(static_cast<int>(value)); }
    static Floats splat_float(float value) { return _mm_set1_ps(value); }

    static Lanes add(Lanes a, Lanes b) { return _mm_add_epi16(a, b); }
    static Lanes subtract(Lanes a, Lanes b) { return _mm_sub_epi16(a, b); }
    static Lanes subtract_saturated_unsigned(Lanes a, Lanes b) { return _mm_subs_epu16(a, b); }
    static Lanes min(Lanes a, Lanes b) { return _mm_min_epi16(a, b); }
    static Lanes max(Lanes a, Lanes b) { return _mm_max_epi16(a, b); }
    static Lanes multiply_high(Lanes a, Lanes b) { return _mm_mulhi_epi16(a, b); }
    static Lanes multiply_high_unsigned(Lanes a, Lanes b) { return _mm_mulhi_epu16(a, b); }
    // The low 16 bits of each product.
    static Lanes multiply_low(Lanes a, Lanes b) { return _mm_mullo_epi16(a, b); }
    static Lanes shift_left(Lanes a, int bits) { return _mm_slli_epi16(a, bits); }
    static Lanes shift_right(Lanes a, int bits) { return _mm_srli_epi16(a, bits); }
    static Lanes shift_right_signed(Lanes a, int bits) { return _mm_srai_epi16(a, bits); }
    static Lanes equal(Lanes a, Lanes b) { return _mm_cmpeq_epi16(a, b); }
    static Lanes greater(Lanes a, Lanes b) { return _mm_cmpgt_epi16(a, b); }
    // On 32-bit lanes.
    static Lanes equal_32(Lanes a, Lanes b) { return _mm_cmpeq_epi32(a, b); }

    static Lanes bits_and(Lanes a, Lanes b) { return _mm_and_si128(a, b); }
    static Lanes bits_or(Lanes a, Lanes b) { return _mm_or_si128(a, b); }
    // The bits of b where mask is clear.
    static Lanes bits_and_not(Lanes mask, Lanes b) { return _mm_andnot_si128(mask, b); }

    static Lanes unpack_low_bytes(Lanes a, Lanes b) { return _mm_unpacklo_epi8(a, b); }
    static Lanes unpack_high_bytes(Lanes a, Lanes b) { return _mm_unpackhi_epi8(a, b); }
    static Lanes unpack_low(Lanes a, Lanes b) { return _mm_unpacklo_epi16(a, b); }
    static Lanes unpack_high(Lanes a, Lanes b) { return _mm_unpackhi_epi16(a, b); }
    // Lanes saturated to unsigned bytes, a's block before b's.
    static Lanes pack_bytes(Lanes a, Lanes b) { return _mm_packus_epi16(a, b); }
    // 32-bit lanes saturated to 16 bits, a's block before b's.
    static Lanes pack_32(Lanes a, Lanes b) { return _mm_packs_epi32(a, b); }

    static WidePixels widen_pixels(const uint32_t* pixels)
    {
        Lanes bytes = load(pixels);
        return WidePixels { _mm_unpacklo_epi8(bytes, zero()), _mm_unpackhi_epi8(bytes, zero()) };
    }
    // The reverse of widen_pixels, saturating each channel to a byte.
    static Lanes pack_pixels(Lanes first, Lanes second) { return _mm_packus_epi16(first, second); }

    // On 32-bit lanes.
    static Floats to_floats(Lanes a) { return _mm_cvtepi32_ps(a); }
    static Lanes truncate_floats(Floats a) { return _mm_cvttps_epi32(a); }
    static Floats multiply(Floats a, Floats b) { return _mm_mul_ps(a, b); }
    static Floats divide(Floats a, Floats b) { return _mm_div_ps(a, b); }

    // Called after a loop over registers, before scalar code takes over.
    static void finish() { }
};

}
