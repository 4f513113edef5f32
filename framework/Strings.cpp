#include "Strings.h"

#include "App.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

namespace {

std::wstring Widen(const char* text, int length)
{
    if (!text || length == 0) return {};
    int count = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
    std::wstring wide(size_t(std::max(count, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, length, wide.data(), count);
    if (length < 0 && !wide.empty()) wide.pop_back();  // the converted terminator
    return wide;
}

bool IsSpace(wchar_t ch) { return std::iswspace(ch) != 0; }

bool InSet(const wchar_t* set, wchar_t ch) { return set && ch && std::wcschr(set, ch) != nullptr; }

template <class Pred> void TrimLeftIf(std::wstring& text, Pred drop)
{
    auto first = std::find_if_not(text.begin(), text.end(), drop);
    text.erase(text.begin(), first);
}

template <class Pred> void TrimRightIf(std::wstring& text, Pred drop)
{
    auto last = std::find_if_not(text.rbegin(), text.rend(), drop);
    text.erase(last.base(), text.end());
}

}  // namespace

CString::CString(const char* text) : m_text(Widen(text, -1)) {}

CString::CString(const CStringA& text) : CString(text.GetString()) {}

wchar_t* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength()) m_text.resize(size_t(minLength));
    return m_text.data();
}

wchar_t* CString::GetBufferSetLength(int length)
{
    m_text.resize(size_t(std::max(length, 0)));
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0) newLength = int(std::wcslen(m_text.c_str()));
    m_text.resize(size_t(newLength));
}

int CString::Compare(const wchar_t* other) const { return std::wcscmp(m_text.c_str(), other ? other : L""); }

int CString::CompareNoCase(const wchar_t* other) const
{
    return CompareStringOrdinal(m_text.c_str(), -1, other ? other : L"", -1, TRUE) - CSTR_EQUAL;
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const
{
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CString(m_text.substr(size_t(first), size_t(count)));
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::Right(int count) const
{
    count = std::clamp(count, 0, GetLength());
    return Mid(GetLength() - count, count);
}

CString CString::SpanIncluding(const wchar_t* charSet) const
{
    return Left(int(std::wcsspn(m_text.c_str(), charSet ? charSet : L"")));
}

CString CString::SpanExcluding(const wchar_t* charSet) const
{
    return Left(int(std::wcscspn(m_text.c_str(), charSet ? charSet : L"")));
}

int CString::Find(wchar_t ch, int start) const
{
    if (start < 0 || start > GetLength()) return -1;
    size_t at = m_text.find(ch, size_t(start));
    return at == std::wstring::npos ? -1 : int(at);
}

int CString::Find(const wchar_t* sub, int start) const
{
    if (!sub || start < 0 || start > GetLength()) return -1;
    size_t at = m_text.find(sub, size_t(start));
    return at == std::wstring::npos ? -1 : int(at);
}

int CString::ReverseFind(wchar_t ch) const
{
    size_t at = m_text.rfind(ch);
    return at == std::wstring::npos ? -1 : int(at);
}

int CString::FindOneOf(const wchar_t* charSet) const
{
    size_t at = m_text.find_first_of(charSet ? charSet : L"");
    return at == std::wstring::npos ? -1 : int(at);
}

CString& CString::MakeUpper()
{
    if (!m_text.empty()) CharUpperBuffW(m_text.data(), DWORD(m_text.size()));
    return *this;
}

CString& CString::MakeLower()
{
    if (!m_text.empty()) CharLowerBuffW(m_text.data(), DWORD(m_text.size()));
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_text.begin(), m_text.end());
    return *this;
}

int CString::Replace(wchar_t oldCh, wchar_t newCh)
{
    int count = int(std::count(m_text.begin(), m_text.end(), oldCh));
    std::replace(m_text.begin(), m_text.end(), oldCh, newCh);
    return count;
}

int CString::Replace(const wchar_t* oldText, const wchar_t* newText)
{
    if (!oldText || !*oldText) return 0;
    std::wstring from(oldText), to(newText ? newText : L"");
    int count = 0;
    for (size_t at = m_text.find(from); at != std::wstring::npos; at = m_text.find(from, at + to.size())) {
        m_text.replace(at, from.size(), to);
        ++count;
    }
    return count;
}

int CString::Remove(wchar_t ch)
{
    size_t before = m_text.size();
    std::erase(m_text, ch);
    return int(before - m_text.size());
}

int CString::Insert(int index, wchar_t ch) { return Insert(index, CString(ch).GetString()); }

int CString::Insert(int index, const wchar_t* text)
{
    m_text.insert(size_t(std::clamp(index, 0, GetLength())), text ? text : L"");
    return GetLength();
}

int CString::Delete(int index, int count)
{
    if (index >= 0 && index < GetLength() && count > 0) m_text.erase(size_t(index), size_t(count));
    return GetLength();
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(wchar_t ch) { return TrimRight(ch).TrimLeft(ch); }
CString& CString::Trim(const wchar_t* charSet) { return TrimRight(charSet).TrimLeft(charSet); }

CString& CString::TrimLeft()
{
    TrimLeftIf(m_text, IsSpace);
    return *this;
}

CString& CString::TrimLeft(wchar_t ch)
{
    TrimLeftIf(m_text, [ch](wchar_t c) { return c == ch; });
    return *this;
}

CString& CString::TrimLeft(const wchar_t* charSet)
{
    TrimLeftIf(m_text, [charSet](wchar_t c) { return InSet(charSet, c); });
    return *this;
}

CString& CString::TrimRight()
{
    TrimRightIf(m_text, IsSpace);
    return *this;
}

CString& CString::TrimRight(wchar_t ch)
{
    TrimRightIf(m_text, [ch](wchar_t c) { return c == ch; });
    return *this;
}

CString& CString::TrimRight(const wchar_t* charSet)
{
    TrimRightIf(m_text, [charSet](wchar_t c) { return InSet(charSet, c); });
    return *this;
}

void CString::Format(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const wchar_t* format, va_list args)
{
    // msvcrt's own formatter: Windows semantics for %s in wide formats, whatever stdio mingw maps in.
    va_list counting;
    va_copy(counting, args);
    int length = _vscwprintf(format, counting);
    va_end(counting);
    if (length < 0) {
        m_text.clear();
        return;
    }
    std::wstring text(size_t(length) + 1, L'\0');
    _vsnwprintf(text.data(), text.size(), format, args);
    text.resize(size_t(length));
    m_text = std::move(text);
}

void CString::AppendFormat(const wchar_t* format, ...)
{
    CString tail;
    va_list args;
    va_start(args, format);
    tail.FormatV(format, args);
    va_end(args);
    *this += tail;
}

CString CString::Tokenize(const wchar_t* tokens, int& start) const
{
    if (start < 0 || start >= GetLength()) {
        start = -1;
        return {};
    }
    const wchar_t* set = tokens ? tokens : L"";
    size_t first = m_text.find_first_not_of(set, size_t(start));
    if (first == std::wstring::npos) {
        start = -1;
        return {};
    }
    size_t end = m_text.find_first_of(set, first);
    if (end == std::wstring::npos) end = m_text.size();
    start = int(end) + 1;
    return CString(m_text.substr(first, end - first));
}

bool CString::LoadString(UINT id)
{
    const wchar_t* resource = nullptr;
    int length = ::LoadStringW(AfxGetResourceHandle(), id, reinterpret_cast<LPWSTR>(&resource), 0);
    if (length <= 0 || !resource) return false;
    m_text.assign(resource, size_t(length));
    return true;
}

CStringA::CStringA(const wchar_t* text)
{
    if (!text || !*text) return;
    int count = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (count <= 1) return;
    m_text.resize(size_t(count));
    WideCharToMultiByte(CP_ACP, 0, text, -1, m_text.data(), count, nullptr, nullptr);
    m_text.pop_back();
}

void CStringArray::SetAtGrow(int index, const CString& item)
{
    if (index >= GetSize()) m_items.resize(size_t(index) + 1);
    m_items[size_t(index)] = item;
}

void CStringArray::InsertAt(int index, const CString& item)
{
    m_items.insert(m_items.begin() + std::clamp(index, 0, GetSize()), item);
}

void CStringArray::RemoveAt(int index, int count)
{
    if (index < 0 || count <= 0 || index >= GetSize()) return;
    m_items.erase(m_items.begin() + index, m_items.begin() + std::min(index + count, GetSize()));
}
