// The colours of checked atoms: each atom's colour group. Every source gives an
// atom a key into a table of colours (a palette row, an atomic number, a colour
// map's entry, or the atom itself for per-atom colours); the groups are the
// distinct colours of the keys used, in key order (so the groups of elements,
// palettes and maps do not depend on the atoms' order).
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <type_traits>
#include <unordered_map>

#include "atoms/atom_layout.h"
#include "chemistry/element_colors.h"
#include "chemistry/elements.h"
#include "colors/colormaps.h"
#include "document/builder_support.h"
#include "inputs/checked_inputs.h"

namespace glb {

namespace {

using Color = std::array<float, 4>;

struct ColorHash {
    size_t operator()(const Color& color) const {
        uint32_t bits[4];
        std::memcpy(bits, color.data(), sizeof bits);
        uint64_t h = 1469598103934665603ull;
        for (const uint32_t b : bits) h = (h ^ b) * 1099511628211ull;
        return size_t(h);
    }
};

// Colour rows read as RGBA floats (checked: floats in [0, 1] or integers 0..255).
std::vector<Color> read_color_rows(const ColorRows& rows, size_t count, Field field) {
    std::vector<Color> colors(count);
    if (count != 0) write_colors_float32(colors[0].data(), count, rows, 4, field);
    return colors;
}

void require_color_rows(const ColorRows& rows, Field field) {
    if ((rows.components != 3 && rows.components != 4) || rows.values.count % rows.components != 0)
        throw_count_error(field, Problem::not_whole_rows, rows.values.count, rows.components == 4 ? 4 : 3);
    if (rows.values.count == 0) {
        InputError error(field, Problem::too_few, std::string(field_text(field)) + " holds no colour: give at least one row");
        error.limit = 1;
        throw error;
    }
}

// Atom i's key is i: per-atom colours.
struct AtomIndexKeys {
    size_t operator[](size_t i) const { return i; }
};

// The groups of atoms whose keys (keys[i], of any integer array or AtomIndexKeys) index key_colors.
template <typename Keys>
void group_by_keys(AtomLayout& layout, const Keys& keys, const std::vector<Color>& key_colors) {
    const size_t atoms = layout.atom_count;
    constexpr bool every_key = std::is_same_v<Keys, AtomIndexKeys>;
    std::vector<uint8_t> used(key_colors.size(), every_key);
    if (!every_key)
        for (size_t i = 0; i < atoms; ++i) used[keys[i]] = 1;
    std::vector<uint32_t> group_of_key(key_colors.size(), 0);
    std::unordered_map<Color, uint32_t, ColorHash> group_of_color;
    for (size_t key = 0; key < key_colors.size(); ++key) {
        if (!used[key]) continue;
        const auto [place, added] = group_of_color.emplace(key_colors[key], uint32_t(layout.group_colors.size()));
        if (added) layout.group_colors.push_back(key_colors[key]);
        group_of_key[key] = place->second;
    }
    if (layout.group_colors.size() <= 256) {
        layout.rows = allocate_scratch<uint8_t>(atoms);
        for (size_t i = 0; i < atoms; ++i) layout.rows[i] = uint8_t(group_of_key[keys[i]]);
    } else {
        layout.groups = allocate_scratch<uint32_t>(atoms);
        for (size_t i = 0; i < atoms; ++i) layout.groups[i] = group_of_key[keys[i]];
    }
}

void read_elements(AtomLayout& layout, const AtomCloud& input) {
    layout.elements = allocate_scratch<uint8_t>(layout.atom_count);
    uint8_t* elements = layout.elements.get();
    read_checked_indices(input.atomic_numbers, 1, kElementCount, Field::atomic_numbers,
                         [elements](size_t i, uint32_t z) { elements[i] = uint8_t(z); });
}

// The one colour option given among palette, colors and values (both_given names the first two found).
void require_one_color_source(const AtomCloud& input) {
    const std::pair<bool, Field> sources[] = {{input.palette.given(), Field::palette},
                                              {input.colors.given(), Field::colors},
                                              {input.values.given, Field::values}};
    const std::pair<bool, Field>* first = nullptr;
    for (const auto& source : sources) {
        if (!source.first) continue;
        if (first == nullptr) {
            first = &source;
            continue;
        }
        InputError error(first->second, Problem::both_given,
                         std::string("give one colour source: ") + field_text(first->second) + " and " +
                             field_text(source.second) + " exclude each other");
        error.related = source.second;
        throw error;
    }
}

}  // namespace

namespace {

// The colour map of the values: the one named, viridis when none is.
const Colormap& find_colormap_of(const AtomCloud& input) {
    const std::string_view name = input.colormap.empty() ? std::string_view("viridis") : std::string_view(input.colormap);
    return find_colormap(name.data(), name.size());
}

}  // namespace

void check_atom_colors(const AtomCloud& input, size_t atoms) {
    require_one_color_source(input);
    if ((!input.colormap.empty() || input.colormap_colors.given()) && !input.values.given) {
        InputError error(Field::colormap, Problem::needs_related, "a colour map colours values: give values");
        error.related = Field::values;
        throw error;
    }
    if (input.palette.given()) {
        if (!input.types.given) {
            InputError error(Field::palette, Problem::needs_related, "a palette colours types: give types");
            error.related = Field::types;
            throw error;
        }
        require_color_rows(input.palette, Field::palette);
    }
    if ((input.has_vmin || input.has_vmax) && !input.values.given) {
        InputError error(input.has_vmin ? Field::value_minimum : Field::value_maximum, Problem::needs_related,
                         "vmin and vmax scale values to a colour map: give values");
        error.related = Field::values;
        throw error;
    }
    if (input.colors.given()) resolved_colors(input.colors, atoms);
    if (input.values.given && input.values.count != atoms)
        throw_count_error(Field::values, Problem::count_mismatch, input.values.count, atoms);
    if (input.colormap_colors.given()) require_color_rows(input.colormap_colors, Field::colormap_colors);
    else if (input.values.given) find_colormap_of(input);
}

void plan_atom_colors(AtomLayout& layout, const AtomCloud& input) {
    const size_t atoms = layout.atom_count;
    check_atom_colors(input, atoms);
    if (input.atomic_numbers.given) read_elements(layout, input);
    if (input.palette.given()) {
        const size_t rows = input.palette.rows();
        ScratchArray<uint32_t> keys = allocate_scratch<uint32_t>(atoms);
        uint32_t* out = keys.get();
        read_checked_indices(input.types, 1, 65536, Field::types, [&](size_t i, uint32_t type) {
            if (type >= rows) {
                InputError error(Field::palette, Problem::too_few,
                                 "palette has " + std::to_string(rows) + " rows, but types row " + std::to_string(i) +
                                     " holds " + std::to_string(type) + ": give a palette row for every type");
                error.row = i;
                error.count = rows;
                error.limit = uint64_t(type) + 1;
                throw error;
            }
            out[i] = type;
        });
        group_by_keys(layout, keys.get(), read_color_rows(input.palette, rows, Field::palette));
    } else if (input.colors.given()) {
        const ColorRows colors = resolved_colors(input.colors, atoms);
        std::vector<Color> per_atom = read_color_rows(colors, atoms, Field::colors);
        group_by_keys(layout, AtomIndexKeys{}, per_atom);
    } else if (input.values.given) {
        std::vector<Color> entries;
        if (input.colormap_colors.given()) {
            entries = read_color_rows(input.colormap_colors, input.colormap_colors.rows(), Field::colormap_colors);
        } else {
            const Colormap& map = find_colormap_of(input);
            for (const Rgb& entry : map.entries) entries.push_back({entry.r, entry.g, entry.b, 1});
        }
        ValueRange range{input.vmin, input.vmax};
        if (!input.has_vmin || !input.has_vmax) {
            const ValueRange extremes = value_extremes(input.values, Field::values);
            if (!input.has_vmin) range.min = extremes.min;
            if (!input.has_vmax) range.max = extremes.max;
        }
        ScratchArray<uint32_t> keys = allocate_scratch<uint32_t>(atoms);
        map_values_to_entries(keys.get(), input.values, uint32_t(entries.size()), range.min, range.max);
        group_by_keys(layout, keys.get(), entries);
    } else if (layout.elements) {
        std::vector<Color> table(kElementCount);
        for (uint32_t z = 0; z < kElementCount; ++z) {
            const Rgb color = element_color(z);
            table[z] = {color.r, color.g, color.b, 1};
        }
        group_by_keys(layout, layout.elements.get(), table);
    } else {
        // The atom palette's rows: 16-bit types are read straight by the sort.
        layout.palette_groups = true;
        for (uint32_t row = 0; row < kPaletteRows; ++row) {
            Color color{0, 0, 0, 1};
            std::memcpy(color.data(), kAtomPalette[row], 12);
            layout.group_colors.push_back(color);
        }
        if (input.types.given && input.types.type != ElementType::uint16) {
            layout.rows = allocate_scratch<uint8_t>(atoms);
            uint8_t* rows = layout.rows.get();
            read_checked_indices(input.types, 1, 65536, Field::types,
                                 [rows](size_t i, uint32_t type) { rows[i] = uint8_t(type < 7 ? type : 7); });
        }
    }
    if (input.types.given && !layout.palette_groups && !input.palette.given())
        read_checked_indices(input.types, 1, 65536, Field::types, [](size_t, uint32_t) {});
}

void group_color_bits(uint32_t out[3], const AtomLayout& layout, uint32_t group) {
    std::memcpy(out, layout.group_colors[group].data(), 12);
}

std::string group_name(const AtomLayout& layout, uint32_t group) {
    static constexpr const char* kRowColours[kPaletteRows] = {"grey", "red", "green", "blue", "yellow", "magenta", "cyan",
                                                             "light grey"};
    if (layout.palette_groups) return kRowColours[group];
    if (layout.instance_colors) return "coloured per atom";
    char text[8];
    const Color& color = layout.group_colors[group];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", unsigned(color[0] * 255.0f + 0.5f), unsigned(color[1] * 255.0f + 0.5f),
                  unsigned(color[2] * 255.0f + 0.5f));
    return text;
}

}  // namespace glb
