// Internal helpers of the builders: the container start written in place, and
// overflow-safe byte lengths.
#pragma once

#include <cstddef>

#include "glb_assembler.h"
#include "json_text.h"

namespace glb {

// Reserves the whole GLB in output and writes its header, JSON chunk, BIN chunk
// header and BIN padding; returns where its payload_length payload bytes go, for
// the builder to fill in place (no payload is assembled only to be copied).
// Throws std::length_error beyond 4 GiB, before reserving anything.
uint8_t* start_glb(GlbOutput& output, const char* json, size_t json_length, size_t payload_length);

// Whether a GLB of this JSON and payload length stays within kMaxGlbSize.
bool glb_size_fits(uint64_t json_length, uint64_t payload_length);

// count * element_size, or std::length_error when that alone passes the 4 GiB
// container limit (so that sums of a few such lengths cannot wrap around).
size_t checked_byte_length(size_t count, size_t element_size, const char* array_name);

}  // namespace glb
