// The addon's chemistry and colour functions (bonds, element colours, colour
// maps), under `checked` beside the checked builders.
#pragma once

#include <node_api.h>

void export_chemistry_functions(napi_env env, napi_value exports);
