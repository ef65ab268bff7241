// Combo box and combo list adapters.
#include "skin/adapters/SkComboWnds.h"

#include <algorithm>
#include <string>

#include "framework/Messages.h"
#include "framework/StdCtrls.h"
#include "skin/adapters/SkAdapterPaint.h"
#include "skin/adapters/SkAdapterUnit.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/paint/SkinDataRules.h"
#include "skin/engine/paint/SkinMaskPaint.h"
#include "skin/engine/paint/SkinSectionPaint.h"
#include "skin/engine/paint/SkinSmallPaint.h"
#include "skin/engine/skinfile/SkinMessages.h"
#include "skin/engine/win/SkinDib.h"
#include "skin/engine/win/SkinMessaging.h"

namespace ad::skin::adapters {

namespace {

constexpr int kComboFrame = 3;

LONG_PTR StyleOf(HWND wnd) { return ::GetWindowLongPtrW(wnd, GWL_STYLE); }

TRect WindowBounds(HWND wnd) {
    RECT r{};
    ::GetWindowRect(wnd, &r);
    return TRect(0, 0, r.right - r.left, r.bottom - r.top);
}

COLORREF Ref(TColor color) { return COLORREF(color & 0xFFFFFF); }

// The cache's strips of the given width around the window copied to dc.
void CopyCacheFrame(const TSkinCommonData& data, HDC dc, int width) {
    if (!data.CacheImage || !dc) return;
    const int w = data.CacheImage->Width(), h = data.CacheImage->Height();
    const TRect strips[] = {TRect(0, 0, w, width), TRect(0, h - width, w, h), TRect(0, width, width, h - width),
                            TRect(w - width, width, w, h - width)};
    for (const TRect& strip : strips)
        if (strip.Width() > 0 && strip.Height() > 0) data.CacheImage->Draw(dc, strip.Left, strip.Top, strip);
}

}  // namespace

TRect ComboButtonRect(int windowWidth, int windowHeight, int buttonWidth, int margin, bool rightToLeft) {
    const int left = rightToLeft ? margin : windowWidth - buttonWidth - margin;
    return TRect(left, margin, left + buttonWidth, windowHeight - margin);
}

// ---- Combo box ----

TSkComboBoxWnd::~TSkComboBoxWnd() { FreeListAdapter(); }

void TSkComboBoxWnd::InitAdapter() {
    inCtlColor_ = false;
    if (OwnsSkinData()) SkinData()->SetSkinSection("COMBOBOX");
    TSkEditWnd::InitAdapter();
}

void TSkComboBoxWnd::RestoreWindow() {
    FreeListAdapter();
    TSkEditWnd::RestoreWindow();
}

void TSkComboBoxWnd::FreeListAdapter() {
    listAdapter_.reset();
    listWnd_ = nullptr;
}

bool TSkComboBoxWnd::IsSimple() const { return (StyleOf(WindowHandle()) & 3) == CBS_SIMPLE; }

TRect TSkComboBoxWnd::ButtonRect() const {
    HWND wnd = WindowHandle();
    const TRect bounds = WindowBounds(wnd);
    const TSkinTables* skin = SkinData()->Skin();
    const int margin = skin ? skin->GlobalInfo.ComboMargin : 2;
    // A simple combo has no drop-down button at all.
    const int width = IsSimple() ? 0 : (SkinManager() ? SkinManager()->EffectiveScrollWidth() : 16) + 2;
    const bool rightToLeft = ::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_RTLREADING;
    return ComboButtonRect(bounds.Right, bounds.Bottom, width, margin, rightToLeft);
}

int TSkComboBoxWnd::ButtonState() const {
    HWND wnd = WindowHandle();
    HWND list = listWnd_;
    if (!list) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        if (::GetComboBoxInfo(wnd, &info)) list = info.hwndList;
    }
    const bool listVisible = !IsSimple() && list && ::IsWindowVisible(list);
    const bool hot = SkinData()->IsHighlighted() || (SkinManager() && SkinManager()->HoverWindow() == wnd);
    return ComboButtonState(listVisible, hot);
}

void TSkComboBoxWnd::PaintButton(HDC dc) {
    const TSkinCommonData& data = *SkinData();
    const TSkinTables* skin = data.Skin();
    const TRect button = ButtonRect();
    if (!skin || !dc || button.Width() <= 0 || button.Height() <= 0) return;
    TDibSection32 bitmap(button.Width(), button.Height());
    const TImageView32 image = bitmap.View();
    if (image.Width <= 0) return;
    const TRect all(0, 0, image.Width, image.Height);
    OwnedMemoryDC memory(::CreateCompatibleDC(dc));
    SelectObjectScope select(memory.Get(), bitmap.Handle());
    // Over the face as the cache holds it.
    if (data.CacheImage && !data.CacheImage->Empty()) {
        data.CacheImage->Draw(memory.Get(), 0, 0, button);
        ::GdiFlush();
    } else {
        FillRect32(image, all, data.BackgroundColor(0, WindowHandle()), 255);
    }
    const int state = ButtonState();
    const TSkinSectionRecord& record = skin->CommonMasks.ComboBtn;
    const int section = skin->IsValidSectionIndex(record.SectionIndex) ? record.SectionIndex
                                                                       : skin->CommonIndexes[csComboBtn];
    TColor ink = 0;
    if (skin->IsValidSectionIndex(section)) {
        const int clamped = ClampSectionState(*skin, section, state);
        const TSkBgCacheRef background = MakeBgCacheRefFromBitmap(image, 0, 0);
        const int mask = record.SectionIndex == section ? record.BorderIndex : skin->Section(section).BorderIndex;
        PaintSectionWithMask(image, all, {0, 0}, background, section, clamped, mask,
                             skin->Section(section).Props[size_t(clamped)].TextureIndex, *skin);
        ink = skin->Section(section).Props[size_t(ClampSectionState(*skin, section, std::min(state, 2)))].FontColor;
    }
    const int glyph = skin->CommonMasks.ComboBoxGlyph;
    if (skin->IsValidMaskIndex(glyph)) {
        const TPoint size = MaskFrameSize(skin->Mask(glyph));
        const int windowHeight = WindowBounds(WindowHandle()).Bottom;
        const TPoint at{(image.Width - size.X) / 2, (windowHeight - size.Y) / 2 - button.Top};
        DrawMaskState(image, at, state, MakeBgCacheRefFromBitmap(image, 0, 0), skin->Mask(glyph), 1, *skin);
    } else {
        DrawArrowTriangle(image, ink, all, adDown);
    }
    ::BitBlt(dc, button.Left, button.Top, button.Width(), button.Height(), memory.Get(), 0, 0, SRCCOPY);
}

void TSkComboBoxWnd::PaintButtonNow() {
    if (IsSimple() || !::IsWindowVisible(WindowHandle())) return;
    WindowDC dc(WindowHandle(), WindowDC::WholeWindow{});
    PaintButton(dc.Get());
}

void TSkComboBoxWnd::CopyFrame(HDC dc) { CopyCacheFrame(*SkinData(), dc, kComboFrame); }

void TSkComboBoxWnd::PaintOver(HDC dc) {
    CopyFrame(dc);
    if (!IsSimple()) {
        PaintButton(dc);
        return;
    }
    // Nothing paints the strip of a simple combo below its list: it shows
    // what lies under the combo.
    HWND wnd = WindowHandle();
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetComboBoxInfo(wnd, &info) || !info.hwndList) return;
    RECT list{}, window{};
    ::GetWindowRect(info.hwndList, &list);
    ::GetWindowRect(wnd, &window);
    if (list.bottom >= window.bottom - kComboFrame) return;
    RECT strip{0, list.bottom - window.top, window.right - window.left, window.bottom - window.top};
    const TSkBgCacheRef background = GetWindowParentBgRef(wnd);
    HWND parent = ::GetParent(wnd);
    const TColor color = background.FillColor != TColor(0xFF00FF) ? background.FillColor
                         : parent                                ? GetWindowColor(parent)
                                                                 : TColor(::GetSysColor(COLOR_BTNFACE));
    OwnedBrush brush(::CreateSolidBrush(Ref(color)));
    ::FillRect(dc, &strip, brush.Get());
}

void TSkComboBoxWnd::PaintComboText() {
    TSkinCommonData& data = *SkinData();
    if (!data.CacheImage || data.CacheImage->Empty()) return;
    HWND wnd = WindowHandle();
    const TRect bounds = WindowBounds(wnd);
    const TRect button = ButtonRect();
    const bool rightToLeft = ::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_RTLREADING;
    RECT r = rightToLeft ? RECT{button.Right, 3, bounds.Right - 3, bounds.Bottom - 3}
                         : RECT{3, 3, button.Width() > 0 ? button.Left : bounds.Right - 3, bounds.Bottom - 3};
    std::wstring text;
    const LRESULT selected = ::SendMessageW(wnd, CB_GETCURSEL, 0, 0);
    if (selected >= 0) {
        const LRESULT length = ::SendMessageW(wnd, CB_GETLBTEXTLEN, WPARAM(selected), 0);
        if (length > 0) {
            text.assign(size_t(length) + 1, L'\0');
            text.resize(size_t(std::max<LRESULT>(
                0, ::SendMessageW(wnd, CB_GETLBTEXT, WPARAM(selected), reinterpret_cast<LPARAM>(text.data())))));
        }
    } else {
        const LRESULT length = ::SendMessageW(wnd, WM_GETTEXTLENGTH, 0, 0);
        if (length > 0) {
            text.assign(size_t(length) + 1, L'\0');
            text.resize(size_t(::SendMessageW(wnd, WM_GETTEXT, WPARAM(length + 1), reinterpret_cast<LPARAM>(text.data()))));
        }
    }
    OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
    SelectObjectScope bitmap(dc.Get(), data.CacheImage->Handle());
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageW(wnd, WM_GETFONT, 0, 0));
    SelectObjectScope selectFont(dc.Get(), font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc.Get(), TRANSPARENT);
    const bool focusedList = (StyleOf(wnd) & 3) == CBS_DROPDOWNLIST && ::GetFocus() == wnd;
    const TColor ink = SectionFontColor(data, 0);
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (rightToLeft) format |= DT_RTLREADING | DT_RIGHT;
    if (focusedList) {
        ::FillRect(dc.Get(), &r, ::GetSysColorBrush(COLOR_HIGHLIGHT));
        ::SetTextColor(dc.Get(), ::GetSysColor(COLOR_HIGHLIGHTTEXT));
        RECT moved{r.left + 1, r.top, r.right, r.bottom};
        ::DrawTextW(dc.Get(), text.c_str(), int(text.size()), &moved, format);
        ::DrawFocusRect(dc.Get(), &r);
    } else {
        ::SetTextColor(dc.Get(), Ref(ink));
        ::DrawTextW(dc.Get(), text.c_str(), int(text.size()), &r, format);
    }
    ::GdiFlush();
}

void TSkComboBoxWnd::PaintComboItem(int index, const RECT& rect, HDC dc, UINT state) {
    TSkinCommonData& data = *SkinData();
    const TSkinTables* skin = data.Skin();
    HWND wnd = WindowHandle();
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (!skin || !dc || width <= 0 || height <= 0) return;
    if (data.BgChanged) PrepareAdapterCache(false);
    TDibSection32 bitmap(width, height);
    const TImageView32 image = bitmap.View();
    if (image.Width <= 0) return;
    OwnedMemoryDC memory(::CreateCompatibleDC(dc));
    SelectObjectScope select(memory.Get(), bitmap.Handle());
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageW(wnd, WM_GETFONT, 0, 0));
    SelectObjectScope selectFont(memory.Get(), font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    const TRect all(0, 0, width, height);
    const bool editPart = state & ODS_COMBOBOXEDIT;
    const int colourState = ColorState();
    if (editPart && data.CacheImage && !data.CacheImage->Empty()) {
        // Pixel by pixel: the cache may be the very bitmap dc paints into.
        ::GdiFlush();
        const TImageView32 cache = data.CacheImage->View();
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const int cx = rect.left + x, cy = rect.top + y;
                if (cx >= 0 && cy >= 0 && cx < cache.Width && cy < cache.Height)
                    SetPixel32(image, x, y, GetPixel32(cache, cx, cy));
            }
    } else {
        FillRect32(image, all, BackColor() == skNoColor ? TColor(::GetSysColor(COLOR_WINDOW)) : BackColor(), 255);
    }
    const int selection = skin->CommonIndexes[csSelection];
    const bool hasSelection = skin->IsValidSectionIndex(selection);
    TColor ink = 0;
    if (state & ODS_SELECTED) {
        if (hasSelection) {
            const int clamped = ClampSectionState(*skin, selection, 1);
            PaintSectionWithMask(image, all, {0, 0}, MakeBgCacheRefFromBitmap(image, 0, 0), selection, clamped,
                                 skin->Section(selection).BorderIndex,
                                 skin->Section(selection).Props[size_t(clamped)].TextureIndex, *skin);
        } else {
            FillRect32(image, all, skin->SelectionColor(true), 255);
        }
        ink = skin->SelectionTextColor(true);
    } else {
        ink = SectionFontColor(data, colourState);
    }
    std::wstring text;
    if (editPart && (StyleOf(wnd) & 3) == CBS_DROPDOWN) {
        text.assign(size_t(::GetWindowTextLengthW(wnd)) + 1, L'\0');
        text.resize(size_t(::GetWindowTextW(wnd, text.data(), int(text.size()))));
    } else if (index >= 0) {
        const LRESULT length = ::SendMessageW(wnd, CB_GETLBTEXTLEN, WPARAM(index), 0);
        if (length > 0) {
            text.assign(size_t(length) + 1, L'\0');
            text.resize(size_t(std::max<LRESULT>(
                0, ::SendMessageW(wnd, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data())))));
        }
    }
    UINT format = DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP | DT_NOPREFIX | DT_VCENTER;
    const LONG_PTR exStyle = ::GetWindowLongPtrW(wnd, GWL_EXSTYLE);
    if (exStyle & WS_EX_RIGHT) format |= DT_RIGHT;
    if (exStyle & WS_EX_RTLREADING) format |= DT_RTLREADING;
    RECT textRect{2, 0, width - 2, height};
    ::SetBkMode(memory.Get(), TRANSPARENT);
    ::SetTextColor(memory.Get(), Ref(ink));
    ::DrawTextW(memory.Get(), text.c_str(), int(text.size()), &textRect, format);
    if ((state & ODS_FOCUS) && !hasSelection) {
        RECT focus{0, 0, width, height};
        ::DrawFocusRect(memory.Get(), &focus);
    }
    ::BitBlt(dc, rect.left, rect.top, width, height, memory.Get(), 0, 0, SRCCOPY);
}

void TSkComboBoxWnd::PrintInto(HDC dc) {
    TSkinCommonData& data = *SkinData();
    if (!ColorsApplied()) ApplySkinColors();
    data.Updating = false;
    data.BgChanged = true;
    if (!PrepareAdapterCache(false) || !data.CacheImage || !dc) return;
    const int selected = int(::SendMessageW(WindowHandle(), CB_GETCURSEL, 0, 0));
    if (dynamic_cast<TComboBox*>(Control()) && selected >= 0) {
        // The class library's combo shows its selected item as it paints its items.
        const TRect bounds = WindowBounds(WindowHandle());
        const TRect button = ButtonRect();
        const RECT face{3, 3, button.Width() > 0 ? button.Left : bounds.Right - 3, bounds.Bottom - 3};
        OwnedMemoryDC cache(::CreateCompatibleDC(dc));
        SelectObjectScope select(cache.Get(), data.CacheImage->Handle());
        PaintComboItem(selected, face, cache.Get(), ODS_COMBOBOXEDIT);
        ::GdiFlush();
    } else {
        PaintComboText();
    }
    FillTransparentCorners(0);
    const TRect all(0, 0, data.CacheImage->Width(), data.CacheImage->Height());
    data.CacheImage->Draw(dc, 0, 0, all);
    PaintButton(dc);
}

bool TSkComboBoxWnd::ShowsFocusColors() {
    TWinControl* control = Control();
    return control && control->CanFocus() && control->TabStop();
}

HBRUSH TSkComboBoxWnd::ListBrush(TColor color) {
    if (!listBrush_ || listBrushColor_ != color) {
        listBrush_ = OwnedBrush(::CreateSolidBrush(Ref(color)));
        listBrushColor_ = color;
    }
    return listBrush_.Get();
}

void TSkComboBoxWnd::AnswerListColors(TMessage& m) {
    inCtlColor_ = true;
    CallOldProc(m);
    inCtlColor_ = false;
    HWND list = reinterpret_cast<HWND>(m.LParam);
    if (!listWnd_ && list) {
        listWnd_ = list;
        if (!listAdapter_) {
            TSkSkinParams params;
            params.SkinSection = "EDIT";
            listAdapter_ = TSkMainWnd::Create<TSkComboListWnd>(list, nullptr, SkinManager(), params);
            listAdapter_->simpleList_ = IsSimple();
        }
    }
    if (!listAdapter_ || list != listWnd_) return;
    const TSkinCommonData& listData = *listAdapter_->SkinData();
    const TSkinTables* skin = listData.Skin();
    if (!skin || !skin->IsValidSectionIndex(listData.SkinIndex)) return;
    if (!listAdapter_->ColorsApplied()) listAdapter_->ApplySkinColors();
    const TColor back = listAdapter_->BackColor() == skNoColor ? TColor(::GetSysColor(COLOR_WINDOW))
                                                               : listAdapter_->BackColor();
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    ::SetTextColor(dc, Ref(skin->Section(listData.SkinIndex).Props[0].FontColor));
    ::SetBkColor(dc, Ref(back));
    m.Result = reinterpret_cast<LRESULT>(ListBrush(back));
}

void TSkComboBoxWnd::WndProc(TMessage& m) {
    if (!SkinActive() || Destroyed()) {
        if (m.Msg == SKM_SKINCMD && SkinCommandOf(m.WParam) == SKC_SKINREMOVED) FreeListAdapter();
        TSkEditWnd::WndProc(m);
        return;
    }
    HWND wnd = WindowHandle();
    TSkinCommonData& data = *SkinData();
    switch (m.Msg) {
        case WM_SETFOCUS:
        case WM_LBUTTONUP:
            data.Focused = true;
            if (ShowsFocusColors()) {
                // The face takes the focused colours with the frame.
                ApplySkinColors();
                ::RedrawWindow(wnd, nullptr, nullptr, 0x545);
            }
            CallOldProc(m);
            PaintButtonNow();
            return;
        case WM_KILLFOCUS:
        case CM_EXIT: {
            // Still focused while the focus is on the combo's own edit.
            HWND focus = m.Msg == WM_KILLFOCUS ? reinterpret_cast<HWND>(m.WParam) : ::GetFocus();
            data.Focused = focus && ::GetParent(focus) == wnd;
            data.BgChanged = true;
            CallOldProc(m);
            if (ShowsFocusColors()) {
                ApplySkinColors();
                if (dynamic_cast<TComboBox*>(Control()) && !::SendMessageW(wnd, CB_GETDROPPEDSTATE, 0, 0))
                    if (HWND edit = ::GetWindow(wnd, GW_CHILD)) ::SendMessageW(edit, EM_SETSEL, WPARAM(-1), 0);
                ::RedrawWindow(wnd, nullptr, nullptr, 0x545);
            }
            PaintButtonNow();
            return;
        }
        case CB_SETCURSEL:
        case CM_TEXTCHANGED:
            // The class library's combo would paint its new text natively at once.
            if (!Control() || !::IsWindowVisible(wnd)) break;
            data.BgChanged = true;
            CallOldProcSilently(m);
            ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            return;
        case WM_DRAWITEM:
            CallOldProc(m);
            if (Control()) {
                ::InvalidateRect(wnd, nullptr, FALSE);
                ::UpdateWindow(wnd);
            }
            return;
        case WM_PAINT: {
            if (!ColorsApplied()) ApplySkinColors();
            CallOldProc(m);
            if (!::IsWindowVisible(wnd)) return;
            data.BgChanged = true;
            if (!PrepareAdapterCache(false)) return;
            if (HDC given = reinterpret_cast<HDC>(m.WParam)) {
                PaintOver(given);
            } else {
                WindowDC own(wnd, WindowDC::WholeWindow{});
                PaintOver(own.Get());
            }
            return;
        }
        case WM_ERASEBKGND: m.Result = 1; return;
        case WM_PRINT: PrintInto(reinterpret_cast<HDC>(m.WParam)); return;
        case CN_DRAWITEM:
            // The class library's combo hands its items to the skin.
            if (dynamic_cast<TComboBox*>(Control()) && m.LParam) {
                const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
                PaintComboItem(int(item.itemID), item.rcItem, item.hDC, item.itemState);
                m.Result = 1;
                return;
            }
            break;
        case CN_COMMAND:
            if (!IsSimple() && HIWORD(m.WParam) == CBN_CLOSEUP) {
                CallOldProc(m);
                data.BgChanged = true;
                PaintButtonNow();
                return;
            }
            break;
        case WM_CTLCOLORLISTBOX:
            if (inCtlColor_) break;
            AnswerListColors(m);
            return;
        case SKM_SKINCMD:
            switch (SkinCommandOf(m.WParam)) {
                case SKC_SKINREMOVED:
                    TSkEditWnd::WndProc(m);
                    FreeListAdapter();
                    return;
                case SKC_MOUSEENTER:
                case SKC_MOUSELEAVE:
                    TSkEditWnd::WndProc(m);
                    PaintButtonNow();
                    return;
                default: break;
            }
            break;
        default: break;
    }
    TSkEditWnd::WndProc(m);
}

// ---- Drop-down list ----

TSkComboListWnd::~TSkComboListWnd() {
    if (auto uninitialize = AdapterFunctions().UninitializeFlatSB; uninitialize && ::IsWindow(WindowHandle()))
        uninitialize(WindowHandle());
}

void TSkComboListWnd::InitAdapter() {
    tracking_ = false;
    TSkEditWnd::InitAdapter();
}

void TSkComboListWnd::ApplySkinColors() {
    TSkEditWnd::ApplySkinColors();
    if (const TSkinTables* skin = SkinData()->Skin()) frameColor_ = skin->Palette[pcBorder];
    SkinData()->BgChanged = true;
}

void TSkComboListWnd::PrepareListCache() {
    TSkinCommonData& data = *SkinData();
    if (!ColorsApplied()) ApplySkinColors();
    data.PrepareCacheImage();
    if (!data.CacheImage || data.CacheImage->Empty()) return;
    const TImageView32 image = data.CacheImage->View();
    const TColor back = BackColor() == skNoColor ? TColor(::GetSysColor(COLOR_WINDOW)) : BackColor();
    FillRect32(image, TRect(0, 0, image.Width, image.Height), frameColor_, 255);
    FillRect32(image, TRect(1, 1, image.Width - 1, image.Height - 1), back, 255);
    data.BgChanged = false;
}

void TSkComboListWnd::WndProc(TMessage& m) {
    if (!SkinActive() || Destroyed() || simpleList_) {
        TSkEditWnd::WndProc(m);
        return;
    }
    switch (m.Msg) {
        case WM_NCPAINT:
            // The edit's frame and bars, from the list's own cache.
            if (!Scrolling() && SkinData()->BgChanged) PrepareListCache();
            break;
        case WM_PRINT:
            TSkEditWnd::WndProc(m);
            if (m.WParam && (m.LParam & PRF_NONCLIENT)) {
                SkinData()->BgChanged = true;
                PrepareListCache();
                CopyCacheFrame(*SkinData(), reinterpret_cast<HDC>(m.WParam), 1);
            }
            return;
        case SKM_SKINCMD:
            if (SkinCommandOf(m.WParam) == SKC_CACHEVALID) {
                PrepareListCache();
                return;
            }
            break;
        case 0x1AE: tracking_ = true; break;  // the list box's track start
        case 0x1AF:                           // and end
            tracking_ = false;
            SkinData()->BgChanged = true;
            break;
        default: break;
    }
    TSkEditWnd::WndProc(m);
}

}  // namespace ad::skin::adapters
