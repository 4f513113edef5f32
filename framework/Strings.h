#pragma once
// CString (UTF-16 text), CStringA (narrow text in the ANSI code page) and CStringArray.
#include "FrameworkApi.h"

#include <cstdarg>
#include <string>
#include <vector>

class CStringA;

// A UTF-16 string with the familiar framework operations; converts implicitly to LPCWSTR.
class FW_API CString {
public:
    CString() = default;
    CString(const wchar_t* text) : m_text(text ? text : L"") {}
    CString(const wchar_t* text, int length) : m_text(text, size_t(length)) {}
    CString(wchar_t ch, int repeat = 1) : m_text(size_t(repeat), ch) {}
    CString(std::wstring text) : m_text(std::move(text)) {}
    // Converts narrow text from the ANSI code page.
    explicit CString(const char* text);
    explicit CString(const CStringA& text);

    int GetLength() const { return int(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    const wchar_t* GetString() const { return m_text.c_str(); }
    operator const wchar_t*() const { return m_text.c_str(); }
    const std::wstring& Str() const { return m_text; }

    wchar_t GetAt(int index) const { return m_text.at(size_t(index)); }
    void SetAt(int index, wchar_t ch) { m_text.at(size_t(index)) = ch; }
    wchar_t operator[](int index) const { return GetAt(index); }

    // A writable buffer of at least minLength characters; ReleaseBuffer fixes the length afterwards.
    wchar_t* GetBuffer(int minLength = 0);
    wchar_t* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    CString& operator=(const wchar_t* text) { m_text = text ? text : L""; return *this; }
    CString& operator=(wchar_t ch) { m_text.assign(1, ch); return *this; }
    CString& operator+=(const CString& text) { m_text += text.m_text; return *this; }
    CString& operator+=(const wchar_t* text) { if (text) m_text += text; return *this; }
    CString& operator+=(wchar_t ch) { m_text += ch; return *this; }
    CString& Append(const wchar_t* text) { return *this += text; }
    CString& AppendChar(wchar_t ch) { return *this += ch; }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_text + b.m_text); }
    friend CString operator+(const CString& a, const wchar_t* b) { return a + CString(b); }
    friend CString operator+(const wchar_t* a, const CString& b) { return CString(a) + b; }
    friend CString operator+(const CString& a, wchar_t b) { return CString(a.m_text + b); }
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const wchar_t* b) { return a.m_text == (b ? b : L""); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_text < b.m_text; }

    // Ordinal comparison: < 0, 0 or > 0.
    int Compare(const wchar_t* other) const;
    // Comparison ignoring case (the system's rules).
    int CompareNoCase(const wchar_t* other) const;

    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const wchar_t* charSet) const;
    CString SpanExcluding(const wchar_t* charSet) const;

    // Index of the first match at or after start, or -1.
    int Find(wchar_t ch, int start = 0) const;
    int Find(const wchar_t* sub, int start = 0) const;
    int ReverseFind(wchar_t ch) const;
    int FindOneOf(const wchar_t* charSet) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    // Replaces every occurrence; returns the number replaced.
    int Replace(wchar_t oldCh, wchar_t newCh);
    int Replace(const wchar_t* oldText, const wchar_t* newText);
    int Remove(wchar_t ch);
    int Insert(int index, wchar_t ch);
    int Insert(int index, const wchar_t* text);
    int Delete(int index, int count = 1);

    // Trimming removes white space, one given character, or any of a set of characters.
    CString& Trim();
    CString& Trim(wchar_t ch);
    CString& Trim(const wchar_t* charSet);
    CString& TrimLeft();
    CString& TrimLeft(wchar_t ch);
    CString& TrimLeft(const wchar_t* charSet);
    CString& TrimRight();
    CString& TrimRight(wchar_t ch);
    CString& TrimRight(const wchar_t* charSet);

    // printf-style formatting; %s takes a wide string, %hs a narrow one (Windows conventions).
    void Format(const wchar_t* format, ...);
    void FormatV(const wchar_t* format, va_list args);
    void AppendFormat(const wchar_t* format, ...);

    // Next token after position start delimited by any of tokens; start becomes -1 at the end.
    CString Tokenize(const wchar_t* tokens, int& start) const;

    // Loads a string resource from the resource module; false when it is missing.
    bool LoadString(UINT id);

private:
    std::wstring m_text;
};

// Narrow text in the system's ANSI code page.
class FW_API CStringA {
public:
    CStringA() = default;
    CStringA(const char* text) : m_text(text ? text : "") {}
    // Converts UTF-16 text to the ANSI code page; characters it cannot hold become '?'.
    explicit CStringA(const wchar_t* text);

    int GetLength() const { return int(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    const char* GetString() const { return m_text.c_str(); }
    operator const char*() const { return m_text.c_str(); }
    friend bool operator==(const CStringA& a, const CStringA& b) { return a.m_text == b.m_text; }

private:
    std::string m_text;
};

// A growable array of strings.
class FW_API CStringArray {
public:
    int GetSize() const { return int(m_items.size()); }
    int GetCount() const { return GetSize(); }
    bool IsEmpty() const { return m_items.empty(); }
    int GetUpperBound() const { return GetSize() - 1; }
    void RemoveAll() { m_items.clear(); }
    int Add(const CString& item) { m_items.push_back(item); return GetSize() - 1; }
    const CString& GetAt(int index) const { return m_items.at(size_t(index)); }
    CString& ElementAt(int index) { return m_items.at(size_t(index)); }
    void SetAt(int index, const CString& item) { m_items.at(size_t(index)) = item; }
    void SetAtGrow(int index, const CString& item);
    void InsertAt(int index, const CString& item);
    void RemoveAt(int index, int count = 1);
    const CString& operator[](int index) const { return GetAt(index); }
    CString& operator[](int index) { return ElementAt(index); }

private:
    std::vector<CString> m_items;
};
