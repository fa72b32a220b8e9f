// glTF documents from one-line templates, written the same in every process
// locale: numbers go through std::to_chars, never through printf (whose decimal
// point follows LC_NUMERIC and would turn 0.5 into "0,5" in a German locale).
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>

namespace glb {

// One value for one placeholder of a document template. The template's
// placeholder says how it is written:
//   "%zu"   a count or byte length                 TemplateValue(size_t)
//   "%.6f"  a bound of the POSITION accessor       TemplateValue::bound(double)
//   "%.4f"  a material factor                      TemplateValue::factor(double)
//   "%s"    a fixed word                           TemplateValue(const char*)
struct TemplateValue {
    enum class Kind : uint8_t { count, bound, factor, word };

    TemplateValue(size_t count_value) : kind(Kind::count), count(count_value) {}
    TemplateValue(const char* word_value) : kind(Kind::word), word(word_value) {}
    static TemplateValue bound(double value) { return TemplateValue(Kind::bound, value); }
    static TemplateValue factor(double value) { return TemplateValue(Kind::factor, value); }

    Kind kind;
    union {
        uint64_t count;
        double number;
        const char* word;
    };

private:
    TemplateValue(Kind number_kind, double value) : kind(number_kind), number(value) {}
};

// Longest text that format_bound or a "%.4f" factor can produce (a sign, 309
// integer digits, the point and six decimals), plus room to spare.
constexpr size_t kMaxNumberText = 352;

// Writes a bound (finite) into out, which holds kMaxNumberText characters, and
// returns its length. The six-decimal text ("%.6f" in the C locale) is kept
// whenever it reads back as the same 32-bit float as the value, and for values
// beyond the float range; otherwise the shortest text that reads back as that
// float is written, as std::to_chars(float) gives it (1e-09, 0.1234567). So
// "min" and "max" name exactly the float32 the caller meant, which is what a
// validator compares the data with, while 0, 0.5 or -1.5 keep their old text.
size_t format_bound(char* out, double value);

// The text of a document: a fixed buffer of the caller's, continued on the heap
// only when a document does not fit (bounds of extreme magnitude). Never cut.
class DocumentText {
public:
    DocumentText(char* fixed, size_t capacity) : fixed_(fixed), capacity_(capacity) {}
    DocumentText(const DocumentText&) = delete;
    DocumentText& operator=(const DocumentText&) = delete;

    void append(const char* text, size_t length);
    const char* data() const { return overflow_.empty() ? fixed_ : overflow_.data(); }
    size_t size() const { return length_; }

private:
    char* fixed_;
    size_t capacity_;
    size_t length_ = 0;
    std::string overflow_;
};

// Fills the template's placeholders, in order, with values. Throws
// std::logic_error when the template and the values disagree (a programming
// error of the caller, never caused by input data).
void format_document(DocumentText& text, const char* format, std::initializer_list<TemplateValue> values);

// A document formatted into a fixed buffer of Capacity characters, on the stack.
template <size_t Capacity>
class JsonDocument {
public:
    JsonDocument() : text_(fixed_, Capacity) {}
    JsonDocument(const char* format, std::initializer_list<TemplateValue> values) : JsonDocument() {
        format_document(text_, format, values);
    }
    void format(const char* format, std::initializer_list<TemplateValue> values) {
        format_document(text_, format, values);
    }
    const char* data() const { return text_.data(); }
    size_t size() const { return text_.size(); }

private:
    char fixed_[Capacity];
    DocumentText text_;
};

}  // namespace glb
