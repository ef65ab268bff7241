// The default manager's hook of the application window: the skin editor's
// live skins (WM_COPYDATA, applied later through SKC_APPLYEDITORSKIN), the
// minimise state of system commands, theme changes and the library's
// activation notice (every top-level window repaints).
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "framework/WindowSubclass.h"
#include "skin/engine/skinfile/SkinEditorData.h"

namespace ad::skin {

class TSkinManager;

// Loads the editor's skin: its directory and name with its INI text standing
// in for the folder's "Options.dat", in one batch; the stand-in is gone after,
// however the load ends.
void ApplyEditorSkin(TSkinManager& manager, const TSkinEditorData& data);

// The activation notice of the class library.
constexpr UINT kActivationNotice = 0xB000;

class TSkAppWindowHook {
public:
    // Hooks wnd (the application window) for manager.
    TSkAppWindowHook(TSkinManager& manager, HWND wnd);
    TSkAppWindowHook(const TSkAppWindowHook&) = delete;
    TSkAppWindowHook& operator=(const TSkAppWindowHook&) = delete;

    // True when the message is handled and the window must not process it further.
    bool HandleMessage(TMessage& m);
    // 2 after a minimise command, 1 after a restore, 0 after any other.
    int MinimizeState() const { return minimizeState_; }

private:
    TSkinManager& manager_;
    HWND wnd_;
    std::optional<TSkinEditorData> editorData_;
    int minimizeState_ = 0;
    std::unique_ptr<TWindowSubclass> subclass_;
};

}  // namespace ad::skin
