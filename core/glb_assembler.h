// GLB assembly core: turns flat arrays into one binary glTF 2.0 file (GLB).
//
// Plain C++17, no interpreter or binding-library headers, so that any language
// binding can share it. Every file is made in two steps, as a binding needs them:
//   plan_glb(input)                    checks the input and works out the file:
//                                      its JSON document, its layout and its exact size
//   write_glb(file, plan, input)       writes the planned file into file_size bytes
//   write_glb_into(out, capacity, ...) the same into a caller's memory, under the
//                                      rules for it (room, no input overwritten)
// so that a binding allocates its result object (a Python bytes, a Node Buffer)
// once, at the exact size, between the two.
//
// Two families:
//   raw (RawPointCloud, RawAtomCloud, RawMesh): the native module's meaning.
//     Arrays are copied byte for byte, the caller's bounds go into the document,
//     counts that disagree are written as they are.
//   checked (a Scene of parts: PointCloud, AtomCloud, TriangleMesh, LineSet):
//     the packages' meaning. Arrays of several element types are converted as
//     they are written, every value is checked, every POSITION's bounds are the
//     exact extremes of what is written, and the file can be compact
//     (quantised). The packages' functions are scenes of one part.
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
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
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

// A planned file: its document, the length of its binary payload (with the
// padding between its blocks) and its size.
struct GlbPlan {
    std::string document;
    uint64_t payload_length = 0;
    std::vector<std::pair<uint64_t, uint64_t>> payload_gaps;  // offset and length of padding inside the payload
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

// Where a planned file's payload begins in file. Writing a file starts here: the
// builders fill the payload, and finish_glb then writes the rest, the header
// last, so that memory whose writing failed holds no GLB header.
uint8_t* glb_payload(uint8_t* file, const GlbPlan& plan);
// Clears the header of memory about to hold a planned file (a GLB it held before
// no longer reads as one while the new file is written).
void begin_glb(uint8_t* file);
// Writes the payload's padding, the BIN chunk's header and padding, the JSON
// chunk and, last, the file header.
void finish_glb(uint8_t* file, const GlbPlan& plan);

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

// The raw builders by their arrays, as the native module's functions take them.
GlbBytes build_point_cloud_glb(const float* positions, size_t position_float_count, const float* colors,
                               size_t color_float_count, const Bounds3& bounds);
GlbBytes build_atom_glb(const float* positions, size_t atom_count, const uint16_t* types, const Bounds3& bounds);
GlbBytes build_mesh_glb(const float* positions, size_t position_float_count, const float* normals,
                        size_t normal_float_count, const uint32_t* indices, size_t index_count, const float* colors,
                        size_t color_float_count, const Bounds3& bounds, const MeshMaterial& material);

// ---------------------------------------------------------------------------
// Checked parts and scenes: the packages' meaning.

enum class Encoding : uint8_t {
    float32,  // float positions and colours, 32-bit indices (the raw builders' files)
    compact,  // KHR_mesh_quantization: 16-bit positions restored by the node's
              // transform, 8-bit colours and normals, 16-bit indices where they fit
    meshopt,  // compact, then every buffer view compressed with EXT_meshopt_compression
              // (a scene of parts: the file is compressed as a whole, so every part is)
};

// A point cloud in input order. Without colours, light grey.
struct PointCloud {
    ArrayView positions;  // float32 or float64 (or integers), x, y, z per point
    ColorRows colors;     // one row per point, one row for all, or none
    Encoding encoding = Encoding::float32;
};

// Whether the bonds of ball-and-stick atoms are found from their elements.
enum class BondSearch : uint8_t {
    off,
    on,         // refused without elements, or with bonds given
    automatic,  // when the style is ball-and-stick, elements are given and bonds are not
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
    ArrayView bond_shifts;     // integers, three per bond, or none: the cell shift S of each bond's second
                               // atom (the bond joins atom i to the image of j at p_j + S . cell); needs the cell
    bool has_cell = false;     // cell: three lattice vectors as rows (a, b, c), drawn as the 12 edges of
    double cell[9] = {};       // the parallelepiped they span from the origin, a node "Cell" of lines
    BondSearch bond_search = BondSearch::off;  // ball-and-stick: bonds found from the elements (covalent radii
    bool periodic[3] = {true, true, true};     // + 0.4 Å), across the cell's faces along its periodic axes
    bool instancing = true;    // false: spheres and sticks as plain triangles
    Encoding encoding = Encoding::float32;
    // Colours: elements draw in their own (element_colors.h), types in the atom palette, unless one of these
    // (only one) is given:
    ColorRows palette;         // a row per type (needs types; every type below its row count)
    ColorRows colors;          // a row per atom, or one row for all
    ArrayView values;          // a number per atom, drawn by a colour map (finite numbers)
    std::string colormap;      // its name (colormaps.h; "viridis" when empty), unless colormap_colors gives its entries
    ColorRows colormap_colors;
    bool has_vmin = false, has_vmax = false;  // without: the values' extremes
    double vmin = 0, vmax = 0;
};

// How a mesh's normals are made when none are given.
enum class NormalsMode : uint8_t {
    creased,  // smooth within a surface, split where faces meet at more than the crease angle
    smooth,   // one normal per vertex: the area-weighted sum of the faces around it
    flat,     // each face shaded with its own normal (faces in one plane share vertices)
};

// One indexed triangle mesh with one material. Normals computed when absent
// (by normals_mode; creased and flat split vertices, copying their colours and
// texture coordinates), given ones normalised; RGB colours widened to RGBA.
struct TriangleMesh {
    ArrayView positions;  // float32 or float64, x, y, z per vertex
    ArrayView faces;      // integers, three vertex indices per triangle
    ArrayView normals;    // float, x, y, z per vertex, or none
    NormalsMode normals_mode = NormalsMode::creased;
    double crease_angle = 30;  // degrees, in [0, 180]
    ColorRows colors;     // one row per vertex, one for all, or none
    ArrayView uv;         // float, u, v per vertex (glTF's: v down from the image's top), or none
    ArrayView texture;    // uint8: the bytes of a PNG or JPEG image, shown with uv; or none
    bool has_base_color = false;  // without: white with colours (they show as given), light grey without
    double base_color[4] = {1, 1, 1, 1};
    double metallic = 0;
    double roughness = 0.5;
    double emissive[3] = {0, 0, 0};
    bool double_sided = true;
    Encoding encoding = Encoding::float32;
};

// A set of lines: segments between pairs of points (LINES), or without
// segments one line through every point in order (a LINE_STRIP). Without
// colours, the material's colour (dark grey unless given).
struct LineSet {
    ArrayView positions;  // float32 or float64 (or integers), x, y, z per point
    ArrayView segments;   // integers, two point indices per segment, or none
    ColorRows colors;     // one row per point, one row for all, or none
    bool has_color = false;
    double color[4] = {0.25, 0.25, 0.25, 1};
    Encoding encoding = Encoding::float32;
};

// The asset generator of the packages' files, with the packages' version.
constexpr const char* kCheckedGenerator = "spatial-assembler 0.1.0";

// One part of a scene: what it draws, its node's name, and where it stands.
struct ScenePart {
    using Content = std::variant<PointCloud, AtomCloud, TriangleMesh, LineSet>;
    Content content;
    std::string name;            // empty: the content's own name ("Points", "Atoms", "Mesh", "Lines")
    bool has_transform = false;  // transform: 4 x 4, row by row, acting on column vectors [x, y, z, 1]
    double transform[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

// A scene: parts planned into one document, one node each under the scene,
// written in one pass. A scene of one part without name or transform is the
// file of its content alone.
// With frame_duration (seconds, > 0) the parts are the frames of an animation
// (a trajectory): part k is shown from k * frame_duration for one duration,
// by a STEP animation of the scale of its node "Frame k" (0 outside its time;
// viewers that play no animation show the first frame). Frames of atoms must
// hold the same number of atoms.
struct Scene {
    std::vector<ScenePart> parts;
    double frame_duration = 0;
};

// What a planned part keeps for its write step (opaque to bindings).
class PartLayout;
namespace gltf {
struct Document;
}

struct ScenePlan : GlbPlan {
    ScenePlan();
    ScenePlan(ScenePlan&&) noexcept;
    ScenePlan& operator=(ScenePlan&&) noexcept;
    ~ScenePlan();
    std::vector<std::unique_ptr<PartLayout>> parts;
    uint64_t keyframe_times_offset = 0;   // frames: every frame's keyframe times
    uint64_t keyframe_scales_offset = 0;  // and the two patterns of scales they switch between
    // A compressed file (a part's encoding meshopt): its size is known only once
    // its compact payload is written and compressed, so the plan does both, and
    // the write copies this payload.
    bool precompressed = false;
    std::vector<uint8_t> compressed_payload;
    std::unique_ptr<gltf::Document> document;  // while planning only
};

// Reads counts and small values only (no array), so that a binding runs it
// before it copies anything: element types, row counts that fit each other,
// material factors, boxes, names and transforms, and the 4 GiB limit.
void check_input(const Scene& scene);

// Runs the check, then reads what the document depends on: the positions once
// (their exact extremes, refusing NaN and infinities), the faces, ids, bonds
// and segments (refusing any out of range). The plan points into the scene's
// parts: the scene must stay as it is until the write. A scene with a part of
// encoding meshopt is planned as compact, written and compressed here (every
// value checked then), and its write only copies the compressed payload.
ScenePlan plan_glb(const Scene& scene);

// Converts and copies the arrays into the file, checking the values that the
// document does not depend on as it goes (colours, normals, radii, and indices
// of float32 files): an InputError then leaves the file without a header.
// Every InputError of a part names it (InputError::part).
// thread_count: as for the raw atoms (0: by the atom count).
void write_glb(uint8_t* file, const ScenePlan& plan, const Scene& scene, uint32_t thread_count = 0);

// ---------------------------------------------------------------------------
// Files written into a caller's memory.

// The caller's memory that an input was read from (before any conversion a
// binding made of it), with the input's field.
struct InputMemory {
    const void* data = nullptr;
    uint64_t bytes = 0;
    Field field = Field::positions;
};

// The rules for a caller's memory [out, out + capacity): it must hold the
// planned file (else InputError output, too_few: count = capacity, limit =
// file_size) and overlap none of the inputs (else InputError output,
// shares_memory, related = the input's field). Checked before anything is written.
void check_output(const uint8_t* out, uint64_t capacity, uint64_t file_size, const std::vector<InputMemory>& inputs);

// Writes a planned file into a caller's memory under those rules.
template <typename Plan, typename Input>
void write_glb_into(uint8_t* out, uint64_t capacity, const Plan& plan, const Input& input,
                    const std::vector<InputMemory>& inputs) {
    check_output(out, capacity, plan.file_size, inputs);
    write_glb(out, plan, input);
}

// ---------------------------------------------------------------------------
// The names of choices, as both packages spell them: InputError not_a_choice
// (the field, and the text given) for any other.

Encoding encoding_named(std::string_view name);
AtomStyle style_named(std::string_view name);
NormalsMode normals_named(std::string_view name);  // "auto" (creased), "smooth", "flat"
// The empty content of a part of kind "points", "atoms", "mesh" or "lines"
// (InputError not_a_choice, Field::parts, for another), and the kind of a part.
ScenePart::Content content_of_kind(std::string_view kind);
const char* kind_of(const ScenePart& part);
// The choices of a field in words, for messages: "'float32' or 'compact'".
std::string choices_of(Field field);

// Thread count of one atom call: 1 below 100000 atoms, otherwise the hardware
// concurrency (4 when the platform reports none).
uint32_t atom_thread_count(size_t atom_count);

}  // namespace glb
