// A column value on its way to or from the database: null, text, 32-bit
// integer, double or date (the date's OLE automation value).
#pragma once
#include <cstdint>
#include <string>

#include "platform/ado/ComError.h"

namespace ado {

enum VarType { VT_NULL = 1, VT_I4 = 3, VT_R8 = 5, VT_DATE = 7, VT_BSTR = 8 };

struct VariantView;

class Variant {
public:
    Variant() = default;  // null
    Variant(const char* text) : m_type(VT_BSTR), m_text(text ? text : "") {}
    Variant(std::string text) : m_type(VT_BSTR), m_text(std::move(text)) {}
    Variant(int32_t value) : m_type(VT_I4), m_int(value) {}
    Variant(double value) : m_type(VT_R8), m_real(value) {}

    VarType Type() const { return m_type; }
    bool IsNull() const { return m_type == VT_NULL; }

    // Conversions, the same whatever the process locale. Null reads as the
    // empty text or 0; a text that is not a number raises ComError.
    std::string ToText() const;
    int32_t ToInt32() const;
    double ToDouble() const;

    const std::string& Text() const { return m_text; }
    // The value as it stands here, its text included, without a copy.
    VariantView View() const;

private:
    VarType m_type = VT_NULL;
    int32_t m_int = 0;
    double m_real = 0.0;
    std::string m_text;
};

bool operator==(const Variant& a, const Variant& b);

// A value as its holder keeps it, without a copy: a text value's bytes, valid
// while the holder keeps them, or any other value.
struct VariantView {
    VarType type = VT_NULL;
    const char* text = nullptr;  // a text value's bytes, else null
    size_t size = 0;
    int32_t integer = 0;
    double real = 0.0;  // a real or a date
    bool IsNull() const { return type == VT_NULL; }
    // The value as a variant of its own: a text is copied.
    Variant Value() const;
};

}  // namespace ado
