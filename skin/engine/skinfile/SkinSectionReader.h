// Reading the skin INI's sections into section records, GLOBALINFO into the
// global values, and laying the CommonSections overlay over the sections.
// Portable; the system-dependent defaults come through SkinColorToRGB (system
// colours) and the frame-width hook below.
//
// Per-section keys missing in a section are looked up along its PARENTCLASS
// chain; the chain ends at a parent that names a section already visited
// (itself included) or no section at all, so cycles end. A value found in an
// ancestor that is a system colour constant (0xFF0000nn) is resolved to RGB;
// other values, -1 ("none") included, are used as written. Capped keys use the
// smaller of the value and the cap. A present but unreadable number gives the
// key's default. Booleans are true only for "TRUE" and "1".
//
// Gradient texts: a GRADIENTDATA value of fewer than 3 characters, a missing
// one, or one with a malformed number gives no gradient and a gradient share
// of 0 for that state; the rest of the skin still loads.
#pragma once

#include <string_view>
#include <vector>

#include "skin/engine/skinfile/SkinIni.h"
#include "skin/engine/skinfile/SkinRecords.h"

namespace ad::skin {

// The system frame width (the default of FORMOFFSET); the Windows side installs
// the real metric, the portable default answers 4. Null restores the default.
using TSkinMetricLookup = int (*)();
void SetSkinFrameWidthLookup(TSkinMetricLookup lookup);
int SkinFrameWidth();

// A scaled integer: at level 1 (2) key + "*125" ("*150") when present and
// readable, else the plain key (or def) times 125 (150) div 100.
int ReadScaledInteger(const TSkinIni& ini, std::string_view section, std::string_view key, int def,
                      int scaleLevel);

// One section by name (a name the INI lacks gives the defaults).
TSkinGeneralData ReadSkinSection(const TSkinIni& ini, std::string_view name);
// One record per INI section, in the INI's order.
std::vector<TSkinGeneralData> ReadSkinSections(const TSkinIni& ini);

// GLOBALINFO, with TABSCOVERING of the sections TABTOP and RIBBONTAB and the
// edit colours the skin does not name derived from the EDIT section's normal
// FONTCOLOR and COLOR (system colour constants resolved; the system window-text
// and window colours without the section). BISPACE is scaled like the
// manager's ScaleInt at index 0 (a quarter or a half added, clamped to int).
TSkinGlobalInfo ReadSkinGlobalInfo(const TSkinIni& ini, int scaleLevel);
// Fills the edit colours whose Has... flag is off: EDITTEXT_INV and EDITBG_ODD
// the background, EDITBG_INV the text, EDITBG_EVEN the text blended into the
// background with weight 13.
void ResolveEditColorDefaults(TSkinGlobalInfo& info, TColor editText, TColor editBg);

// The CommonSections overlay, its sections in order: each one's PARENTCLASS
// (upper-cased, "-1" when absent) names the section (compared upper-cased)
// whose values are the defaults, the empty record when there is none; STATES,
// the three states, RESERVEDBOOLEAN, GIVEOWNFONT, GLOW and GLOWMARGIN are read
// from the overlay (integers also in 0x hex) and replace those of the section
// of the same name (exact compare), whose parent becomes that PARENTCLASS;
// without such a section a copy of the default section under the overlay's
// name and parent is appended. Hot and pressed states follow the section rules
// (STATES below 2 copies normal to hot; pressed is read only when the default
// section has USESTATE2, otherwise copies hot).
void ApplyCommonSections(std::vector<TSkinGeneralData>& sections, std::string_view commonText);

}  // namespace ad::skin
