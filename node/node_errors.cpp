#include "node_errors.h"

#include "colors/colormaps.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

using glb::Field;
using glb::Problem;

// A number as JavaScript prints it: NaN, Infinity, -1.5, 7.
std::string js_number(double value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

ArgumentName raw_name(Field field) {
    switch (field) {
        case Field::box_minimum: return {"vmin"};
        case Field::box_maximum: return {"vmax"};
        case Field::box: return {"bounds", true};
        case Field::base_color: return {"baseColor", true};
        case Field::metallic: return {"metallic", true};
        case Field::roughness: return {"roughness", true};
        case Field::emissive: return {"emissive", true};
        default: return {glb::field_text(field)};
    }
}

ArgumentName checked_name(Field field) {
    switch (field) {
        case Field::positions: return {"positions"};
        case Field::indices: return {"faces"};
        case Field::atomic_numbers: return {"elements", true};
        case Field::box:
        case Field::box_minimum:
        case Field::box_maximum: return {"bounds", true};
        case Field::base_color: return {"baseColor", true};
        default: return {glb::field_text(field), true};  // colors, types, normals, radii, radius, bonds, ...
    }
}

ArgumentError range(const std::string& message) { return ArgumentError(ArgumentError::Kind::range, message); }

std::string at(const glb::InputError& error) {
    if (error.row == glb::kNoIndex) return "";
    std::string text = " at row " + std::to_string(error.row);
    if (error.component != glb::kNoIndex) text += ", column " + std::to_string(error.component);
    return text;
}

ArgumentError raw_error(const glb::InputError& error) {
    const ArgumentName name = raw_name(error.field);
    switch (error.problem) {
        case Problem::not_finite: {
            const ArgumentName named = error.component == glb::kNoIndex ? name : name.at(error.component);
            return range("The value of " + named.quoted() + " is out of range. It must be a finite number. Received " +
                         js_number(error.value));
        }
        case Problem::too_few:
            return range("The \"types\" argument holds " + std::to_string(error.count) +
                         " 16-bit type ids, but \"positions\" holds " + std::to_string(error.limit) + " atoms");
        default:
            return range(error.what());
    }
}

ArgumentError checked_error(const glb::InputError& error) {
    const ArgumentName name = checked_name(error.field);
    const std::string value = "The value of " + name.quoted() + " is out of range. It must ";
    const std::string received = ". Received " + js_number(error.value) + at(error);
    const std::string length = "The value of \"" + std::string(name.is_option ? "options." : "") + name.name +
                               ".length\" is out of range. It must ";
    switch (error.problem) {
        case Problem::not_finite:
            if (error.field == Field::tolerance || error.field == Field::value_minimum || error.field == Field::value_maximum)
                return range(value + "be a finite number" + received);
            return range(value + "hold finite numbers" + received);
        case Problem::beyond_float32: return range(value + "lie within the float32 range" + received);
        case Problem::outside_unit_range:
            if (error.field == Field::colors)
                return range(value + "hold floats in [0, 1] (or be a Uint8Array of 0 to 255)" + received);
            return range(value + "be >= 0 and <= 1" + received);
        case Problem::negative: return range(value + "be >= 0" + received);
        case Problem::not_integer: return range(value + "hold integers" + received);
        case Problem::not_below_limit:
            if (error.field == Field::atomic_numbers) return range(value + "hold atomic numbers 0 to 118" + received);
            return range(value + "be < " + std::to_string(error.limit) + received);
        case Problem::zero_length: return range(value + "hold normals of a length above 0. Received length 0" + at(error));
        case Problem::not_positive: return range(value + "be > 0" + received);
        case Problem::same_atom:
            return range(value + "join two atoms in each bond. Received atom " + js_number(error.value) + " twice" + at(error));
        case Problem::inverted:
            if (error.field == Field::value_minimum) return range(value + "be <= options.vmax" + received);
            return range(value + "not have its minimum above its maximum. Received them so on axis " +
                         std::string(1, "xyz"[error.component % 3]));
        case Problem::empty:
            return range(length + "be > 0. Received 0");
        case Problem::not_whole_rows:
            return range(length + "be a multiple of " + std::to_string(error.limit) + ". Received " + std::to_string(error.count));
        case Problem::too_few:
        case Problem::count_mismatch:
            return range(length + "give one row per " +
                         std::string(error.field == Field::normals || error.field == Field::colors ? "point or vertex (" : "atom (") +
                         std::to_string(error.limit) + (error.field == Field::colors ? ", or one for all" : "") +
                         "). Received " + std::to_string(error.count));
        case Problem::not_an_element:
            return range("The value of \"options.elements[" + std::to_string(error.row) +
                         "]\" is out of range. It must be an element symbol. Received '" + error.text + "' at row " +
                         std::to_string(error.row));
        case Problem::not_drawn:
            if (error.field == Field::bonds) return range("The \"options.bonds\" property is drawn only with style 'ball-and-stick'");
            return range(name.subject() + " sizes spheres: it needs style 'spheres' or 'ball-and-stick'");
        case Problem::both_given:
            if (error.field == Field::types)
                return ArgumentError(ArgumentError::Kind::type, "The \"options.types\" and \"options.elements\" properties exclude each other: give one");
            return ArgumentError(ArgumentError::Kind::type, "The \"options.radius\" and \"options.radii\" properties exclude each other: give one");
        case Problem::unsupported_type:
            return ArgumentError(ArgumentError::Kind::type,
                                 name.subject() + " must hold floats in [0, 1] or be a Uint8Array of 0 to 255");
        case Problem::too_large:
            if (error.field == Field::positions)
                return range("The value of \"positions.length\" is out of range. It must be <= " +
                             std::to_string(3 * error.limit) + " (" + std::to_string(error.limit) + " atoms). Received " +
                             std::to_string(3 * error.count));
            return range(error.what());
        case Problem::singular:
            return range(value + "be a lattice of non-zero volume along its periodic axes. Received one that " +
                         std::string(error.what()).substr(std::string("cell ").size()));
        case Problem::unknown_name:
            return range(value + "be one of " + glb::colormap_names_text() + ". Received '" + error.text + "'");
        case Problem::too_far:
            return range(value + "lie within 2 ** 29 cells of the cell along its periodic axes" + received);
        case Problem::shares_memory:
            break;
    }
    return range(error.what());
}

// The caller's Buffer for the file: options.into, in both families.
ArgumentError output_error(const glb::InputError& error, Spelling spelling) {
    if (error.problem == Problem::shares_memory) {
        const ArgumentName input = spelling == Spelling::raw ? raw_name(error.related) : checked_name(error.related);
        return range("The value of \"options.into\" is out of range. It must not share memory with " + input.quoted() +
                     ", which the file is made of");
    }
    return range("The value of \"options.into.byteLength\" is out of range. It must be >= " + std::to_string(error.limit) +
                 " (the size of the file). Received " + std::to_string(error.count));
}

}  // namespace

ArgumentError node_input_error(const glb::InputError& error, Spelling spelling) {
    if (error.field == Field::output) return output_error(error, spelling);
    return spelling == Spelling::raw ? raw_error(error) : checked_error(error);
}
