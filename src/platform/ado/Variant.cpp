#include "platform/ado/Variant.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/ado/ComError.h"

namespace ado {

namespace {
[[noreturn]] void Mismatch(const std::string& text) {
    throw ComError(ComError::kTypeMismatch, "Type mismatch: '" + text + "' is not a number.");
}

double ParseNumber(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t");
    size_t end = text.find_last_not_of(" \t");
    if (begin == std::string::npos) Mismatch(text);
    double value = 0.0;
    const char* first = text.data() + begin;
    const char* last = text.data() + end + 1;
    if (*first == '+') ++first;
    auto result = std::from_chars(first, last, value);
    if (result.ec != std::errc() || result.ptr != last) Mismatch(text);
    return value;
}
}  // namespace

std::string Variant::ToText() const {
    switch (m_type) {
        case VT_NULL: return std::string();
        case VT_I4: return std::to_string(m_int);
        case VT_R8:
        case VT_DATE: {
            char buffer[64];
            auto result = std::to_chars(buffer, buffer + sizeof buffer, m_real);
            return std::string(buffer, result.ptr);
        }
        case VT_BSTR: return m_text;
    }
    return std::string();
}

int32_t Variant::ToInt32() const {
    double value = 0.0;
    switch (m_type) {
        case VT_NULL: return 0;
        case VT_I4: return m_int;
        case VT_R8:
        case VT_DATE: value = m_real; break;
        case VT_BSTR: value = ParseNumber(m_text); break;
    }
    value = std::round(value);
    if (!(value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max()))
        throw ComError(ComError::kTypeMismatch, "Value out of the range of a 32-bit integer.");
    return static_cast<int32_t>(value);
}

double Variant::ToDouble() const {
    switch (m_type) {
        case VT_NULL: return 0.0;
        case VT_I4: return m_int;
        case VT_R8:
        case VT_DATE: return m_real;
        case VT_BSTR: return ParseNumber(m_text);
    }
    return 0.0;
}

VariantView Variant::View() const {
    VariantView view;
    view.type = m_type;
    view.integer = m_int;
    view.real = m_real;
    if (m_type == VT_BSTR) view.text = m_text.data(), view.size = m_text.size();
    return view;
}

Variant VariantView::Value() const {
    switch (type) {
        case VT_NULL: break;
        case VT_I4: return Variant(integer);
        case VT_R8:
        case VT_DATE: return Variant(real);  // no variant here holds a date of its own type
        case VT_BSTR: return Variant(std::string(text, size));
    }
    return Variant();
}

bool operator==(const Variant& a, const Variant& b) {
    if (a.Type() != b.Type()) return false;
    switch (a.Type()) {
        case VT_NULL: return true;
        case VT_I4: return a.ToInt32() == b.ToInt32();
        case VT_BSTR: return a.Text() == b.Text();
        default: return a.ToDouble() == b.ToDouble();
    }
}

}  // namespace ado
