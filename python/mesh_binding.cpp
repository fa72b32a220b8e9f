#include "bindings.h"
#include "conversions.h"

#include <memory>

namespace {

py::bytes py_mesh_glb(const py::buffer& positions, const py::buffer& normals, const py::buffer& indices,
                      const py::sequence& bounds, const py::sequence& base_color, Number metallic, Number roughness,
                      const py::sequence& emissive, Flag double_sided, const py::object& colors) {
    BufferSpan position_span = buffer_span(positions, "positions");
    BufferSpan normal_span = buffer_span(normals, "normals");
    BufferSpan index_span = buffer_span(indices, "indices");
    std::unique_ptr<BufferSpan> color_span;
    if (!colors.is_none()) {
        // Converting to the buffer kind raises "Object of type '...' is not an instance of 'buffer'".
        color_span = std::make_unique<BufferSpan>(py::buffer(colors), "colors");
    }
    const std::array<double, 6> box = read_numbers<6>(bounds);
    const std::array<double, 4> base = read_numbers<4>(base_color);
    const std::array<double, 3> glow = read_numbers<3>(emissive);

    glb::MeshMaterial material{};
    for (int i = 0; i < 4; ++i) material.base_color[i] = base[size_t(i)];
    material.metallic = metallic.value;
    material.roughness = roughness.value;
    for (int i = 0; i < 3; ++i) material.emissive[i] = glow[size_t(i)];
    material.double_sided = double_sided.value;
    const glb::Bounds3 box_bounds{{box[0], box[1], box[2]}, {box[3], box[4], box[5]}};

    // Every refusal comes before any input is packed or the result allocated.
    const size_t position_floats = position_span.byte_length() / sizeof(float);
    const size_t normal_floats = normal_span.byte_length() / sizeof(float);
    const size_t index_count = index_span.byte_length() / sizeof(uint32_t);
    const size_t color_floats = color_span ? color_span->byte_length() / sizeof(float) : 0;
    glb::check_mesh_inputs(position_floats, normal_floats, index_count, color_floats, box_bounds, material);

    const float* color_data = color_span ? static_cast<const float*>(color_span->data(alignof(float))) : nullptr;
    BytesOutput result;
    glb::build_mesh_glb(result, static_cast<const float*>(position_span.data(alignof(float))), position_floats,
                        static_cast<const float*>(normal_span.data(alignof(float))), normal_floats,
                        static_cast<const uint32_t*>(index_span.data(alignof(uint32_t))), index_count, color_data,
                        color_floats, box_bounds, material);
    return result.release();
}

}  // namespace

void register_mesh_glb(py::module_& module) {
    module.def("mesh_glb", &py_mesh_glb, py::arg("positions"), py::arg("normals"), py::arg("indices"),
               py::arg("bounds"), py::arg("base_color"), py::arg("metallic"), py::arg("roughness"),
               py::arg("emissive"), py::arg("double_sided"), py::arg("colors") = py::none());
}
