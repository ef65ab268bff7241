// Column header painting and the header subclass of the list view adapter.
#include "skin/adapters/SkListHeader.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "skin/adapters/SkAdapterPaint.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/paint/SkinDataRules.h"
#include "skin/engine/paint/SkinMaskPaint.h"
#include "skin/engine/paint/SkinSectionPaint.h"
#include "skin/engine/win/SkinDib.h"

namespace ad::skin::adapters {

namespace {

constexpr int kSortMarkWidth = 6, kSortMarkHeight = 3, kSortMarkGap = 6;

// The columns' indexes in display order.
std::vector<int> DisplayOrder(HWND header) {
    const int count = int(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    std::vector<int> order(size_t(std::max(count, 0)));
    for (int i = 0; i < count; ++i) order[size_t(i)] = i;
    if (count > 0 && (::GetWindowLongPtrW(header, GWL_STYLE) & HDS_DRAGDROP))
        ::SendMessageW(header, HDM_GETORDERARRAY, WPARAM(count), reinterpret_cast<LPARAM>(order.data()));
    return order;
}

TRect ColumnRect(HWND header, int index) {
    RECT r{};
    if (!::SendMessageW(header, HDM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r))) return {};
    return TRect(r.left, r.top, r.right, r.bottom);
}

uint32_t Pixel(TColor color) {
    return 0xFF000000u | ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

// A 6 x 3 triangle pointing up or down with its top-left at (x, y).
void DrawSortTriangle(const TImageView32& image, int x, int y, bool up, TColor color) {
    for (int row = 0; row < kSortMarkHeight; ++row) {
        const int inset = up ? kSortMarkHeight - 1 - row : row;
        for (int col = x + inset; col < x + kSortMarkWidth - inset; ++col) {
            if (col < 0 || y + row < 0 || col >= image.Width || y + row >= image.Height) continue;
            *reinterpret_cast<uint32_t*>(image.Pixel(col, y + row)) = Pixel(color);
        }
    }
}

// The skin's arrow glyph of the scroll buttons pointing up or down; -1 when none.
int SortGlyphMask(const TSkinTables& skin, bool up) {
    const int mask = skin.CommonMasks.ScrollButtons[up ? 1 : 3].GlyphIndex;
    return skin.IsValidMaskIndex(mask) ? mask : -1;
}

// One column's (or the empty area's) section, caption, sort mark and image.
void PaintColumn(HWND header, HDC target, int column, const TRect& rect, const TSkHeaderLook& look, int section) {
    TDibSection32 bitmap(rect.Width(), rect.Height());
    const TImageView32 image = bitmap.View();
    if (image.Width <= 0 || image.Height <= 0) return;
    const TSkinTables& skin = *look.Skin;
    const int state = HeaderColumnState(column, look.HotColumn, look.PressedColumn);
    const TRect all(0, 0, image.Width, image.Height);
    FillRect32(image, all, look.Background, 255);
    TSkBgCacheRef background;
    background.FillColor = look.Background;
    const int clamped = ClampSectionState(skin, section, state);
    PaintSectionWithMask(image, all, {0, 0}, background, section, clamped, skin.Section(section).BorderIndex,
                         skin.Section(section).Props[0].TextureIndex, skin);
    OwnedMemoryDC dc(::CreateCompatibleDC(target));
    SelectObjectScope selectBitmap(dc.Get(), bitmap.Handle());
    if (column >= 0) {
        wchar_t text[1024] = {};
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE | HDI_ORDER;
        item.pszText = text;
        item.cchTextMax = int(std::size(text));
        ::SendMessageW(header, HDM_GETITEMW, WPARAM(column), reinterpret_cast<LPARAM>(&item));
        SelectObjectScope selectFont(dc.Get(), look.Font ? look.Font : ::GetStockObject(DEFAULT_GUI_FONT));
        const TColor ink = skin.Section(section).Props[size_t(clamped)].FontColor;
        const bool pressed = state == 2;
        const int shift = pressed && look.ShiftPressedContent ? 1 : 0;
        TRect textRect = Inflate(all, -4, -1);

        const bool sortDown = item.fmt & HDF_SORTDOWN, sortUp = item.fmt & HDF_SORTUP;
        const int glyph = (sortDown || sortUp) ? SortGlyphMask(skin, sortUp) : -1;
        const int markWidth = glyph >= 0 ? MaskFrameSize(skin.Mask(glyph)).X : kSortMarkWidth;
        const int sortReserve = (sortDown || sortUp) ? markWidth + kSortMarkGap : 0;
        int imageWidth = 0, imageHeight = 0;
        const bool showImage = (item.fmt & HDF_IMAGE) && item.iImage >= 0 && look.Images;
        if (showImage) ::ImageList_GetIconSize(look.Images, &imageWidth, &imageHeight);

        const int length = int(wcsnlen(text, std::size(text)));
        SIZE extent{};
        if (length > 0) ::GetTextExtentPoint32W(dc.Get(), text, length, &extent);
        const int textWidth = length > 0 ? int(extent.cx) + 5 : 0;
        const int room = std::max(0, textRect.Width() - sortReserve);
        int left = textRect.Left;
        if (item.fmt & HDF_RIGHT) left = textRect.Left + std::max(0, room - textWidth);
        else if (item.fmt & HDF_CENTER) left = textRect.Left + std::max(0, (room - textWidth) / 2);
        else if (showImage) left += imageWidth + 4;
        const int right = std::min(left + textWidth, textRect.Left + room);

        if (showImage) {
            const int imageLeft = (item.fmt & (HDF_RIGHT | HDF_CENTER)) ? std::max(textRect.Left, left - imageWidth - 4)
                                                                        : textRect.Left;
            const int imageTop = (image.Height - imageHeight) / 2 + (pressed ? 1 : 0);
            ::ImageList_Draw(look.Images, item.iImage, dc.Get(), imageLeft + shift, imageTop, ILD_TRANSPARENT);
        }
        if (length > 0) {
            RECT r{left + shift, textRect.Top + shift, right + shift, textRect.Bottom + shift};
            ::SetBkMode(dc.Get(), TRANSPARENT);
            ::SetTextColor(dc.Get(), RGB(ink & 0xFF, (ink >> 8) & 0xFF, (ink >> 16) & 0xFF));
            ::DrawTextW(dc.Get(), text, length, &r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        }
        ::GdiFlush();
        if (sortDown || sortUp) {
            const int markLeft = std::min(left + std::max(0, textWidth - 5) + kSortMarkGap, all.Right - markWidth - 2);
            if (glyph >= 0) {
                const TPoint size = MaskFrameSize(skin.Mask(glyph));
                TSkBgCacheRef glyphBackground = MakeBgCacheRefFromBitmap(image, 0, 0);
                DrawMaskState(image, {markLeft + shift, (image.Height - size.Y) / 2 + shift}, std::min(state, 2),
                              glyphBackground, skin.Mask(glyph), 1, skin);
            } else {
                DrawSortTriangle(image, markLeft + shift, (image.Height - kSortMarkHeight) / 2 + shift, sortUp, ink);
            }
        }
    }
    ::BitBlt(target, rect.Left, rect.Top, rect.Width(), rect.Height(), dc.Get(), 0, 0, SRCCOPY);
}

}  // namespace

int HeaderColumnState(int column, int hotColumn, int pressedColumn) {
    if (pressedColumn != -1) return column == pressedColumn ? 2 : 0;
    return column == hotColumn ? 1 : 0;
}

int HeaderSectionIndex(const TSkinTables& skin) {
    const int header = skin.CommonIndexes[csColHeader];
    if (skin.IsValidSectionIndex(header)) return header;
    const int button = skin.CommonIndexes[csButton];
    return skin.IsValidSectionIndex(button) ? button : -1;
}

void PaintHeaderColumns(HWND header, HDC dc, const TSkHeaderLook& look) {
    if (!look.Skin || !dc) return;
    const int section = HeaderSectionIndex(*look.Skin);
    if (section < 0) return;
    RECT client{};
    ::GetClientRect(header, &client);
    int lastRight = 0;
    for (int column : DisplayOrder(header)) {
        const TRect rect = ColumnRect(header, column);
        if (rect.Width() <= 0 || rect.Height() <= 0) continue;
        PaintColumn(header, dc, column, rect, look, section);
        lastRight = std::max(lastRight, rect.Right);
    }
    if (lastRight < client.right)
        PaintColumn(header, dc, kHeaderEmptyArea, TRect(lastRight, 0, client.right, client.bottom), look, section);
}

int HeaderColumnAt(HWND header, POINT clientPoint) {
    for (int column : DisplayOrder(header)) {
        const TRect rect = ColumnRect(header, column);
        if (clientPoint.x >= rect.Left && clientPoint.x < rect.Right && clientPoint.y >= rect.Top &&
            clientPoint.y < rect.Bottom)
            return column;
    }
    return kHeaderEmptyArea;
}

TSkListHeader::TSkListHeader(HWND header, HWND listView, std::function<bool()> active,
                             std::function<TSkHeaderLook()> look)
    : listView_(listView), active_(std::move(active)), look_(std::move(look)) {
    subclass_ = std::make_unique<TWindowSubclass>(header, [this](TMessage& m) { return HandleMessage(m); });
}

TSkListHeader::~TSkListHeader() {
    HWND header = Handle();
    subclass_.reset();
    if (header && ::IsWindow(header)) ::InvalidateRect(header, nullptr, TRUE);
}

void TSkListHeader::ClearHot() {
    if (hot_ == -1 && pressed_ == -1) return;
    hot_ = pressed_ = -1;
    if (HWND header = Handle()) ::InvalidateRect(header, nullptr, FALSE);
}

void TSkListHeader::Paint(HDC dc) {
    HWND header = Handle();
    if (!header) return;
    TSkHeaderLook look = look_();
    look.HotColumn = hot_;
    look.PressedColumn = pressed_;
    if (dc) {
        PaintHeaderColumns(header, dc, look);
        return;
    }
    WindowDC own(header);
    PaintHeaderColumns(header, own.Get(), look);
}

bool TSkListHeader::HandleMessage(TMessage& m) {
    HWND header = subclass_->Handle();
    if (m.Msg == WM_NCDESTROY) {
        // The header goes: passed on, then forgotten.
        m.Result = subclass_->CallNext(m);
        subclass_->Detach();
        return true;
    }
    if (!active_()) return false;
    switch (m.Msg) {
        case WM_PAINT:
            PaintForMessage(header, m, [this](HDC dc) { Paint(dc); });
            return true;
        case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(m.WParam)); return true;
        case WM_ERASEBKGND: m.Result = 1; return true;
        case WM_WINDOWPOSCHANGING:
            if (::IsWindowVisible(listView_)) ::SendMessageW(listView_, WM_NCPAINT, 1, 0);
            return false;
        case WM_NCHITTEST: {
            m.Result = subclass_->CallNext(m);
            POINT p{short(LOWORD(m.LParam)), short(HIWORD(m.LParam))};
            ::ScreenToClient(header, &p);
            const int hot = HeaderColumnAt(header, p);
            if (hot != hot_) {
                hot_ = hot;
                ::InvalidateRect(header, nullptr, FALSE);
            }
            return true;
        }
        case WM_LBUTTONUP:
            pressed_ = -1;
            return false;
        case WM_LBUTTONDOWN: {
            m.Result = subclass_->CallNext(m);
            HDHITTESTINFO hit{};
            hit.pt = {short(LOWORD(m.LParam)), short(HIWORD(m.LParam))};
            const int item = int(::SendMessageW(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
            pressed_ = (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) ? -1 : item;
            ::InvalidateRect(header, nullptr, FALSE);
            return true;
        }
        default: return false;
    }
}

}  // namespace ad::skin::adapters
