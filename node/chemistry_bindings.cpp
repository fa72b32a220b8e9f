// bonds, colormap, mapValues, elementColors and colormapNames, over the core's
// chemistry/bonds.h, chemistry/element_colors.h and colors/colormaps.h. Each
// reads its arguments here (each option once, by its name); the core checks
// every value, and its refusals come back in the checked spelling. The work
// runs on the JavaScript thread with the arrays borrowed: no program code runs
// until the results, fresh typed arrays of the addon's own, are made.
#include "chemistry_bindings.h"

#include <cstring>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "array_arguments.h"
#include "calls.h"
#include "chemistry/bonds.h"
#include "chemistry/element_colors.h"
#include "chemistry/elements.h"
#include "colors/colormaps.h"
#include "node_errors.h"
#include "number_arguments.h"

namespace {

std::vector<napi_value> arguments_of(napi_env env, napi_callback_info info, size_t expected) {
    std::vector<napi_value> args(expected);
    size_t count = expected;
    check(env, napi_get_cb_info(env, info, &count, args.data(), nullptr, nullptr));
    for (size_t i = count; i < expected; ++i) args[i] = undefined_value(env);
    return args;
}

// A new typed array of `kind` holding count values copied from data.
napi_value typed_array_of(napi_env env, napi_typedarray_type kind, const void* data, size_t count, size_t item_size) {
    napi_value buffer, array;
    void* memory = nullptr;
    check(env, napi_create_arraybuffer(env, count * item_size, &memory, &buffer));
    if (count != 0) std::memcpy(memory, data, count * item_size);
    check(env, napi_create_typedarray(env, kind, count, buffer, 0, &array));
    return array;
}

// The core's refusal in the checked spelling, with the arguments that these
// functions take positionally (elements, values, a colour map's name) named as such
// rather than as options: renames holds pairs of (option, argument).
using Renames = std::initializer_list<std::pair<const char*, const char*>>;

ArgumentError positional_error(const glb::InputError& error, Renames renames) {
    const ArgumentError mapped = node_input_error(error, Spelling::checked);
    std::string message = mapped.what();
    for (const auto& [option, argument] : renames) {
        const std::string quoted = std::string("\"options.") + option;
        for (size_t at = message.find(quoted); at != std::string::npos; at = message.find(quoted, at))
            message.replace(at, quoted.size(), std::string("\"") + argument);
        const std::string property = std::string("The \"") + argument + "\" property";
        const size_t at = message.find(property);
        if (at != std::string::npos) message.replace(at, property.size(), std::string("The \"") + argument + "\" argument");
    }
    return ArgumentError(mapped.kind, message);
}

template <typename Body>
napi_value chemistry_call(napi_env env, Renames renames, Body&& body) {
    return call_function(env, Spelling::checked, [&]() -> napi_value {
        try {
            return body();
        } catch (const glb::InputError& error) {
            throw positional_error(error, renames);
        }
    });
}

// The options object of a function, each key read once; unknown keys refused.
class Options {
public:
    Options(napi_env env, napi_value options, std::vector<const char*> keys) : env_(env), options_(options), keys_(keys) {
        if (is_absent(env, options)) {
            options_ = nullptr;
            return;
        }
        refuse_non_object(env, options);
        refuse_unknown_keys(env, options, keys_);
    }
    napi_value operator[](const char* key) const {
        return options_ == nullptr ? undefined_value(env_) : property(env_, options_, key);
    }

private:
    napi_env env_;
    napi_value options_;
    std::vector<const char*> keys_;
};

// Elements: atomic numbers, or an Array of element symbols, as atomic numbers the call holds.
ArrayArgument elements_argument(napi_env env, napi_value value) {
    if (!is_array(env, value) || array_length(env, value) == 0 || type_of(env, element(env, value, 0)) != napi_string)
        return ArrayArgument::typed(env, value, {"elements"}, glb::Field::atomic_numbers);
    const uint32_t count = array_length(env, value);
    glb::ScratchArray<uint8_t> numbers = glb::allocate_input_copy(count);
    for (uint32_t i = 0; i < count; ++i) {
        const std::string symbol = read_string(env, element(env, value, i), ArgumentName{"elements"}.at(i));
        numbers[i] = glb::atomic_number_at(symbol.data(), symbol.size(), i);
    }
    return ArrayArgument::held(env, {"elements"}, glb::Field::atomic_numbers, glb::ElementType::uint8, std::move(numbers), count);
}

// A lattice: nine numbers row by row, three rows of three, or a box's three lengths.
void read_cell(napi_env env, napi_value value, double* cell) {
    const ArgumentName name{"cell", true};
    napi_value flat = value;
    if (is_array(env, value) && array_length(env, value) == 3 && is_array(env, element(env, value, 0))) {
        for (uint32_t row = 0; row < 3; ++row) read_numbers(env, element(env, value, row), name.at(row), cell + 3 * row, 3);
        return;
    }
    const size_t length = is_array(env, flat) ? array_length(env, flat) : 0;
    if (length == 3) {
        double lengths[3];
        read_numbers(env, flat, name, lengths, 3);
        for (int i = 0; i < 9; ++i) cell[i] = i % 4 == 0 ? lengths[i / 4] : 0;
        return;
    }
    read_numbers(env, flat, name, cell, 9);
}

// bonds(positions, elements, { cell, pbc, tolerance }) -> { pairs: Uint32Array, shifts: Int32Array | undefined }
napi_value bonds(napi_env env, napi_callback_info info) {
    return chemistry_call(env, {{"elements", "elements"}}, [&]() -> napi_value {
        const std::vector<napi_value> args = arguments_of(env, info, 3);
        const ArrayArgument positions = ArrayArgument::typed(env, args[0], {"positions"}, glb::Field::positions);
        const ArrayArgument elements = elements_argument(env, args[1]);
        const Options options(env, args[2], {"cell", "pbc", "tolerance"});
        std::optional<glb::PeriodicCell> cell;
        const napi_value lattice = options["cell"];
        const napi_value pbc = options["pbc"];
        if (!is_absent(env, lattice)) {
            cell.emplace();
            read_cell(env, lattice, cell->cell);
            for (uint32_t k = 0; k < 3; ++k) {
                if (is_absent(env, pbc)) cell->periodic[k] = true;
                else if (type_of(env, pbc) == napi_boolean) cell->periodic[k] = boolean_value(env, pbc);
                else cell->periodic[k] = read_boolean(env, element(env, pbc, k), ArgumentName{"pbc", true}.at(k));
            }
        } else if (!is_absent(env, pbc) && !(type_of(env, pbc) == napi_boolean && !boolean_value(env, pbc))) {
            throw ArgumentError(ArgumentError::Kind::range,
                                "The \"options.pbc\" property needs \"options.cell\": give the lattice vectors that repeat");
        }
        const napi_value given_tolerance = options["tolerance"];
        const double tolerance = is_absent(env, given_tolerance) ? 0.4 : read_number(env, given_tolerance, {"tolerance", true});
        const HeldArray held_positions = positions.take(InputMode::borrow);
        const HeldArray held_elements = elements.take(InputMode::borrow);
        const glb::BondList found =
            glb::find_bonds(held_positions.view(), held_elements.view(), cell ? &*cell : nullptr, tolerance);
        napi_value result;
        check(env, napi_create_object(env, &result));
        check(env, napi_set_named_property(env, result, "pairs",
                                           typed_array_of(env, napi_uint32_array, found.pairs.data(), found.pairs.size(), 4)));
        const napi_value shifts = cell ? typed_array_of(env, napi_int32_array, found.shifts.data(), found.shifts.size(), 4)
                                       : undefined_value(env);
        check(env, napi_set_named_property(env, result, "shifts", shifts));
        return result;
    });
}

const glb::Colormap& colormap_named(napi_env env, napi_value value, const ArgumentName& argument) {
    const std::string name = read_string(env, value, argument);
    return glb::find_colormap(name.data(), name.size());
}

// colormap(name) -> Float32Array of 256 rows of R, G, B
napi_value colormap(napi_env env, napi_callback_info info) {
    return chemistry_call(env, {{"colormap", "name"}}, [&]() -> napi_value {
        const std::vector<napi_value> args = arguments_of(env, info, 1);
        const glb::Colormap& map = colormap_named(env, args[0], {"name"});
        return typed_array_of(env, napi_float32_array, map.entries, 3 * glb::kColormapSize, sizeof(float));
    });
}

// mapValues(values, { colormap, vmin, vmax }) -> Float32Array of R, G, B per value (vmin, vmax: the extremes when left out)
napi_value map_values(napi_env env, napi_callback_info info) {
    return chemistry_call(env, {{"values", "values"}}, [&]() -> napi_value {
        const std::vector<napi_value> args = arguments_of(env, info, 2);
        const ArrayArgument values = ArrayArgument::typed(env, args[0], {"values"}, glb::Field::values);
        const Options options(env, args[1], {"colormap", "vmin", "vmax"});
        const napi_value name = options["colormap"];
        const glb::Colormap& map = is_absent(env, name) ? glb::find_colormap("viridis", 7) : colormap_named(env, name, {"colormap", true});
        const napi_value given_vmin = options["vmin"], given_vmax = options["vmax"];
        const bool has_vmin = !is_absent(env, given_vmin), has_vmax = !is_absent(env, given_vmax);
        const double vmin = has_vmin ? read_number(env, given_vmin, {"vmin", true}) : 0;
        const double vmax = has_vmax ? read_number(env, given_vmax, {"vmax", true}) : 0;
        const HeldArray held = values.take(InputMode::borrow);
        glb::ValueRange range{0, 0};
        if (!has_vmin || !has_vmax) range = glb::value_extremes(held.view(), glb::Field::values);
        std::vector<float> colors(3 * held.view().count);
        glb::map_values_to_colors(colors.data(), held.view(), map, has_vmin ? vmin : range.min, has_vmax ? vmax : range.max);
        return typed_array_of(env, napi_float32_array, colors.data(), colors.size(), sizeof(float));
    });
}

// elementColors() -> Float32Array of R, G, B for atomic numbers 0 to 118
napi_value element_colors(napi_env env, napi_callback_info) {
    return chemistry_call(env, {}, [&]() -> napi_value {
        float rgb[3 * glb::kElementCount];
        for (uint32_t z = 0; z < glb::kElementCount; ++z) {
            const glb::Rgb color = glb::element_color(z);
            rgb[3 * z] = color.r;
            rgb[3 * z + 1] = color.g;
            rgb[3 * z + 2] = color.b;
        }
        return typed_array_of(env, napi_float32_array, rgb, 3 * glb::kElementCount, sizeof(float));
    });
}

// colormapNames() -> Array of the names
napi_value colormap_names(napi_env env, napi_callback_info) {
    return chemistry_call(env, {}, [&]() -> napi_value {
        napi_value names;
        check(env, napi_create_array_with_length(env, glb::colormap_count(), &names));
        for (uint32_t i = 0; i < glb::colormap_count(); ++i)
            check(env, napi_set_element(env, names, i, string_of(env, glb::colormap_at(i).name)));
        return names;
    });
}

void export_one(napi_env env, napi_value exports, const char* name, napi_callback function) {
    napi_value value;
    check(env, napi_create_function(env, name, NAPI_AUTO_LENGTH, function, nullptr, &value));
    check(env, napi_set_named_property(env, exports, name, value));
}

}  // namespace

void export_chemistry_functions(napi_env env, napi_value exports) {
    export_one(env, exports, "bonds", bonds);
    export_one(env, exports, "colormap", colormap);
    export_one(env, exports, "mapValues", map_values);
    export_one(env, exports, "elementColors", element_colors);
    export_one(env, exports, "colormapNames", colormap_names);
}
