#include <cstring>
#include <optional>
#include <string>

#include "bindings.h"
#include "conversions.h"

namespace {

const char* const kOptionNames[] = {"positions", "normals", "indices", "bounds",      "baseColor",
                                    "metallic",  "roughness", "emissive", "doubleSided", "colors"};

class MeshJob final : public GlbJob {
public:
    ArrayData positions;
    ArrayData normals;
    ArrayData indices;
    std::optional<ArrayData> colors;
    glb::Bounds3 bounds{};
    glb::MeshMaterial material{};

    void build(glb::GlbOutput& output) override {
        glb::build_mesh_glb(output, static_cast<const float*>(positions.data()), positions.byte_length() / 4,
                            static_cast<const float*>(normals.data()), normals.byte_length() / 4,
                            static_cast<const uint32_t*>(indices.data()), indices.byte_length() / 4,
                            colors ? static_cast<const float*>(colors->data()) : nullptr,
                            colors ? colors->byte_length() / 4 : 0, bounds, material);
    }
};

// Refuses a key that meshGlb does not know, like an unknown keyword in Python.
void refuse_unknown_keys(const Napi::Object& options) {
    napi_env env = options.Env();
    napi_value keys;
    if (napi_get_all_property_names(env, options, napi_key_own_only,
                                    static_cast<napi_key_filter>(napi_key_enumerable | napi_key_skip_symbols),
                                    napi_key_numbers_to_strings, &keys) != napi_ok)
        throw Napi::Error::New(env);
    const Napi::Array names(env, keys);
    for (uint32_t i = 0; i < names.Length(); ++i) {
        const std::string key = names.Get(i).As<Napi::String>().Utf8Value();
        bool known = false;
        for (const char* name : kOptionNames) known = known || key == name;
        if (!known)
            throw ArgumentError(ArgumentError::Kind::type,
                                "The \"options\" argument has an unknown key \"" + key +
                                    "\". Its keys are positions, normals, indices, bounds, baseColor, metallic, "
                                    "roughness, emissive, doubleSided and colors");
    }
}

// meshGlb({ positions, normals, indices, bounds, baseColor, metallic, roughness, emissive, doubleSided, colors })
std::unique_ptr<GlbJob> read_mesh_glb(const Napi::CallbackInfo& info, InputMode mode) {
    const Napi::Value argument = info[0];
    if (!argument.IsObject() || argument.IsArray() || argument.IsFunction())
        throw ArgumentError(ArgumentError::Kind::type,
                            "The \"options\" argument must be of type object. " + describe_received(argument));
    const Napi::Object options = argument.As<Napi::Object>();
    refuse_unknown_keys(options);

    const ArrayArgument positions(options.Get("positions"), {"positions", true}, ElementType::float32);
    const ArrayArgument normals(options.Get("normals"), {"normals", true}, ElementType::float32);
    const ArrayArgument indices(options.Get("indices"), {"indices", true}, ElementType::uint32);
    const Napi::Value color_value = options.Get("colors");
    std::optional<ArrayArgument> colors;
    if (!color_value.IsUndefined() && !color_value.IsNull())
        colors.emplace(color_value, ArgumentName{"colors", true}, ElementType::float32);

    auto job = std::make_unique<MeshJob>();
    glb::MeshMaterial& material = job->material;
    const std::array<double, 6> bounds = read_numbers<6>(options.Get("bounds"), {"bounds", true});
    read_numbers(options.Get("baseColor"), {"baseColor", true}, material.base_color, 4);
    material.metallic = read_number(options.Get("metallic"), {"metallic", true});
    material.roughness = read_number(options.Get("roughness"), {"roughness", true});
    read_numbers(options.Get("emissive"), {"emissive", true}, material.emissive, 3);
    material.double_sided = read_boolean(options.Get("doubleSided"), {"doubleSided", true});

    // Every refusal comes before any array is copied or the result allocated.
    require_finite(bounds.data(), 6, {"bounds", true});
    require_finite(material.base_color, 4, {"baseColor", true});
    require_finite(&material.metallic, 1, {"metallic", true});
    require_finite(&material.roughness, 1, {"roughness", true});
    require_finite(material.emissive, 3, {"emissive", true});
    job->bounds = glb::Bounds3{{bounds[0], bounds[1], bounds[2]}, {bounds[3], bounds[4], bounds[5]}};
    glb::check_mesh_inputs(positions.byte_length() / 4, normals.byte_length() / 4, indices.byte_length() / 4,
                           colors ? colors->byte_length() / 4 : 0, job->bounds, material);
    job->positions = positions.take(mode);
    job->normals = normals.take(mode);
    job->indices = indices.take(mode);
    if (colors) job->colors = colors->take(mode);
    return job;
}

}  // namespace

void export_mesh_glb(Napi::Env env, Napi::Object exports, Napi::Object promises) {
    export_function(env, exports, promises, "meshGlb", read_mesh_glb);
}
