// Where the core has hand-written AVX2 passes: x86 with GCC or Clang, chosen at
// run time by what the processor can do. Elsewhere the portable loops run.
#pragma once

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define GLB_AVX2_PATHS 1
#define GLB_AVX2 __attribute__((target("avx2")))
#endif

namespace glb {

// Whether the processor runs AVX2 (false where there are no AVX2 passes).
bool has_avx2();

}  // namespace glb
