// Numbers as glTF documents write them, the same in every process locale: every
// number goes through std::to_chars, never through printf (whose decimal point
// follows LC_NUMERIC and would turn 0.5 into "0,5" in a German locale).
#pragma once

#include <cstddef>
#include <cstdint>

namespace glb {

// Longest text that any of the functions below can produce (a sign, 309
// integer digits, the point and six decimals), plus room to spare.
constexpr size_t kMaxNumberText = 352;

// Writes a bound (finite) into out, which holds kMaxNumberText characters, and
// returns its length. The six-decimal text ("%.6f" in the C locale) is kept
// whenever it reads back as the same 32-bit float as the value, and for values
// beyond the float range; otherwise the shortest text that reads back as that
// float is written, as std::to_chars(float) gives it (1e-09, 0.1234567). So
// "min" and "max" name exactly the float32 the caller meant, which is what a
// validator compares the data with, while 0, 0.5 or -1.5 keep their old text.
size_t format_bound(char* out, double value);

// A material factor with exactly four decimals ("%.4f": 0.123456 is 0.1235).
size_t format_factor(char* out, double value);

// The shortest text that reads back as exactly this double (a node's transform).
size_t format_real(char* out, double value);

// An unsigned decimal integer.
size_t format_count(char* out, uint64_t value);

}  // namespace glb
