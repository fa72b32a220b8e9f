// The checked functions' native half: the core's checked builders, called by
// node/checked.js with its arguments already read (typed arrays of any kind of
// number, plain numbers, strings and booleans). Every value is checked by the
// core; its refusals come back in the checked spelling.
#include <cstring>
#include <optional>
#include <string>

#include "bindings.h"
#include "calls.h"
#include "chemistry/elements.h"
#include "glb_assembler.h"
#include "number_arguments.h"
#include "output_buffer.h"

namespace {

// A checked call's array argument in its slot of the job, or none when the
// value is undefined or null; counted, with no memory yet.
template <typename Job>
glb::ArrayView read_array(Job& job, napi_env env, size_t slot, napi_value value, ArgumentName name, glb::Field field,
                          bool optional) {
    if (optional && is_absent(env, value)) return glb::ArrayView{};
    job.arguments[slot].emplace(ArrayArgument::typed(env, value, std::move(name), field));
    return glb::ArrayView{nullptr, job.arguments[slot]->count(), job.arguments[slot]->type()};
}

// After the record's check: the memory of every array, borrowed or copied, in slot order.
template <typename Job, typename... Views>
void take_arrays(Job& job, InputMode mode, Views&... views) {
    glb::ArrayView* targets[] = {&views...};
    for (size_t i = 0; i < sizeof...(views); ++i) {
        if (!job.arguments[i]) continue;
        job.held[i] = job.arguments[i]->take(mode);
        targets[i]->data = job.held[i].data;
        targets[i]->count = job.held[i].byte_length / glb::element_size(job.held[i].type);
    }
}

ArgumentError out_of_range(const ArgumentName& name, const std::string& must, const std::string& received) {
    return ArgumentError(ArgumentError::Kind::range,
                         "The value of " + name.quoted() + " is out of range. It must be " + must + ". Received '" + received + "'");
}

glb::Encoding encoding_of(napi_env env, napi_value value) {
    const ArgumentName name{"encoding", true};
    const std::string text = read_string(env, value, name);
    if (text == "float32") return glb::Encoding::float32;
    if (text == "compact") return glb::Encoding::compact;
    throw out_of_range(name, "'float32' or 'compact'", text);
}

glb::AtomStyle style_of(napi_env env, napi_value value) {
    const ArgumentName name{"style", true};
    const std::string text = read_string(env, value, name);
    if (text == "points") return glb::AtomStyle::points;
    if (text == "spheres") return glb::AtomStyle::spheres;
    if (text == "ball-and-stick") return glb::AtomStyle::ball_and_stick;
    throw out_of_range(name, "'points', 'spheres' or 'ball-and-stick'", text);
}

// The numbers per colour row, 3 or 4 (0 without colours), as checked.js worked them out.
uint32_t components_of(napi_env env, napi_value value) {
    const double components = read_number(env, value, {"colors", true});
    return components == 3 || components == 4 ? uint32_t(components) : 0;
}

// pointCloud(positions, colors, colorComponents, encoding, into)
std::unique_ptr<GlbJob> read_point_cloud(napi_env env, const std::vector<napi_value>& args, InputMode mode) {
    auto job = std::make_unique<RecordJob<glb::PointCloud, 2>>();
    glb::PointCloud& input = job->record;
    input.positions = read_array(*job, env, 0, args[0], {"positions"}, glb::Field::positions, false);
    input.colors.values = read_array(*job, env, 1, args[1], {"colors", true}, glb::Field::colors, true);
    input.colors.components = components_of(env, args[2]);
    input.encoding = encoding_of(env, args[3]);
    job->into = read_into(env, args[4], mode);
    glb::check_input(input);
    take_arrays(*job, mode, input.positions, input.colors.values);
    return job;
}

// atoms(positions, types, atomicNumbers, bounds, style, radius, radii, bonds, instancing, encoding, into)
std::unique_ptr<GlbJob> read_atoms(napi_env env, const std::vector<napi_value>& args, InputMode mode) {
    auto job = std::make_unique<RecordJob<glb::AtomCloud, 5>>();
    glb::AtomCloud& input = job->record;
    input.positions = read_array(*job, env, 0, args[0], {"positions"}, glb::Field::positions, false);
    input.types = read_array(*job, env, 1, args[1], {"types", true}, glb::Field::types, true);
    input.atomic_numbers = read_array(*job, env, 2, args[2], {"elements", true}, glb::Field::atomic_numbers, true);
    input.radii = read_array(*job, env, 3, args[6], {"radii", true}, glb::Field::radii, true);
    input.bonds = read_array(*job, env, 4, args[7], {"bonds", true}, glb::Field::bonds, true);
    if (!is_absent(env, args[3])) {
        const std::array<double, 6> box = read_numbers<6>(env, args[3], {"bounds", true});
        input.has_box = true;
        input.box = glb::Bounds3{{box[0], box[1], box[2]}, {box[3], box[4], box[5]}};
    }
    input.style = style_of(env, args[4]);
    if (!is_absent(env, args[5])) {
        input.has_radius = true;
        input.radius = read_number(env, args[5], {"radius", true});
    }
    input.instancing = read_boolean(env, args[8], {"instancing", true});
    input.encoding = encoding_of(env, args[9]);
    job->into = read_into(env, args[10], mode);
    glb::check_input(input);
    take_arrays(*job, mode, input.positions, input.types, input.atomic_numbers, input.radii, input.bonds);
    return job;
}

// mesh(positions, faces, normals, colors, colorComponents, baseColor, metallic, roughness, emissive, doubleSided, encoding, into)
std::unique_ptr<GlbJob> read_mesh(napi_env env, const std::vector<napi_value>& args, InputMode mode) {
    auto job = std::make_unique<RecordJob<glb::TriangleMesh, 4>>();
    glb::TriangleMesh& input = job->record;
    input.positions = read_array(*job, env, 0, args[0], {"positions"}, glb::Field::positions, false);
    input.faces = read_array(*job, env, 1, args[1], {"faces"}, glb::Field::indices, false);
    input.normals = read_array(*job, env, 2, args[2], {"normals", true}, glb::Field::normals, true);
    input.colors.values = read_array(*job, env, 3, args[3], {"colors", true}, glb::Field::colors, true);
    input.colors.components = components_of(env, args[4]);
    if (!is_absent(env, args[5])) {
        input.has_base_color = true;
        read_numbers(env, args[5], {"baseColor", true}, input.base_color, 4);
    }
    input.metallic = read_number(env, args[6], {"metallic", true});
    input.roughness = read_number(env, args[7], {"roughness", true});
    read_numbers(env, args[8], {"emissive", true}, input.emissive, 3);
    input.double_sided = read_boolean(env, args[9], {"doubleSided", true});
    input.encoding = encoding_of(env, args[10]);
    job->into = read_into(env, args[11], mode);
    glb::check_input(input);
    take_arrays(*job, mode, input.positions, input.faces, input.normals, input.colors.values);
    return job;
}

// atomicNumbers(symbols): the atomic number of each element symbol of an Array, as a Uint8Array.
napi_value atomic_numbers(napi_env env, napi_callback_info info) {
    return call_function(env, Spelling::checked, [&]() -> napi_value {
        size_t count = 1;
        napi_value symbols;
        check(env, napi_get_cb_info(env, info, &count, &symbols, nullptr, nullptr));
        if (count < 1 || !is_array(env, symbols))
            throw ArgumentError(ArgumentError::Kind::type, "The \"options.elements\" property must be an Array of element symbols");
        const uint32_t length = array_length(env, symbols);
        napi_value buffer, numbers;
        void* data = nullptr;
        check(env, napi_create_arraybuffer(env, length, &data, &buffer));
        check(env, napi_create_typedarray(env, napi_uint8_array, length, buffer, 0, &numbers));
        for (uint32_t i = 0; i < length; ++i) {
            const napi_value item = element(env, symbols, i);
            const ArgumentName name = ArgumentName{"elements", true}.at(i);
            const std::string symbol = read_string(env, item, name);
            const int number = glb::atomic_number_of(symbol.data(), symbol.size());
            if (number < 0) {
                glb::InputError error(glb::Field::atomic_numbers, glb::Problem::not_an_element, symbol);
                error.row = i;
                error.text = symbol;
                throw error;
            }
            // The buffer is ours alone: no program code runs between reading the symbols and writing here.
            static_cast<uint8_t*>(data)[i] = uint8_t(number);
        }
        return numbers;
    });
}

}  // namespace

void export_checked_functions(napi_env env, napi_value exports, napi_value promises) {
    // In the Python package's order.
    export_function(env, exports, promises, "pointCloud", read_point_cloud, Spelling::checked);
    export_function(env, exports, promises, "atoms", read_atoms, Spelling::checked);
    export_function(env, exports, promises, "mesh", read_mesh, Spelling::checked);
    napi_value function;
    check(env, napi_create_function(env, "atomicNumbers", NAPI_AUTO_LENGTH, atomic_numbers, nullptr, &function));
    check(env, napi_set_named_property(env, exports, "atomicNumbers", function));
}
