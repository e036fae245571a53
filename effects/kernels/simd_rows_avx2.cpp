#include "effects/kernels/simd_rows.h"

// This file alone is compiled with -mavx2, and its rows run only where has_wide_simd_path() finds
// the processor able to. What it instantiates must be its own: an inline function shared with
// other files, compiled here, could be the copy the linker keeps for them.
#if defined(NORVEX_HAS_WIDE_PATH)
#include "effects/kernels/vector_avx2.h"

namespace norvex {

const SimdRows avx2_rows = simd_rows_over<Avx2Vector>;

}
#endif
