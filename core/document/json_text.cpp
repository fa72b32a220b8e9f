#include "document/json_text.h"

#include "inputs/arrays.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <stdexcept>

namespace glb {

namespace {

size_t checked_length(std::to_chars_result result, const char* out) {
    if (result.ec != std::errc()) throw std::logic_error("a number did not fit its text buffer");
    return size_t(result.ptr - out);
}

size_t format_fixed(char* out, double value, int decimals) {
    return checked_length(std::to_chars(out, out + kMaxNumberText, value, std::chars_format::fixed, decimals), out);
}

// The double that a reader makes of a "%.6f" text of a value below 2^33 in
// magnitude: the digits without the point form an integer N below 2^53, so
// N / 10^6 in double arithmetic is exactly the correctly rounded reading.
double read_six_decimals(const char* text, size_t length) {
    bool negative = false;
    uint64_t digits = 0;
    for (size_t i = 0; i < length; ++i) {
        if (text[i] == '-') negative = true;
        else if (text[i] != '.') digits = digits * 10 + uint64_t(text[i] - '0');
    }
    const double magnitude = double(digits) / 1e6;
    return negative ? -magnitude : magnitude;
}

}  // namespace

size_t format_bound(char* out, double value) {
    const size_t six_decimals = format_fixed(out, value, 6);
    const float narrow = to_float32(value);
    if (std::isinf(narrow)) return six_decimals;  // beyond the float range: as given
    // From 2^33 on, a double's spacing exceeds 10^-6, so its six-decimal text
    // reads back as the double itself and therefore as the same float.
    if (std::fabs(value) >= 0x1p33) return six_decimals;
    if (float(read_six_decimals(out, six_decimals)) == narrow) return six_decimals;
    return checked_length(std::to_chars(out, out + kMaxNumberText, narrow), out);
}

size_t format_factor(char* out, double value) { return format_fixed(out, value, 4); }

size_t format_real(char* out, double value) {
    return checked_length(std::to_chars(out, out + kMaxNumberText, value), out);
}

size_t format_count(char* out, uint64_t value) {
    return checked_length(std::to_chars(out, out + kMaxNumberText, value), out);
}

}  // namespace glb
