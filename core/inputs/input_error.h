// The one error type of the core's input checks. It says which input is wrong,
// where (the first offending row or component) and how, in no face's words:
// each binding maps the field to its own argument name (vmin, baseColor, ...)
// and the problem to its own error kind and message. what() is a neutral
// English sentence for C++ callers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace glb {

// The input an error is about.
enum class Field : uint8_t {
    positions,
    colors,
    types,            // palette rows of atoms
    atomic_numbers,   // elements of atoms
    normals,
    indices,          // triangle corners (the raw mesh's indices, the checked mesh's faces)
    radii,            // one radius per atom
    radius,           // one radius for all atoms
    bonds,
    box_minimum,      // the raw point and atom builders' vmin
    box_maximum,      // their vmax
    box,              // six numbers: minimum x, y, z, then maximum (the raw mesh's bounds, the atoms' Morton box)
    base_color,
    metallic,
    roughness,
    emissive,
    file,             // the whole file (its size)
    output,           // the caller's memory that the file is written into
    segments,         // pairs of point indices of a line set
    color,            // one colour for a whole line set
    transform,        // a part's 4 x 4 transform
    encoding,         // the name of an encoding
    style,            // the name of an atom style
    parts,            // the parts of a scene
    uv,               // texture coordinates of a mesh
    texture,          // the image of a mesh
    crease_angle,     // the angle at which a mesh's normals split
    frame_duration,   // the time a frame of an animation is shown
    cell,             // three lattice vectors of a periodic system
    bond_shifts,      // the cell shifts of bonds across a periodic boundary
    origin,           // where the cell's first corner lies
    tolerance,        // the length added to the sum of two covalent radii, under which atoms are bonded
    values,           // numbers to map to colours
    colormap,         // the name of a colour map
    value_minimum,    // the value mapped to a colour map's first colour (vmin)
    value_maximum,    // the value mapped to its last colour (vmax)
    palette,          // colours of atom types, one row per type
    colormap_colors,  // the colours of a colour map given as a table
};

// What is wrong with it.
enum class Problem : uint8_t {
    not_finite,           // NaN or an infinity
    beyond_float32,       // a finite number beyond the 32-bit float range
    outside_unit_range,   // a colour or material factor outside [0, 1]
    negative,             // an index or id below 0
    not_integer,          // a number with a fraction where an index or id is expected
    not_below_limit,      // an index or id at or above `limit`
    zero_length,          // a normal of length 0
    not_positive,         // a radius of 0 or less
    same_atom,            // a bond from an atom to itself
    inverted,             // a box whose minimum lies above its maximum on an axis
    empty,                // nothing to draw (no point, atom or triangle)
    too_few,              // `count` items where `limit` are needed
    not_whole_rows,       // `count` values, which is no whole number of rows of `limit`
    count_mismatch,       // `count` rows where `limit` are expected
    unsupported_type,     // an element type the input cannot be read from
    both_given,           // two inputs that exclude each other (types and atomic numbers)
    not_drawn,            // an input the chosen style does not draw (bonds without sticks)
    not_an_element,       // text that is no element symbol (`text` holds it)
    too_large,            // the file would not fit the container's 32-bit lengths (what() says how large)
    shares_memory,        // the output overlaps the input `related`, which the write reads
    not_a_choice,         // a name that is none of the field's choices (`text` holds it; see choices_of)
    not_rigid,            // a transform that is no rotation, scale and translation (row 3 not 0 0 0 1, or skewed)
    not_an_image,         // bytes that are neither a PNG nor a JPEG image
    needs_related,        // an input that is drawn only with the input `related` (a texture with uv)
    geometry_beyond_float32,  // what is drawn around the values (spheres, sticks) reaches beyond the float32 range
    singular,             // a cell whose vectors span no volume (`value`: its volume)
    too_far,              // a position more cells away from the cell than a 32-bit shift can say
};

constexpr size_t kNoIndex = SIZE_MAX;

class InputError : public std::invalid_argument {
public:
    InputError(Field field, Problem problem, std::string message) : std::invalid_argument(message), field(field), problem(problem) {}

    Field field;
    Problem problem;
    size_t row = kNoIndex;        // the first offending row (point, atom, vertex, face, bond), if any
    size_t component = kNoIndex;  // its component (axis, channel, corner), or the index into a flat list
    double value = 0;             // the offending value, where there is one
    uint64_t count = 0;           // for too_few and count_mismatch: what was given
    uint64_t limit = 0;           // for too_few, count_mismatch and not_below_limit: what was expected
    std::string text;             // for not_an_element and not_a_choice: the text given; for integers: their exact decimals
    Field related = Field::file;  // for shares_memory and needs_related: the other input
    size_t part = kNoIndex;       // in a scene: the part whose input it is
};

// The neutral name of a field ("positions", "box minimum", ...), for what().
const char* field_text(Field field);

// Throws the InputError of a value problem at (row, component), with a neutral message.
[[noreturn]] void throw_value_error(Field field, Problem problem, size_t row, size_t component, double value,
                                    uint64_t limit = 0);

// The same for an integer value, whose exact decimals go into `text` as well
// (value holds it rounded to a double).
[[noreturn]] void throw_integer_error(Field field, Problem problem, size_t row, size_t component, int64_t value,
                                      uint64_t limit = 0);
[[noreturn]] void throw_integer_error(Field field, Problem problem, size_t row, size_t component, uint64_t value,
                                      uint64_t limit = 0);

// Throws the InputError of a count problem.
[[noreturn]] void throw_count_error(Field field, Problem problem, uint64_t count, uint64_t limit);

}  // namespace glb
