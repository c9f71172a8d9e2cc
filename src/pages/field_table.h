#pragma once
// The plain fields of a page, each declared once: which control edits which
// bytes or bits of the image and how. Generic code stores and loads them; a
// page's own code handles only its special rules. Offsets are relative to a
// base the page supplies (0, or the start of the record it shows).
//
// Rules the generic code follows:
//   List     item index in bits lo..hi; an empty list (index -1) stores all
//            ones masked to the field; a value without an item loads as empty.
//   Check    one bit, 1 = checked.
//   TriState 16 three-state boxes named control + "1" .. "16": the "selected"
//            mask (greyed or checked) at offset, the "full" mask (checked) at
//            offset + 2, bit n-1 for box n. Loading checks a box whose full bit
//            is set even without its selected bit.
//   Text     cp1251 text of `size` bytes, at most size-1 characters: padded or
//            bounded copy after the trim rule, blanks inside removed on request.
//   Integer  unsigned number of `size` bytes (1 or 2) shown as decimal text.
//   Custom   bytes the page converts with its own code. Listed so that the table
//            describes every field the page edits; the generic code skips them.
// Packed fields are written by read-modify-write: bits no field claims keep
// their values.
#include "config/config_image.h"

#include <QString>
#include <array>
#include <vector>

class QWidget;
class QCheckBox;

enum class FieldKind : std::uint8_t { List, Check, TriState, Text, Integer, Custom };
enum class TextCopy : std::uint8_t { Padded, Bounded };
enum class Trim : std::uint8_t { Both, Leading, None };
enum class IntRule : std::uint8_t {
    // Whole text as a signed integer (not a number: 0); above max stores max,
    // otherwise the low bits (a negative number wraps).
    CapHighWrapLow,
    // Whole text as a signed integer (not a number: min), limited to min..max.
    Clamp,
    // Leading digits after leading blanks (none: 0); above max stores max.
    LeadingDigits,
};

struct FieldSpec {
    const char* control; // object name, or the name prefix of a TriState group
    FieldKind kind;
    std::size_t offset;
    int lo = 0; // bit range of List and Check
    int hi = 7;
    std::size_t size = 1; // bytes of Text, Integer and Custom
    TextCopy copy = TextCopy::Padded;
    Trim trim = Trim::Both;
    bool removeBlanks = false; // Text: blanks inside are removed after the copy
    IntRule rule = IntRule::CapHighWrapLow;
    int min = 0;
    int max = 0;
};

constexpr FieldSpec listField(const char* control, std::size_t offset, int lo, int hi) {
    return {.control = control, .kind = FieldKind::List, .offset = offset, .lo = lo, .hi = hi};
}
constexpr FieldSpec checkField(const char* control, std::size_t offset, int bit) {
    return {.control = control, .kind = FieldKind::Check, .offset = offset, .lo = bit, .hi = bit};
}
constexpr FieldSpec triStateField(const char* prefix, std::size_t offset) {
    return {.control = prefix, .kind = FieldKind::TriState, .offset = offset, .size = 4};
}
constexpr FieldSpec textField(const char* control, std::size_t offset, std::size_t size,
                              TextCopy copy, Trim trim, bool removeBlanks = false) {
    return {.control = control,
            .kind = FieldKind::Text,
            .offset = offset,
            .size = size,
            .copy = copy,
            .trim = trim,
            .removeBlanks = removeBlanks};
}
constexpr FieldSpec intField(const char* control, std::size_t offset, std::size_t size,
                             IntRule rule, int min, int max) {
    return {.control = control,
            .kind = FieldKind::Integer,
            .offset = offset,
            .size = size,
            .rule = rule,
            .min = min,
            .max = max};
}
// A field of whole bytes, or of bits lo..hi of one byte, that the page's own
// code stores and loads.
constexpr FieldSpec customField(const char* control, std::size_t offset, std::size_t size,
                                int lo = 0, int hi = 7) {
    return {.control = control,
            .kind = FieldKind::Custom,
            .offset = offset,
            .lo = lo,
            .hi = hi,
            .size = size};
}

// A page's field table bound to the page's controls.
class FieldTable {
public:
    // Finds the controls among the children of `page`. A control that is
    // missing or of the wrong kind is a programming error and aborts.
    FieldTable(QWidget* page, const std::vector<FieldSpec>& specs);
    FieldTable(const FieldTable&) = delete;
    FieldTable& operator=(const FieldTable&) = delete;

    void store(ConfigImage& image, std::size_t base) const;
    void load(const ConfigImage& image, std::size_t base) const;

    const std::vector<FieldSpec>& specs() const { return specs_; }

private:
    struct Bound {
        const FieldSpec* spec;
        QWidget* control = nullptr;
        std::array<QCheckBox*, 16> boxes{};
    };
    std::vector<FieldSpec> specs_;
    std::vector<Bound> bound_;
};

// Text rules shared by the pages.
namespace fieldtext {
// Removes leading and/or trailing characters up to and including the blank.
QString trim(const QString& text, Trim rule = Trim::Both);
// The whole text as a decimal 32-bit signed integer with an optional sign;
// `fallback` when it is not one.
int toIntOr(const QString& text, int fallback);
// The number made of the digits that follow leading blanks at `from`, 0 when
// there are none; saturates instead of overflowing.
unsigned leadingNumber(const QString& text, qsizetype from = 0);
// An address in the 15-character form "aaa.bbb.ccc.ddd": the numbers at
// positions 0, 4, 8 and 12, each above 255 taken as 255, first one most
// significant.
std::uint32_t ipv4FromMaskedText(const QString& text);
// Text of a line edit as the store rules read it: the masked text of a
// MaskEdit, the plain text of any other edit.
QString controlText(const QWidget* edit);
void setControlText(QWidget* edit, const QString& text);
} // namespace fieldtext
