// The application-window hook and the editor skin.
#include "skin/engine/win/SkinAppWindowHook.h"

#include "framework/WindowEnum.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/engine/win/SkinMessaging.h"
#include "skin/engine/win/SkinWindowAnimation.h"

namespace ad::skin {

namespace {

// Takes the editor's stand-in away on every way out of the load.
class EditorSkinScope {
public:
    explicit EditorSkinScope(const TSkinEditorData& data) { SetEditorSkin(&data); }
    ~EditorSkinScope() { SetEditorSkin(nullptr); }
    EditorSkinScope(const EditorSkinScope&) = delete;
    EditorSkinScope& operator=(const EditorSkinScope&) = delete;
};

}  // namespace

void ApplyEditorSkin(TSkinManager& manager, const TSkinEditorData& data) {
    EditorSkinScope editor(data);
    manager.BeginBatch();
    manager.SetSkinDirectory(data.SkinDirectory);
    manager.SetSkinName(data.SkinName);
    manager.EndBatch(true);
}

TSkAppWindowHook::TSkAppWindowHook(TSkinManager& manager, HWND wnd) : manager_(manager), wnd_(wnd) {
    if (wnd) subclass_ = std::make_unique<TWindowSubclass>(wnd, [this](TMessage& m) { return HandleMessage(m); });
}

bool TSkAppWindowHook::HandleMessage(TMessage& m) {
    switch (m.Msg) {
        case WM_COPYDATA: {
            const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(m.LParam);
            TSkinEditorData data;
            // The data is read within cbData only (any process can send this).
            const bool ours = cds && cds->dwData == kEditorCopyDataId && ReadEditorData(cds->lpData, cds->cbData, data);
            if (ours) {
                editorData_ = std::move(data);
                ::PostMessageW(wnd_, SKM_SKINCMD, SkinCommandWParam(SKC_APPLYEDITORSKIN), 0);
                m.Result = 1;
            }
            return ours;
        }
        case SKM_SKINCMD:
            if (SkinCommandOf(m.WParam) != SKC_APPLYEDITORSKIN) return false;
            if (editorData_) {
                const TSkinEditorData data = std::move(*editorData_);
                editorData_.reset();
                ApplyEditorSkin(manager_, data);
            }
            return true;
        case WM_SYSCOMMAND:
            if (!manager_.Skin()) return false;  // no skin: untouched
            switch (m.WParam & 0xFFF0) {
                case SC_MINIMIZE: minimizeState_ = 2; break;
                case SC_RESTORE: minimizeState_ = 1; break;
                default: minimizeState_ = 0; break;
            }
            return false;  // the system minimises and restores; the forms animate themselves
        case WM_THEMECHANGED:
            m.Result = 0;
            return true;
        case WM_INITMENUPOPUP:
            if (TSkinMenusLink* menus = manager_.SkinableMenus()) menus->InitMenuPopup(reinterpret_cast<HMENU>(m.WParam));
            return false;
        case kMenuBorderByMenu:
        case kMenuBorderByWindow: {
            HWND window = nullptr;
            if (m.Msg == kMenuBorderByWindow) {
                window = reinterpret_cast<HWND>(m.LParam);
            } else if (auto menu = reinterpret_cast<HMENU>(m.WParam); ::IsMenu(menu)) {
                RECT r{};
                if (::GetMenuItemRect(nullptr, menu, 0, &r))
                    window = ::WindowFromPoint(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
            }
            TSkinMenusLink* menus = manager_.SkinableMenus();
            if (manager_.SkinnedPopups() && menus && window && ::IsWindow(window) &&
                GetWndClassName(window) == kPopupMenuClass)
                menus->PaintPopupBorderOf(window);
            m.Result = 0;
            return true;
        }
        case kActivationNotice:
            for (HWND wnd : ThreadWindows())
                if (::IsWindowVisible(wnd)) SendSkinCommand(wnd, SKC_REPAINT);
            return false;
        default: return false;
    }
}

}  // namespace ad::skin
