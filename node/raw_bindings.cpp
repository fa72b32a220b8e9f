// The raw functions: pointCloudGlb, atomGlb and meshGlb, with the native Python
// module's meaning (arrays as raw memory, the caller's bounds, counts as given).
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "bindings.h"
#include "calls.h"
#include "glb_assembler.h"
#include "number_arguments.h"
#include "output_buffer.h"

namespace {

glb::Bounds3 box_of(const std::array<double, 3>& minimum, const std::array<double, 3>& maximum) {
    return glb::Bounds3{{minimum[0], minimum[1], minimum[2]}, {maximum[0], maximum[1], maximum[2]}};
}

template <typename T>
const T* as(const HeldArray& held) {
    return reinterpret_cast<const T*>(held.data);
}

const std::vector<const char*> kMeshKeys = {"positions", "normals", "indices", "bounds", "baseColor",
                                                      "metallic",  "roughness", "emissive", "doubleSided", "colors",
                                                      "into"};

// The last argument of pointCloudGlb and atomGlb: absent, or { into }.
napi_value read_into_option(napi_env env, napi_value options, InputMode mode) {
    if (is_absent(env, options)) return nullptr;
    refuse_non_object(env, options);
    refuse_unknown_keys(env, options, {"into"});
    return read_into(env, property(env, options, "into"), mode);
}

// pointCloudGlb(positions, colors, vmin, vmax, { into })
std::unique_ptr<GlbJob> read_point_cloud_glb(napi_env env, const std::vector<napi_value>& args, InputMode mode) {
    auto job = std::make_unique<RecordJob<glb::RawPointCloud, 2>>();
    job->arguments[0].emplace(ArrayArgument::raw(env, args[0], {"positions"}, glb::Field::positions, glb::ElementType::float32));
    job->arguments[1].emplace(ArrayArgument::raw(env, args[1], {"colors"}, glb::Field::colors, glb::ElementType::float32));
    glb::RawPointCloud& input = job->record;
    input.bounds = box_of(read_numbers<3>(env, args[2], {"vmin"}), read_numbers<3>(env, args[3], {"vmax"}));
    job->into = read_into_option(env, args[4], mode);
    input.position_float_count = job->arguments[0]->byte_length() / 4;
    input.color_float_count = job->arguments[1]->byte_length() / 4;
    glb::check_input(input);  // every refusal before any array is copied
    for (size_t i = 0; i < 2; ++i) job->held[i] = job->arguments[i]->take(mode);
    input.positions = as<float>(job->held[0]);
    input.colors = as<float>(job->held[1]);
    return job;
}

// atomGlb(positions, types, vmin, vmax, { into })
std::unique_ptr<GlbJob> read_atom_glb(napi_env env, const std::vector<napi_value>& args, InputMode mode) {
    auto job = std::make_unique<RecordJob<glb::RawAtomCloud, 2>>();
    job->arguments[0].emplace(ArrayArgument::raw(env, args[0], {"positions"}, glb::Field::positions, glb::ElementType::float32));
    job->arguments[1].emplace(ArrayArgument::raw(env, args[1], {"types"}, glb::Field::types, glb::ElementType::uint16));
    glb::RawAtomCloud& input = job->record;
    input.bounds = box_of(read_numbers<3>(env, args[2], {"vmin"}), read_numbers<3>(env, args[3], {"vmax"}));
    job->into = read_into_option(env, args[4], mode);
    input.atom_count = job->arguments[0]->byte_length() / 12;
    input.type_count = job->arguments[1]->byte_length() / 2;
    glb::check_input(input);
    if (input.atom_count == 0) return job;  // the documented empty file, whatever the bounds
    job->held[0] = job->arguments[0]->take(mode, 12 * input.atom_count);
    job->held[1] = job->arguments[1]->take(mode, 2 * input.atom_count);  // only the ids that are read
    input.positions = as<float>(job->held[0]);
    input.types = as<uint16_t>(job->held[1]);
    return job;
}

// meshGlb({ positions, normals, indices, bounds, baseColor, metallic, roughness, emissive, doubleSided, colors, into })
std::unique_ptr<GlbJob> read_mesh_glb(napi_env env, const std::vector<napi_value>& args, InputMode mode) {
    const napi_value options = args[0];
    refuse_non_object(env, options);
    refuse_unknown_keys(env, options, kMeshKeys);
    auto job = std::make_unique<RecordJob<glb::RawMesh, 4>>();
    // Each property is read once: a getter of the program runs once.
    job->arguments[0].emplace(ArrayArgument::raw(env, property(env, options, "positions"), {"positions", true}, glb::Field::positions, glb::ElementType::float32));
    job->arguments[1].emplace(ArrayArgument::raw(env, property(env, options, "normals"), {"normals", true}, glb::Field::normals, glb::ElementType::float32));
    job->arguments[2].emplace(ArrayArgument::raw(env, property(env, options, "indices"), {"indices", true}, glb::Field::indices, glb::ElementType::uint32));
    const napi_value colors = property(env, options, "colors");
    if (!is_absent(env, colors)) job->arguments[3].emplace(ArrayArgument::raw(env, colors, {"colors", true}, glb::Field::colors, glb::ElementType::float32));
    glb::RawMesh& input = job->record;
    const std::array<double, 6> box = read_numbers<6>(env, property(env, options, "bounds"), {"bounds", true});
    glb::MeshMaterial& material = input.material;
    read_numbers(env, property(env, options, "baseColor"), {"baseColor", true}, material.base_color, 4);
    material.metallic = read_number(env, property(env, options, "metallic"), {"metallic", true});
    material.roughness = read_number(env, property(env, options, "roughness"), {"roughness", true});
    read_numbers(env, property(env, options, "emissive"), {"emissive", true}, material.emissive, 3);
    material.double_sided = read_boolean(env, property(env, options, "doubleSided"), {"doubleSided", true});
    job->into = read_into(env, property(env, options, "into"), mode);
    input.bounds = glb::Bounds3{{box[0], box[1], box[2]}, {box[3], box[4], box[5]}};
    input.position_float_count = job->arguments[0]->byte_length() / 4;
    input.normal_float_count = job->arguments[1]->byte_length() / 4;
    input.index_count = job->arguments[2]->byte_length() / 4;
    input.color_float_count = job->arguments[3] ? job->arguments[3]->byte_length() / 4 : 0;
    glb::check_input(input);
    for (size_t i = 0; i < 4; ++i)
        if (job->arguments[i]) job->held[i] = job->arguments[i]->take(mode);
    input.positions = as<float>(job->held[0]);
    input.normals = as<float>(job->held[1]);
    input.indices = as<uint32_t>(job->held[2]);
    input.colors = job->arguments[3] ? as<float>(job->held[3]) : nullptr;  // an empty array counts as absent
    return job;
}

}  // namespace

void export_raw_functions(napi_env env, napi_value exports, napi_value promises) {
    // In the native Python module's order.
    export_function(env, exports, promises, "atomGlb", read_atom_glb, Spelling::raw);
    export_function(env, exports, promises, "pointCloudGlb", read_point_cloud_glb, Spelling::raw);
    export_function(env, exports, promises, "meshGlb", read_mesh_glb, Spelling::raw);
}
