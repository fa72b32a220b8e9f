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

    glb::RawMesh input;
    for (int i = 0; i < 4; ++i) input.material.base_color[i] = base[size_t(i)];
    input.material.metallic = metallic.value;
    input.material.roughness = roughness.value;
    for (int i = 0; i < 3; ++i) input.material.emissive[i] = glow[size_t(i)];
    input.material.double_sided = double_sided.value;
    input.bounds = glb::Bounds3{{box[0], box[1], box[2]}, {box[3], box[4], box[5]}};
    input.position_float_count = position_span.byte_length() / sizeof(float);
    input.normal_float_count = normal_span.byte_length() / sizeof(float);
    input.index_count = index_span.byte_length() / sizeof(uint32_t);
    input.color_float_count = color_span ? color_span->byte_length() / sizeof(float) : 0;
    try {
        // Every refusal comes before any input is packed or the result allocated.
        glb::check_input(input);
        input.positions = static_cast<const float*>(position_span.data(alignof(float)));
        input.normals = static_cast<const float*>(normal_span.data(alignof(float)));
        input.indices = static_cast<const uint32_t*>(index_span.data(alignof(uint32_t)));
        input.colors = color_span ? static_cast<const float*>(color_span->data(alignof(float))) : nullptr;
        const glb::GlbPlan plan = glb::plan_glb(input);
        return bytes_of_plan(plan, true, [&](uint8_t* file) { glb::write_glb(file, plan, input); });
    } catch (const glb::InputError& error) {
        raise_raw_input_error(error);
    }
}

}  // namespace

void register_mesh_glb(py::module_& module) {
    module.def("mesh_glb", &py_mesh_glb, py::arg("positions"), py::arg("normals"), py::arg("indices"),
               py::arg("bounds"), py::arg("base_color"), py::arg("metallic"), py::arg("roughness"),
               py::arg("emissive"), py::arg("double_sided"), py::arg("colors") = py::none());
}
