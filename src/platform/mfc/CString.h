// A byte string with the MFC CString interface the library is written
// against. Texts are UTF-8; lengths and indexes count bytes.
#pragma once
#include "platform/mfc/AfxExt.h"
#include <cstdarg>
#include <string>

class AFX_EXT_CLASS CString {
public:
    CString() = default;
    CString(const char* text) : m_str(text ? text : "") {}
    CString(const char* text, int length) : m_str(text ? std::string(text, length > 0 ? length : 0) : "") {}
    CString(char ch, int repeat = 1) : m_str(repeat > 0 ? repeat : 0, ch) {}
    CString(const std::string& text) : m_str(text) {}

    operator const char*() const { return m_str.c_str(); }
    const char* GetString() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    char GetAt(int index) const;

    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* format, va_list args) __attribute__((format(printf, 2, 0)));

    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;

    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;

    CString& MakeUpper();
    CString& Trim();    int Replace(const char* oldText, const char* newText);

    int Compare(const char* other) const;

    CString& operator=(const char* text) { m_str = text ? text : ""; return *this; }
    CString& operator+=(const CString& other) { m_str += other.m_str; return *this; }
    CString& operator+=(const char* text) { if (text) m_str += text; return *this; }
    CString& operator+=(char ch) { m_str += ch; return *this; }

private:
    std::string m_str;
};

AFX_EXT_API CString operator+(const CString& a, const CString& b);
AFX_EXT_API CString operator+(const CString& a, const char* b);
AFX_EXT_API CString operator+(const char* a, const CString& b);
AFX_EXT_API CString operator+(const CString& a, char b);

AFX_EXT_API bool operator==(const CString& a, const CString& b);
AFX_EXT_API bool operator==(const CString& a, const char* b);
AFX_EXT_API bool operator==(const char* a, const CString& b);
AFX_EXT_API bool operator!=(const CString& a, const CString& b);
AFX_EXT_API bool operator!=(const CString& a, const char* b);
AFX_EXT_API bool operator!=(const char* a, const CString& b);

#include "platform/mfc/AfxExtEnd.h"
