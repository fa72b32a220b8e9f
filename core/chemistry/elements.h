// The chemical elements as the atom builders draw them: symbol, palette row
// (colours close to the ones chemists know) and covalent radius. One table for
// every face, so that an element looks the same from Python and from Node.
//
//   Row  Colour            Elements
//   0    grey              C
//   1    red               O, Br
//   2    green             F, Cl; Be, Mg, Ca, Sr, Ba, Ra
//   3    blue              N
//   4    yellow            S, Au
//   5    magenta (violet)  P, I; Li, Na, K, Rb, Cs, Fr
//   6    cyan              He, Ne, Ar, Kr, Xe, Rn
//   7    light grey        H, every other element (metals are silvery), and 0 (a dummy atom, X)
//
// The palette has no orange, so phosphorus shares magenta with the violet
// halogen and alkali metals, which keeps it apart from sulfur. Covalent radii
// in ångström after Cordero et al., Dalton Trans. 2008, 2832 (2.0 where none is
// known, 0.2 for the dummy atom).
#pragma once

#include <cstddef>
#include <cstdint>

namespace glb {

constexpr uint32_t kElementCount = 119;  // atomic numbers 0 (a dummy atom) to 118

const char* element_symbol(uint32_t atomic_number);  // "X", "H", ..., "Og"
uint8_t element_palette_row(uint32_t atomic_number);
float covalent_radius(uint32_t atomic_number);

// The atomic number of a symbol (any letter case, spaces around it ignored), or -1.
int atomic_number_of(const char* symbol, size_t length);

// The atomic number of the symbol in row `row` of a list; InputError
// (not_an_element, with the row and the text) when it is none.
uint8_t atomic_number_at(const char* symbol, size_t length, size_t row);

// How symbols are stored: one byte per character (ASCII), or four (UCS-4, host order).
enum class SymbolEncoding : uint8_t { bytes, ucs4 };

// The atomic numbers of `count` symbols stored as fixed-size records of
// record_size bytes (numpy's 'S' and 'U' arrays: shorter symbols padded with
// zeros). Throws InputError (not_an_element, with the text) at the first record
// that is no element symbol.
void atomic_numbers_of_records(uint8_t* out, const void* records, size_t count, size_t record_size,
                               SymbolEncoding encoding);

}  // namespace glb
