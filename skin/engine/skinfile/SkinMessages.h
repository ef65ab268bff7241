// The skin engine's private window message: its number, the commands that
// travel in the high word of wParam, and the records passed in lParam. The
// manager, the skin data of every control, the form providers and the window
// adapters talk through it. Results and lParam values are pointer-sized (a
// provider, an adapter or the skin data come back as results). Portable.
#pragma once

#include <cstdint>

#include "base/Bitmap32.h"
#include "skin/engine/image/SkinAlphaDraw.h"
#include "skin/engine/image/SkinTypes.h"

namespace ad::skin {

constexpr unsigned SKM_SKINCMD = 0xA100;

enum TSkinCommand : int {
    SKC_SKINLOADED = 1,
    SKC_SKINREMOVED = 2,
    SKC_SKINREFRESH = 3,
    SKC_GETPROVIDER = 4,
    SKC_BEFORECHILDPAINT = 5,
    SKC_ENDUPDATEREDRAW = 6,
    SKC_ISSKINNED = 7,
    SKC_SETUPDATING = 8,
    SKC_GETSKININDEX = 9,
    SKC_ISUPDATING = 10,
    SKC_GETCHILDPAINTING = 11,
    SKC_GETADAPTER = 12,
    SKC_SECTIONCHANGED = 13,
    SKC_MENUPAINTED = 14,
    SKC_SETSECTION = 15,
    SKC_STOPANIMATION = 16,
    SKC_BGCHANGED = 17,
    SKC_REPAINT = 18,
    SKC_HASOWNBG = 19,
    SKC_BGCHANGEDTREE = 20,
    SKC_GETBGCOLOR = 21,
    SKC_SETCHILDPAINTING = 22,
    SKC_CACHEVALID = 23,
    SKC_FREEREGION = 24,
    SKC_ADAPTCHILDREN = 25,
    SKC_GETSKININDEXREC = 26,
    SKC_GETHEADERHEIGHT = 27,
    SKC_MOUSEENTER = 29,
    SKC_MOUSELEAVE = 30,
    SKC_BEGINUPDATE = 31,
    SKC_ENDUPDATE = 32,
    SKC_RESETCACHETREE = 33,
    SKC_GETPARENTBG = 34,
    SKC_SKINSTATE = 36,
    SKC_GETSKINDATA = 37,
    SKC_SETPRINTDC = 38,
    SKC_PAINTOUTERFX = 40,
    SKC_LOCKREDRAW = 51,
    SKC_UNLOCKREDRAW = 52,
    SKC_FRAMECHANGED = 53,
    SKC_GETAPPLICATION = 60,
    SKC_GETCLIENTOFFSET = 61,
    SKC_TITLEBARCHANGED = 62,
    SKC_GLUEDMOVE = 63,
    SKC_GETFORMFLAG = 64,
    SKC_SETFORMALPHA = 65,
    SKC_FINDBGSECTION = 66,
    SKC_GETBORDERWIDTH = 67,
    SKC_SETSCALE = 68,
    SKC_GETSCALE = 69,
    SKC_GETBOUNDS = 70,
    SKC_APPLYEDITORSKIN = 71,
    SKC_SKINLISTCHANGED = 74,
    SKC_SKINLISTUPDATE = 75,
};

// wParam of a command: the command in the high word, a small argument in the low one.
constexpr uintptr_t SkinCommandWParam(int command, unsigned argument = 0) {
    return (uintptr_t(unsigned(command)) << 16) | (argument & 0xFFFFu);
}
constexpr int SkinCommandOf(uintptr_t wParam) { return int((wParam >> 16) & 0xFFFFu); }
constexpr unsigned SkinCommandArgument(uintptr_t wParam) { return unsigned(wParam & 0xFFFFu); }

// Kinds of answer to a parent-background request.
enum TSkParentBgKind : uint8_t { pbNone = 0, pbColor = 1, pbImage = 2, pbNotReady = 3 };

// A child's request for what lies under it (SKC_GETPARENTBG, SKC_PAINTOUTERFX).
struct TSkParentBgRequest {
    TImageView32 Bmp;          // parent: the image holding the background, or empty
    TColor Color = 0;          // parent: the colour when there is no image
    int32_t OffsetX = 0;       // parent: where the child's area starts in Bmp
    int32_t OffsetY = 0;
    TRect DestRect;            // child: where the parent paints with PaintIntoDC
    TRect Borders;             // parent: widths of its border strips that lie in Bmp
    uint8_t Kind = pbNone;     // parent
    uint8_t PaintIntoDC = 0;   // child: 1 asks the parent to paint into DC
    void* DC = nullptr;        // child: the target device context (HDC)
};

// Which section a child at Bounds paints on (SKC_FINDBGSECTION).
struct TSkSectionQuery {
    int32_t State = 0;          // 0 normal, 1 hot, 2 pressed
    int32_t SectionIndex = -1;  // answer
    TRect Bounds;               // in the receiver's client coordinates
};

// The answer as a painting background: an image answer is a Ready reference
// into the parent's image; any other answer gives its colour and border strips.
TSkBgCacheRef MakeBgCacheRef(const TSkParentBgRequest& request);

}  // namespace ad::skin
