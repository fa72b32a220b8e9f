#include "document/gltf_document.h"

#include <cstring>
#include <stdexcept>

#include "document/json_text.h"

namespace glb::gltf {

namespace {

// Writes the document, or with measure set only adds up an upper bound of its
// length: literals count as they are, every number as the longest it can be.
// One writer for both, so that the bound cannot forget an element.
class Writer {
public:
    Writer(char* out, size_t capacity) : out_(out), capacity_(capacity) {}
    static Writer measuring() { return Writer(nullptr, 0); }

    void text(const char* literal) { append(literal, std::strlen(literal)); }
    void text(const std::string& json) { append(json.data(), json.size()); }
    // A JSON string: quotes, backslashes and control characters escaped (the
    // caller's names are any UTF-8 text).
    void name(const std::string& value) {
        text("\"");
        size_t plain = 0;
        for (size_t i = 0; i < value.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(value[i]);
            if (c != '"' && c != '\\' && c >= 0x20) continue;
            append(value.data() + plain, i - plain);
            plain = i + 1;
            if (c == '"' || c == '\\') {
                const char escaped[2] = {'\\', char(c)};
                append(escaped, 2);
            } else {
                static const char kHex[] = "0123456789abcdef";
                const char escaped[6] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 15]};
                append(escaped, 6);
            }
        }
        append(value.data() + plain, value.size() - plain);
        text("\"");
    }
    void count(uint64_t value) { number([&](char* out) { return format_count(out, value); }); }
    void bound(double value) { number([&](char* out) { return format_bound(out, value); }); }
    void factor(double value) { number([&](char* out) { return format_factor(out, value); }); }
    void real(double value) { number([&](char* out) { return format_real(out, value); }); }
    void counts(const std::vector<uint32_t>& values) {
        text("[");
        for (size_t i = 0; i < values.size(); ++i) {
            if (i) text(",");
            count(values[i]);
        }
        text("]");
    }
    template <typename Each>
    void array(const char* key, size_t size, Each each) {
        text(key);
        text("[");
        for (size_t i = 0; i < size; ++i) {
            if (i) text(",");
            each(i);
        }
        text("]");
    }

    size_t length() const { return length_; }

private:
    template <typename Format>
    void number(Format format) {
        if (out_ == nullptr) {
            length_ += kMaxNumberText;
            return;
        }
        char digits[kMaxNumberText];
        append(digits, format(digits));
    }
    void append(const char* data, size_t size) {
        if (out_ != nullptr) {
            if (length_ + size > capacity_) throw std::logic_error("a document outgrew its length bound");
            std::memcpy(out_ + length_, data, size);
        }
        length_ += size;
    }

    char* out_;
    size_t capacity_;
    size_t length_ = 0;
};

const char* type_name(AccessorType type) {
    switch (type) {
        case AccessorType::scalar: return "\"SCALAR\"";
        case AccessorType::vec2: return "\"VEC2\"";
        case AccessorType::vec3: return "\"VEC3\"";
        case AccessorType::vec4: return "\"VEC4\"";
    }
    return "\"SCALAR\"";
}

void write_bounds(Writer& w, const char* key, const Accessor& accessor, const double* values) {
    const size_t components = accessor.type == AccessorType::scalar ? 1 : accessor.type == AccessorType::vec2 ? 2 : 3;
    w.text(key);
    w.text("[");
    for (size_t i = 0; i < components; ++i) {
        if (i) w.text(",");
        if (accessor.bounds == BoundsKind::floats) {
            w.bound(values[i]);
        } else {
            if (values[i] < 0) w.text("-");  // quantised bounds: the stored integers, signed ones too
            w.count(uint64_t(values[i] < 0 ? -values[i] : values[i]));
        }
    }
    w.text("]");
}

void write_accessor(Writer& w, const Accessor& a) {
    w.text("{\"bufferView\":");
    w.count(a.buffer_view);
    if (a.byte_offset != 0) {
        w.text(",\"byteOffset\":");
        w.count(a.byte_offset);
    }
    w.text(",\"componentType\":");
    w.count(uint64_t(a.component_type));
    if (a.normalized) w.text(",\"normalized\":true");
    w.text(",\"count\":");
    w.count(a.count);
    w.text(",\"type\":");
    w.text(type_name(a.type));
    if (a.bounds != BoundsKind::none) {
        write_bounds(w, ",\"min\":", a, a.min);
        write_bounds(w, ",\"max\":", a, a.max);
    }
    w.text("}");
}

void write_meshopt_view(Writer& w, const MeshoptView& m) {
    w.text(",\"extensions\":{\"EXT_meshopt_compression\":{\"buffer\":0,\"byteOffset\":");
    w.count(m.byte_offset);
    w.text(",\"byteLength\":");
    w.count(m.byte_length);
    w.text(",\"byteStride\":");
    w.count(m.byte_stride);
    w.text(",\"count\":");
    w.count(m.count);
    w.text(",\"mode\":\"");
    w.text(m.mode);
    w.text("\"}}");
}

void write_buffer_view(Writer& w, const BufferView& v) {
    w.text(v.meshopt.compressed ? "{\"buffer\":1,\"byteOffset\":" : "{\"buffer\":0,\"byteOffset\":");
    w.count(v.byte_offset);
    w.text(",\"byteLength\":");
    w.count(v.byte_length);
    if (v.byte_stride != 0) {
        w.text(",\"byteStride\":");
        w.count(v.byte_stride);
    }
    if (v.target != Target::none) {
        w.text(",\"target\":");
        w.count(uint64_t(v.target));
    }
    if (v.meshopt.compressed) write_meshopt_view(w, v.meshopt);
    w.text("}");
}

void write_attributes(Writer& w, const std::vector<Attribute>& attributes) {
    w.text("{");
    for (size_t i = 0; i < attributes.size(); ++i) {
        if (i) w.text(",");
        w.text("\"");
        w.text(attributes[i].semantic);
        w.text("\":");
        w.count(attributes[i].accessor);
    }
    w.text("}");
}

void write_primitive(Writer& w, const Primitive& p) {
    w.text("{\"attributes\":");
    write_attributes(w, p.attributes);
    if (p.indices != kNone) {
        w.text(",\"indices\":");
        w.count(uint64_t(p.indices));
    }
    if (p.material != kNone) {
        w.text(",\"material\":");
        w.count(uint64_t(p.material));
    }
    w.text(",\"mode\":");
    w.count(p.mode);
    if (!p.extensions_text.empty()) {
        w.text(",\"extensions\":{");
        w.text(p.extensions_text);
        w.text("}");
    }
    w.text("}");
}

void write_mesh(Writer& w, const Mesh& mesh) {
    w.array("{\"primitives\":", mesh.primitives.size(), [&](size_t i) { write_primitive(w, mesh.primitives[i]); });
    w.text(",\"name\":");
    w.name(mesh.name);
    w.text("}");
}

void write_vector(Writer& w, const char* key, const double* values) {
    w.array(key, 3, [&](size_t i) { w.real(values[i]); });
}

void write_node(Writer& w, const Node& node) {
    w.text("{");
    const char* separator = "";
    if (!node.children.empty()) {
        w.text("\"children\":");
        w.counts(node.children);
        separator = ",";
    }
    if (node.mesh != kNone) {
        w.text(separator);
        w.text("\"mesh\":");
        w.count(uint64_t(node.mesh));
        separator = ",";
    }
    w.text(separator);
    w.text("\"name\":");
    w.name(node.name);
    if (node.has_transform) {
        write_vector(w, ",\"translation\":", node.translation);
        write_vector(w, ",\"scale\":", node.scale);
    }
    if (node.has_matrix) w.array(",\"matrix\":", 16, [&](size_t i) { w.real(node.matrix[i]); });
    if (!node.instances.empty()) {
        w.text(",\"extensions\":{\"EXT_mesh_gpu_instancing\":{\"attributes\":");
        write_attributes(w, node.instances);
        w.text("}}");
    }
    w.text("}");
}

void write_material(Writer& w, const Material& m) {
    w.array("{\"pbrMetallicRoughness\":{\"baseColorFactor\":", 4, [&](size_t i) { w.factor(m.base_color[i]); });
    w.text(",\"metallicFactor\":");
    w.factor(m.metallic);
    w.text(",\"roughnessFactor\":");
    w.factor(m.roughness);
    if (m.base_color_texture != kNone) {
        w.text(",\"baseColorTexture\":{\"index\":");
        w.count(uint64_t(m.base_color_texture));
        w.text("}");
    }
    w.array("},\"emissiveFactor\":", 3, [&](size_t i) { w.factor(m.emissive[i]); });
    if (m.blend) w.text(",\"alphaMode\":\"BLEND\"");
    w.text(m.double_sided ? ",\"doubleSided\":true}" : ",\"doubleSided\":false}");
}

void write_image(Writer& w, const Image& image) {
    w.text("{\"bufferView\":");
    w.count(image.buffer_view);
    w.text(",\"mimeType\":\"");
    w.text(image.mime_type);
    w.text("\"}");
}

void write_animation(Writer& w, const std::vector<AnimationChannel>& channels) {
    w.array(",\"animations\":[{\"channels\":", channels.size(), [&](size_t i) {
        w.text("{\"sampler\":");
        w.count(i);
        w.text(",\"target\":{\"node\":");
        w.count(channels[i].node);
        w.text(",\"path\":\"");
        w.text(channels[i].path);
        w.text("\"}}");
    });
    w.array(",\"samplers\":", channels.size(), [&](size_t i) {
        w.text("{\"input\":");
        w.count(channels[i].input);
        w.text(",\"interpolation\":\"STEP\",\"output\":");
        w.count(channels[i].output);
        w.text("}");
    });
    w.text(",\"name\":\"Frames\"}]");
}

void write_extension_names(Writer& w, const char* key, const std::vector<const char*>& names) {
    w.array(key, names.size(), [&](size_t i) {
        w.text("\"");
        w.text(names[i]);
        w.text("\"");
    });
}

void write(Writer& w, const Document& d) {
    w.text("{\"asset\":{\"version\":\"2.0\",\"generator\":");
    w.name(d.generator);
    w.text("}");
    if (!d.extensions.empty() || !d.optional_extensions.empty()) {
        std::vector<const char*> used = d.extensions;
        used.insert(used.end(), d.optional_extensions.begin(), d.optional_extensions.end());
        write_extension_names(w, ",\"extensionsUsed\":", used);
    }
    if (!d.extensions.empty()) write_extension_names(w, ",\"extensionsRequired\":", d.extensions);
    if (!d.extensions_text.empty()) {
        w.text(",\"extensions\":{");
        w.text(d.extensions_text);
        w.text("}");
    }
    w.text(",\"scene\":0,\"scenes\":[{\"nodes\":");
    w.counts(d.scene_nodes);
    w.text("}]");
    w.array(",\"nodes\":", d.nodes.size(), [&](size_t i) { write_node(w, d.nodes[i]); });
    if (!d.materials.empty())
        w.array(",\"materials\":", d.materials.size(), [&](size_t i) { write_material(w, d.materials[i]); });
    if (!d.images.empty()) {
        w.array(",\"textures\":", d.images.size(), [&](size_t i) {
            w.text("{\"sampler\":0,\"source\":");
            w.count(i);
            w.text("}");
        });
        w.text(",\"samplers\":[{\"magFilter\":9729,\"minFilter\":9987}]");
        w.array(",\"images\":", d.images.size(), [&](size_t i) { write_image(w, d.images[i]); });
    }
    w.array(",\"meshes\":", d.meshes.size(), [&](size_t i) { write_mesh(w, d.meshes[i]); });
    if (!d.animation.empty()) write_animation(w, d.animation);
    w.array(",\"accessors\":", d.accessors.size(), [&](size_t i) { write_accessor(w, d.accessors[i]); });
    w.array(",\"bufferViews\":", d.buffer_views.size(), [&](size_t i) { write_buffer_view(w, d.buffer_views[i]); });
    w.text(",\"buffers\":[{\"byteLength\":");
    w.count(d.buffer_length);
    if (d.fallback_buffer_length != 0) {
        w.text("},{\"byteLength\":");
        w.count(d.fallback_buffer_length);
        w.text(",\"extensions\":{\"EXT_meshopt_compression\":{\"fallback\":true}}");
    }
    w.text("}]}");
}

}  // namespace

uint32_t Document::add(const BufferView& view) {
    buffer_views.push_back(view);
    return uint32_t(buffer_views.size() - 1);
}

uint32_t Document::add(const Accessor& accessor) {
    accessors.push_back(accessor);
    return uint32_t(accessors.size() - 1);
}

uint32_t Document::add(const Node& node) {
    nodes.push_back(node);
    return uint32_t(nodes.size() - 1);
}

uint32_t Document::add(const Mesh& mesh) {
    meshes.push_back(mesh);
    return uint32_t(meshes.size() - 1);
}

uint32_t Document::add(const Material& material) {
    materials.push_back(material);
    return uint32_t(materials.size() - 1);
}

uint32_t Document::add(const Image& image) {
    images.push_back(image);
    return uint32_t(images.size() - 1);
}

uint64_t Document::reserve(uint64_t length) {
    const uint64_t offset = (buffer_length + 3) & ~uint64_t(3);
    if (offset != buffer_length) payload_gaps.emplace_back(buffer_length, offset - buffer_length);
    buffer_length = offset + length;
    return offset;
}

void Document::require(const char* extension) {
    for (const char* named : extensions)
        if (std::strcmp(named, extension) == 0) return;
    extensions.push_back(extension);
}

void Document::use(const char* extension) {
    for (const char* named : optional_extensions)
        if (std::strcmp(named, extension) == 0) return;
    optional_extensions.push_back(extension);
}

size_t document_length_bound(const Document& document) {
    Writer measure = Writer::measuring();
    write(measure, document);
    return measure.length();
}

std::string write_document(const Document& document) {
    std::string text(document_length_bound(document), '\0');  // the one allocation
    Writer writer(text.data(), text.size());
    write(writer, document);
    text.resize(writer.length());
    return text;
}

}  // namespace glb::gltf
