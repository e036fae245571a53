// The SIMD rows of the kernels that have them, one table per instruction set. Each kernel's rows
// are written once over a vector type (vector_sse2.h, vector_avx2.h); each table is compiled for
// its instruction set in a file of its own, simd_rows_sse2.cpp and simd_rows_avx2.cpp.
#pragma once

#include "effects/kernels/blend_rows.h"
#include "effects/kernels/blur_rows.h"
#include "effects/kernels/hsl_rows.h"

#include <cstdint>

namespace norvex {

struct SimdRows {
    void (*recolour_row)(uint32_t* destination, const uint32_t* source, int count, HslChange change) = nullptr;
    void (*sum_row)(const uint32_t* row, int width, SumRow sums) = nullptr;
    void (*write_row)(
        uint32_t* row, int width, const uint16_t* above, const uint16_t* centre, const uint16_t* below)
        = nullptr;
    void (*blend_row)(uint32_t* destination, const uint32_t* source, int count, uint32_t alpha, uint32_t key_colour)
        = nullptr;
};

// The rows over one vector type, for the file compiled for its instruction set.
template<typename Vector>
constexpr SimdRows simd_rows_over {
    RecolourRows<Vector>::recolour_row,
    BlurRows<Vector>::sum_row,
    BlurRows<Vector>::write_row,
    BlendRows<Vector>::blend_row,
};

// Each is defined only in builds with its path, the only builds where NORVEX_SSE2 and NORVEX_AVX2
// name them.
extern const SimdRows sse2_rows;
extern const SimdRows avx2_rows;

}
