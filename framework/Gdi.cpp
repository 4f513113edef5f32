#include "Gdi.h"

#include "App.h"
#include "Borrowed.h"
#include "Wnd.h"

#include <cwchar>
#include <utility>
#include <vector>

CGdiObject::~CGdiObject() { DeleteObject(); }

CGdiObject::CGdiObject(CGdiObject&& other) noexcept : m_hObject(std::exchange(other.m_hObject, nullptr)) {}

CGdiObject& CGdiObject::operator=(CGdiObject&& other) noexcept
{
    if (this != &other) Attach(other.Detach());
    return *this;
}

BOOL CGdiObject::Attach(HGDIOBJ object)
{
    if (object == m_hObject) return object != nullptr;
    DeleteObject();
    m_hObject = object;
    return object != nullptr;
}

HGDIOBJ CGdiObject::Detach() { return std::exchange(m_hObject, nullptr); }

BOOL CGdiObject::DeleteObject()
{
    HGDIOBJ object = Detach();
    return object && ::DeleteObject(object);
}

int CGdiObject::GetObject(int size, void* buffer) const
{
    return m_hObject ? ::GetObjectW(m_hObject, size, buffer) : 0;
}

BOOL CBitmap::LoadBitmap(UINT id)
{
    const wchar_t* name = MAKEINTRESOURCEW(id);
    HINSTANCE module = AfxFindResourceHandle(name, RT_BITMAP);
    return Attach(::LoadBitmapW(module, name));
}

namespace {

// Runs create on dc, or on the screen's device context when dc is null.
template <class Create>
HBITMAP OnDcOrScreen(const CDC* dc, Create create)
{
    if (dc) return create(dc->m_hDC);
    CClientDC screen(nullptr);
    return create(screen.m_hDC);
}

}  // namespace

BOOL CBitmap::CreateCompatibleBitmap(const CDC* dc, int width, int height)
{
    return Attach(OnDcOrScreen(dc, [&](HDC hdc) { return ::CreateCompatibleBitmap(hdc, width, height); }));
}

BOOL CBitmap::CreateDiscardableBitmap(const CDC* dc, int width, int height)
{
    return Attach(OnDcOrScreen(dc, [&](HDC hdc) { return ::CreateDiscardableBitmap(hdc, width, height); }));
}

int CBitmap::GetBitmap(BITMAP* info) const { return GetObject(sizeof(BITMAP), info); }

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, const wchar_t* faceName)
{
    return Attach(::CreateFontW(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                                outPrecision, clipPrecision, quality, pitchAndFamily, faceName));
}

BOOL CFont::CreateFontIndirect(const LOGFONTW* logFont)
{
    return Attach(logFont ? ::CreateFontIndirectW(logFont) : nullptr);
}

BOOL CFont::GetLogFont(LOGFONTW* logFont) const { return GetObject(sizeof(LOGFONTW), logFont) == sizeof(LOGFONTW); }

CFont* CFont::FromHandle(HFONT font)
{
    static BorrowedMap<CFont, HFONT> fonts;
    return fonts.Get(font, [](HFONT handle) { return GetObjectType(handle) == OBJ_FONT; });
}

BOOL CPen::CreatePen(int style, int width, COLORREF color) { return Attach(::CreatePen(style, width, color)); }

BOOL CBrush::CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }

CSelectionGuard::CSelectionGuard(HDC dc, HGDIOBJ object)
    : m_dc(dc), m_previous(dc && object ? ::SelectObject(dc, object) : nullptr)
{
    // SelectObject answers HGDI_ERROR (not null) on failure; there is nothing to restore then.
    if (m_previous == HGDI_ERROR) m_previous = nullptr;
}

CSelectionGuard::~CSelectionGuard()
{
    if (m_previous) ::SelectObject(m_dc, m_previous);
}

CSelectionGuard::CSelectionGuard(CSelectionGuard&& other) noexcept
    : m_dc(other.m_dc), m_previous(std::exchange(other.m_previous, nullptr))
{
}

CSelectionGuard CDC::SelectObject(const CGdiObject& object) const { return {m_hDC, object.m_hObject}; }

CSelectionGuard CDC::SelectObject(HGDIOBJ object) const { return {m_hDC, object}; }

CSelectionGuard CDC::SelectStockObject(int index) const { return {m_hDC, ::GetStockObject(index)}; }

COLORREF CDC::SetTextColor(COLORREF color) const { return ::SetTextColor(m_hDC, color); }

COLORREF CDC::GetTextColor() const { return ::GetTextColor(m_hDC); }

COLORREF CDC::SetBkColor(COLORREF color) const { return ::SetBkColor(m_hDC, color); }

COLORREF CDC::GetBkColor() const { return ::GetBkColor(m_hDC); }

int CDC::SetBkMode(int mode) const { return ::SetBkMode(m_hDC, mode); }

UINT CDC::SetTextAlign(UINT flags) const { return ::SetTextAlign(m_hDC, flags); }

int CDC::SetStretchBltMode(int mode) const { return ::SetStretchBltMode(m_hDC, mode); }

BOOL CDC::TextOut(int x, int y, const wchar_t* text, int count) const
{
    if (!text) return FALSE;
    return ::TextOutW(m_hDC, x, y, text, count < 0 ? int(wcslen(text)) : count);
}

int CDC::DrawText(const wchar_t* text, int count, LPRECT rect, UINT format) const
{
    if (!text) return 0;
    if (count < 0) count = int(wcslen(text));
    if (!(format & DT_MODIFYSTRING)) return ::DrawTextW(m_hDC, text, count, rect, format);
    // DT_MODIFYSTRING lets the system write an ellipsis into the text, up to four characters past its end; the
    // callers' texts are constant (often string literals), so the system gets a copy with room to spare.
    std::vector<wchar_t> copy(text, text + count);
    copy.resize(size_t(count) + 5, L'\0');
    return ::DrawTextW(m_hDC, copy.data(), count, rect, format);
}

int CDC::DrawText(const CString& text, LPRECT rect, UINT format) const
{
    return DrawText(text.GetString(), text.GetLength(), rect, format);
}

CSize CDC::GetTextExtent(const wchar_t* text, int count) const
{
    SIZE size{0, 0};
    if (text) ::GetTextExtentPoint32W(m_hDC, text, count < 0 ? int(wcslen(text)) : count, &size);
    return size;
}

CPoint CDC::MoveTo(int x, int y) const
{
    POINT previous{0, 0};
    ::MoveToEx(m_hDC, x, y, &previous);
    return previous;
}

BOOL CDC::LineTo(int x, int y) const { return ::LineTo(m_hDC, x, y); }

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) const
{
    // ExtTextOut with ETO_OPAQUE fills with the background colour, without a brush to create and delete.
    COLORREF previous = ::SetBkColor(m_hDC, color);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, previous);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) const
{
    CRect rect(x, y, x + cx, y + cy);
    FillSolidRect(&rect, color);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight) const
{
    Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft, bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) const
{
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, bottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, bottomRight);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, const CDC* source, int xSource, int ySource, DWORD rop) const
{
    return ::BitBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, xSource, ySource, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, const CDC* source, int xSource, int ySource,
                     int sourceWidth, int sourceHeight, DWORD rop) const
{
    return ::StretchBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, xSource, ySource, sourceWidth,
                        sourceHeight, rop);
}

BOOL CDC::AlphaBlend(int x, int y, int width, int height, const CDC* source, int xSource, int ySource,
                     int sourceWidth, int sourceHeight, BLENDFUNCTION blend) const
{
    return source && ::AlphaBlend(m_hDC, x, y, width, height, source->m_hDC, xSource, ySource, sourceWidth,
                                  sourceHeight, blend);
}

BOOL CDC::TransparentBlt(int x, int y, int width, int height, const CDC* source, int xSource, int ySource,
                         int sourceWidth, int sourceHeight, UINT transparent) const
{
    return source && ::TransparentBlt(m_hDC, x, y, width, height, source->m_hDC, xSource, ySource, sourceWidth,
                                      sourceHeight, transparent);
}

CClientDC::CClientDC(const CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) { m_hDC = ::GetDC(m_hWnd); }

CClientDC::~CClientDC()
{
    if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC);
}

CWindowDC::CWindowDC(const CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) { m_hDC = ::GetWindowDC(m_hWnd); }

CWindowDC::~CWindowDC()
{
    if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC);
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr)
{
    if (m_hWnd) m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    if (m_hWnd) ::EndPaint(m_hWnd, &m_ps);
}

CMemoryDC::CMemoryDC(const CDC* compatible) { m_hDC = ::CreateCompatibleDC(compatible ? compatible->m_hDC : nullptr); }

CMemoryDC::~CMemoryDC()
{
    if (m_hDC) ::DeleteDC(m_hDC);
}
