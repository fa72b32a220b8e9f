#include "bindings.h"
#include "conversions.h"

namespace {

py::bytes py_point_cloud_glb(const py::buffer& positions, const py::buffer& colors, const py::sequence& vmin,
                             const py::sequence& vmax) {
    BufferSpan position_span = buffer_span(positions);
    BufferSpan color_span = buffer_span(colors);
    const glb::Bounds3 bounds = read_bounds(vmin, vmax);

    const size_t position_floats = position_span.byte_length() / sizeof(float);
    const size_t color_floats = color_span.byte_length() / sizeof(float);
    refuse_oversized_payload(uint64_t(position_floats + color_floats) * sizeof(float));
    BytesOutput result;
    glb::build_point_cloud_glb(result, static_cast<const float*>(position_span.data(alignof(float))), position_floats,
                               static_cast<const float*>(color_span.data(alignof(float))), color_floats, bounds);
    return result.release();
}

}  // namespace

void register_point_cloud_glb(py::module_& module) {
    module.def("point_cloud_glb", &py_point_cloud_glb, py::arg("positions"), py::arg("colors"), py::arg("vmin"),
               py::arg("vmax"));
}
