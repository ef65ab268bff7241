// The system-colour resolver that answers from the skin's palette.
#include "skin/engine/win/SkinSysColorService.h"

#include <windows.h>

#include <optional>

#include "skin/engine/win/SkinManager.h"
#include "skin/engine/skinfile/SkinSysColors.h"

namespace ad::skin {

namespace {

bool g_installed = false;
TSysColorResolver g_previousResolver = nullptr;

// The skin's colour for the index, in colour order; nothing without a skin.
std::optional<uint32_t> PaletteColor(int index) {
    TSkinManager* manager = DefaultManager();
    const TSkinTables* skin = manager ? manager->Skin() : nullptr;
    if (!skin) return std::nullopt;
    const std::optional<TColor> c = SubstituteSysColor(index, skin->Palette, SkinFrameColor());
    if (!c) return std::nullopt;
    // A palette entry may itself name a system colour: that one comes from the system.
    if (IsSystemColor(*c)) return PlatformSysColor(int(*c & 0xFF));
    return uint32_t(*c & 0x00FFFFFF);
}

// Indexes the skin leaves go to the resolver that was installed before.
bool ResolveFromPalette(int index, uint32_t& color) {
    if (const auto c = PaletteColor(index)) {
        color = *c;
        return true;
    }
    return g_previousResolver && g_previousResolver(index, color);
}

}  // namespace

TColor SkinFrameColor() {
    static const TColor frame = TColor(::GetSysColor(COLOR_INACTIVEBORDER));
    return frame;
}

void InstallColorSubstitution() {
    if (g_installed) return;
    SkinFrameColor();  // read before any substitution
    g_previousResolver = SetSysColorResolver(&ResolveFromPalette);
    g_installed = true;
}

void RemoveColorSubstitution() {
    if (!g_installed) return;
    SetSysColorResolver(g_previousResolver);
    g_previousResolver = nullptr;
    g_installed = false;
}

bool ColorSubstitutionInstalled() { return g_installed; }

}  // namespace ad::skin
