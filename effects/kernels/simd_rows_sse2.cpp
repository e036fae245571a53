#include "effects/kernels/simd_rows.h"

#if defined(__SSE2__)
#include "effects/kernels/vector_sse2.h"

namespace norvex {

const SimdRows sse2_rows = simd_rows_over<Sse2Vector>;

}
#endif
