#include "bindings.h"
#include "conversions.h"

namespace {

class PointCloudJob final : public GlbJob {
public:
    ArrayData positions;
    ArrayData colors;
    glb::Bounds3 bounds{};

    void build(glb::GlbOutput& output) override {
        glb::build_point_cloud_glb(output, static_cast<const float*>(positions.data()), positions.byte_length() / 4,
                                   static_cast<const float*>(colors.data()), colors.byte_length() / 4, bounds);
    }
};

// pointCloudGlb(positions, colors, vmin, vmax)
std::unique_ptr<GlbJob> read_point_cloud_glb(const Napi::CallbackInfo& info, InputMode mode) {
    const ArrayArgument positions(info[0], {"positions"}, ElementType::float32);
    const ArrayArgument colors(info[1], {"colors"}, ElementType::float32);
    const std::array<double, 3> vmin = read_numbers<3>(info[2], {"vmin"});
    const std::array<double, 3> vmax = read_numbers<3>(info[3], {"vmax"});
    // Every refusal comes before any array is copied or the result allocated.
    require_finite(vmin.data(), 3, {"vmin"});
    require_finite(vmax.data(), 3, {"vmax"});
    auto job = std::make_unique<PointCloudJob>();
    job->bounds = glb::Bounds3{{vmin[0], vmin[1], vmin[2]}, {vmax[0], vmax[1], vmax[2]}};
    glb::check_point_cloud_inputs(positions.byte_length() / 4, colors.byte_length() / 4, job->bounds);
    job->positions = positions.take(mode);
    job->colors = colors.take(mode);
    return job;
}

}  // namespace

void export_point_cloud_glb(Napi::Env env, Napi::Object exports, Napi::Object promises) {
    export_function(env, exports, promises, "pointCloudGlb", read_point_cloud_glb);
}
