#include "node_errors.h"

#include "colors/colormaps.h"
#include "glb_assembler.h"

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
        case Field::parts: return {"parts"};
        case Field::atomic_numbers: return {"elements", true};
        case Field::box:
        case Field::box_minimum:
        case Field::box_maximum: return {"bounds", true};
        case Field::base_color: return {"baseColor", true};
        case Field::crease_angle: return {"creaseAngle", true};
        case Field::bond_shifts: return {"bonds.shifts", true};
        default: return {glb::field_text(field), true};  // colors, types, normals, radii, radius, bonds, ...
    }
}

// An integer as given (error.text, exact also beyond 2^53), or the value as JavaScript prints it.
std::string integer_of(const glb::InputError& error) { return error.text.empty() ? js_number(error.value) : error.text; }

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
    const std::string received_integer = ". Received " + integer_of(error) + at(error);
    const std::string length = "The value of \"" + std::string(name.is_option ? "options." : "") + name.name +
                               ".length\" is out of range. It must ";
    switch (error.problem) {
        case Problem::not_finite:
            if (error.field == Field::tolerance || error.field == Field::value_minimum || error.field == Field::value_maximum)
                return range(value + "be a finite number" + received);
            return range(value + "hold finite numbers" + received);
        case Problem::beyond_float32: return range(value + "lie within the float32 range" + received);
        case Problem::outside_unit_range:
            if (error.field == Field::crease_angle) return range(value + "be an angle in degrees from 0 to 180" + received);
            if (error.field == Field::colors && error.limit == 255)
                return range(value + "hold integers of 0 to 255 (or floats in [0, 1])" + received_integer);
            if (error.field == Field::colors)
                return range(value + "hold floats in [0, 1] (or integers of 0 to 255 in an integer typed array)" + received);
            return range(value + "be >= 0 and <= 1" + received);
        case Problem::negative: return range(value + "be >= 0" + received_integer);
        case Problem::not_integer: return range(value + "hold integers" + received);
        case Problem::not_below_limit:
            if (error.field == Field::atomic_numbers) return range(value + "hold atomic numbers 0 to 118" + received_integer);
            return range(value + "be < " + std::to_string(error.limit) + received_integer);
        case Problem::zero_length: return range(value + "hold no zero vector. Received (0, 0, 0)" + at(error));
        case Problem::not_positive:
            if (error.field == Field::frame_duration)
                return range("The value of \"options.fps\" is out of range. It must be > 0, and small enough for every "
                             "frame's time to differ in float32. Received 1 / fps = " + js_number(error.value));
            return range(value + "be > 0 as a float32" + received);
        case Problem::same_atom:
            return range(value + "join two atoms in each bond. Received atom " + js_number(error.value) + " twice" + at(error));
        case Problem::inverted:
            if (error.field == Field::value_minimum) return range(value + "be <= options.vmax" + received);
            return range(value + "not have its minimum above its maximum. Received them so on axis " +
                         std::string(1, "xyz"[error.component % 3]));
        case Problem::empty:
            if (error.field == Field::parts) return range("The value of \"parts.length\" is out of range. It must be > 0: add a part with points(), atoms(), mesh() or lines(). Received 0");
            return range(length + "be > 0. Received 0");
        case Problem::not_whole_rows:
            return range(length + "be a multiple of " + std::to_string(error.limit) + ". Received " + std::to_string(error.count));
        case Problem::too_few:
            if (error.field == Field::palette && error.row != glb::kNoIndex)
                return range(value + "hold a row for every type. Received " + std::to_string(error.count) +
                             " rows, but \"options.types\" holds " + std::to_string(error.limit - 1) + at(error));
            if (error.field == Field::palette) return range(length + "be > 0. Received 0");
            if (error.field == Field::positions)
                return range("The value of \"positions.length\" is out of range. A line without segments must have "
                             "at least 2 points (6 numbers). Received " + std::to_string(3 * error.count));
            [[fallthrough]];
        case Problem::count_mismatch:
            if (error.problem == Problem::count_mismatch && error.field == Field::positions)
                return range("The value of \"positions.length\" is out of range. Every frame must hold the same atoms (" +
                             std::to_string(3 * error.limit) + " numbers). Received " + std::to_string(3 * error.count));
            return range(length + "give one row per " +
                         std::string(error.field == Field::normals || error.field == Field::colors || error.field == Field::uv ? "point or vertex (" : "atom (") +
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
            if (error.field == Field::palette || error.field == Field::colors || error.field == Field::values)
                return ArgumentError(ArgumentError::Kind::type, "The " + name.quoted() + " and " + checked_name(error.related).quoted() +
                                                                    " properties exclude each other: give one colour source");
            return ArgumentError(ArgumentError::Kind::type, "The \"options.radius\" and \"options.radii\" properties exclude each other: give one");
        case Problem::unsupported_type:
            if (error.field == Field::texture)
                return ArgumentError(ArgumentError::Kind::type, name.subject() + " must be a Buffer or Uint8Array of a PNG or JPEG image");
            return ArgumentError(ArgumentError::Kind::type,
                                 name.subject() + " must hold floats in [0, 1] or integers of 0 to 255");
        case Problem::not_a_choice:
            return range(value + "be " + glb::choices_of(error.field) + ". Received '" + error.text + "'");
        case Problem::not_rigid:
            if (error.row == 3) return range(value + "end in the row 0, 0, 0, 1 (a rotation, scale and translation)" + received);
            return range(value + "be a rotation, scale and translation: the columns of its 3 x 3 part must lie at right angles");
        case Problem::not_an_image: return range(value + "be the bytes of a PNG or JPEG image");
        case Problem::needs_related:
            if (error.field == Field::palette)
                return ArgumentError(ArgumentError::Kind::type, "The \"options.palette\" property colours types: give \"options.types\"");
            if (error.field == Field::colormap)
                return ArgumentError(ArgumentError::Kind::type, "The \"options.cmap\" property maps values to colours: give \"options.values\"");
            if (error.field == Field::value_minimum || error.field == Field::value_maximum)
                return ArgumentError(ArgumentError::Kind::type, "The " + name.quoted() + " property scales values to a colour map: give \"options.values\"");
            if (error.field == Field::bonds)
                return ArgumentError(ArgumentError::Kind::type, "The \"options.bonds\" property true finds bonds from the atoms' elements: give \"options.elements\"");
            if (error.field == Field::bond_shifts)
                return ArgumentError(ArgumentError::Kind::type, "The \"options.bonds.shifts\" property needs \"options.cell\": the cell they count in");
            return ArgumentError(ArgumentError::Kind::type, "The \"options.texture\" property needs \"options.uv\": the texture coordinates of every vertex");
        case Problem::geometry_beyond_float32:
            if (error.field == Field::bonds)
                return range(value + "join atoms less than the float32 range apart, which a stick can span" + received);
            return range("The value of \"positions\" is out of range. The spheres and sticks drawn around it must lie "
                         "within the float32 range. Received a vertex beyond it on axis " + std::string(1, "xyz"[error.component % 3]));
        case Problem::too_large:
            if (error.field == Field::positions)
                return range("The value of \"positions.length\" is out of range. It must be <= " +
                             std::to_string(3 * error.limit) + " (" + std::to_string(error.limit) + " atoms). Received " +
                             std::to_string(3 * error.count));
            return range(error.what());
        case Problem::singular:
            return range(value + "be a lattice of non-zero volume along its periodic axes. Received one that " +
                         std::string(error.what()).substr(std::string("cell ").size()));
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
