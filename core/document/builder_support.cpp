#include "document/builder_support.h"

#include <cmath>
#include <string>

namespace glb {

void require_finite(const double* values, size_t count, Field field) {
    for (size_t i = 0; i < count; ++i)
        if (!std::isfinite(values[i])) throw_value_error(field, Problem::not_finite, kNoIndex, count == 1 ? kNoIndex : i, values[i]);
}

uint64_t saturated_byte_length(uint64_t count, uint64_t element_size) {
    return count > UINT64_MAX / element_size ? UINT64_MAX : count * element_size;
}

uint64_t check_payload_size(std::initializer_list<uint64_t> array_byte_lengths, uint64_t document_room) {
    uint64_t payload = 0;
    bool wrapped = false;
    for (const uint64_t length : array_byte_lengths) {
        wrapped = wrapped || length > UINT64_MAX - payload;
        payload = wrapped ? UINT64_MAX : payload + length;
    }
    if (wrapped || payload > kMaxGlbSize || !glb_size_fits(document_room, payload)) {
        InputError error(Field::file, Problem::too_large,
                         "the GLB would be 4 GiB or larger (binary payload of " +
                             (wrapped ? std::string("more than 2^64") : std::to_string(payload)) +
                             " bytes, and its JSON document): the container's length fields hold 32 bits");
        error.count = payload;
        error.limit = kMaxGlbSize;
        throw error;
    }
    return payload;
}

GlbPlan make_plan(const gltf::Document& document) {
    GlbPlan plan;
    plan.document = gltf::write_document(document);
    plan.payload_length = document.buffer_length;
    plan.payload_gaps = document.payload_gaps;
    plan.file_size = glb_size(plan.document.size(), plan.payload_length);
    return plan;
}

}  // namespace glb
