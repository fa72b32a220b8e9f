// Internal helpers of the builders: the formatted glTF JSON text, the checks that
// keep it valid JSON, and overflow-safe byte lengths.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>

#include "glb_assembler.h"

namespace glb {

// Formats into buffer, or into overflow when capacity is too small; returns the length.
size_t format_document(char* buffer, size_t capacity, std::string& overflow, const char* format, va_list arguments);

// A glTF document formatted from a one-line printf template into a fixed buffer
// of Capacity bytes. A text that does not fit (only bounds of extreme magnitude
// make one) is formatted again on the heap, whole: it is never cut.
template <size_t Capacity>
class JsonDocument {
public:
    JsonDocument(const char* format, ...) __attribute__((format(printf, 2, 3))) {
        va_list arguments;
        va_start(arguments, format);
        length_ = format_document(fixed_, Capacity, overflow_, format, arguments);
        va_end(arguments);
    }
    JsonDocument(const JsonDocument&) = delete;
    JsonDocument& operator=(const JsonDocument&) = delete;

    const char* data() const { return overflow_.empty() ? fixed_ : overflow_.data(); }
    size_t size() const { return length_; }

private:
    char fixed_[Capacity];
    std::string overflow_;
    size_t length_;
};

// Throws std::invalid_argument naming the argument when a value is NaN or infinite:
// printf spells those "nan" and "inf", which are not JSON.
void require_finite(const double* values, size_t count, const char* argument_name);

// Reserves the whole GLB in output and writes its header, JSON chunk, BIN chunk
// header and BIN padding; returns where its payload_length payload bytes go, for
// the builder to fill in place (no payload is assembled only to be copied).
// Throws std::length_error beyond 4 GiB, before reserving anything.
uint8_t* start_glb(GlbOutput& output, const char* json, size_t json_length, size_t payload_length);

// count * element_size, or std::length_error when that alone passes the 4 GiB
// container limit (so that sums of a few such lengths cannot wrap around).
size_t checked_byte_length(size_t count, size_t element_size, const char* array_name);

}  // namespace glb
