// Internal helpers of the builders: overflow-safe byte lengths and the checks
// that every builder shares.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "glb_assembler.h"
#include "document/gltf_document.h"

namespace glb {

// The payload length of arrays of these byte lengths, added so that the sum
// cannot wrap. Throws InputError (Field::file, too_large) when a GLB of that
// payload and a document of document_room bytes would not fit the container.
uint64_t check_payload_size(std::initializer_list<uint64_t> array_byte_lengths,
                            uint64_t document_room = kMaxDocumentLength);

// count * element_size, or UINT64_MAX when that does not fit: for check_payload_size.
uint64_t saturated_byte_length(uint64_t count, uint64_t element_size);

// Throws InputError (not_finite) at the first value that is NaN or infinite;
// count 1 names no component.
void require_finite(const double* values, size_t count, Field field);

// Whether a GLB of this JSON and payload length stays within kMaxGlbSize.
bool glb_size_fits(uint64_t json_length, uint64_t payload_length);

// A plan of this document: its text, its payload (the blocks it reserved) and the file size.
GlbPlan make_plan(const gltf::Document& document);

// Rounds a byte length up to a multiple of 4 (every accessor starts 4-byte aligned).
constexpr uint64_t aligned4(uint64_t length) { return (length + 3) & ~uint64_t(3); }

}  // namespace glb

namespace glb {

// Writes a planned file: its payload by fill(payload), then the rest, the header last.
template <typename Fill>
void write_planned(uint8_t* file, const GlbPlan& plan, Fill&& fill) {
    begin_glb(file);
    fill(glb_payload(file, plan));
    finish_glb(file, plan);
}

}  // namespace glb
