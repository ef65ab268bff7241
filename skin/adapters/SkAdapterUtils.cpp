// The adapters' shared routines: geometry, frames, fonts, hot looks.
#include "skin/adapters/SkAdapterUtils.h"

#include <algorithm>
#include <cstring>

#include "base/WinText.h"
#include "skin/adapters/SkMainWnd.h"
#include "skin/engine/paint/SkinDataRules.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/engine/win/SkinMessaging.h"

namespace ad::skin::adapters {

TSkWindowGeometry GetWindowGeometry(HWND wnd) {
    TSkWindowGeometry g;
    RECT r{};
    ::GetWindowRect(wnd, &r);
    g.WindowRect = TRect(r.left, r.top, r.right, r.bottom);
    g.Size = {std::max(0, int(r.right - r.left)), std::max(0, int(r.bottom - r.top))};
    g.Parent = ::GetParent(wnd);
    POINT origin{r.left, r.top};
    if (g.Parent) {
        RECT p{};
        ::GetWindowRect(g.Parent, &p);
        g.ParentRect = TRect(p.left, p.top, p.right, p.bottom);
        ::ScreenToClient(g.Parent, &origin);
    }
    g.PosInParent = {int(origin.x), int(origin.y)};
    return g;
}

void RefreshFrame(HWND wnd, bool frameChange) {
    if (frameChange) {
        ::SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOCOPYBITS |
                           SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
    } else {
        SendAdapterMessage(wnd, WM_NCPAINT, 1, 0);
    }
}

OwnedFont CreateSystemFont(int kind) {
    // The record's size depends on the version the headers target; the
    // system takes the older size everywhere, so that is what is asked.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = UINT(offsetof(NONCLIENTMETRICSW, lfMessageFont) + sizeof(LOGFONTW));
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) return OwnedFont();
    const LOGFONTW* font = &metrics.lfMessageFont;
    switch (kind) {
        case 1: font = &metrics.lfCaptionFont; break;
        case 2: font = &metrics.lfSmCaptionFont; break;
        case 3: font = &metrics.lfMenuFont; break;
        case 4: font = &metrics.lfStatusFont; break;
        default: break;
    }
    return OwnedFont(::CreateFontIndirectW(font));
}

TSkAdapterFont::TSkAdapterFont(const TSkMainWnd& adapter) {
    if (TWinControl* control = adapter.Control()) {
        borrowed_ = control->EffectiveFont().Handle();
        return;
    }
    if (auto font = reinterpret_cast<HFONT>(::SendMessageW(adapter.WindowHandle(), WM_GETFONT, 0, 0))) {
        LOGFONTW logFont{};
        if (::GetObjectW(font, sizeof(logFont), &logFont) && logFont.lfCharSet == ANSI_CHARSET &&
            !std::wcsstr(logFont.lfFaceName, L"MS Shell Dlg")) {
            logFont.lfCharSet = DEFAULT_CHARSET;
            owned_ = OwnedFont(::CreateFontIndirectW(&logFont));
            if (owned_) return;
        }
        borrowed_ = font;
        return;
    }
    owned_ = CreateSystemFont(0);
    if (!owned_) borrowed_ = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

bool CanShowHotState(const TSkinCommonData& data, bool checkOptions) {
    const TSkinManager* manager = data.SkinManager();
    const TSkinTables* skin = data.Skin();
    if (!manager || !skin || !skin->IsValidSectionIndex(data.SkinIndex) || !skin->IsValidMaskIndex(data.BorderIndex))
        return false;
    if (checkOptions) {
        if (KindInSet(ksNoHover, data.ControlKind) && !EditHoverEnabled()) return false;
        if (manager->Options.NoMouseHover) return false;
    }
    return skin->Mask(data.BorderIndex).ImageCount > 1 || skin->Section(data.SkinIndex).States > 1;
}

std::string GetWndText(HWND wnd) {
    const int length = ::GetWindowTextLengthW(wnd);
    if (length <= 0) return {};
    std::wstring text(size_t(length) + 1, L'\0');
    text.resize(size_t(::GetWindowTextW(wnd, text.data(), length + 1)));
    return Narrow(text);
}

}  // namespace ad::skin::adapters
