#include "inputs/input_error.h"

#include <cmath>

namespace glb {

const char* field_text(Field field) {
    switch (field) {
        case Field::positions: return "positions";
        case Field::colors: return "colors";
        case Field::types: return "types";
        case Field::atomic_numbers: return "atomic numbers";
        case Field::normals: return "normals";
        case Field::indices: return "indices";
        case Field::radii: return "radii";
        case Field::radius: return "radius";
        case Field::bonds: return "bonds";
        case Field::box_minimum: return "box minimum";
        case Field::box_maximum: return "box maximum";
        case Field::box: return "box";
        case Field::base_color: return "base color";
        case Field::metallic: return "metallic";
        case Field::roughness: return "roughness";
        case Field::emissive: return "emissive";
        case Field::file: return "file";
        case Field::output: return "output";
        case Field::segments: return "segments";
        case Field::color: return "color";
        case Field::transform: return "transform";
        case Field::encoding: return "encoding";
        case Field::style: return "style";
        case Field::parts: return "parts";
        case Field::uv: return "uv";
        case Field::texture: return "texture";
        case Field::crease_angle: return "crease angle";
        case Field::frame_duration: return "frame duration";
        case Field::cell: return "cell";
        case Field::bond_shifts: return "bond shifts";
        case Field::origin: return "origin";
        case Field::tolerance: return "tolerance";
        case Field::values: return "values";
        case Field::colormap: return "colormap";
        case Field::palette: return "palette";
        case Field::colormap_colors: return "colormap colors";
        case Field::value_minimum: return "vmin";
        case Field::value_maximum: return "vmax";
    }
    return "input";
}

namespace {

const char* problem_text(Problem problem) {
    switch (problem) {
        case Problem::not_finite: return "is NaN or infinite";
        case Problem::beyond_float32: return "lies beyond the 32-bit float range";
        case Problem::outside_unit_range: return "lies outside [0, 1]";
        case Problem::negative: return "is negative";
        case Problem::not_integer: return "is not an integer";
        case Problem::not_below_limit: return "is too large";
        case Problem::zero_length: return "has length 0";
        case Problem::not_positive: return "is not positive";
        case Problem::same_atom: return "joins an atom to itself";
        case Problem::inverted: return "has its minimum above its maximum";
        case Problem::empty: return "hold nothing";
        case Problem::too_few: return "are too few";
        case Problem::not_whole_rows: return "are no whole number of rows";
        case Problem::count_mismatch: return "do not fit";
        case Problem::unsupported_type: return "have an unsupported element type";
        case Problem::both_given: return "exclude each other";
        case Problem::not_drawn: return "are not drawn in this style";
        case Problem::not_an_element: return "is not an element symbol";
        case Problem::too_large: return "are too large";
        case Problem::shares_memory: return "shares memory with an input";
        case Problem::not_a_choice: return "is none of the choices";
        case Problem::not_rigid: return "is no rotation, scale and translation";
        case Problem::not_an_image: return "is no PNG or JPEG image";
        case Problem::needs_related: return "needs another input";
        case Problem::geometry_beyond_float32: return "gives geometry beyond the 32-bit float range";
        case Problem::singular: return "spans no volume";
        case Problem::too_far: return "lies too many cells away";
    }
    return "are wrong";
}

std::string number_text(double value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0 ? "infinity" : "-infinity";
    std::string text = std::to_string(value);
    return text;
}

}  // namespace

namespace {

InputError value_error(Field field, Problem problem, size_t row, size_t component, double value, uint64_t limit,
                       const std::string& value_text) {
    std::string message = field_text(field);
    if (row != kNoIndex) message += " row " + std::to_string(row);
    if (component != kNoIndex) message += " component " + std::to_string(component);
    message += std::string(": ") + value_text + " " + problem_text(problem);
    if (problem == Problem::not_below_limit) message += " (the limit is " + std::to_string(limit) + ")";
    InputError error(field, problem, message);
    error.row = row;
    error.component = component;
    error.value = value;
    error.limit = limit;
    return error;
}

}  // namespace

void throw_value_error(Field field, Problem problem, size_t row, size_t component, double value, uint64_t limit) {
    throw value_error(field, problem, row, component, value, limit, number_text(value));
}

void throw_integer_error(Field field, Problem problem, size_t row, size_t component, int64_t value, uint64_t limit) {
    InputError error = value_error(field, problem, row, component, double(value), limit, std::to_string(value));
    error.text = std::to_string(value);
    throw error;
}

void throw_integer_error(Field field, Problem problem, size_t row, size_t component, uint64_t value, uint64_t limit) {
    InputError error = value_error(field, problem, row, component, double(value), limit, std::to_string(value));
    error.text = std::to_string(value);
    throw error;
}

void throw_count_error(Field field, Problem problem, uint64_t count, uint64_t limit) {
    std::string message = std::string(field_text(field)) + " " + problem_text(problem) + ": " + std::to_string(count) +
                          " given, " + std::to_string(limit) + " expected";
    InputError error(field, problem, message);
    error.count = count;
    error.limit = limit;
    throw error;
}

}  // namespace glb
