// One export function per function of the addon: each adds its name to the
// exports and to their promises object.
#pragma once

#include <napi.h>

void export_point_cloud_glb(Napi::Env env, Napi::Object exports, Napi::Object promises);
void export_atom_glb(Napi::Env env, Napi::Object exports, Napi::Object promises);
void export_mesh_glb(Napi::Env env, Napi::Object exports, Napi::Object promises);
