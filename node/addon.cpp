// The Node addon: the raw functions (atomGlb, pointCloudGlb, meshGlb) and their
// promises, and under `checked` the native half of the checked functions, which
// node/checked.js completes. Every environment (the main thread, each Worker)
// loads its own instance.
#include <node_api.h>

#include "bindings.h"
#include "calls.h"
#include "chemistry_bindings.h"

namespace {

napi_value new_object(napi_env env) {
    napi_value object;
    check(env, napi_create_object(env, &object));
    return object;
}

}  // namespace

NAPI_MODULE_INIT() {
    return call_function(env, Spelling::raw, [&] {
        prepare_environment(env);
        const napi_value promises = new_object(env);
        export_raw_functions(env, exports, promises);
        check(env, napi_set_named_property(env, exports, "promises", promises));
        const napi_value checked = new_object(env);
        const napi_value checked_promises = new_object(env);
        export_checked_functions(env, checked, checked_promises);
        export_chemistry_functions(env, checked);
        check(env, napi_set_named_property(env, checked, "promises", checked_promises));
        check(env, napi_set_named_property(env, exports, "checked", checked));
        napi_value release;
        check(env, napi_create_function(env, "releaseMemory", NAPI_AUTO_LENGTH, release_memory, nullptr, &release));
        check(env, napi_set_named_property(env, exports, "releaseMemory", release));
        return exports;
    });
}
