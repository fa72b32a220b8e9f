// The files of a tileset: tile contents (GLB), subtree files and tileset.json.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "document/builder_support.h"
#include "document/json_text.h"
#include "encodings/meshopt_compression.h"
#include "encodings/quantization.h"
#include "tiles/tiles.h"

namespace glb::tiles {

namespace {

constexpr const char* kMetadataExtension = "EXT_structural_metadata";
constexpr uint32_t kAttributeStride = 4;  // vertex attributes start at 4-byte boundaries

std::string real_text(double value) {
    char digits[kMaxNumberText];
    return std::string(digits, format_real(digits, value));
}

std::string count_text(uint64_t value) {
    char digits[kMaxNumberText];
    return std::string(digits, format_count(digits, value));
}

// The x, y or z tile coordinate (bits axis, axis + 3, ...) of a Morton index.
uint64_t coordinate_of(uint64_t index, int axis) {
    uint64_t value = 0;
    for (unsigned bit = 0; bit < kCodeDepth; ++bit) value |= ((index >> (3 * bit + axis)) & 1) << bit;
    return value;
}

// How an attribute is stored: its own 8- or 16-bit integers and float32 as they
// are; wider integers and float64 as float32 differences from the dataset's
// minimum, which the class's offset adds back.
struct StoredAttribute {
    gltf::ComponentType component;
    const char* metadata_type;
    bool shifted;
};

StoredAttribute stored_form(ScalarType type) {
    switch (type) {
        case ScalarType::int8: return {gltf::ComponentType::int8, "INT8", false};
        case ScalarType::uint8: return {gltf::ComponentType::uint8, "UINT8", false};
        case ScalarType::int16: return {gltf::ComponentType::int16, "INT16", false};
        case ScalarType::uint16: return {gltf::ComponentType::uint16, "UINT16", false};
        case ScalarType::float32: return {gltf::ComponentType::float32, "FLOAT32", false};
        default: return {gltf::ComponentType::float32, "FLOAT32", true};
    }
}

template <typename T>
double value_at(const void* values, size_t row) {
    T value;
    std::memcpy(&value, static_cast<const uint8_t*>(values) + row * sizeof(T), sizeof(T));
    return double(value);
}

double attribute_value(const AttributeColumn& column, size_t row) {
    switch (column.type) {
        case ScalarType::int32: return value_at<int32_t>(column.values, row);
        case ScalarType::uint32: return value_at<uint32_t>(column.values, row);
        case ScalarType::int64: return value_at<int64_t>(column.values, row);
        case ScalarType::uint64: return value_at<uint64_t>(column.values, row);
        case ScalarType::float64: return value_at<double>(column.values, row);
        default: return value_at<float>(column.values, row);
    }
}

std::string upper(const std::string& name) {
    std::string result = name;
    for (char& c : result)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return result;
}

// The EXT_structural_metadata members: one class "point" with a property per attribute.
std::string metadata_text(const std::vector<AttributeColumn>& attributes) {
    std::string classes, properties;
    for (size_t i = 0; i < attributes.size(); ++i) {
        const AttributeColumn& column = attributes[i];
        const StoredAttribute form = stored_form(column.type);
        if (i) {
            classes += ",";
            properties += ",";
        }
        classes += "\"" + column.name + "\":{\"type\":\"SCALAR\",\"componentType\":\"" + form.metadata_type + "\"";
        if (form.shifted) classes += ",\"offset\":" + real_text(column.minimum);
        classes += ",\"min\":" + real_text(column.minimum) + ",\"max\":" + real_text(column.maximum) + "}";
        properties += "\"" + column.name + "\":{\"attribute\":\"_" + upper(column.name) + "\"}";
    }
    return "\"EXT_structural_metadata\":{\"schema\":{\"id\":\"points\",\"classes\":{\"point\":{\"properties\":{" +
           classes + "}}}},\"propertyAttributes\":[{\"class\":\"point\",\"properties\":{" + properties + "}}]}";
}

}  // namespace

std::vector<uint8_t> tile_glb(const TileLayout& layout, TileKey key, const PointColumns& columns,
                              const uint32_t* rows, size_t count) {
    // The tile's box relative to the root's centre, and glTF's axes: x, z, -y of the tileset's.
    const double side = 2 * layout.half_side / double(uint64_t(1) << key.level);
    double low[3];
    for (int axis = 0; axis < 3; ++axis)
        low[axis] = layout.center[axis] - layout.half_side + double(coordinate_of(key.index, axis)) * side;
    const double steps = 65535 / side;

    gltf::Document document;
    document.generator = "spatial-assembler 0.1.0";
    document.require(kQuantizationExtension);
    gltf::Primitive primitive;
    primitive.mode = 0;
    std::deque<std::string> semantics;  // the attribute names the document points to, alive until it is written

    const uint64_t position_view =
        document.add(gltf::BufferView{document.reserve(count * kQuantizedPositionStride), count * kQuantizedPositionStride,
                                      kQuantizedPositionStride, gltf::Target::vertices, {}});
    gltf::Accessor position;
    position.buffer_view = uint32_t(position_view);
    position.component_type = gltf::ComponentType::uint16;
    position.normalized = true;
    position.count = count;
    position.type = gltf::AccessorType::vec3;
    position.bounds = gltf::BoundsKind::integers;
    primitive.attributes.push_back({"POSITION", document.add(position)});

    int64_t color_view = gltf::kNone;
    if (columns.colors != nullptr) {
        color_view = document.add(gltf::BufferView{document.reserve(count * 4), count * 4, 4, gltf::Target::vertices, {}});
        gltf::Accessor color;
        color.buffer_view = uint32_t(color_view);
        color.component_type = gltf::ComponentType::uint8;
        color.normalized = true;
        color.count = count;
        color.type = columns.color_width == 4 ? gltf::AccessorType::vec4 : gltf::AccessorType::vec3;
        primitive.attributes.push_back({"COLOR_0", document.add(color)});
    }
    std::vector<uint32_t> attribute_views;
    for (const AttributeColumn& column : columns.attributes) {
        attribute_views.push_back(document.add(gltf::BufferView{document.reserve(count * kAttributeStride),
                                                                count * kAttributeStride, kAttributeStride,
                                                                gltf::Target::vertices, {}}));
        gltf::Accessor values;
        values.buffer_view = attribute_views.back();
        values.component_type = stored_form(column.type).component;
        values.count = count;
        values.type = gltf::AccessorType::scalar;
        semantics.push_back("_" + upper(column.name));
        primitive.attributes.push_back({semantics.back().c_str(), document.add(values)});
    }
    if (!columns.attributes.empty()) {
        document.use(kMetadataExtension);
        document.extensions_text = metadata_text(columns.attributes);
        primitive.extensions_text = "\"EXT_structural_metadata\":{\"propertyAttributes\":[0]}";
    }
    gltf::Mesh mesh;
    mesh.name = "Points";
    mesh.primitives.push_back(primitive);
    gltf::Node node;
    node.name = "Tile";
    node.mesh = document.add(mesh);
    node.has_transform = true;
    node.translation[0] = low[0] - layout.center[0];
    node.translation[1] = low[2] - layout.center[2];
    node.translation[2] = -(low[1] - layout.center[1] + side);
    for (double& s : node.scale) s = side;
    document.scene_nodes.push_back(document.add(node));

    // The payload, uncompressed.
    std::vector<uint8_t> payload(size_t(document.buffer_length), 0);
    uint16_t q_min[3] = {65535, 65535, 65535}, q_max[3] = {0, 0, 0};
    const auto quantize = [steps](double offset) -> uint16_t {
        const double q = offset * steps;
        if (!(q > 0)) return 0;
        if (q >= 65535) return 65535;
        return uint16_t(q + 0.5);
    };
    uint8_t* out = payload.data() + document.buffer_views[position_view].byte_offset;
    for (size_t i = 0; i < count; ++i) {
        const double* p = columns.positions + 3 * size_t(rows[i]);
        const uint16_t q[3] = {quantize(p[0] - low[0]), quantize(p[2] - low[2]), quantize(low[1] + side - p[1])};
        for (int axis = 0; axis < 3; ++axis) {
            q_min[axis] = std::min(q_min[axis], q[axis]);
            q_max[axis] = std::max(q_max[axis], q[axis]);
        }
        std::memcpy(out + kQuantizedPositionStride * i, q, sizeof q);
    }
    gltf::Accessor& bounds = document.accessors[primitive.attributes[0].accessor];
    for (int axis = 0; axis < 3; ++axis) {
        bounds.min[axis] = count ? q_min[axis] : 0;
        bounds.max[axis] = count ? q_max[axis] : 0;
    }
    if (color_view != gltf::kNone) {
        uint8_t* colors = payload.data() + document.buffer_views[size_t(color_view)].byte_offset;
        for (size_t i = 0; i < count; ++i)
            std::memcpy(colors + 4 * i, columns.colors + size_t(columns.color_width) * rows[i], columns.color_width);
    }
    for (size_t a = 0; a < columns.attributes.size(); ++a) {
        const AttributeColumn& column = columns.attributes[a];
        uint8_t* values = payload.data() + document.buffer_views[attribute_views[a]].byte_offset;
        const size_t size = scalar_size(column.type);
        if (!stored_form(column.type).shifted) {
            const uint8_t* source = static_cast<const uint8_t*>(column.values);
            for (size_t i = 0; i < count; ++i) std::memcpy(values + kAttributeStride * i, source + size * rows[i], size);
        } else {
            for (size_t i = 0; i < count; ++i) {
                const float shifted = float(attribute_value(column, rows[i]) - column.minimum);
                std::memcpy(values + kAttributeStride * i, &shifted, sizeof shifted);
            }
        }
    }

    std::vector<uint8_t> written;
    if (layout.meshopt) {
        written.resize(size_t(meshopt_payload_bound(document)));
        written.resize(size_t(compress_buffer_views(written.data(), document, payload.data())));
    } else {
        written.swap(payload);
    }
    const GlbPlan plan = make_plan(document);
    std::vector<uint8_t> file(size_t(plan.file_size));
    write_planned(file.data(), plan, [&](uint8_t* to) {
        if (!written.empty()) std::memcpy(to, written.data(), written.size());
    });
    return file;
}

std::vector<uint8_t> subtree_file(const TileLayout& layout, TileKey root, const std::vector<TileKey>& tiles) {
    const unsigned levels = layout.subtree_levels;
    uint64_t tile_bits = 0;
    for (unsigned l = 0; l < levels; ++l) tile_bits += uint64_t(1) << (3 * l);
    const uint64_t child_bits = uint64_t(1) << (3 * levels);
    std::vector<uint8_t> tile_stream((tile_bits + 7) / 8, 0), child_stream((child_bits + 7) / 8, 0);
    uint64_t tile_count = 0, child_count = 0;
    for (const TileKey& key : tiles) {
        if (key.level < root.level || key.level > root.level + levels) continue;
        const unsigned depth = key.level - root.level;
        if ((key.index >> (3 * depth)) != root.index) continue;
        const uint64_t local = key.index - (root.index << (3 * depth));
        if (depth == levels) {
            child_stream[local / 8] |= uint8_t(1u << (local % 8));
            ++child_count;
        } else {
            const uint64_t bit = (((uint64_t(1) << (3 * depth)) - 1) / 7) + local;
            tile_stream[bit / 8] |= uint8_t(1u << (bit % 8));
            ++tile_count;
        }
    }
    // Availability: a constant when all or none, otherwise a bitstream in an 8-byte aligned view.
    std::string json = "{";
    std::vector<uint8_t> binary;
    std::string views;
    const auto stream = [&](const std::vector<uint8_t>& bits, uint64_t available, uint64_t total) -> std::string {
        if (available == 0) return "{\"constant\":0}";
        if (available == total) return "{\"constant\":1}";
        const size_t offset = binary.size();
        binary.insert(binary.end(), bits.begin(), bits.end());
        binary.resize((binary.size() + 7) & ~size_t(7), 0);
        const size_t view = views.empty() ? 0 : size_t(std::count(views.begin(), views.end(), '{'));
        if (!views.empty()) views += ",";
        views += "{\"buffer\":0,\"byteOffset\":" + count_text(offset) + ",\"byteLength\":" + count_text(bits.size()) + "}";
        return "{\"bitstream\":" + count_text(view) + ",\"availableCount\":" + count_text(available) + "}";
    };
    const std::string tile_availability = stream(tile_stream, tile_count, tile_bits);
    const std::string child_availability = stream(child_stream, child_count, child_bits);
    if (!binary.empty())
        json += "\"buffers\":[{\"byteLength\":" + count_text(binary.size()) + "}],\"bufferViews\":[" + views + "],";
    json += "\"tileAvailability\":" + tile_availability + ",\"contentAvailability\":[" + tile_availability +
            "],\"childSubtreeAvailability\":" + child_availability + "}";
    json.resize((json.size() + 7) & ~size_t(7), ' ');

    std::vector<uint8_t> file(24 + json.size() + binary.size());
    const uint64_t header[3] = {0, json.size(), binary.size()};
    std::memcpy(file.data(), header, sizeof header);
    std::memcpy(file.data(), "subt", 4);
    const uint32_t version = 1;
    std::memcpy(file.data() + 4, &version, 4);
    std::memcpy(file.data() + 24, json.data(), json.size());
    if (!binary.empty()) std::memcpy(file.data() + 24 + json.size(), binary.data(), binary.size());
    return file;
}

std::string tileset_json(const TileLayout& layout, uint32_t levels) {
    const double side = 2 * layout.half_side;
    const double root_error = side / double(uint64_t(1) << layout.sample_depth);
    std::string box = "[0,0,0," + real_text(layout.half_side) + ",0,0,0," + real_text(layout.half_side) + ",0,0,0," +
                      real_text(layout.half_side) + "]";
    std::string transform;
    for (int i = 0; i < 16; ++i) transform += (i ? "," : "") + real_text(layout.root_transform[i]);
    return "{\"asset\":{\"version\":\"1.1\",\"generator\":\"spatial-assembler 0.1.0\"},\"geometricError\":" +
           real_text(side) + ",\"root\":{\"boundingVolume\":{\"box\":" + box + "},\"geometricError\":" +
           real_text(root_error) + ",\"refine\":\"ADD\",\"transform\":[" + transform +
           "],\"content\":{\"uri\":\"tiles/{level}/{x}/{y}/{z}.glb\"},\"implicitTiling\":{\"subdivisionScheme\":"
           "\"OCTREE\",\"subtreeLevels\":" +
           count_text(layout.subtree_levels) + ",\"availableLevels\":" + count_text(levels) +
           ",\"subtrees\":{\"uri\":\"subtrees/{level}/{x}/{y}/{z}.subtree\"}}}}\n";
}

namespace {
std::string key_path(const char* folder, TileKey key, const char* extension) {
    return std::string(folder) + "/" + count_text(key.level) + "/" + count_text(coordinate_of(key.index, 0)) + "/" +
           count_text(coordinate_of(key.index, 1)) + "/" + count_text(coordinate_of(key.index, 2)) + extension;
}
}  // namespace

std::string tile_path(TileKey key) { return key_path("tiles", key, ".glb"); }
std::string subtree_path(TileKey key) { return key_path("subtrees", key, ".subtree"); }

void write_file(const std::string& folder, const std::string& relative, const void* data, size_t length) {
    const std::filesystem::path path = std::filesystem::u8path(folder) / std::filesystem::u8path(relative);
    std::error_code failure;
    std::filesystem::create_directories(path.parent_path(), failure);
    std::FILE* file = failure ? nullptr : std::fopen(path.string().c_str(), "wb");
    const bool written = file != nullptr && std::fwrite(data, 1, length, file) == length;
    const bool closed = file != nullptr && std::fclose(file) == 0;
    if (!written || !closed) throw std::runtime_error("could not write " + path.string());
}

}  // namespace glb::tiles
