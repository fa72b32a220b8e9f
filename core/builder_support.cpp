#include "builder_support.h"

#include <cfloat>
#include <cmath>
#include <stdexcept>
#include <string>

#include "glb_assembler.h"

namespace glb {

void require_finite(const double* values, size_t count, const char* argument_name) {
    for (size_t i = 0; i < count; ++i) {
        if (!std::isfinite(values[i])) {
            const std::string name(argument_name);
            throw std::invalid_argument(count == 1 ? name + " must be a finite number, not NaN or infinity"
                                                   : name + " must hold finite numbers only, not NaN or infinity");
        }
    }
}

float to_float32(double value) {
    // Halfway between FLT_MAX and the next power of two: from here on, rounding
    // to nearest (ties to even, and FLT_MAX is odd) gives infinity.
    constexpr double kOverflow = 0x1.ffffffp127;
    if (std::fabs(value) > FLT_MAX) {
        const float limit = std::fabs(value) >= kOverflow ? HUGE_VALF : FLT_MAX;
        return value < 0 ? -limit : limit;
    }
    return float(value);
}

uint64_t saturated_byte_length(uint64_t count, uint64_t element_size) {
    return count > UINT64_MAX / element_size ? UINT64_MAX : count * element_size;
}

uint64_t check_payload_size(std::initializer_list<uint64_t> array_byte_lengths) {
    uint64_t payload = 0;
    bool wrapped = false;
    for (const uint64_t length : array_byte_lengths) {
        wrapped = wrapped || length > UINT64_MAX - payload;
        payload = wrapped ? UINT64_MAX : payload + length;
    }
    if (wrapped || payload > kMaxGlbSize || !glb_size_fits(kMaxDocumentLength, payload))
        throw std::length_error("the GLB would be 4 GiB or larger (binary payload of " +
                                (wrapped ? std::string("more than 2^64") : std::to_string(payload)) +
                                " bytes, and its JSON document): the container's length fields hold 32 bits");
    return payload;
}

}  // namespace glb
