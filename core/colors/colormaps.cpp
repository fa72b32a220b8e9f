#include "colors/colormaps.h"

#include <cmath>
#include <type_traits>
#include <vector>

namespace glb {

namespace {

const Colormap kColormaps[] = {
#include "colors/colormap_tables.inc"
};

constexpr uint32_t kColormapCount = uint32_t(sizeof kColormaps / sizeof kColormaps[0]);

char lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool same_name(const char* known, const char* name, size_t length) {
    for (size_t i = 0; i < length; ++i)
        if (known[i] == 0 || lower(known[i]) != lower(name[i])) return false;
    return known[length] == 0;
}

template <typename T>
void require_finite(const T* values, size_t count, Field field) {
    if constexpr (std::is_floating_point_v<T>) {
        for (size_t i = 0; i < count; ++i)
            if (!std::isfinite(values[i])) throw_value_error(field, Problem::not_finite, i, kNoIndex, double(values[i]));
    }
}

void require_finite_bound(double value, Field field) {
    if (!std::isfinite(value)) throw_value_error(field, Problem::not_finite, kNoIndex, kNoIndex, value);
}

}  // namespace

uint32_t colormap_count() { return kColormapCount; }

const Colormap& colormap_at(uint32_t index) { return kColormaps[index < kColormapCount ? index : 0]; }

const Colormap& find_colormap(const char* name, size_t length) {
    for (const Colormap& map : kColormaps)
        if (same_name(map.name, name, length)) return map;
    const std::string given(name, length);
    InputError error(Field::colormap, Problem::not_a_choice,
                     "colormap '" + given + "' is not a known name: the names are " + colormap_names_text());
    error.text = given;
    throw error;
}

std::string colormap_names_text() {
    std::string text;
    for (const Colormap& map : kColormaps) text += (text.empty() ? "'" : ", '") + std::string(map.name) + "'";
    return text;
}

ValueRange value_extremes(const ArrayView& values, Field field) {
    if (values.count == 0) return {0, 0};
    return visit_element_type(values.type, [&](auto pointer) {
        using T = std::remove_const_t<std::remove_pointer_t<decltype(pointer)>>;
        const T* in = static_cast<const T*>(values.data);
        require_finite(in, values.count, field);
        T low = in[0], high = in[0];
        for (size_t i = 1; i < values.count; ++i) {
            low = in[i] < low ? in[i] : low;
            high = in[i] > high ? in[i] : high;
        }
        return ValueRange{double(low), double(high)};
    });
}

void map_values_to_entries(uint32_t* out, const ArrayView& values, uint32_t entry_count, double vmin, double vmax) {
    require_finite_bound(vmin, Field::value_minimum);
    require_finite_bound(vmax, Field::value_maximum);
    if (vmin > vmax) {
        InputError error(Field::value_minimum, Problem::inverted, "vmin lies above vmax");
        error.value = vmin;
        throw error;
    }
    visit_element_type(values.type, [&](auto pointer) {
        using T = std::remove_const_t<std::remove_pointer_t<decltype(pointer)>>;
        const T* in = static_cast<const T*>(values.data);
        require_finite(in, values.count, Field::values);
        // matplotlib's rule: t * entries truncated, t = 1 on the last entry, outside clamped.
        const double span = vmax - vmin;
        for (size_t i = 0; i < values.count; ++i) {
            const double t = span > 0 ? (double(in[i]) - vmin) / span : 0.0;
            const double scaled = t * entry_count;
            out[i] = scaled <= 0 ? 0 : scaled >= entry_count - 1 ? entry_count - 1 : uint32_t(scaled);
        }
    });
}

void map_values_to_colors(float* out, const ArrayView& values, const Colormap& map, double vmin, double vmax) {
    std::vector<uint32_t> entries(values.count);
    map_values_to_entries(entries.data(), values, kColormapSize, vmin, vmax);
    for (size_t i = 0; i < values.count; ++i) {
        const Rgb& color = map.entries[entries[i]];
        out[3 * i] = color.r;
        out[3 * i + 1] = color.g;
        out[3 * i + 2] = color.b;
    }
}

}  // namespace glb
