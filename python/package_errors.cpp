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

std::string integer_text(double value) {
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 9.007199254740992e15)
        return std::to_string(int64_t(value));
    return number_text(value);
}

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
            return name + " hold values beyond the float32 range, such as " + number_text(error.value) +
                   (where.empty() ? "" : " in " + where);
        case Problem::outside_unit_range:
            if (error.field == Field::colors)
                return "colors must lie in [0, 1] as floats (or be uint8 in 0..255), but " + where + " holds " +
                       number_text(error.value);
            return name + " must lie in [0, 1], not " + number_text(error.value);
        case Problem::negative:
            if (scalar) return name + " must not be negative, not " + number_text(error.value);
            return name + " must not be negative, but " + where + " holds " + integer_text(error.value);
        case Problem::not_integer:
            return name + " must be whole numbers, but " + where + " holds " + number_text(error.value);
        case Problem::not_below_limit:
            if (error.field == Field::atomic_numbers)
                return "elements: " + integer_text(error.value) + " is not an atomic number (0 to 118), in " + where;
            return name + " must be below " + std::to_string(error.limit) + ", but " + where + " holds " +
                   integer_text(error.value);
        case Problem::zero_length:
            return "normals must have a length above 0, but " + where + " has length 0";
        case Problem::not_positive:
            if (scalar) return name + " must be a positive number, not " + number_text(error.value);
            return name + " must be positive, but " + where + " holds " + number_text(error.value);
        case Problem::same_atom:
            return "bonds must join two atoms, but " + where + " joins atom " + integer_text(error.value) + " to itself";
        case Problem::inverted:
            if (error.field == Field::value_minimum)
                return "vmin must not lie above vmax, but vmin is " + number_text(error.value);
            return std::string("bounds: the minimum lies above the maximum on axis ") + axis_name(error.component);
        case Problem::empty:
            if (error.field == Field::indices) return "faces hold no triangle: a mesh needs at least one";
            return name + " hold nothing: a GLB needs at least one point";
        case Problem::too_few:
        case Problem::count_mismatch:
            return name + " must have one row per " +
                   (error.field == Field::normals || error.field == Field::colors ? "point or vertex" : "atom") + " (" +
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
        case Problem::singular:
            return std::string(error.what()) + " (pass pbc=False along axes that do not repeat, or no cell for a molecule)";
        case Problem::unknown_name:
            return "colormap must be one of " + glb::colormap_names_text() + ", not '" + error.text + "'";
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

}  // namespace

void raise_package_error(const glb::InputError& error) {
    if (error.problem == Problem::both_given) {
        if (error.field == Field::types) throw py::type_error("give types or elements, not both");
        throw py::type_error("give radius or radii, not both");
    }
    if (error.problem == Problem::unsupported_type)
        throw py::type_error(std::string(argument_name(error.field)) + " must be floats in [0, 1] or uint8 in 0..255");
    throw py::value_error(message(error));
}
