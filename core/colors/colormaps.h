// Colour maps: numbers to colours, with the names and colours of matplotlib's
// maps (viridis, magma, inferno, plasma, cividis, turbo, and the diverging
// coolwarm and RdBu), 256 entries each, generated from matplotlib's own tables
// by scripts/generate_color_tables.py (colormap_tables.inc). A value maps as
// matplotlib maps it: scaled to t = (value - vmin) / (vmax - vmin), then entry
// floor(t * 256), values outside [vmin, vmax] clamped to the end entries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "colors/rgb.h"
#include "inputs/arrays.h"

namespace glb {

constexpr uint32_t kColormapSize = 256;

struct Colormap {
    const char* name;
    Rgb entries[kColormapSize];
};

// The maps, in their order of the names list.
uint32_t colormap_count();
const Colormap& colormap_at(uint32_t index);

// The map of a name (ASCII letter case ignored: "rdbu" is RdBu). An unknown
// name throws InputError (colormap, not_a_choice, with the name as text).
const Colormap& find_colormap(const char* name, size_t length);

// The names, each quoted, comma-separated: "'viridis', 'magma', ..., 'RdBu'" (for messages).
std::string colormap_names_text();

struct ValueRange {
    double min;
    double max;
};

// The extremes of values (any element type): the default vmin and vmax. A NaN
// or an infinity throws InputError (field, not_finite) at its row. No values give {0, 0}.
ValueRange value_extremes(const ArrayView& values, Field field);

// Writes values.count colours, R, G, B floats each, to out: the entries of the
// map that the values fall on between vmin and vmax. vmin and vmax must be
// finite with vmin <= vmax (InputError value_minimum or value_maximum
// otherwise); when equal, every value gets the first entry (as matplotlib
// does). A NaN or an infinity among the values throws InputError (values,
// not_finite) at its row, before anything is written.
void map_values_to_colors(float* out, const ArrayView& values, const Colormap& map, double vmin, double vmax);

// The same rule for a map of entry_count entries (any count from 1): writes
// each value's entry index to out, with the same checks.
void map_values_to_entries(uint32_t* out, const ArrayView& values, uint32_t entry_count, double vmin, double vmax);

}  // namespace glb
