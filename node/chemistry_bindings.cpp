// The native half of bonds, colormap, mapValues and elementColors, over the
// core's chemistry/bonds.h, chemistry/element_colors.h and colors/colormaps.h.
// node/checked.js reads the options (each once) and hands over typed arrays,
// plain numbers, booleans and strings; the core checks every value, and its
// refusals come back in the checked spelling. The work runs on the JavaScript
// thread with the arrays borrowed: no program code runs until the results,
// fresh typed arrays of the addon's own, are made.
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

// bonds(positions, elements, cell (nine numbers or undefined), pbc (three booleans), tolerance)
// -> { pairs: Uint32Array, shifts: Int32Array | undefined }
napi_value bonds(napi_env env, napi_callback_info info) {
    return chemistry_call(env, {{"elements", "elements"}}, [&]() -> napi_value {
        const std::vector<napi_value> args = arguments_of(env, info, 5);
        const ArrayArgument positions = ArrayArgument::typed(env, args[0], {"positions"}, glb::Field::positions);
        const ArrayArgument elements = ArrayArgument::typed(env, args[1], {"elements"}, glb::Field::atomic_numbers);
        std::optional<glb::PeriodicCell> cell;
        if (!is_absent(env, args[2])) {
            cell.emplace();
            read_numbers(env, args[2], {"cell", true}, cell->cell, 9);
            for (uint32_t k = 0; k < 3; ++k)
                cell->periodic[k] = read_boolean(env, element(env, args[3], k), ArgumentName{"pbc", true}.at(k));
        }
        const double tolerance = read_number(env, args[4], {"tolerance", true});
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

const glb::Colormap& colormap_named(napi_env env, napi_value value) {
    const std::string name = read_string(env, value, {"colormap", true});
    return glb::find_colormap(name.data(), name.size());
}

// colormap(name) -> Float32Array of 256 rows of R, G, B
napi_value colormap(napi_env env, napi_callback_info info) {
    return chemistry_call(env, {{"colormap", "name"}}, [&]() -> napi_value {
        const std::vector<napi_value> args = arguments_of(env, info, 1);
        const glb::Colormap& map = colormap_named(env, args[0]);
        return typed_array_of(env, napi_float32_array, map.entries, 3 * glb::kColormapSize, sizeof(float));
    });
}

// mapValues(values, colormap, vmin, vmax) -> Float32Array of R, G, B per value (vmin, vmax: undefined for the extremes)
napi_value map_values(napi_env env, napi_callback_info info) {
    return chemistry_call(env, {{"values", "values"}}, [&]() -> napi_value {
        const std::vector<napi_value> args = arguments_of(env, info, 4);
        const ArrayArgument values = ArrayArgument::typed(env, args[0], {"values"}, glb::Field::values);
        const glb::Colormap& map = colormap_named(env, args[1]);
        const std::optional<double> vmin =
            is_absent(env, args[2]) ? std::nullopt : std::optional<double>(read_number(env, args[2], {"vmin", true}));
        const std::optional<double> vmax =
            is_absent(env, args[3]) ? std::nullopt : std::optional<double>(read_number(env, args[3], {"vmax", true}));
        const HeldArray held = values.take(InputMode::borrow);
        glb::ValueRange range{0, 0};
        if (!vmin || !vmax) range = glb::value_extremes(held.view(), glb::Field::values);
        std::vector<float> colors(3 * held.view().count);
        glb::map_values_to_colors(colors.data(), held.view(), map, vmin ? *vmin : range.min, vmax ? *vmax : range.max);
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
