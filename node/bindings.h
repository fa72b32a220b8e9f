// The addon's two families of functions, each added to an exports object and
// to its promises object.
#pragma once

#include <node_api.h>

void export_raw_functions(napi_env env, napi_value exports, napi_value promises);
void export_checked_functions(napi_env env, napi_value exports, napi_value promises);
