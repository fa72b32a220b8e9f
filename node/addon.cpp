// The Node addon: pointCloudGlb, atomGlb and meshGlb returning a Buffer, and the
// same three under promises, running on the libuv thread pool.
#include "bindings.h"
#include "conversions.h"

namespace {

Napi::Object initialise(Napi::Env env, Napi::Object exports) {
    prepare_environment(env);
    Napi::Object promises = Napi::Object::New(env);
    export_point_cloud_glb(env, exports, promises);
    export_atom_glb(env, exports, promises);
    export_mesh_glb(env, exports, promises);
    exports.Set("promises", promises);
    return exports;
}

}  // namespace

NODE_API_MODULE(spatial_assembler, initialise)
