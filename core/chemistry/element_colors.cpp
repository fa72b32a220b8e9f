#include "chemistry/element_colors.h"

#include "chemistry/elements.h"

namespace glb {

namespace {

constexpr Rgb kElementColors[kElementCount] = {
#include "chemistry/element_color_table.inc"
};

}  // namespace

Rgb element_color(uint32_t atomic_number) {
    return kElementColors[atomic_number < kElementCount ? atomic_number : 0];
}

}  // namespace glb
