#include "json_text.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "glb_assembler.h"

namespace glb {

namespace {

size_t format_fixed(char* out, double value, int decimals) {
    const std::to_chars_result result = std::to_chars(out, out + kMaxNumberText, value, std::chars_format::fixed,
                                                      decimals);
    if (result.ec != std::errc()) throw std::logic_error("a number did not fit its text buffer");
    return size_t(result.ptr - out);
}

// The double that a reader makes of a "%.6f" text of a value below 2^33 in
// magnitude: the digits without the point form an integer N below 2^53, so
// N / 10^6 in double arithmetic is exactly the correctly rounded reading.
double read_six_decimals(const char* text, size_t length) {
    bool negative = false;
    uint64_t digits = 0;
    for (size_t i = 0; i < length; ++i) {
        if (text[i] == '-') negative = true;
        else if (text[i] != '.') digits = digits * 10 + uint64_t(text[i] - '0');
    }
    const double magnitude = double(digits) / 1e6;
    return negative ? -magnitude : magnitude;
}

}  // namespace

size_t format_bound(char* out, double value) {
    const size_t six_decimals = format_fixed(out, value, 6);
    const float narrow = to_float32(value);
    if (std::isinf(narrow)) return six_decimals;  // beyond the float range: as given
    // From 2^33 on, a double's spacing exceeds 10^-6, so its six-decimal text
    // reads back as the double itself and therefore as the same float.
    if (std::fabs(value) >= 0x1p33) return six_decimals;
    if (float(read_six_decimals(out, six_decimals)) == narrow) return six_decimals;
    const std::to_chars_result shortest = std::to_chars(out, out + kMaxNumberText, narrow);
    if (shortest.ec != std::errc()) throw std::logic_error("a number did not fit its text buffer");
    return size_t(shortest.ptr - out);
}

void DocumentText::append(const char* text, size_t length) {
    if (overflow_.empty() && length_ + length > capacity_) overflow_.assign(fixed_, length_);
    if (overflow_.empty()) {
        std::memcpy(fixed_ + length_, text, length);
    } else {
        overflow_.append(text, length);
    }
    length_ += length;
}

void format_document(DocumentText& text, const char* format, std::initializer_list<TemplateValue> values) {
    const TemplateValue* value = values.begin();
    const char* literal = format;
    char number[kMaxNumberText];
    for (const char* p = format; *p != '\0'; ++p) {
        if (*p != '%') continue;
        text.append(literal, size_t(p - literal));
        TemplateValue::Kind expected;
        size_t placeholder_length;
        if (std::strncmp(p, "%zu", 3) == 0) {
            expected = TemplateValue::Kind::count, placeholder_length = 3;
        } else if (std::strncmp(p, "%.6f", 4) == 0) {
            expected = TemplateValue::Kind::bound, placeholder_length = 4;
        } else if (std::strncmp(p, "%.4f", 4) == 0) {
            expected = TemplateValue::Kind::factor, placeholder_length = 4;
        } else if (std::strncmp(p, "%s", 2) == 0) {
            expected = TemplateValue::Kind::word, placeholder_length = 2;
        } else {
            throw std::logic_error("unknown placeholder in a document template");
        }
        if (value == values.end() || value->kind != expected)
            throw std::logic_error("a document template and its values disagree");

        switch (value->kind) {
            case TemplateValue::Kind::count: {
                const std::to_chars_result result = std::to_chars(number, number + sizeof number, value->count);
                text.append(number, size_t(result.ptr - number));
                break;
            }
            case TemplateValue::Kind::bound:
                text.append(number, format_bound(number, value->number));
                break;
            case TemplateValue::Kind::factor:
                text.append(number, format_fixed(number, value->number, 4));
                break;
            case TemplateValue::Kind::word:
                text.append(value->word, std::strlen(value->word));
                break;
        }
        ++value;
        p += placeholder_length - 1;
        literal = p + 1;
    }
    text.append(literal, std::strlen(literal));
    if (value != values.end()) throw std::logic_error("a document template has fewer placeholders than values");
}

}  // namespace glb
