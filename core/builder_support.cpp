#include "builder_support.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "glb_assembler.h"

namespace glb {

size_t format_document(char* buffer, size_t capacity, std::string& overflow, const char* format, va_list arguments) {
    va_list second_pass;
    va_copy(second_pass, arguments);
    const int length = std::vsnprintf(buffer, capacity, format, arguments);
    if (length >= 0 && size_t(length) >= capacity) {
        overflow.resize(size_t(length) + 1);  // room for the terminator vsnprintf writes
        std::vsnprintf(&overflow[0], overflow.size(), format, second_pass);
        overflow.resize(size_t(length));
    }
    va_end(second_pass);
    if (length < 0) throw std::runtime_error("could not format the glTF document");
    return size_t(length);
}

void require_finite(const double* values, size_t count, const char* argument_name) {
    for (size_t i = 0; i < count; ++i) {
        if (!std::isfinite(values[i])) {
            const std::string name(argument_name);
            throw std::invalid_argument(count == 1 ? name + " must be a finite number, not NaN or infinity"
                                                   : name + " must hold finite numbers only, not NaN or infinity");
        }
    }
}

size_t checked_byte_length(size_t count, size_t element_size, const char* array_name) {
    if (count > kMaxGlbSize / element_size)
        throw std::length_error(std::string(array_name) + " holds " + std::to_string(count) +
                                " elements, more than a GLB below 4 GiB can carry");
    return count * element_size;
}

}  // namespace glb
