// Python.h first: it sets feature macros that the C library's headers read.
#include <pybind11/pybind11.h>

#include "package_errors.h"

#include "colors/colormaps.h"

#include <cmath>
#include <string>

namespace py = pybind11;

namespace {

using glb::Field;
using glb::Problem;

const char* argument_name(Field field) {
    switch (field) {
        case Field::atomic_numbers: return "elements";
        case Field::indices: return "faces";
        case Field::base_color: return "base_color";
        case Field::crease_angle: return "crease_angle";
        case Field::bond_shifts: return "bond shifts";
        case Field::box:
        case Field::box_minimum:
        case Field::box_maximum: return "bounds";
        default: return glb::field_text(field);  // positions, colors, types, normals, radii, radius, bonds, ...
    }
}

// A number as Python would show it: 1.5, nan, inf, 7.
std::string number_text(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
    return py::repr(py::float_(value)).cast<std::string>();
}

std::string integer_text(const glb::InputError& error) {
    if (!error.text.empty()) return error.text;  // an integer too large for a double, exactly
    const double value = error.value;
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 9.007199254740992e15)
        return std::to_string(int64_t(value));
    return number_text(value);
}

// Whether a colour error is about an integer outside 0..255 (not a float outside [0, 1]).
bool is_integer_colour(const glb::InputError& error) { return error.limit == 255; }

// "row 3", "row 3, column 1", or nothing.
std::string place(const glb::InputError& error) {
    if (error.row == glb::kNoIndex) return "";
    std::string text = "row " + std::to_string(error.row);
    if (error.component != glb::kNoIndex) text += ", column " + std::to_string(error.component);
    return text;
}

const char* axis_name(size_t component) {
    static const char* const names[] = {"x", "y", "z"};
    return names[component % 3];
}

std::string message(const glb::InputError& error) {
    if (error.field == Field::output) {
        if (error.problem == Problem::shares_memory)
            return std::string("out shares memory with ") + argument_name(error.related) +
                   ", which the file is made of: pass a buffer of its own";
        return "out holds " + std::to_string(error.count) + " bytes, but the file needs " + std::to_string(error.limit) +
               ": pass a buffer of at least " + std::to_string(error.limit) + " bytes";
    }
    const std::string name = argument_name(error.field);
    const std::string where = place(error);
    const bool scalar = error.field == Field::metallic || error.field == Field::roughness || error.field == Field::radius ||
                        error.field == Field::tolerance || error.field == Field::value_minimum ||
                        error.field == Field::value_maximum;
    switch (error.problem) {
        case Problem::not_finite:
            if (scalar) return name + " must be a finite number, not " + number_text(error.value);
            if (where.empty()) return name + " must be finite numbers, not " + number_text(error.value);
            return name + " must be finite numbers, but " + where + " holds " + number_text(error.value);
        case Problem::beyond_float32:
            if (scalar) return name + " must lie within the float32 range, not " + number_text(error.value);
            return name + (error.field == Field::transform ? " holds" : " hold") + " values beyond the float32 range, such as " +
                   number_text(error.value) +
                   (where.empty() ? "" : " in " + where);
        case Problem::outside_unit_range:
            if (error.field == Field::crease_angle)
                return "crease_angle must be an angle in degrees from 0 to 180, not " + number_text(error.value);
            if (error.field == Field::colors && is_integer_colour(error))
                return "colors given as integers must lie in 0..255, but " + where + " holds " + integer_text(error);
            if (error.field == Field::colors)
                return "colors must lie in [0, 1] as floats (or be integers in 0..255), but " + where + " holds " +
                       number_text(error.value);
            return name + " must lie in [0, 1], not " + number_text(error.value);
        case Problem::negative:
            if (scalar) return name + " must not be negative, not " + number_text(error.value);
            return name + " must not be negative, but " + where + " holds " + integer_text(error);
        case Problem::not_integer:
            return name + " must be whole numbers, but " + where + " holds " + number_text(error.value);
        case Problem::not_below_limit:
            if (error.field == Field::atomic_numbers)
                return "elements: " + integer_text(error) + " is not an atomic number (0 to 118), in " + where;
            return name + " must be below " + std::to_string(error.limit) + ", but " + where + " holds " +
                   integer_text(error);
        case Problem::zero_length:
            return "normals must not be zero vectors, but " + where + " is (0, 0, 0)";
        case Problem::not_positive: {
            if (error.field == Field::frame_duration)
                return "fps must be a positive number of frames a second, small enough for every frame's time to "
                       "differ in float32 (1 / fps = " + number_text(error.value) + ")";
            // A positive number that float32 rounds to 0 would draw nothing.
            const std::string rounded = error.value > 0 ? ", which is 0 as a float32" : "";
            if (scalar) return name + " must be a positive number, not " + number_text(error.value) + rounded;
            return name + " must be positive, but " + where + " holds " + number_text(error.value) + rounded;
        }
        case Problem::same_atom:
            return "bonds must join two atoms, but " + where + " joins atom " + integer_text(error) + " to itself";
        case Problem::inverted:
            if (error.field == Field::value_minimum)
                return "vmin must not lie above vmax, but vmin is " + number_text(error.value);
            return std::string("bounds: the minimum lies above the maximum on axis ") + axis_name(error.component);
        case Problem::empty:
            if (error.field == Field::indices) return "faces hold no triangle: a mesh needs at least one";
            if (error.field == Field::parts) return "the scene holds no part: add one with points(), atoms(), mesh() or lines()";
            if (error.field == Field::segments) return "segments hold no segment: give at least one, or None for one line through every point";
            return name + " hold nothing: a GLB needs at least one point";
        case Problem::too_few:
            if (error.field == Field::palette || error.field == Field::colormap_colors) return error.what();
            if (error.field == Field::positions)
                return "positions of a line without segments must hold at least 2 points, not " + std::to_string(error.count);
            [[fallthrough]];
        case Problem::count_mismatch:
            if (error.problem == Problem::count_mismatch && error.field == Field::positions)
                return "frames must hold the same atoms: this frame has " + std::to_string(error.count) +
                       ", the first " + std::to_string(error.limit);
            return name + " must have one row per " +
                   (error.field == Field::normals || error.field == Field::colors || error.field == Field::uv ? "point or vertex" : "atom") + " (" +
                   std::to_string(error.limit) + (error.field == Field::colors ? ", or one for all" : "") + "), not " +
                   std::to_string(error.count);
        case Problem::not_whole_rows:
            return name + " hold " + std::to_string(error.count) + " values, which is no whole number of rows of " +
                   std::to_string(error.limit);
        case Problem::not_drawn:
            if (error.field == Field::bonds) return "bonds are drawn only with style='ball-and-stick'";
            return name + " sizes spheres: it needs style='spheres' or 'ball-and-stick'";
        case Problem::not_an_element:
            return "elements: '" + error.text + "' is not an element symbol (row " + std::to_string(error.row) + ")";
        case Problem::too_large:
            if (error.field == Field::positions)
                return "positions hold " + std::to_string(error.count) + " atoms: at most " +
                       std::to_string(error.limit) + " fit one file";
            return error.what();
        case Problem::not_a_choice:
            return name + " must be " + glb::choices_of(error.field) + ", not '" + error.text + "'";
        case Problem::not_rigid:
            if (error.row == 3)
                return "transform must end in the row 0, 0, 0, 1 (a rotation, scale and translation), but its column " +
                       std::to_string(error.component) + " holds " + number_text(error.value);
            return "transform must be a rotation, scale and translation: the columns of its 3 x 3 part must lie at "
                   "right angles (no shear)";
        case Problem::not_an_image:
            return "texture must be the bytes of a PNG or JPEG image, or an image array";
        case Problem::needs_related:
            if (error.field == Field::bond_shifts) return "bonds with cell shifts need the cell they count in: give cell=";
            if (error.field == Field::bonds) return "bonds=True finds bonds from the atoms' elements: give elements=";
            if (error.field == Field::palette) return "palette colours types: give types=";
            if (error.field == Field::colormap) return "cmap maps values to colours: give values=";
            if (error.field == Field::value_minimum || error.field == Field::value_maximum)
                return argument_name(error.field) + std::string(" scales values to a colour map: give values=");
            return "texture needs uv: the texture coordinates of every vertex";
        case Problem::singular:
            return std::string(error.what()) + " (pass pbc=False along axes that do not repeat, or no cell for a molecule)";
        case Problem::geometry_beyond_float32:
            if (error.field == Field::bonds)
                return "bonds: " + where + " joins atoms " + number_text(error.value) +
                       " apart, beyond the float32 range, which a stick cannot span";
            return std::string("positions: the spheres and sticks drawn around them reach beyond the float32 range (on axis ") +
                   axis_name(error.component) + ")";
        case Problem::too_far:
            return "positions must lie within 2**29 cells of the cell along its periodic axes, but " + where + " holds " +
                   number_text(error.value);
        case Problem::unsupported_type:
        case Problem::both_given:
        case Problem::shares_memory:
            break;
    }
    return error.what();
}

// "part 2 ('Cell'): " of an error in a scene of several parts; "frame 7: " in a trajectory.
std::string part_of(const glb::InputError& error, const glb::Scene* scene) {
    if (scene == nullptr || error.part == glb::kNoIndex || error.part >= scene->parts.size()) return "";
    if (scene->frame_duration != 0) return "frame " + std::to_string(error.part) + ": ";
    const glb::ScenePart& part = scene->parts[error.part];
    static const char* const kinds[] = {"points", "atoms", "mesh", "lines"};
    return "part " + std::to_string(error.part) + " (" +
           (part.name.empty() ? std::string(kinds[part.content.index()]) : "'" + part.name + "'") + "): ";
}

}  // namespace

void raise_package_error(const glb::InputError& error, const glb::Scene* scene) {
    const std::string part = part_of(error, scene);
    if (error.problem == Problem::both_given) {
        if (error.field == Field::types) throw py::type_error(part + "give types or elements, not both");
        if (error.field == Field::palette || error.field == Field::colors || error.field == Field::values)
            throw py::type_error(part + "give one colour source: " + argument_name(error.field) + " and " +
                                 argument_name(error.related) + " exclude each other");
        throw py::type_error(part + "give radius or radii, not both");
    }
    if (error.problem == Problem::needs_related) throw py::type_error(part + message(error));  // as in Node
    if (error.problem == Problem::unsupported_type) {
        if (error.field == Field::texture) throw py::type_error(part + "texture must be bytes (a PNG or JPEG image) or an image array");
        throw py::type_error(part + argument_name(error.field) + " must be floats in [0, 1] or integers in 0..255");
    }
    throw py::value_error(part + message(error));
}
