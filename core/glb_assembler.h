// GLB assembly core: turns flat arrays into one binary glTF 2.0 file (GLB).
//
// Plain C++17, no interpreter or binding-library headers, so that any language
// binding can share it. Each builder takes one plain record of its inputs and
// works in two steps, as a binding needs them:
//   plan_glb(record)                  checks the record and works out the file:
//                                     its JSON document, its layout and its exact size
//   write_glb(file, plan, record)     writes the planned file into file_size bytes
// so that a binding allocates its result object (a Python bytes, a Node Buffer)
// once, at the exact size, between the two. build_glb(record) does both into a
// GlbBytes.
//
// Two families of builders:
//   raw (RawPointCloud, RawAtomCloud, RawMesh): the native module's meaning.
//     Arrays are copied byte for byte, the caller's bounds go into the document,
//     counts that disagree are written as they are.
//   checked (PointCloud, AtomCloud, TriangleMesh): the packages' meaning. Arrays
//     of several element types are converted as they are written, every value is
//     checked, the POSITION bounds are the exact extremes of what is written, and
//     the file can be compact (quantised) or draw atoms as spheres.
//
// Failures are exceptions:
//   InputError             an input is wrong (input_error.h says which and where);
//                          also a file that would reach 4 GiB (Field::file)
//   std::bad_alloc         an allocation failed (everything taken is released)
// The caller's arrays are never written, kept or freed; they are read as tightly
// packed values in the host's byte order at their natural alignment.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "inputs/arrays.h"
#include "inputs/input_error.h"
#include "memory/large_memory.h"

namespace glb {

// One finished GLB. Its size always equals the length in the file header.
using GlbBytes = std::vector<uint8_t, GlbAllocator<uint8_t>>;

// A box: minimum x, y, z and maximum x, y, z.
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

// Largest file the container can describe: every length field is 32 bits wide.
constexpr uint64_t kMaxGlbSize = 0xFFFFFFFFu;

// No raw builder's document is longer than this, whatever its counts, bounds and
// factors (the longest, a mesh with every number at the largest double
// magnitude, stays under 6,000 characters). The raw builders refuse a file that
// would reach 4 GiB with a document of this length, before any array is read.
constexpr uint64_t kMaxDocumentLength = 6144;

// A planned file: its document, the length of its binary payload and its size.
struct GlbPlan {
    std::string document;
    uint64_t payload_length = 0;
    uint64_t file_size = 0;  // header, both chunks and their padding
};

// Size of the GLB that holds a JSON text of json_length bytes and a payload of
// payload_length bytes (headers and padding included). Throws InputError
// (Field::file, Problem::too_large) when it exceeds kMaxGlbSize.
uint64_t glb_size(uint64_t json_length, uint64_t payload_length);

// Wraps a JSON text and a binary payload into a GLB container: 12-byte header,
// one JSON chunk padded with spaces, one BIN chunk padded with zero bytes (always
// present, also when empty). Neither input is parsed or validated.
// payload may be null when payload_length is 0.
GlbBytes write_glb(const char* json, size_t json_length, const void* payload, size_t payload_length);

// Writes a plan's header, JSON chunk, BIN chunk header and BIN padding into file
// (plan.file_size bytes) and returns where its payload_length payload bytes go.
uint8_t* start_glb(uint8_t* file, const GlbPlan& plan);

// ---------------------------------------------------------------------------
// Raw builders: the native module's meaning.

// A point cloud in input order: POSITION from positions, COLOR_0 from colors,
// both copied byte for byte. position_float_count / 3 points; the colour accessor
// is "VEC4" when color_float_count is exactly 4 per point, otherwise "VEC3".
struct RawPointCloud {
    const float* positions = nullptr;
    size_t position_float_count = 0;
    const float* colors = nullptr;
    size_t color_float_count = 0;
    Bounds3 bounds{};  // written as the POSITION "min" and "max"
};

// An atom cloud: atom_count atoms (3 floats each from positions, one 16-bit type id
// each from types), reordered along a Morton curve over bounds (1024 cells per
// axis, stable for atoms in one cell) and coloured by type from a fixed palette.
// No atoms: the 32-byte container around the JSON text "{}".
struct RawAtomCloud {
    const float* positions = nullptr;
    size_t atom_count = 0;
    const uint16_t* types = nullptr;
    size_t type_count = SIZE_MAX;  // ids the types memory holds; SIZE_MAX: the caller vouches for atom_count
    Bounds3 bounds{};              // the Morton box, also written as "min" and "max"
};

// One indexed triangle mesh with one material: POSITION, NORMAL, optional COLOR_0
// ("VEC4") and 32-bit indices, each copied byte for byte. Every vertex accessor
// counts position_float_count / 3 vertices. A null or empty colour array leaves
// the colour attribute out.
struct RawMesh {
    const float* positions = nullptr;
    size_t position_float_count = 0;
    const float* normals = nullptr;
    size_t normal_float_count = 0;
    const uint32_t* indices = nullptr;
    size_t index_count = 0;
    const float* colors = nullptr;
    size_t color_float_count = 0;
    Bounds3 bounds{};
    MeshMaterial material{};
};

// What each raw builder refuses, checked from counts and numbers alone (no array
// is read, so a binding runs it before it packs or copies anything): a bound or
// factor that is NaN or infinite (a glTF document has no spelling for them; for
// atoms only with one atom or more), fewer type ids than atoms, and a file that
// with a document of kMaxDocumentLength would reach 4 GiB.
void check_input(const RawPointCloud& input);
void check_input(const RawAtomCloud& input);
void check_input(const RawMesh& input);

GlbPlan plan_glb(const RawPointCloud& input);
GlbPlan plan_glb(const RawAtomCloud& input);
GlbPlan plan_glb(const RawMesh& input);

void write_glb(uint8_t* file, const GlbPlan& plan, const RawPointCloud& input);
void write_glb(uint8_t* file, const GlbPlan& plan, const RawMesh& input);
// From 100000 atoms on, the work runs on the process's worker pool, sized for
// one thread per hardware thread (or thread_count threads when that is not 0);
// the bytes never depend on the count.
void write_glb(uint8_t* file, const GlbPlan& plan, const RawAtomCloud& input, uint32_t thread_count = 0);

GlbBytes build_glb(const RawPointCloud& input);
GlbBytes build_glb(const RawAtomCloud& input);
GlbBytes build_glb(const RawMesh& input);

// The raw builders by their arrays, as the native module's functions take them.
GlbBytes build_point_cloud_glb(const float* positions, size_t position_float_count, const float* colors,
                               size_t color_float_count, const Bounds3& bounds);
GlbBytes build_atom_glb(const float* positions, size_t atom_count, const uint16_t* types, const Bounds3& bounds);
GlbBytes build_mesh_glb(const float* positions, size_t position_float_count, const float* normals,
                        size_t normal_float_count, const uint32_t* indices, size_t index_count, const float* colors,
                        size_t color_float_count, const Bounds3& bounds, const MeshMaterial& material);

// ---------------------------------------------------------------------------
// Checked builders: the packages' meaning.

enum class Encoding : uint8_t {
    float32,  // float positions and colours, 32-bit indices (the raw builders' files)
    compact,  // KHR_mesh_quantization: 16-bit positions restored by the node's
              // transform, 8-bit colours and normals, 16-bit indices where they fit
};

// A point cloud in input order. Without colours, light grey.
struct PointCloud {
    ArrayView positions;  // float32 or float64 (or integers), x, y, z per point
    ColorRows colors;     // one row per point, one row for all, or none
    Encoding encoding = Encoding::float32;
};

enum class AtomStyle : uint8_t {
    points,          // one point per atom
    spheres,         // one sphere per atom
    ball_and_stick,  // the spheres, and the bonds as sticks
};

// Atoms, ordered along a Morton curve over the box and coloured by palette row.
// Rows come from types (7 and above share the last) or from atomic numbers (the
// element table); all grey without either. Spheres are instanced
// (EXT_mesh_gpu_instancing) per colour, or written as plain triangles.
struct AtomCloud {
    ArrayView positions;       // float32 or float64, x, y, z per atom
    ArrayView types;           // integers 0 .. 65535, one per atom; or
    ArrayView atomic_numbers;  // integers 0 .. 118, one per atom
    bool has_box = false;      // box: the Morton box (atoms outside fall into its edge cells);
    Bounds3 box{};             // without it, the positions' own extremes
    AtomStyle style = AtomStyle::points;
    bool has_radius = false;   // radius: one radius for all atoms (> 0)
    double radius = 0;
    ArrayView radii;           // one radius per atom (> 0), or none
    ArrayView bonds;           // pairs of atom indices, drawn as two half-sticks each
    bool instancing = true;    // false: spheres and sticks as plain triangles
    Encoding encoding = Encoding::float32;
};

// One indexed triangle mesh with one material. Normals computed when absent
// (area-weighted per vertex), given ones normalised; RGB colours widened to RGBA.
struct TriangleMesh {
    ArrayView positions;  // float32 or float64, x, y, z per vertex
    ArrayView faces;      // integers, three vertex indices per triangle
    ArrayView normals;    // float, x, y, z per vertex, or none
    ColorRows colors;     // one row per vertex, one for all, or none
    bool has_base_color = false;  // without: white with colours (they show as given), light grey without
    double base_color[4] = {1, 1, 1, 1};
    double metallic = 0;
    double roughness = 0.5;
    double emissive[3] = {0, 0, 0};
    bool double_sided = true;
    Encoding encoding = Encoding::float32;
};

// What the plans of the checked builders keep for their write step.
struct PointCloudPlan;
struct AtomCloudPlan;
struct MeshPlan;

// Each check reads counts and small values only (no array), so that a binding
// runs it before it copies anything: element types, row counts that fit each
// other, material factors, the box, and the 4 GiB limit.
void check_input(const PointCloud& input);
void check_input(const AtomCloud& input);
void check_input(const TriangleMesh& input);

// Each plan runs the check, then reads what the document depends on: the
// positions once (their exact extremes, refusing NaN and infinities), the
// faces, ids and bonds (refusing any out of range).
PointCloudPlan plan_glb(const PointCloud& input);
AtomCloudPlan plan_glb(const AtomCloud& input);
MeshPlan plan_glb(const TriangleMesh& input);

// Each write converts and copies the arrays into the file, checking colours,
// radii and normals as it goes (an InputError then leaves the file unfinished).
void write_glb(uint8_t* file, const PointCloudPlan& plan, const PointCloud& input);
void write_glb(uint8_t* file, const AtomCloudPlan& plan, const AtomCloud& input, uint32_t thread_count = 0);
void write_glb(uint8_t* file, const MeshPlan& plan, const TriangleMesh& input);

GlbBytes build_glb(const PointCloud& input);
GlbBytes build_glb(const AtomCloud& input);
GlbBytes build_glb(const TriangleMesh& input);

// Thread count of one atom call: 1 below 100000 atoms, otherwise the hardware
// concurrency (4 when the platform reports none).
uint32_t atom_thread_count(size_t atom_count);

}  // namespace glb

#include "checked_plans.h"
