// The checked functions: pointCloud, atoms, mesh and scene, with the Python
// package's meaning. Each reads its arguments here, each option of a part once
// and by its name (the readers below are the table of options: one line each);
// the core checks every value and writes the file. A TypeError
// (ERR_INVALID_ARG_TYPE) for an argument of the wrong kind, a RangeError
// (ERR_OUT_OF_RANGE) for a wrong value, each naming the argument.
#include <deque>
#include <string>
#include <vector>

#include "bindings.h"
#include "calls.h"
#include "chemistry/elements.h"
#include "glb_assembler.h"
#include "number_arguments.h"
#include "output_buffer.h"

namespace {

using glb::Field;

// A call's scene with the arrays it holds: located while its options are read,
// taken (borrowed or copied) once every option was read and checked.
class SceneJob final : public GlbJob {
public:
    glb::Scene scene;
    bool name_parts = false;  // errors name the part (a scene's), or not (a function's)

    void add(ArrayArgument argument, glb::ArrayView& view) {
        view.count = argument.count();
        view.type = argument.type();
        view.given = true;
        arguments_.push_back(std::move(argument));
        targets_.push_back({&view});
    }
    // `to` takes the memory of the array that `from` takes (a copy of from's view).
    void share(const glb::ArrayView& from, glb::ArrayView& to) {
        for (std::vector<glb::ArrayView*>& targets : targets_)
            if (targets.front() == &from) targets.push_back(&to);
    }
    // Checks the scene (counts and small values: no array is read yet), then takes the arrays.
    void take_arrays(InputMode mode) {
        labelled([&] { glb::check_input(scene); });
        for (size_t i = 0; i < arguments_.size(); ++i) {
            held_.push_back(arguments_[i].take(mode));
            for (glb::ArrayView* target : targets_[i]) target->data = held_[i].data;
        }
    }

    void plan() override {
        labelled([&] { plan_ = glb::plan_glb(scene); });
    }
    uint64_t file_size() const override { return plan_.file_size; }
    void write(uint8_t* file) override {
        labelled([&] { glb::write_glb(file, plan_, scene); });
    }
    void check_unchanged(const uint8_t* result, size_t size) const override {
        for (size_t i = 0; i < arguments_.size(); ++i) arguments_[i].check_unchanged(held_[i], result, size);
    }
    std::vector<glb::InputMemory> inputs() const override {
        std::vector<glb::InputMemory> memory;
        for (const ArrayArgument& argument : arguments_) memory.push_back(argument.memory());
        return memory;
    }

private:
    // Runs work; in a scene, an InputError names its part.
    template <typename Work>
    void labelled(Work&& work) const {
        try {
            work();
        } catch (const glb::InputError& error) {
            if (!name_parts || error.part == glb::kNoIndex || error.part >= scene.parts.size()) throw;
            if (scene.frame_duration != 0) throw PartInputError(error, "frame " + std::to_string(error.part));
            static const char* const kinds[] = {"points", "atoms", "mesh", "lines"};
            const glb::ScenePart& part = scene.parts[error.part];
            throw PartInputError(error, "part " + std::to_string(error.part) + " (" +
                                            (part.name.empty() ? std::string(kinds[part.content.index()])
                                                               : "'" + part.name + "'") +
                                            ")");
        }
    }

    std::deque<ArrayArgument> arguments_;
    std::vector<std::vector<glb::ArrayView*>> targets_;  // where each argument's memory goes
    std::vector<HeldArray> held_;
    glb::ScenePlan plan_;
};

// An array of indices or ids: float typed arrays are refused, as in Python.
ArrayArgument integer_argument(napi_env env, napi_value value, ArgumentName name, Field field) {
    ArrayArgument argument = ArrayArgument::typed(env, value, name, field);
    if (is_typed_array(env, value) && glb::is_floating(argument.type()))
        throw ArgumentError(ArgumentError::Kind::type, name.subject() + " must be integers: an Array or an integer "
                                                                        "typed array. " + describe_received(env, value));
    return argument;
}

// Reads the options of one part, each key once, and refuses the keys it did not read.
class OptionReader {
public:
    OptionReader(napi_env env, napi_value options, SceneJob& job) : env_(env), options_(options), job_(job) {
        if (is_absent(env, options)) options_ = nullptr;
        else refuse_non_object(env, options);
    }

    napi_env env() const { return env_; }

    // The option's value (a getter of the program runs here, once); undefined when left out.
    napi_value value(const char* key) {
        known_.push_back(key);
        return options_ == nullptr ? undefined_value(env_) : property(env_, options_, key);
    }

    void array(glb::ArrayView& view, const char* key, Field field) { array(view, key, field, value(key)); }
    // Indices and ids: an integer typed array, or a plain Array (the core checks that its numbers are whole).
    void integers(glb::ArrayView& view, const char* key, Field field) {
        const napi_value given = value(key);
        if (!is_absent(env_, given)) job_.add(integer_argument(env_, given, {key, true}, field), view);
    }
    void array(glb::ArrayView& view, const char* key, Field field, napi_value given) {
        if (!is_absent(env_, given)) job_.add(ArrayArgument::typed(env_, given, {key, true}, field), view);
    }

    // Bonds: atom index pairs, or { pairs, shifts } (cell shifts of bonds across a periodic boundary), as bonds()
    // gives them; true to find them from the elements, false for none; left out, found for ball-and-stick elements.
    void bonds(glb::ArrayView& pairs, glb::ArrayView& shifts, glb::BondSearch& search) {
        const napi_value given = value("bonds");
        search = is_absent(env_, given) ? glb::BondSearch::automatic : glb::BondSearch::off;
        if (is_absent(env_, given)) return;
        if (type_of(env_, given) == napi_boolean) {
            search = boolean_value(env_, given) ? glb::BondSearch::on : glb::BondSearch::off;
            return;
        }
        if (type_of(env_, given) != napi_object || is_array(env_, given) || is_typed_array(env_, given)) {
            job_.add(integer_argument(env_, given, {"bonds", true}, Field::bonds), pairs);
            return;
        }
        job_.add(integer_argument(env_, property(env_, given, "pairs"), {"bonds.pairs", true}, Field::bonds), pairs);
        const napi_value cell_shifts = property(env_, given, "shifts");
        if (!is_absent(env_, cell_shifts))
            job_.add(integer_argument(env_, cell_shifts, {"bonds.shifts", true}, Field::bond_shifts), shifts);
    }

    // Colours of `rows` points or vertices: 3 or 4 numbers each, or one colour for all.
    void colors(glb::ColorRows& colors, const char* key, size_t rows) {
        const napi_value given = value(key);
        if (is_absent(env_, given)) return;
        ArrayArgument argument = ArrayArgument::typed(env_, given, {key, true}, Field::colors);
        const size_t length = argument.count();
        if (length == 3 * rows || length == 3) colors.components = 3;
        else if (length == 4 * rows || length == 4) colors.components = 4;
        else
            throw ArgumentError(ArgumentError::Kind::range,
                                "The value of \"options." + std::string(key) + ".length\" is out of range. It must be 3 or 4 "
                                "numbers for each of the " + std::to_string(rows) + " points or vertices (" +
                                std::to_string(3 * rows) + " or " + std::to_string(4 * rows) +
                                "), or one colour of 3 or 4. Received " + std::to_string(length));
        job_.add(std::move(argument), colors.values);
    }

    // A table of colours (a palette): RGB triples flat, or an Array of rows of 3 or 4 numbers (RGBA).
    void color_table(glb::ColorRows& colors, const char* key, Field field) {
        const napi_value given = value(key);
        if (is_absent(env_, given)) return;
        const ArgumentName name{key, true};
        if (!is_array(env_, given) || array_length(env_, given) == 0 || !is_array(env_, element(env_, given, 0))) {
            colors.components = 3;
            job_.add(ArrayArgument::typed(env_, given, name, field), colors.values);
            return;
        }
        const uint32_t rows = array_length(env_, given);
        const uint32_t width = array_length(env_, element(env_, given, 0));
        if (width != 3 && width != 4)
            throw ArgumentError(ArgumentError::Kind::range, "The value of " + ArgumentName{name.at(0).name + ".length", true}.quoted() +
                                                                " is out of range. It must be 3 or 4. Received " + std::to_string(width));
        glb::ScratchArray<uint8_t> values = glb::allocate_input_copy(sizeof(double) * rows * width);
        double* out = reinterpret_cast<double*>(values.get());
        for (uint32_t row = 0; row < rows; ++row) read_exactly(element(env_, given, row), name.at(row), out + row * width, width);
        colors.components = width;
        job_.add(ArrayArgument::held(env_, name, field, glb::ElementType::float64, std::move(values), size_t(rows) * width),
                 colors.values);
    }

    // Elements: atomic numbers, or an Array of element symbols, read here.
    void elements(glb::ArrayView& view, const char* key) {
        const napi_value given = value(key);
        if (is_absent(env_, given)) return;
        if (!is_array(env_, given) || array_length(env_, given) == 0 || type_of(env_, element(env_, given, 0)) != napi_string) {
            job_.add(integer_argument(env_, given, {key, true}, Field::atomic_numbers), view);
            return;
        }
        const uint32_t count = array_length(env_, given);
        glb::ScratchArray<uint8_t> numbers = glb::allocate_input_copy(count);
        for (uint32_t i = 0; i < count; ++i) {
            const std::string symbol = read_string(env_, element(env_, given, i), ArgumentName{key, true}.at(i));
            numbers[i] = glb::atomic_number_at(symbol.data(), symbol.size(), i);
        }
        job_.add(ArrayArgument::held(env_, {key, true}, Field::atomic_numbers, glb::ElementType::uint8,
                                     std::move(numbers), count),
                 view);
    }

    double number(const char* key, double fallback) {
        const napi_value given = value(key);
        return is_absent(env_, given) ? fallback : read_number(env_, given, {key, true});
    }
    // A number, or nothing when left out.
    bool optional_number(const char* key, double& out) {
        const napi_value given = value(key);
        if (is_absent(env_, given)) return false;
        out = read_number(env_, given, {key, true});
        return true;
    }

    // One boolean for all `count` flags, or `count` booleans; left out, they stay as they are.
    void flags(const char* key, bool* out, size_t count) {
        const napi_value given = value(key);
        if (is_absent(env_, given)) return;
        if (type_of(env_, given) == napi_boolean) {
            for (size_t i = 0; i < count; ++i) out[i] = boolean_value(env_, given);
            return;
        }
        if (!is_array(env_, given) || array_length(env_, given) != count)
            throw ArgumentError(ArgumentError::Kind::type, ArgumentName{key, true}.subject() + " must be a boolean or an "
                                "Array of " + std::to_string(count) + " booleans. " + describe_received(env_, given));
        for (uint32_t i = 0; i < count; ++i)
            out[i] = read_boolean(env_, element(env_, given, i), ArgumentName{key, true}.at(i));
    }

    bool flag(const char* key, bool fallback) {
        const napi_value given = value(key);
        return is_absent(env_, given) ? fallback : read_boolean(env_, given, {key, true});
    }

    std::string text(const char* key) {
        const napi_value given = value(key);
        return is_absent(env_, given) ? std::string() : read_string(env_, given, {key, true});
    }

    // A choice by its name, as the core spells the choices; fallback when left out.
    template <typename Named>
    auto choice(const char* key, Field field, const char* fallback, Named named) -> decltype(named("")) {
        const napi_value given = value(key);
        if (is_absent(env_, given)) return named(fallback);
        if (type_of(env_, given) != napi_string)
            throw ArgumentError(ArgumentError::Kind::type, ArgumentName{key, true}.subject() + " must be " +
                                                               glb::choices_of(field) + ". " + describe_received(env_, given));
        return named(string_value(env_, given));
    }

    // count numbers, flat or as rows of `width` (two triples, four rows of four); false when left out.
    bool numbers(const char* key, double* out, size_t count, size_t width = 0) {
        napi_value given = value(key);
        if (is_absent(env_, given)) return false;
        const ArgumentName name{key, true};
        if (width != 0 && is_array(env_, given) && array_length(env_, given) == count / width &&
            is_array(env_, element(env_, given, 0))) {
            for (uint32_t row = 0; row < count / width; ++row)
                read_exactly(element(env_, given, row), name.at(row), out + row * width, width);
            return true;
        }
        read_exactly(given, name, out, count);
        return true;
    }

    // Refuses an option that no line read, like an unknown keyword in Python.
    void refuse_unknown_keys() const {
        if (options_ != nullptr) ::refuse_unknown_keys(env_, options_, known_);
    }

private:
    void read_exactly(napi_value value, const ArgumentName& name, double* out, size_t count) {
        size_t length = 0;
        if (is_array(env_, value)) length = array_length(env_, value);
        else if (is_typed_array(env_, value)) check(env_, napi_get_typedarray_info(env_, value, nullptr, &length, nullptr, nullptr, nullptr));
        if (length != count && (is_array(env_, value) || is_typed_array(env_, value)))
            throw ArgumentError(ArgumentError::Kind::range, "The value of " + ArgumentName{name.name + ".length", true}.quoted() +
                                                                " is out of range. It must be " + std::to_string(count) +
                                                                ". Received " + std::to_string(length));
        read_numbers(env_, value, name, out, count);
    }

    napi_env env_;
    napi_value options_;
    SceneJob& job_;
    std::vector<const char*> known_;
};

// One line per option of each kind of part: the name as the checked functions
// spell it, and where it goes.

void read(OptionReader& o, glb::PointCloud& part) {
    o.colors(part.colors, "colors", part.positions.count / 3);
}

void read(OptionReader& o, glb::AtomCloud& part) {
    o.integers(part.types, "types", Field::types);
    o.elements(part.atomic_numbers, "elements");
    double box[6];
    if ((part.has_box = o.numbers("bounds", box, 6, 3))) part.box = glb::Bounds3{{box[0], box[1], box[2]}, {box[3], box[4], box[5]}};
    part.style = o.choice("style", Field::style, "points", glb::style_named);
    part.has_radius = o.optional_number("radius", part.radius);
    o.array(part.radii, "radii", Field::radii);
    o.bonds(part.bonds, part.bond_shifts, part.bond_search);
    part.has_cell = o.numbers("cell", part.cell, 9, 3);
    o.flags("pbc", part.periodic, 3);
    part.instancing = o.flag("instancing", true);
    o.color_table(part.palette, "palette", Field::palette);
    o.colors(part.colors, "colors", part.positions.count / 3);
    o.array(part.values, "values", Field::values);
    if (!is_absent(o.env(), o.value("cmap"))) part.colormap = o.text("cmap");
    part.has_vmin = o.optional_number("vmin", part.vmin);
    part.has_vmax = o.optional_number("vmax", part.vmax);
}

void read(OptionReader& o, glb::TriangleMesh& part) {
    const napi_value normals = o.value("normals");  // a mode's name, or one normal per vertex
    if (type_of(o.env(), normals) == napi_string) part.normals_mode = glb::normals_named(string_value(o.env(), normals));
    else o.array(part.normals, "normals", Field::normals, normals);
    part.crease_angle = o.number("creaseAngle", 30);
    o.colors(part.colors, "colors", part.positions.count / 3);
    o.array(part.uv, "uv", Field::uv);
    o.array(part.texture, "texture", Field::texture);
    part.has_base_color = o.numbers("baseColor", part.base_color, 4);
    part.metallic = o.number("metallic", 0);
    part.roughness = o.number("roughness", 0.5);
    o.numbers("emissive", part.emissive, 3);
    part.double_sided = o.flag("doubleSided", true);
}

void read(OptionReader& o, glb::LineSet& part) {
    o.integers(part.segments, "segments", Field::segments);
    o.colors(part.colors, "colors", part.positions.count / 3);
    part.has_color = o.numbers("color", part.color, 4);
}

// Where a part comes from: a function's arguments (encoding and into among its
// options), or a scene's part (encoding, name and transform).
enum class Caller { function, scene };

// A part of `kind` with its positions (and faces) and options, into job.scene
// (whose capacity is reserved). Returns the function's options.into, if any.
template <typename More = void (*)(OptionReader&)>
napi_value read_part(napi_env env, SceneJob& job, const std::string& kind, napi_value positions, napi_value faces,
                     napi_value options, Caller caller, InputMode mode, const char* encoding = "float32",
                     More more = [](OptionReader&) {}) {
    glb::ScenePart& part = job.scene.parts.emplace_back();
    part.content = glb::content_of_kind(kind);
    OptionReader o(env, options, job);
    napi_value into = nullptr;
    std::visit(
        [&](auto& content) {
            job.add(ArrayArgument::typed(env, positions, {"positions"}, Field::positions), content.positions);
            if constexpr (std::is_same_v<std::decay_t<decltype(content)>, glb::TriangleMesh>)
                job.add(integer_argument(env, faces, {"faces"}, Field::indices), content.faces);
            read(o, content);
            content.encoding = o.choice("encoding", Field::encoding, encoding, glb::encoding_named);
        },
        part.content);
    if (caller == Caller::scene) {
        part.name = o.text("name");
        part.has_transform = o.numbers("transform", part.transform, 16, 4);
    } else {
        into = read_into(env, o.value("into"), mode);
    }
    more(o);
    o.refuse_unknown_keys();
    return into;
}

// Ball-and-stick atoms given neither bonds nor elements (to find them from)
// draw no sticks: said with process.emitWarning, as the Python package warns
// (the program's emitWarning runs here, before any array is taken).
void warn_of_missing_bonds(napi_env env, const glb::ScenePart& part) {
    const auto* atoms = std::get_if<glb::AtomCloud>(&part.content);
    if (atoms == nullptr || atoms->style != glb::AtomStyle::ball_and_stick || atoms->bonds.given ||
        atoms->bond_search != glb::BondSearch::automatic || atoms->atomic_numbers.given)
        return;
    emit_warning(env, "ball-and-stick atoms without bonds and without elements draw no sticks: give options.bonds, "
                      "or options.elements to find them");
}

template <const char* Kind>
std::unique_ptr<GlbJob> read_function(napi_env env, const std::vector<napi_value>& args, InputMode mode) {
    auto job = std::make_unique<SceneJob>();
    job->scene.parts.reserve(1);  // the arrays' views point into the part: it must not move
    const bool mesh = std::string(Kind) == "mesh";
    job->into = read_part(env, *job, Kind, args[0], mesh ? args[1] : nullptr, mesh ? args[2] : args[1], Caller::function, mode);
    warn_of_missing_bonds(env, job->scene.parts[0]);
    job->take_arrays(mode);
    return job;
}

constexpr char kPoints[] = "points";
constexpr char kAtoms[] = "atoms";
constexpr char kMesh[] = "mesh";

// A scene's part as node/checked.js keeps it: { kind, positions, faces, options };
// encoding: the scene's, for a part that names none.
void read_scene_part(napi_env env, SceneJob& job, napi_value part, InputMode mode, const char* encoding) {
    const std::string kind = read_string(env, property(env, part, "kind"), {"kind"});
    read_part(env, job, kind, property(env, part, "positions"), property(env, part, "faces"),
              property(env, part, "options"), Caller::scene, mode, encoding);
}

// scene(parts, { encoding, into }): the file of a scene's parts.
std::unique_ptr<GlbJob> read_scene(napi_env env, const std::vector<napi_value>& args, InputMode mode) {
    auto job = std::make_unique<SceneJob>();
    job->name_parts = true;
    const napi_value parts = args[0];
    const uint32_t count = array_length(env, parts);
    OptionReader o(env, args[1], *job);
    const std::string encoding = o.choice("encoding", Field::encoding, "float32", [](std::string name) { return name; });
    glb::encoding_named(encoding);  // the name is checked before any part is read
    job->into = read_into(env, o.value("into"), mode);
    o.refuse_unknown_keys();
    job->scene.parts.reserve(count);
    for (uint32_t i = 0; i < count; ++i) read_scene_part(env, *job, element(env, parts, i), mode, encoding.c_str());
    job->take_arrays(mode);
    return job;
}

// trajectory(frames, options): frames, an Array of positions (one typed array
// or Array per frame), drawn as atoms with the options of atoms() (read once,
// for every frame) and fps, frame k shown at time k / fps.
std::unique_ptr<GlbJob> read_trajectory(napi_env env, const std::vector<napi_value>& args, InputMode mode) {
    auto job = std::make_unique<SceneJob>();
    job->name_parts = true;
    const napi_value frames = args[0];
    if (!is_array(env, frames))
        throw ArgumentError(ArgumentError::Kind::type, "The \"frames\" argument must be an Array of positions, one "
                                                       "typed array or Array a frame. " + describe_received(env, frames));
    const uint32_t count = array_length(env, frames);
    if (count == 0)
        throw ArgumentError(ArgumentError::Kind::range, "The value of \"frames.length\" is out of range. It must be > 0. Received 0");
    job->scene.parts.reserve(count);
    // The first frame with the options; the others share the options' arrays.
    const napi_value options = args[1];
    double fps = 10;
    job->into = read_part(env, *job, "atoms", element(env, frames, 0), nullptr, options, Caller::function, mode,
                          "float32", [&](OptionReader& o) { fps = o.number("fps", 10); });
    job->scene.frame_duration = 1 / fps;
    const glb::AtomCloud& first = std::get<glb::AtomCloud>(job->scene.parts[0].content);
    for (uint32_t k = 1; k < count; ++k) {
        glb::AtomCloud& frame = std::get<glb::AtomCloud>(job->scene.parts.emplace_back(glb::ScenePart{first, "", false, {}}).content);
        for (const auto& [from, to] : {std::pair{&first.types, &frame.types}, {&first.atomic_numbers, &frame.atomic_numbers},
                                       {&first.radii, &frame.radii}, {&first.bonds, &frame.bonds},
                                       {&first.bond_shifts, &frame.bond_shifts}})
            job->share(*from, *to);
        job->add(ArrayArgument::typed(env, element(env, frames, k), ArgumentName{"frames"}.at(k), Field::positions),
                 frame.positions);
    }
    job->take_arrays(mode);
    return job;
}

// checkPart(part): a scene's part read and checked (counts and small values),
// as Scene's methods refuse it when it is added.
napi_value check_part(napi_env env, napi_callback_info info) {
    return call_function(env, Spelling::checked, [&]() -> napi_value {
        size_t count = 1;
        napi_value part;
        check(env, napi_get_cb_info(env, info, &count, &part, nullptr, nullptr));
        SceneJob job;
        job.scene.parts.reserve(1);
        read_scene_part(env, job, part, InputMode::borrow, "float32");
        glb::check_input(job.scene);
        warn_of_missing_bonds(env, job.scene.parts[0]);
        return undefined_value(env);
    });
}

}  // namespace

void export_checked_functions(napi_env env, napi_value exports, napi_value promises) {
    // In the Python package's order.
    export_function(env, exports, promises, "pointCloud", read_function<kPoints>, Spelling::checked);
    export_function(env, exports, promises, "atoms", read_function<kAtoms>, Spelling::checked);
    export_function(env, exports, promises, "mesh", read_function<kMesh>, Spelling::checked);
    export_function(env, exports, promises, "scene", read_scene, Spelling::checked);
    export_function(env, exports, promises, "trajectory", read_trajectory, Spelling::checked);
    napi_value function;
    check(env, napi_create_function(env, "checkPart", NAPI_AUTO_LENGTH, check_part, nullptr, &function));
    check(env, napi_set_named_property(env, exports, "checkPart", function));
    napi_value generator;
    check(env, napi_create_string_utf8(env, glb::kCheckedGenerator, NAPI_AUTO_LENGTH, &generator));
    check(env, napi_set_named_property(env, exports, "generator", generator));
}
