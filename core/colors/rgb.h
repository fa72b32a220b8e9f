// A colour as the core's tables hold it.
#pragma once

namespace glb {

// Red, green, blue in [0, 1] (sRGB, as glTF's colours are given).
struct Rgb {
    float r, g, b;
};

}  // namespace glb
