#include "encodings/meshopt_compression.h"

#include <meshoptimizer.h>

#include <cstring>
#include <mutex>
#include <vector>

namespace glb {

namespace {

enum class Codec { copy, attributes, indices };

struct ViewCodec {
    Codec codec = Codec::copy;
    uint32_t element = 0;  // bytes per element as decoded
    uint64_t count = 0;
};

uint32_t component_size(gltf::ComponentType type) {
    switch (type) {
        case gltf::ComponentType::int8:
        case gltf::ComponentType::uint8: return 1;
        case gltf::ComponentType::int16:
        case gltf::ComponentType::uint16: return 2;
        case gltf::ComponentType::uint32:
        case gltf::ComponentType::float32: return 4;
    }
    return 4;
}

uint32_t components(gltf::AccessorType type) {
    switch (type) {
        case gltf::AccessorType::scalar: return 1;
        case gltf::AccessorType::vec2: return 2;
        case gltf::AccessorType::vec3: return 3;
        case gltf::AccessorType::vec4: return 4;
    }
    return 1;
}

// How each view is compressed: from its stride, or from the one element size
// of the accessors that read a tightly packed view.
std::vector<ViewCodec> codecs_of(const gltf::Document& document) {
    std::vector<uint32_t> packed_element(document.buffer_views.size(), 0);
    std::vector<bool> mixed(document.buffer_views.size(), false);
    for (const gltf::Accessor& accessor : document.accessors) {
        const uint32_t size = component_size(accessor.component_type) * components(accessor.type);
        uint32_t& element = packed_element[accessor.buffer_view];
        if (element != 0 && element != size) mixed[accessor.buffer_view] = true;
        element = size;
    }
    std::vector<ViewCodec> codecs(document.buffer_views.size());
    for (size_t i = 0; i < codecs.size(); ++i) {
        const gltf::BufferView& view = document.buffer_views[i];
        const uint32_t element = view.byte_stride != 0 ? view.byte_stride : mixed[i] ? 0 : packed_element[i];
        if (element == 0 || view.byte_length % element != 0) continue;
        ViewCodec& codec = codecs[i];
        codec.element = element;
        codec.count = view.byte_length / element;
        if (view.target == gltf::Target::indices && element == 2) {
            codec.codec = Codec::indices;
        } else if (element % 4 == 0 && element <= 256) {
            codec.codec = Codec::attributes;
        }
    }
    return codecs;
}

uint64_t bound_of(const ViewCodec& codec, const gltf::BufferView& view) {
    switch (codec.codec) {
        case Codec::attributes: return meshopt_encodeVertexBufferBound(size_t(codec.count), codec.element);
        case Codec::indices: return meshopt_encodeIndexSequenceBound(size_t(codec.count), size_t(codec.count));
        case Codec::copy: break;
    }
    return view.byte_length;
}

// The vertex codec's first format, the one EXT_meshopt_compression describes
// (newer meshoptimizer releases may default to a later one). Set once, before
// any encoding thread reads it.
void select_codec_version() {
    static std::once_flag selected;
    std::call_once(selected, [] { meshopt_encodeVertexVersion(0); });
}

}  // namespace

uint64_t meshopt_payload_bound(const gltf::Document& document) {
    const std::vector<ViewCodec> codecs = codecs_of(document);
    uint64_t total = 0;
    for (size_t i = 0; i < codecs.size(); ++i) total += (bound_of(codecs[i], document.buffer_views[i]) + 3) & ~uint64_t(3);
    return total;
}

uint64_t compress_buffer_views(uint8_t* destination, gltf::Document& document, const uint8_t* payload) {
    select_codec_version();
    const std::vector<ViewCodec> codecs = codecs_of(document);
    const uint64_t fallback_length = document.buffer_length;
    document.buffer_length = 0;
    document.payload_gaps.clear();
    bool compressed_any = false;
    for (size_t i = 0; i < codecs.size(); ++i) {
        gltf::BufferView& view = document.buffer_views[i];
        const ViewCodec& codec = codecs[i];
        const uint8_t* source = payload + view.byte_offset;
        const size_t room = size_t(bound_of(codec, view));
        // Written at the aligned end of what came before: the block's offset once reserved.
        uint8_t* out = destination + ((document.buffer_length + 3) & ~uint64_t(3));
        size_t length = 0;
        switch (codec.codec) {
            case Codec::attributes:
                length = meshopt_encodeVertexBuffer(out, room, source, size_t(codec.count), codec.element);
                break;
            case Codec::indices: {
                std::vector<uint32_t> indices(size_t(codec.count));
                for (size_t k = 0; k < indices.size(); ++k) {
                    uint16_t index;
                    std::memcpy(&index, source + 2 * k, 2);
                    indices[k] = index;
                }
                length = meshopt_encodeIndexSequence(out, room, indices.data(), indices.size());
                break;
            }
            case Codec::copy:
                if (view.byte_length != 0) std::memcpy(out, source, size_t(view.byte_length));
                length = size_t(view.byte_length);
                break;
        }
        const uint64_t offset = document.reserve(length);
        if (codec.codec == Codec::copy) {
            view.byte_offset = offset;
            continue;
        }
        compressed_any = true;
        view.meshopt.compressed = true;
        view.meshopt.byte_offset = offset;
        view.meshopt.byte_length = length;
        view.meshopt.byte_stride = codec.element;
        view.meshopt.count = codec.count;
        view.meshopt.mode = codec.codec == Codec::indices ? "INDICES" : "ATTRIBUTES";
    }
    if (compressed_any) {
        document.fallback_buffer_length = fallback_length;
        document.require(kMeshoptExtension);
    }
    return document.buffer_length;
}

}  // namespace glb
