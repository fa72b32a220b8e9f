// spatial_assembler._core's chemistry and colour functions, over the core's
// chemistry/bonds.h, chemistry/element_colors.h and colors/colormaps.h. The
// package's Python layer hands over arrays in native byte order and in the
// element types the core reads; the results come back as bytes for numpy.
#include "chemistry_binding.h"

#include <pybind11/stl.h>  // std::optional and std::array arguments

#include <array>
#include <cstring>
#include <optional>
#include <string>

#include "chemistry/bonds.h"
#include "chemistry/element_colors.h"
#include "chemistry/elements.h"
#include "colors/colormaps.h"
#include "conversions.h"
#include "package_errors.h"

namespace {

template <typename T>
py::bytes bytes_of(const T* values, size_t count) {
    py::bytes result = new_bytes(count * sizeof(T));
    if (count != 0) std::memcpy(PyBytes_AS_STRING(result.ptr()), values, count * sizeof(T));
    return result;
}

// (pairs as uint32, shifts as int32) of the bonds; cell: None or nine numbers, row by row.
py::tuple bonds(const py::buffer& positions, const py::buffer& atomic_numbers, const py::object& cell,
                const std::array<bool, 3>& pbc, double tolerance) {
    TypedBuffer position_buffer(positions, "positions");
    TypedBuffer number_buffer(atomic_numbers, "elements");
    std::optional<glb::PeriodicCell> lattice;
    if (!cell.is_none()) {
        const std::array<double, 9> numbers = read_numbers<9>(py::reinterpret_borrow<py::sequence>(cell));
        lattice.emplace();
        std::memcpy(lattice->cell, numbers.data(), sizeof lattice->cell);
        for (int k = 0; k < 3; ++k) lattice->periodic[k] = pbc[size_t(k)];
    }
    try {
        const glb::BondList found = glb::find_bonds(position_buffer.view(), number_buffer.view(),
                                                    lattice ? &*lattice : nullptr, tolerance);
        return py::make_tuple(bytes_of(found.pairs.data(), found.pairs.size()),
                              bytes_of(found.shifts.data(), found.shifts.size()));
    } catch (const glb::InputError& error) {
        raise_package_error(error, nullptr);
    }
}

const glb::Colormap& colormap_named(const std::string& name) {
    try {
        return glb::find_colormap(name.data(), name.size());
    } catch (const glb::InputError& error) {
        raise_package_error(error, nullptr);
    }
}

// The colours of values (float32 R, G, B each) on a map, between vmin and vmax (None: the values' extremes).
py::bytes map_values(const py::buffer& values, const std::string& name, const std::optional<double>& vmin,
                     const std::optional<double>& vmax) {
    TypedBuffer value_buffer(values, "values");
    const glb::Colormap& map = colormap_named(name);
    try {
        const glb::ArrayView view = value_buffer.view();
        glb::ValueRange range{0, 0};
        if (!vmin || !vmax) range = glb::value_extremes(view, glb::Field::values);
        py::bytes colors = new_bytes(3 * view.count * sizeof(float));
        glb::map_values_to_colors(reinterpret_cast<float*>(PyBytes_AS_STRING(colors.ptr())), view, map,
                                  vmin ? *vmin : range.min, vmax ? *vmax : range.max);
        return colors;
    } catch (const glb::InputError& error) {
        raise_package_error(error, nullptr);
    }
}

}  // namespace

void register_chemistry(py::module_& module) {
    module.def("bonds", &bonds, py::arg("positions"), py::arg("atomic_numbers"), py::arg("cell"), py::arg("pbc"),
               py::arg("tolerance"));
    module.def("element_colors", [] {
        std::array<float, 3 * glb::kElementCount> rgb;
        for (uint32_t z = 0; z < glb::kElementCount; ++z) {
            const glb::Rgb color = glb::element_color(z);
            rgb[3 * z] = color.r;
            rgb[3 * z + 1] = color.g;
            rgb[3 * z + 2] = color.b;
        }
        return bytes_of(rgb.data(), rgb.size());
    });
    module.def("colormap_names", [] {
        py::tuple names(glb::colormap_count());
        for (uint32_t i = 0; i < glb::colormap_count(); ++i) names[i] = py::str(glb::colormap_at(i).name);
        return names;
    });
    module.def("colormap", [](const std::string& name) {
        const glb::Colormap& map = colormap_named(name);
        static_assert(sizeof(glb::Rgb) == 3 * sizeof(float), "colour entries are three packed floats");
        return bytes_of(reinterpret_cast<const uint8_t*>(map.entries), sizeof map.entries);
    }, py::arg("name"));
    module.def("map_values", &map_values, py::arg("values"), py::arg("colormap"), py::arg("vmin"), py::arg("vmax"));
}
