#include "ResList.h"

#include "AlbumApp.h"
#include "app/CxWinApp.h"
#include "photo/PhotoNames.h"
#include "res/resource.h"

using namespace Gdiplus;

namespace {

constexpr ARGB kSelectionTint = 0x50FFFFFF;
constexpr ARGB kCardTextColour = 0xDC000000;
constexpr ARGB kStatusTextColour = 0xA8000000;
constexpr REAL kCardFontPoints = 8;
constexpr REAL kStatusFontPoints = 9;
// The status bar's rounded caps are 20 pixels wide; the bar keeps 20 pixels from each side.
constexpr int kStatusCap = 20;
constexpr REAL kStatusTextX = 50;
constexpr REAL kStatusTextRise = 8;
// The badge's right edge lies this far right of the card's left edge, its top this far above the card.
constexpr int kBadgeOverlap = 15;
constexpr int kBadgeRise = 4;

}  // namespace

CResList::CardLayout::CardLayout(const CRect& bounds, CSize box)
{
    const int left = bounds.left, top = bounds.top;
    origin = bounds.TopLeft();
    frame = CRect(left + 4, top - 1, left + 64, top + 59);
    compressBox = CRect(CPoint(left + 83, top + 37), box);
    dateBox = CRect(CPoint(left + 170, top + 37), box);
    thumbHotBox = CRect(left + 8, top + 3, left + 60, top + 55);
    name = CPoint(left + 83, top);
    sizeLine = CPoint(left + 83, top + 18);
    compressWord = CPoint(left + 102, top + 39);
    dateWord = CPoint(left + 189, top + 39);
}

CPoint CResList::CardLayout::Thumbnail(int width, int height) const
{
    return CPoint(origin.x + 34 - width / 2, origin.y + 29 - height / 2);
}

CResList::~CResList()
{
    // The photos are freed by the window's WM_DESTROY, which must still reach this class.
    DestroyWindow();
    frameImage.reset();
    checkImage.reset();
    statusImage.reset();
}

bool CResList::StrictlyInside(CPoint point, const CRect& rect)
{
    return point.x > rect.left && point.x < rect.right && point.y > rect.top && point.y < rect.bottom;
}

int CResList::AddPhoto(std::unique_ptr<PhotoItem> photo)
{
    // No LVIF_TEXT: the text stays empty without the list storing a copy of it for every item.
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = GetItemCount();
    item.lParam = reinterpret_cast<LPARAM>(photo.get());
    const int index = InsertItem(&item);
    if (index >= 0) photo.release();
    return index;
}

void CResList::ClearPhotos()
{
    HideBadge();
    for (int i = GetItemCount() - 1; i >= 0; --i) {
        delete GetPhoto(i);
        SetItemData(i, 0);
    }
    DeleteAllItems();
    // Indices of the old items mean nothing for the next ones.
    lastClicked = -1;
    hotItem = -1;
}

PhotoItem* CResList::GetPhoto(int item) const { return reinterpret_cast<PhotoItem*>(GetItemData(item)); }

int CResList::CountMarked() const
{
    int marked = 0;
    for (int i = 0, count = GetItemCount(); i < count; ++i) {
        const PhotoItem* photo = GetPhoto(i);
        if (photo && photo->compress) ++marked;
    }
    return marked;
}

void CResList::HideBadge()
{
    if (badge.m_hWnd) badge.Hide();
    hoverItem = -1;
}

void CResList::Compose(Graphics& g)
{
    if (!m_hWnd || !IsWindowVisible()) return;
    RectF area = GetRect();
    if (dirty || !body) {
        RenderBody(LayerSurface::BackgroundOf(g), area);
        if (ShowsBars()) {
            CDC dc(body->Dc());
            DrawBar(dc);
        }
        body->MakeOpaque(CRect(0, 0, body->Width(), body->Height()));
        dirty = 0;
    }
    body->DrawOnto(g, INT(area.X), INT(area.Y));
}

void CResList::PreSubclassWindow()
{
    frameImage = ImageFrom(LoadRes(IDP_CARD_FRAME, L"PNG", nullptr));
    checkImage = ImageFrom(LoadRes(IDP_CHECK_BOXES, L"PNG", nullptr));
    statusImage = ImageFrom(LoadRes(IDP_STATUS_BAR, L"PNG", nullptr));
    cardFont = CAlbumApp::MakeFont(L"Courier New", kCardFontPoints);
    statusFont = CAlbumApp::MakeFont(L"Courier New", kStatusFontPoints);
    cardTexts = std::make_unique<CTextImages>(cardFont.get(), kCardTextColour);
    CxIconListCtrl::PreSubclassWindow();
    SetSelColor(Color(kSelectionTint));
    badge.Create(this);
}

void CResList::DrawImage(Graphics& target, Graphics& background, RectF& area)
{
    DrawBody(target, background, area);
    if (ShowsBars()) DrawBar(target);
}

bool CResList::ShowsBars() const
{
    // A scan's status bar replaces the scroll bars until the scan ends.
    return GetWindowTextLength() == 0;
}

CSize CResList::BoxSize() const
{
    if (!checkImage) return CSize(0, 0);
    return CSize(INT(checkImage->GetWidth()) / 2, INT(checkImage->GetHeight()));
}

CResList::CardLayout CResList::LayoutOf(int item) const
{
    CRect bounds;
    GetItemRect(item, &bounds, LVIR_BOUNDS);
    return CardLayout(bounds, BoxSize());
}

int CResList::CardAt(CPoint point) const
{
    const View view = GetView();
    for (int i = 0, count = GetItemCount(); i < count; ++i) {
        CRect bounds;
        if (GetVisibleBounds(i, bounds, view) && bounds.PtInRect(point)) return i;
    }
    return -1;
}

void CResList::DrawTextW(CDC& dc)
{
    const int count = GetItemCount();
    if (count == 0) return;
    const View view = GetView();
    for (int i = 0; i < count; ++i) {
        CRect bounds;
        if (GetVisibleBounds(i, bounds, view)) DrawItemImg(dc, i, bounds);
    }
    if (cardTexts) cardTexts->Trim();
    CString status = GetWindowText();
    if (status.IsEmpty()) return;
    DrawStatus(*LayerSurface::GraphicsOn(dc.GetSafeHdc()), status);
}

void CResList::DrawItemImg(CDC& dc, int item, CRect& rect)
{
    const std::unique_ptr<Graphics> surface = LayerSurface::GraphicsOn(dc.GetSafeHdc());
    Graphics& g = *surface;
    g.SetInterpolationMode(InterpolationModeHighQuality);
    const CardLayout card(rect, BoxSize());
    if (frameImage) {
        g.DrawImage(frameImage.get(), INT(card.frame.left), INT(card.frame.top), INT(frameImage->GetWidth()),
                    INT(frameImage->GetHeight()));
    }
    const PhotoItem* photo = GetPhoto(item);
    if (!photo) return;
    if (Image* thumbnail = photo->thumbnail.get()) {
        const INT width = INT(thumbnail->GetWidth()), height = INT(thumbnail->GetHeight());
        const CPoint at = card.Thumbnail(width, height);
        g.DrawImage(thumbnail, INT(at.x), INT(at.y), width, height);
    }
    if (checkImage) {
        const CSize box = BoxSize();
        auto drawBox = [&](const CRect& place, int ticked) {
            g.DrawImage(checkImage.get(), Rect(place.left, place.top, box.cx, box.cy), ticked ? 0 : box.cx, 0,
                        box.cx, box.cy, UnitPixel);
        };
        drawBox(card.compressBox, photo->compress);
        drawBox(card.dateBox, photo->stampDate);
    }

    if (!cardTexts) return;
    CString size;
    size.Format(L"%dx%d %s", photo->width, photo->height, static_cast<const wchar_t*>(photo->sizeText));
    cardTexts->Draw(g, ShortenName(CxWinApp::GetFileName(photo->path), kCardNameLength), card.name);
    cardTexts->Draw(g, size, card.sizeLine);
    cardTexts->Draw(g, L"Compress", card.compressWord);
    cardTexts->Draw(g, L"Date", card.dateWord);
}

void CResList::DrawStatus(Graphics& g, const CString& status)
{
    CRect client;
    GetClientRect(&client);
    const int cw = client.Width(), ch = client.Height();
    if (statusImage) {
        const INT w = INT(statusImage->GetWidth()), h = INT(statusImage->GetHeight());
        const INT y0 = ch / 2 - h / 2;
        Image* bar = statusImage.get();
        g.DrawImage(bar, Rect(kStatusCap, y0, kStatusCap, h), 0, 0, kStatusCap, h, UnitPixel);
        g.DrawImage(bar, Rect(2 * kStatusCap, y0, cw - 4 * kStatusCap, h), kStatusCap, 0, 1, h, UnitPixel);
        g.DrawImage(bar, Rect(cw - 2 * kStatusCap, y0, kStatusCap, h), w - kStatusCap, 0, kStatusCap, h, UnitPixel);
    }
    StringFormat format;
    format.SetAlignment(StringAlignmentNear);
    SolidBrush brush{Color(kStatusTextColour)};
    g.DrawString(status, -1, statusFont.get(), PointF(kStatusTextX, REAL(ch) * 0.5f - kStatusTextRise), &format,
                 &brush);
}

LRESULT CResList::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
        return OnLButtonDown(UINT(wParam), PointFrom(lParam));
    case WM_MOUSEMOVE:
        return OnMouseMove(UINT(wParam), PointFrom(lParam));
    case WM_SIZE:
        return OnSize();
    case WM_DESTROY:
        return OnDestroy();
    }
    return CxIconListCtrl::WindowProc(msg, wParam, lParam);
}

LRESULT CResList::OnLButtonDown(UINT flags, CPoint point)
{
    const int item = CardAt(point);
    if (item == -1) return CxIconListCtrl::OnLButtonDown(flags, point);
    const CardLayout card = LayoutOf(item);
    if (PhotoItem* photo = GetPhoto(item)) {
        if (StrictlyInside(point, card.compressBox)) {
            photo->compress = !photo->compress;
            ::SendMessageW(::GetParent(m_hWnd), WM_USER + 1, reinterpret_cast<WPARAM>(this), LPARAM(item));
            Redraw(1, nullptr);
            return 0;
        }
        if (StrictlyInside(point, card.dateBox)) {
            photo->stampDate = !photo->stampDate;
            Redraw(1, nullptr);
            return 0;
        }
    }
    if (StrictlyInside(point, card.thumbHotBox)) return 0;
    return CxIconListCtrl::OnLButtonDown(flags, point);
}

LRESULT CResList::OnMouseMove(UINT flags, CPoint point)
{
    const int item = CardAt(point);
    // Between cards the badge stays where it is.
    if (item == -1) return Default();
    const CardLayout card = LayoutOf(item);
    if (!StrictlyInside(point, card.thumbHotBox)) {
        HideBadge();
    } else if (item != hoverItem && badge.m_hWnd) {
        hoverItem = item;
        badge.Hide();
        CRect badgeRect;
        badge.GetWindowRect(&badgeRect);
        CPoint at(card.origin.x - badgeRect.Width() + kBadgeOverlap, card.origin.y - kBadgeRise);
        ClientToScreen(&at);
        badge.ShowAt(at);
    }
    return CxIconListCtrl::OnMouseMove(flags, point);
}

LRESULT CResList::OnSize()
{
    SetRedraw(FALSE);
    LRESULT result = Default();
    Arrange(LVA_DEFAULT);
    SetRedraw(TRUE);
    return result;
}

LRESULT CResList::OnDestroy()
{
    ClearPhotos();
    return Default();
}
