#pragma once
// GDI wrappers. Owners of GDI objects (CGdiObject, CBitmap, CFont, CPen, CBrush) delete what they hold;
// CDC only wraps a device context that somebody else owns (one that arrives in a message), while
// CClientDC, CWindowDC, CPaintDC and CMemoryDC own theirs. Selections are undone by CSelectionGuard.
#include "FrameworkApi.h"
#include "Geometry.h"
#include "Strings.h"

class CDC;
class CWnd;

// Owner of one GDI object: deletes it on destruction or replacement; move-only.
class FW_API CGdiObject {
public:
    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(CGdiObject&& other) noexcept;
    CGdiObject& operator=(CGdiObject&& other) noexcept;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    // Takes ownership of object; the object held so far is deleted.
    BOOL Attach(HGDIOBJ object);
    // Gives up ownership and returns the handle.
    HGDIOBJ Detach();
    // Deletes the object now; FALSE when there is none.
    BOOL DeleteObject();
    // Fills buffer with the object's description (GetObjectW); returns the bytes written.
    int GetObject(int size, void* buffer) const;

    HGDIOBJ m_hObject = nullptr;
};

// An owned bitmap.
class FW_API CBitmap : public CGdiObject {
public:
    HBITMAP Get() const { return static_cast<HBITMAP>(m_hObject); }
    // Loads a bitmap resource from the module that holds it (the resource module first, then the executable).
    BOOL LoadBitmap(UINT id);
    // Device-dependent bitmaps compatible with dc (the screen for null); they replace the bitmap held so far.
    BOOL CreateCompatibleBitmap(const CDC* dc, int width, int height);
    BOOL CreateDiscardableBitmap(const CDC* dc, int width, int height);
    // Size, bit depth and (for DIB sections) bits of the bitmap.
    int GetBitmap(BITMAP* info) const;
};

// An owned logical font.
class FW_API CFont : public CGdiObject {
public:
    HFONT Get() const { return static_cast<HFONT>(m_hObject); }
    // CreateFontW with the same arguments; replaces the font held so far.
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                    BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                    BYTE pitchAndFamily, const wchar_t* faceName);
    BOOL CreateFontIndirect(const LOGFONTW* logFont);
    // The font's logical description; FALSE when there is no font.
    BOOL GetLogFont(LOGFONTW* logFont) const;
    // A borrowed wrapper of a font owned elsewhere (a window's WM_GETFONT font), valid while the font exists.
    static CFont* FromHandle(HFONT font);
};

// An owned pen.
class FW_API CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    HPEN Get() const { return static_cast<HPEN>(m_hObject); }
    // Replaces the pen held so far.
    BOOL CreatePen(int style, int width, COLORREF color);
};

// An owned brush.
class FW_API CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    HBRUSH Get() const { return static_cast<HBRUSH>(m_hObject); }
    // Replaces the brush held so far.
    BOOL CreateSolidBrush(COLORREF color);
};

// Keeps a pen, brush, font or bitmap selected into a device context and selects the previous one back on
// scope exit. Declare it after the object it selects, so that the object outlives the selection.
class FW_API CSelectionGuard {
public:
    CSelectionGuard(HDC dc, HGDIOBJ object);
    ~CSelectionGuard();
    CSelectionGuard(CSelectionGuard&& other) noexcept;
    CSelectionGuard(const CSelectionGuard&) = delete;
    CSelectionGuard& operator=(const CSelectionGuard&) = delete;
    CSelectionGuard& operator=(CSelectionGuard&&) = delete;

    // True when the object was selected.
    explicit operator bool() const { return m_previous != nullptr; }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// A device context owned by somebody else (the system's, a paint cycle's, a GDI+ surface's), with the
// drawing operations of the toolkit.
class FW_API CDC {
public:
    CDC() = default;
    explicit CDC(HDC dc) : m_hDC(dc) {}
    virtual ~CDC() = default;

    HDC GetSafeHdc() const { return m_hDC; }

    // Selects object until the returned guard ends.
    [[nodiscard]] CSelectionGuard SelectObject(const CGdiObject& object) const;
    [[nodiscard]] CSelectionGuard SelectObject(HGDIOBJ object) const;
    [[nodiscard]] CSelectionGuard SelectStockObject(int index) const;

    COLORREF SetTextColor(COLORREF color) const;
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF color) const;
    COLORREF GetBkColor() const;
    int SetBkMode(int mode) const;
    UINT SetTextAlign(UINT flags) const;
    int SetStretchBltMode(int mode) const;

    // TextOutW of count characters (the whole text for -1).
    BOOL TextOut(int x, int y, const wchar_t* text, int count = -1) const;
    // DrawTextW; the text is never written to, whatever the format says (DT_MODIFYSTRING works on a copy).
    int DrawText(const wchar_t* text, int count, LPRECT rect, UINT format) const;
    int DrawText(const CString& text, LPRECT rect, UINT format) const;
    // Size of the text in the selected font.
    CSize GetTextExtent(const wchar_t* text, int count = -1) const;

    CPoint MoveTo(int x, int y) const;
    BOOL LineTo(int x, int y) const;

    // Fills a rectangle with a colour; the background colour of the context is left as it was.
    void FillSolidRect(LPCRECT rect, COLORREF color) const;
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color) const;
    // A one-pixel frame: top and left edges in topLeft, right and bottom edges in bottomRight.
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight) const;
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) const;

    BOOL BitBlt(int x, int y, int width, int height, const CDC* source, int xSource, int ySource, DWORD rop) const;
    BOOL StretchBlt(int x, int y, int width, int height, const CDC* source, int xSource, int ySource,
                    int sourceWidth, int sourceHeight, DWORD rop) const;
    // Blends source over this context (msimg32 AlphaBlend; AC_SRC_ALPHA needs a premultiplied 32-bit source).
    BOOL AlphaBlend(int x, int y, int width, int height, const CDC* source, int xSource, int ySource,
                    int sourceWidth, int sourceHeight, BLENDFUNCTION blend) const;
    // Copies source except the pixels of colour transparent.
    BOOL TransparentBlt(int x, int y, int width, int height, const CDC* source, int xSource, int ySource,
                        int sourceWidth, int sourceHeight, UINT transparent) const;

    HDC m_hDC = nullptr;
};

// The client-area device context of a window (the screen for null), released on destruction.
class FW_API CClientDC : public CDC {
public:
    explicit CClientDC(const CWnd* wnd);
    ~CClientDC() override;
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;

private:
    HWND m_hWnd;
};

// The whole-window device context (frame included), released on destruction.
class FW_API CWindowDC : public CDC {
public:
    explicit CWindowDC(const CWnd* wnd);
    ~CWindowDC() override;
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;

private:
    HWND m_hWnd;
};

// One paint cycle of a window: BeginPaint on construction, EndPaint on destruction.
class FW_API CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};

// A memory device context compatible with another one (the screen for null), deleted on destruction.
class FW_API CMemoryDC : public CDC {
public:
    explicit CMemoryDC(const CDC* compatible = nullptr);
    ~CMemoryDC() override;
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;
};
