// The raw builders' documents as one-line printf-style templates, character for
// character as the native module has always written them: the independent
// reference that the document writer's output must equal. Placeholders: "%zu"
// counts, "%.6f" bounds (written by format_bound), "%.4f" factors, "%s" words.
#pragma once

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "document/json_text.h"

namespace reference {

constexpr char kPointCloud[] =
    "{\"asset\":{\"version\":\"2.0\",\"generator\":\"Tarn Native\"},\"scene\":0,\"scenes\":[{\"nodes\":[0]}],"
    "\"nodes\":[{\"mesh\":0,\"name\":\"Atoms\"}],\"meshes\":[{\"primitives\":[{\"attributes\":{\"POSITION\":0,"
    "\"COLOR_0\":1},\"mode\":0}],\"name\":\"AtomCloud\"}],\"accessors\":[{\"bufferView\":0,\"componentType\":5126,"
    "\"count\":%zu,\"type\":\"VEC3\",\"min\":[%.6f,%.6f,%.6f],\"max\":[%.6f,%.6f,%.6f]},{\"bufferView\":1,"
    "\"componentType\":5126,\"count\":%zu,\"type\":\"%s\"}],\"bufferViews\":[{\"buffer\":0,\"byteOffset\":0,"
    "\"byteLength\":%zu,\"target\":34962},{\"buffer\":0,\"byteOffset\":%zu,\"byteLength\":%zu,\"target\":34962}],"
    "\"buffers\":[{\"byteLength\":%zu}]}";

constexpr char kAtoms[] =
    "{\"asset\":{\"version\":\"2.0\",\"generator\":\"Tarn Native\"},\"scene\":0,\"scenes\":[{\"nodes\":[0]}],"
    "\"nodes\":[{\"mesh\":0,\"name\":\"Atoms\"}],\"meshes\":[{\"primitives\":[{\"attributes\":{\"POSITION\":0,"
    "\"COLOR_0\":1},\"mode\":0}],\"name\":\"AtomCloud\"}],\"accessors\":[{\"bufferView\":0,\"componentType\":5126,"
    "\"count\":%zu,\"type\":\"VEC3\",\"min\":[%.6f,%.6f,%.6f],\"max\":[%.6f,%.6f,%.6f]},{\"bufferView\":1,"
    "\"componentType\":5126,\"count\":%zu,\"type\":\"VEC3\"}],\"bufferViews\":[{\"buffer\":0,\"byteOffset\":0,"
    "\"byteLength\":%zu,\"target\":34962},{\"buffer\":0,\"byteOffset\":%zu,\"byteLength\":%zu,\"target\":34962}],"
    "\"buffers\":[{\"byteLength\":%zu}]}";

constexpr char kMeshWithColors[] =
    "{\"asset\":{\"version\":\"2.0\",\"generator\":\"Tarn Native\"},\"scene\":0,\"scenes\":[{\"nodes\":[0]}],"
    "\"nodes\":[{\"mesh\":0,\"name\":\"Mesh\"}],\"materials\":[{\"pbrMetallicRoughness\":{\"baseColorFactor\":"
    "[%.4f,%.4f,%.4f,%.4f],\"metallicFactor\":%.4f,\"roughnessFactor\":%.4f},\"emissiveFactor\":[%.4f,%.4f,%.4f],"
    "\"doubleSided\":%s}],\"meshes\":[{\"primitives\":[{\"attributes\":{\"POSITION\":0,\"NORMAL\":1,\"COLOR_0\":2},"
    "\"indices\":3,\"material\":0,\"mode\":4}],\"name\":\"MeshGeometry\"}],\"accessors\":[{\"bufferView\":0,"
    "\"componentType\":5126,\"count\":%zu,\"type\":\"VEC3\",\"min\":[%.6f,%.6f,%.6f],\"max\":[%.6f,%.6f,%.6f]},"
    "{\"bufferView\":1,\"componentType\":5126,\"count\":%zu,\"type\":\"VEC3\"},{\"bufferView\":2,"
    "\"componentType\":5126,\"count\":%zu,\"type\":\"VEC4\"},{\"bufferView\":3,\"componentType\":5125,"
    "\"count\":%zu,\"type\":\"SCALAR\"}],\"bufferViews\":[{\"buffer\":0,\"byteOffset\":0,\"byteLength\":%zu,"
    "\"target\":34962},{\"buffer\":0,\"byteOffset\":%zu,\"byteLength\":%zu,\"target\":34962},{\"buffer\":0,"
    "\"byteOffset\":%zu,\"byteLength\":%zu,\"target\":34962},{\"buffer\":0,\"byteOffset\":%zu,\"byteLength\":%zu,"
    "\"target\":34963}],\"buffers\":[{\"byteLength\":%zu}]}";

constexpr char kMeshWithoutColors[] =
    "{\"asset\":{\"version\":\"2.0\",\"generator\":\"Tarn Native\"},\"scene\":0,\"scenes\":[{\"nodes\":[0]}],"
    "\"nodes\":[{\"mesh\":0,\"name\":\"Mesh\"}],\"materials\":[{\"pbrMetallicRoughness\":{\"baseColorFactor\":"
    "[%.4f,%.4f,%.4f,%.4f],\"metallicFactor\":%.4f,\"roughnessFactor\":%.4f},\"emissiveFactor\":[%.4f,%.4f,%.4f],"
    "\"doubleSided\":%s}],\"meshes\":[{\"primitives\":[{\"attributes\":{\"POSITION\":0,\"NORMAL\":1},"
    "\"indices\":2,\"material\":0,\"mode\":4}],\"name\":\"MeshGeometry\"}],\"accessors\":[{\"bufferView\":0,"
    "\"componentType\":5126,\"count\":%zu,\"type\":\"VEC3\",\"min\":[%.6f,%.6f,%.6f],\"max\":[%.6f,%.6f,%.6f]},"
    "{\"bufferView\":1,\"componentType\":5126,\"count\":%zu,\"type\":\"VEC3\"},{\"bufferView\":2,"
    "\"componentType\":5125,\"count\":%zu,\"type\":\"SCALAR\"}],\"bufferViews\":[{\"buffer\":0,\"byteOffset\":0,"
    "\"byteLength\":%zu,\"target\":34962},{\"buffer\":0,\"byteOffset\":%zu,\"byteLength\":%zu,\"target\":34962},"
    "{\"buffer\":0,\"byteOffset\":%zu,\"byteLength\":%zu,\"target\":34963}],\"buffers\":[{\"byteLength\":%zu}]}";

// One value for one placeholder.
struct Value {
    enum class Kind { count, bound, factor, word } kind;
    uint64_t count = 0;
    double number = 0;
    const char* word = "";
    Value(size_t value) : kind(Kind::count), count(value) {}
    Value(const char* value) : kind(Kind::word), word(value) {}
    static Value bound(double value) { return Value(Kind::bound, value); }
    static Value factor(double value) { return Value(Kind::factor, value); }

private:
    Value(Kind k, double value) : kind(k), number(value) {}
};

// Fills the template's placeholders, in order; throws when they and the values disagree.
inline std::string format(const char* format, const std::vector<Value>& values) {
    std::string text;
    size_t next = 0;
    char number[glb::kMaxNumberText];
    for (const char* p = format; *p != '\0'; ++p) {
        if (*p != '%') {
            text += *p;
            continue;
        }
        if (next == values.size()) throw std::logic_error("more placeholders than values");
        const Value& value = values[next++];
        if (std::strncmp(p, "%zu", 3) == 0 && value.kind == Value::Kind::count) {
            text.append(number, glb::format_count(number, value.count));
            p += 2;
        } else if (std::strncmp(p, "%.6f", 4) == 0 && value.kind == Value::Kind::bound) {
            text.append(number, glb::format_bound(number, value.number));
            p += 3;
        } else if (std::strncmp(p, "%.4f", 4) == 0 && value.kind == Value::Kind::factor) {
            text.append(number, glb::format_factor(number, value.number));
            p += 3;
        } else if (std::strncmp(p, "%s", 2) == 0 && value.kind == Value::Kind::word) {
            text += value.word;
            p += 1;
        } else {
            throw std::logic_error("a placeholder and its value disagree");
        }
    }
    if (next != values.size()) throw std::logic_error("fewer placeholders than values");
    return text;
}

}  // namespace reference
