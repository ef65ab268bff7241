// The colour resolvers that answer system colours from the skin's palette.
#include "skin/engine/win/SkinSysColorService.h"

#include <windows.h>

#include <optional>

#include "framework/Graphics.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/engine/skinfile/SkinSysColors.h"

namespace ad::skin {

namespace {

bool g_installed = false;
TSysColorResolver g_previousResolver = nullptr;

// The skin's colour for the index, in colour order; nothing without a skin.
std::optional<COLORREF> PaletteColor(int index) {
    TSkinManager* manager = DefaultManager();
    const TSkinTables* skin = manager ? manager->Skin() : nullptr;
    if (!skin) return std::nullopt;
    const std::optional<TColor> c = SubstituteSysColor(index, skin->Palette, SkinFrameColor());
    if (!c) return std::nullopt;
    // A palette entry may itself name a system colour: that one comes from the system.
    if (IsSystemColor(*c)) return ::GetSysColor(int(*c & 0xFF));
    return COLORREF(*c & 0x00FFFFFF);
}

bool ResolveForFramework(int index, COLORREF& color) {
    if (const auto c = PaletteColor(index)) {
        color = *c;
        return true;
    }
    return false;
}

uint32_t ResolveForSkin(int index) {
    if (const auto c = PaletteColor(index)) return *c;
    return ::GetSysColor(index);
}

}  // namespace

TColor SkinFrameColor() {
    static const TColor frame = TColor(::GetSysColor(COLOR_INACTIVEBORDER));
    return frame;
}

void InstallColorSubstitution() {
    if (g_installed) return;
    SkinFrameColor();  // read before any substitution
    g_previousResolver = SetSysColorResolver(&ResolveForFramework);
    SetSysColorLookup(&ResolveForSkin);
    g_installed = true;
}

void RemoveColorSubstitution() {
    if (!g_installed) return;
    SetSysColorResolver(g_previousResolver);
    SetSysColorLookup([](int index) { return uint32_t(::GetSysColor(index)); });
    g_installed = false;
}

bool ColorSubstitutionInstalled() { return g_installed; }

}  // namespace ad::skin
