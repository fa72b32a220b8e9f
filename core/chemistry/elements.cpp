#include "chemistry/elements.h"

#include <string>

#include "inputs/input_error.h"

namespace glb {

namespace {

struct Element {
    const char* symbol;
    uint8_t palette_row;
    float covalent_radius;
};

// By atomic number.
constexpr Element kElements[kElementCount] = {
    {"X", 7, 0.2f}, {"H", 7, 0.31f}, {"He", 6, 0.28f}, {"Li", 5, 1.28f}, {"Be", 2, 0.96f}, {"B", 7, 0.84f}, {"C", 0, 0.76f}, {"N", 3, 0.71f}, {"O", 1, 0.66f}, {"F", 2, 0.57f},
    {"Ne", 6, 0.58f}, {"Na", 5, 1.66f}, {"Mg", 2, 1.41f}, {"Al", 7, 1.21f}, {"Si", 7, 1.11f}, {"P", 5, 1.07f}, {"S", 4, 1.05f}, {"Cl", 2, 1.02f}, {"Ar", 6, 1.06f}, {"K", 5, 2.03f},
    {"Ca", 2, 1.76f}, {"Sc", 7, 1.7f}, {"Ti", 7, 1.6f}, {"V", 7, 1.53f}, {"Cr", 7, 1.39f}, {"Mn", 7, 1.39f}, {"Fe", 7, 1.32f}, {"Co", 7, 1.26f}, {"Ni", 7, 1.24f}, {"Cu", 7, 1.32f},
    {"Zn", 7, 1.22f}, {"Ga", 7, 1.22f}, {"Ge", 7, 1.2f}, {"As", 7, 1.19f}, {"Se", 7, 1.2f}, {"Br", 1, 1.2f}, {"Kr", 6, 1.16f}, {"Rb", 5, 2.2f}, {"Sr", 2, 1.95f}, {"Y", 7, 1.9f},
    {"Zr", 7, 1.75f}, {"Nb", 7, 1.64f}, {"Mo", 7, 1.54f}, {"Tc", 7, 1.47f}, {"Ru", 7, 1.46f}, {"Rh", 7, 1.42f}, {"Pd", 7, 1.39f}, {"Ag", 7, 1.45f}, {"Cd", 7, 1.44f}, {"In", 7, 1.42f},
    {"Sn", 7, 1.39f}, {"Sb", 7, 1.39f}, {"Te", 7, 1.38f}, {"I", 5, 1.39f}, {"Xe", 6, 1.4f}, {"Cs", 5, 2.44f}, {"Ba", 2, 2.15f}, {"La", 7, 2.07f}, {"Ce", 7, 2.04f}, {"Pr", 7, 2.03f},
    {"Nd", 7, 2.01f}, {"Pm", 7, 1.99f}, {"Sm", 7, 1.98f}, {"Eu", 7, 1.98f}, {"Gd", 7, 1.96f}, {"Tb", 7, 1.94f}, {"Dy", 7, 1.92f}, {"Ho", 7, 1.92f}, {"Er", 7, 1.89f}, {"Tm", 7, 1.9f},
    {"Yb", 7, 1.87f}, {"Lu", 7, 1.87f}, {"Hf", 7, 1.75f}, {"Ta", 7, 1.7f}, {"W", 7, 1.62f}, {"Re", 7, 1.51f}, {"Os", 7, 1.44f}, {"Ir", 7, 1.41f}, {"Pt", 7, 1.36f}, {"Au", 4, 1.36f},
    {"Hg", 7, 1.32f}, {"Tl", 7, 1.45f}, {"Pb", 7, 1.46f}, {"Bi", 7, 1.48f}, {"Po", 7, 1.4f}, {"At", 7, 1.5f}, {"Rn", 6, 1.5f}, {"Fr", 5, 2.6f}, {"Ra", 2, 2.21f}, {"Ac", 7, 2.15f},
    {"Th", 7, 2.06f}, {"Pa", 7, 2.0f}, {"U", 7, 1.96f}, {"Np", 7, 1.9f}, {"Pu", 7, 1.87f}, {"Am", 7, 1.8f}, {"Cm", 7, 1.69f}, {"Bk", 7, 2.0f}, {"Cf", 7, 2.0f}, {"Es", 7, 2.0f},
    {"Fm", 7, 2.0f}, {"Md", 7, 2.0f}, {"No", 7, 2.0f}, {"Lr", 7, 2.0f}, {"Rf", 7, 2.0f}, {"Db", 7, 2.0f}, {"Sg", 7, 2.0f}, {"Bh", 7, 2.0f}, {"Hs", 7, 2.0f}, {"Mt", 7, 2.0f},
    {"Ds", 7, 2.0f}, {"Rg", 7, 2.0f}, {"Cn", 7, 2.0f}, {"Nh", 7, 2.0f}, {"Fl", 7, 2.0f}, {"Mc", 7, 2.0f}, {"Lv", 7, 2.0f}, {"Ts", 7, 2.0f}, {"Og", 7, 2.0f},
};

// Symbols of one or two letters, lower case, to atomic numbers: 26 first
// letters times 27 (no second letter, or a to z).
struct SymbolTable {
    int8_t number_of[26 * 27];
    constexpr SymbolTable() : number_of{} {
        for (auto& entry : number_of) entry = -1;
        for (uint32_t z = 0; z < kElementCount; ++z) {
            const char* s = kElements[z].symbol;
            const int first = s[0] - 'A';
            const int second = s[1] == 0 ? 0 : s[1] - 'a' + 1;
            number_of[first * 27 + second] = int8_t(z);
        }
    }
};
constexpr SymbolTable kSymbols{};

inline int lower_letter(uint32_t c) {
    if (c >= 'A' && c <= 'Z') return int(c - 'A');
    if (c >= 'a' && c <= 'z') return int(c - 'a');
    return -1;
}

template <typename Character>
int number_of_symbol(const Character* text, size_t length) {
    size_t begin = 0;
    while (begin < length && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
    while (length > begin && (text[length - 1] == ' ' || text[length - 1] == '\t' || text[length - 1] == 0)) --length;
    const size_t letters = length - begin;
    if (letters == 0 || letters > 2) return -1;
    const int first = lower_letter(uint32_t(text[begin]));
    const int second = letters == 2 ? lower_letter(uint32_t(text[begin + 1])) : -1;
    if (first < 0 || (letters == 2 && second < 0)) return -1;
    return kSymbols.number_of[first * 27 + (letters == 2 ? second + 1 : 0)];
}

}  // namespace

const char* element_symbol(uint32_t atomic_number) {
    return atomic_number < kElementCount ? kElements[atomic_number].symbol : "";
}

uint8_t element_palette_row(uint32_t atomic_number) {
    return atomic_number < kElementCount ? kElements[atomic_number].palette_row : 7;
}

float covalent_radius(uint32_t atomic_number) {
    return atomic_number < kElementCount ? kElements[atomic_number].covalent_radius : 2.0f;
}

int atomic_number_of(const char* symbol, size_t length) { return number_of_symbol(symbol, length); }

namespace {

[[noreturn]] void throw_not_an_element(const std::string& text, size_t row) {
    InputError error(Field::atomic_numbers, Problem::not_an_element,
                     "'" + text + "' is not an element symbol (row " + std::to_string(row) + ")");
    error.row = row;
    error.text = text;
    throw error;
}

}  // namespace

void atomic_numbers_of_records(uint8_t* out, const void* records, size_t count, size_t record_size,
                               SymbolEncoding encoding) {
    const size_t width = encoding == SymbolEncoding::ucs4 ? 4 : 1;
    const size_t characters = record_size / width;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* record = static_cast<const uint8_t*>(records) + i * record_size;
        const int number = encoding == SymbolEncoding::ucs4
                               ? number_of_symbol(reinterpret_cast<const uint32_t*>(record), characters)
                               : number_of_symbol(reinterpret_cast<const char*>(record), characters);
        if (number < 0) {
            std::string text;
            for (size_t c = 0; c < characters; ++c) {
                const uint32_t code = encoding == SymbolEncoding::ucs4 ? reinterpret_cast<const uint32_t*>(record)[c]
                                                                       : uint32_t(record[c]);
                if (code == 0) break;
                text += code < 0x80 ? char(code) : '?';  // only ASCII is ever a symbol
            }
            throw_not_an_element(text, i);
        }
        out[i] = uint8_t(number);
    }
}

uint8_t atomic_number_at(const char* symbol, size_t length, size_t row) {
    const int number = number_of_symbol(symbol, length);
    if (number < 0) throw_not_an_element(std::string(symbol, length), row);
    return uint8_t(number);
}

}  // namespace glb
