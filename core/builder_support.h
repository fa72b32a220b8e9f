// Internal helpers of the builders: the container start written in place, and
// overflow-safe byte lengths.
#pragma once

#include <cstddef>
#include <initializer_list>

#include "glb_assembler.h"
#include "json_text.h"

namespace glb {

// Reserves the whole GLB in output and writes its header, JSON chunk, BIN chunk
// header and BIN padding; returns where its payload_length payload bytes go, for
// the builder to fill in place (no payload is assembled only to be copied).
// Throws std::length_error beyond 4 GiB, before reserving anything.
uint8_t* start_glb(GlbOutput& output, const char* json, size_t json_length, size_t payload_length);

// The payload length of arrays of these byte lengths, added so that the sum
// cannot wrap. Throws std::length_error when a GLB of that payload and a
// document of kMaxDocumentLength would not fit the container.
uint64_t check_payload_size(std::initializer_list<uint64_t> array_byte_lengths);

// count * element_size, or UINT64_MAX when that does not fit: for check_payload_size.
uint64_t saturated_byte_length(uint64_t count, uint64_t element_size);

// Throws std::invalid_argument naming the argument when a value is NaN or infinite.
void require_finite(const double* values, size_t count, const char* argument_name);

// Whether a GLB of this JSON and payload length stays within kMaxGlbSize.
bool glb_size_fits(uint64_t json_length, uint64_t payload_length);


}  // namespace glb
