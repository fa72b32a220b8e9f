// The glTF JSON document of a GLB, described by plain records (accessors,
// buffer views, meshes and their primitives, nodes, materials, extensions) and
// written by one small writer per element. The writer's text has no spaces and
// a fixed key order, so that the raw builders' documents come out character for
// character as they always have; a length bound computed from the records lets
// the text be written into one allocation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace glb::gltf {

constexpr int64_t kNone = -1;

enum class ComponentType : uint16_t {
    int8 = 5120,
    uint8 = 5121,
    int16 = 5122,
    uint16 = 5123,
    uint32 = 5125,
    float32 = 5126,
};

enum class AccessorType : uint8_t { scalar, vec2, vec3, vec4 };

// A buffer view's target: vertex attributes, indices, or none (instance data).
enum class Target : uint16_t { none = 0, vertices = 34962, indices = 34963 };

// How an accessor's "min" and "max" are written: not at all, as floats that read
// back as the float32 the data holds (positions), or as integers (quantised
// positions, whose bounds are the stored integers).
enum class BoundsKind : uint8_t { none, floats, integers };

struct Accessor {
    uint32_t buffer_view = 0;
    uint64_t byte_offset = 0;  // written only when not 0
    ComponentType component_type = ComponentType::float32;
    bool normalized = false;
    uint64_t count = 0;
    AccessorType type = AccessorType::vec3;
    BoundsKind bounds = BoundsKind::none;
    double min[3] = {0, 0, 0};  // per component of a VEC3; [0] alone for a SCALAR
    double max[3] = {0, 0, 0};
};

// EXT_meshopt_compression of a buffer view: its bytes, compressed, at byte_offset
// in buffer 0; the view itself then lies in the fallback buffer, which holds no bytes.
struct MeshoptView {
    bool compressed = false;
    uint64_t byte_offset = 0;
    uint64_t byte_length = 0;
    uint32_t byte_stride = 0;  // of one element as decoded
    uint64_t count = 0;        // elements
    const char* mode = "ATTRIBUTES";
};

struct BufferView {
    uint64_t byte_offset = 0;
    uint64_t byte_length = 0;
    uint32_t byte_stride = 0;  // written only when not 0
    Target target = Target::none;
    MeshoptView meshopt{};
};

// An attribute of a primitive, or of an instanced node: a semantic and its accessor.
struct Attribute {
    const char* semantic;
    uint32_t accessor;
};

struct Primitive {
    std::vector<Attribute> attributes;
    int64_t indices = kNone;
    int64_t material = kNone;
    uint32_t mode = 4;  // 0 points, 1 lines, 3 a line strip, 4 triangles
    std::string extensions_text;  // the members of its "extensions" object, as JSON text, when not empty
};

struct Mesh {
    std::vector<Primitive> primitives;
    std::string name;
};

struct Node {
    std::vector<uint32_t> children;
    int64_t mesh = kNone;
    std::string name;
    bool has_transform = false;  // translation and scale, written with the shortest exact text
    double translation[3] = {0, 0, 0};
    double scale[3] = {1, 1, 1};
    bool has_matrix = false;     // a caller's transform, in glTF's column-major order (never with the above)
    double matrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    std::vector<Attribute> instances;  // EXT_mesh_gpu_instancing attributes, when not empty
};

// One metallic-roughness material; every factor is written with four decimals.
struct Material {
    double base_color[4] = {1, 1, 1, 1};
    double metallic = 0;
    double roughness = 0.5;
    double emissive[3] = {0, 0, 0};
    bool double_sided = false;
    int64_t base_color_texture = kNone;  // a texture read with TEXCOORD_0
    bool blend = false;                  // alphaMode BLEND: the base colour's alpha makes it translucent
};

// An image embedded in the payload (PNG or JPEG bytes), shown by a texture
// through the document's one sampler (linear, mipmapped, repeated).
struct Image {
    uint32_t buffer_view = 0;
    const char* mime_type = "image/png";
};

// A node's property switched by STEP keyframes: input (times) and output
// (values) accessors, for one channel of the document's one animation.
struct AnimationChannel {
    uint32_t node = 0;
    uint32_t input = 0;
    uint32_t output = 0;
    const char* path = "scale";
};

struct Document {
    const char* generator = "Tarn Native";  // the asset's: the raw builders'; the packages name themselves
    std::vector<const char*> extensions;  // each both used and required
    std::vector<const char*> optional_extensions;  // used but not required
    std::string extensions_text;          // the members of the document's "extensions" object, as JSON text
    uint64_t fallback_buffer_length = 0;  // when not 0, buffer 1: EXT_meshopt_compression's fallback, of no bytes
    std::vector<uint32_t> scene_nodes;
    std::vector<Node> nodes;
    std::vector<Material> materials;
    std::vector<Image> images;            // each with a texture of the same index
    std::vector<AnimationChannel> animation;  // one animation "Frames", one STEP sampler per channel
    std::vector<Mesh> meshes;
    std::vector<Accessor> accessors;
    std::vector<BufferView> buffer_views;
    uint64_t buffer_length = 0;           // the payload: every block reserved so far
    std::vector<std::pair<uint64_t, uint64_t>> payload_gaps;  // offset and length of the padding between blocks

    // Appends an element and returns its index.
    uint32_t add(const BufferView& view);
    uint32_t add(const Accessor& accessor);
    uint32_t add(const Node& node);
    uint32_t add(const Mesh& mesh);
    uint32_t add(const Material& material);
    uint32_t add(const Image& image);

    // Places a block of `length` bytes at the end of the payload, at a 4-byte
    // boundary (every accessor's data is aligned so), and returns its offset.
    uint64_t reserve(uint64_t length);
    // Names an extension as used and required, once.
    void require(const char* extension);
    // Names an extension as used (not required), once.
    void use(const char* extension);
};

// At least the length of write_document's text, computed without formatting any number.
size_t document_length_bound(const Document& document);

// The document's text: one line, no spaces but in the generator's name.
std::string write_document(const Document& document);

}  // namespace glb::gltf
