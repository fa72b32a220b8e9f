#include "glb_assembler.h"
#include "document/builder_support.h"

#include <cstring>
#include <string>

namespace glb {

namespace {

constexpr uint32_t kGlbMagic = 0x46546C67;       // "glTF"
constexpr uint32_t kGlbVersion = 2;
constexpr uint32_t kChunkTypeJson = 0x4E4F534A;  // "JSON"
constexpr uint32_t kChunkTypeBin = 0x004E4942;   // "BIN\0"
constexpr uint64_t kHeaderSize = 12;
constexpr uint64_t kChunkHeaderSize = 8;

uint64_t padding_to_4(uint64_t length) { return (4 - length % 4) % 4; }

// Explicit little-endian store: the file layout must not depend on the host.
void write_u32_le(uint8_t* destination, uint32_t value) {
    destination[0] = uint8_t(value);
    destination[1] = uint8_t(value >> 8);
    destination[2] = uint8_t(value >> 16);
    destination[3] = uint8_t(value >> 24);
}

}  // namespace

bool glb_size_fits(uint64_t json_length, uint64_t payload_length) {
    // Each term is checked first so that the sum cannot wrap around.
    return json_length <= kMaxGlbSize && payload_length <= kMaxGlbSize &&
           kHeaderSize + 2 * kChunkHeaderSize + json_length + padding_to_4(json_length) + payload_length +
                   padding_to_4(payload_length) <=
               kMaxGlbSize;
}

uint64_t glb_size(uint64_t json_length, uint64_t payload_length) {
    if (!glb_size_fits(json_length, payload_length)) {
        InputError error(Field::file, Problem::too_large,
                         "the GLB would be 4 GiB or larger (JSON " + std::to_string(json_length) +
                             " bytes, binary payload " + std::to_string(payload_length) +
                             " bytes): the container's length fields hold 32 bits");
        error.count = payload_length;
        error.limit = kMaxGlbSize;
        throw error;
    }
    return kHeaderSize + 2 * kChunkHeaderSize + json_length + padding_to_4(json_length) + payload_length +
           padding_to_4(payload_length);
}

uint8_t* glb_payload(uint8_t* file, const GlbPlan& plan) {
    const uint64_t json_length = plan.document.size();
    return file + kHeaderSize + 2 * kChunkHeaderSize + json_length + padding_to_4(json_length);
}

void begin_glb(uint8_t* file) { std::memset(file, 0, 4); }

void finish_glb(uint8_t* file, const GlbPlan& plan) {
    const uint64_t json_length = plan.document.size();
    const uint64_t json_chunk_length = json_length + padding_to_4(json_length);
    const uint64_t bin_chunk_length = plan.payload_length + padding_to_4(plan.payload_length);

    uint8_t* payload = glb_payload(file, plan);
    for (const auto& [offset, length] : plan.payload_gaps) std::memset(payload + offset, 0, size_t(length));
    std::memset(payload + plan.payload_length, 0, size_t(bin_chunk_length - plan.payload_length));
    write_u32_le(payload - 8, uint32_t(bin_chunk_length));
    write_u32_le(payload - 4, kChunkTypeBin);

    write_u32_le(file + 12, uint32_t(json_chunk_length));
    write_u32_le(file + 16, kChunkTypeJson);
    if (json_length != 0) std::memcpy(file + 20, plan.document.data(), json_length);
    std::memset(file + 20 + json_length, ' ', size_t(json_chunk_length - json_length));

    // The header last: until it is written, the memory does not read as a GLB.
    write_u32_le(file + 4, kGlbVersion);
    write_u32_le(file + 8, uint32_t(plan.file_size));
    write_u32_le(file + 0, kGlbMagic);
}

void check_output(const uint8_t* out, uint64_t capacity, uint64_t file_size, const std::vector<InputMemory>& inputs) {
    if (capacity < file_size) {
        InputError error(Field::output, Problem::too_few,
                         "the output holds " + std::to_string(capacity) + " bytes, but the file needs " +
                             std::to_string(file_size));
        error.count = capacity;
        error.limit = file_size;
        throw error;
    }
    // The whole of the caller's memory, not only the bytes this file takes: the rule
    // does not depend on the size of the file.
    const uintptr_t begin = reinterpret_cast<uintptr_t>(out);
    for (const InputMemory& input : inputs) {
        const uintptr_t in = reinterpret_cast<uintptr_t>(input.data);
        if (capacity == 0 || input.bytes == 0 || !(begin < in + input.bytes && in < begin + capacity)) continue;
        InputError error(Field::output, Problem::shares_memory,
                         std::string("the output shares memory with the ") + field_text(input.field) +
                             ", which the file is made of");
        error.related = input.field;
        throw error;
    }
}

GlbBytes write_glb(const char* json, size_t json_length, const void* payload, size_t payload_length) {
    GlbPlan plan;
    plan.document.assign(json, json_length);
    plan.payload_length = payload_length;
    plan.file_size = glb_size(json_length, payload_length);
    GlbBytes bytes(size_t(plan.file_size));  // uninitialised: every byte is written below
    if (payload_length != 0) std::memcpy(glb_payload(bytes.data(), plan), payload, payload_length);
    finish_glb(bytes.data(), plan);
    return bytes;
}

}  // namespace glb
