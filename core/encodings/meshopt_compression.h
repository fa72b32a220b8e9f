// EXT_meshopt_compression over a planned document: each buffer view's bytes
// compressed with meshoptimizer's vertex codec (16-bit index views with its
// index-sequence codec), so that any compact file can be written smaller.
#pragma once

#include <cstddef>
#include <cstdint>

#include "document/gltf_document.h"

namespace glb {

constexpr const char* kMeshoptExtension = "EXT_meshopt_compression";

// At least the payload length that compress_buffer_views writes for this
// document: its views' worst-case compressed sizes, each 4-byte aligned.
uint64_t meshopt_payload_bound(const gltf::Document& document);

// Compresses every buffer view of `document` whose bytes lie at
// payload + view.byte_offset into destination (meshopt_payload_bound bytes),
// one 4-byte aligned block per view in view order, and rewrites the document
// to match: each view keeps its offsets in the fallback buffer (the old
// payload's length, holding no bytes) and names its compressed block; the
// extension is required; the padding between blocks is recorded as payload
// gaps. A view compresses as ATTRIBUTES when its element (byteStride, or the
// size of the accessors' element over a tightly packed view) is a multiple of 4
// up to 256 bytes, as INDICES for 16-bit indices; other views are copied as
// they are. Returns the new payload length. Pure: the same document and bytes
// give the same output on every thread.
uint64_t compress_buffer_views(uint8_t* destination, gltf::Document& document, const uint8_t* payload);

}  // namespace glb
