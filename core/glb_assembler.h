// GLB assembly core: turns flat arrays into one binary glTF 2.0 file (GLB).
//
// Plain C++17, no interpreter or binding-library headers, so that any language
// binding can share it. Every function takes (pointer, count) inputs and small
// records and returns the finished file by value. Failures are exceptions:
//   std::bad_alloc         an allocation failed (everything taken is released)
//   std::invalid_argument  a bound or material factor is not finite
//   std::length_error      the file would not fit the container's 32-bit length fields
//   std::system_error      a worker thread could not be started (atom builder only)
// Each builder comes twice: returning GlbBytes, and writing into a GlbOutput.
// Inputs are read as tightly packed little-endian values at their natural
// alignment; the caller's arrays are never written, kept or freed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "large_memory.h"

namespace glb {

// One finished GLB. Its size always equals the length in the file header.
using GlbBytes = std::vector<uint8_t, GlbAllocator<uint8_t>>;

// The caller's bounding box; printed into the POSITION accessor's "min" and "max".
struct Bounds3 {
    double min[3];
    double max[3];
};

// The single metallic-roughness material of a mesh.
struct MeshMaterial {
    double base_color[4];  // R, G, B, A
    double metallic;
    double roughness;
    double emissive[3];  // R, G, B
    bool double_sided;
};

// Where a builder writes the finished file. reserve(size) is called once, on the
// calling thread, after every input check and before any large work; it returns
// `size` writable bytes that stay valid until the builder returns, or throws.
// A binding implements it to have the file written straight into its own result
// object (a Python bytes object, say) instead of copying a finished GlbBytes.
class GlbOutput {
public:
    virtual uint8_t* reserve(size_t size) = 0;

protected:
    ~GlbOutput() = default;
};

// The GlbOutput behind the functions that return GlbBytes.
class GlbBytesOutput final : public GlbOutput {
public:
    uint8_t* reserve(size_t size) override {
        bytes = GlbBytes(size);
        return bytes.data();
    }
    GlbBytes bytes;
};

// Largest file the container can describe: every length field is 32 bits wide.
constexpr uint64_t kMaxGlbSize = 0xFFFFFFFFu;

// Size of the GLB that write_glb makes from a JSON text of json_length bytes and
// a payload of payload_length bytes (headers and padding included).
// Throws std::length_error when it exceeds kMaxGlbSize, so builders can refuse
// oversized input before they allocate anything large.
uint64_t glb_size(uint64_t json_length, uint64_t payload_length);

// No builder's JSON document is longer than this, whatever its counts, bounds
// and factors (the longest, a mesh with every number at the largest double
// magnitude, stays under 6,000 characters).
constexpr uint64_t kMaxDocumentLength = 6144;

// What each builder refuses, checked before it touches any array: a bound or
// factor that is NaN or infinite (std::invalid_argument naming the argument: a
// glTF document has no spelling for them), and a file that, with a document of
// kMaxDocumentLength, would reach 4 GiB (std::length_error; sizes are added so
// that they cannot wrap). Each builder runs its check first; a binding runs it
// before it packs or copies its inputs, so that a refused call costs nothing.
void check_point_cloud_inputs(size_t position_float_count, size_t color_float_count, const Bounds3& bounds);
void check_atom_inputs(size_t atom_count, const Bounds3& bounds);  // for one atom or more
void check_mesh_inputs(size_t position_float_count, size_t normal_float_count, size_t index_count,
                       size_t color_float_count, const Bounds3& bounds, const MeshMaterial& material);

// value rounded to the nearest 32-bit float, infinite beyond the float range
// (IEEE 754 narrowing, spelled out because C++ leaves out-of-range conversions
// undefined).
float to_float32(double value);

// Wraps a JSON text and a binary payload into a GLB container: 12-byte header,
// one JSON chunk padded with spaces, one BIN chunk padded with zero bytes (always
// present, also when empty). Neither input is parsed or validated.
// payload may be null when payload_length is 0.
GlbBytes write_glb(const char* json, size_t json_length, const void* payload, size_t payload_length);
void write_glb(GlbOutput& output, const char* json, size_t json_length, const void* payload, size_t payload_length);

// A point cloud in input order: POSITION from positions, COLOR_0 from colors,
// both copied byte for byte. position_float_count / 3 points; the colour accessor
// is "VEC4" when color_float_count is exactly 4 per point, otherwise "VEC3".
// Counts that disagree are written as they are.
GlbBytes build_point_cloud_glb(const float* positions, size_t position_float_count, const float* colors,
                               size_t color_float_count, const Bounds3& bounds);
void build_point_cloud_glb(GlbOutput& output, const float* positions, size_t position_float_count,
                           const float* colors, size_t color_float_count, const Bounds3& bounds);

// An atom cloud: atom_count atoms (3 floats each from positions, one 16-bit type id
// each from types, which must hold at least atom_count ids), reordered along a
// Morton curve over bounds (stable for equal cells) and coloured by type from a
// fixed palette. From 100000 atoms on, the work runs on one thread per hardware
// thread; the bytes do not depend on the thread count.
// No atoms: the 32-byte container around the JSON text "{}".
GlbBytes build_atom_glb(const float* positions, size_t atom_count, const uint16_t* types, const Bounds3& bounds);
void build_atom_glb(GlbOutput& output, const float* positions, size_t atom_count, const uint16_t* types,
                    const Bounds3& bounds);

// Like build_atom_glb, on exactly thread_count threads per phase (at least 1).
void build_atom_glb_on_threads(GlbOutput& output, const float* positions, size_t atom_count,
                               const uint16_t* types, const Bounds3& bounds, uint32_t thread_count);

// One indexed triangle mesh with one material: POSITION, NORMAL, optional COLOR_0
// ("VEC4") and 32-bit indices, each copied byte for byte. Every vertex accessor
// counts position_float_count / 3 vertices. colors may be null; a null or empty
// colour array leaves the colour attribute out.
GlbBytes build_mesh_glb(const float* positions, size_t position_float_count, const float* normals,
                        size_t normal_float_count, const uint32_t* indices, size_t index_count, const float* colors,
                        size_t color_float_count, const Bounds3& bounds, const MeshMaterial& material);
void build_mesh_glb(GlbOutput& output, const float* positions, size_t position_float_count, const float* normals,
                    size_t normal_float_count, const uint32_t* indices, size_t index_count, const float* colors,
                    size_t color_float_count, const Bounds3& bounds, const MeshMaterial& material);

}  // namespace glb
