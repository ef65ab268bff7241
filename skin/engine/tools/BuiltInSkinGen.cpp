// Generates the program's own built-in skin: its INI ("Options.dat"), its
// master bitmap drawn here shape by shape, the packed skin of both, the two
// shadow images of extended borders and the blur image of generated outer
// effects. Run by the build: BuiltInSkinGen <output folder>.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "skin/engine/skinfile/SkinPackWriter.h"
#include "skin/engine/tools/ImageFileWriters.h"

namespace {

using ad::skin::tools::Bytes;

constexpr uint32_t kKey = 0xFF00FF;

// Pixels as 0x00RRGGBB.
struct TCanvas {
    int W, H;
    std::vector<uint32_t> Px;
    TCanvas(int w, int h, uint32_t fill) : W(w), H(h), Px(size_t(w) * size_t(h), fill) {}
    void Set(int x, int y, uint32_t c) {
        if (x >= 0 && y >= 0 && x < W && y < H) Px[size_t(y) * size_t(W) + size_t(x)] = c;
    }
    void Fill(int x, int y, int w, int h, uint32_t c) {
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i) Set(x + i, y + j, c);
    }
    void Frame(int x, int y, int w, int h, uint32_t c) {
        Fill(x, y, w, 1, c), Fill(x, y + h - 1, w, 1, c), Fill(x, y, 1, h, c), Fill(x + w - 1, y, 1, h, c);
    }
    // A frame with its four corner pixels left as the key (rounded look).
    void RoundFrame(int x, int y, int w, int h, uint32_t outer, uint32_t inner) {
        Frame(x, y, w, h, outer);
        Frame(x + 1, y + 1, w - 2, h - 2, inner);
        for (int cx : {x, x + w - 1})
            for (int cy : {y, y + h - 1}) Set(cx, cy, kKey);
    }
};

// The skin's colours (0x00RRGGBB here; the INI takes 0x00BBGGRR).
constexpr uint32_t kFace = 0xECEFF3, kBorder = 0x8A96A6, kAccent = 0x2F6FD0, kAccentDark = 0x1F4E9A;
constexpr uint32_t kLight = 0xFFFFFF, kText = 0x1E2530, kShade = 0xC9D1DC, kHot = 0xDCE8F8;

uint32_t Ini(uint32_t rgb) { return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF); }
std::string C(uint32_t rgb) { return std::to_string(Ini(rgb)); }
std::string N4(int v) {
    char b[8];
    std::snprintf(b, sizeof b, "%04d", v);
    return b;
}
// "^" long form: rectangle, borders, image count, mask type, flags, uniform border.
std::string Long(int l, int t, int r, int b, int border, int count, int flags = 0) {
    return "^" + N4(l) + "^" + N4(t) + "^" + N4(r) + "^" + N4(b) + "^" + N4(border) + "^" + N4(border) + "^" +
           N4(border) + "^" + N4(border) + "^" + std::to_string(count) + "^0^" + std::to_string(flags) + "^0";
}
// The long form with a border width per side (left, top, right, bottom) and a mask type.
std::string LongSides(int l, int t, int r, int b, int wl, int wt, int wr, int wb, int count, int maskType, int flags) {
    return "^" + N4(l) + "^" + N4(t) + "^" + N4(r) + "^" + N4(b) + "^" + N4(wl) + "^" + N4(wt) + "^" + N4(wr) + "^" +
           N4(wb) + "^" + std::to_string(count) + "^" + std::to_string(maskType) + "^" + std::to_string(flags) + "^0";
}
// "@" short form: rectangle, image count, mask type.
std::string Short(int l, int t, int r, int b, int count) {
    return "@" + N4(l) + "@" + N4(t) + "@" + N4(r) + "@" + N4(b) + "@" + std::to_string(count) + "@0";
}
std::string Gradient(uint32_t from, uint32_t to) { return C(from) + ";" + C(to) + ";100;0;0"; }

// Three 13 x 13 box frames (normal, hot, pressed) with a mark drawn by mark(x, y).
template <class Mark>
void Boxes(TCanvas& c, int x0, int y0, bool round, Mark mark) {
    const uint32_t borders[3] = {kBorder, kAccent, kAccentDark}, faces[3] = {kLight, kHot, kShade};
    for (int f = 0; f < 3; ++f) {
        const int x = x0 + 13 * f;
        if (round) {
            // A disc: its ring in the border colour, the key outside it.
            for (int dy = 0; dy < 13; ++dy)
                for (int dx = 0; dx < 13; ++dx) {
                    const int d2 = (dx - 6) * (dx - 6) + (dy - 6) * (dy - 6);
                    c.Set(x + dx, y0 + dy, d2 > 40 ? kKey : d2 > 25 ? borders[f] : faces[f]);
                }
        } else {
            c.Fill(x, y0, 13, 13, faces[f]);
            c.Frame(x, y0, 13, 13, borders[f]);
        }
        mark(x, y0);
    }
}

// Three size x size title-button frames (normal, hot, pressed) with a glyph
// drawn by glyph(x, y, colour).
template <class Glyph>
void TitleButton(TCanvas& c, int x0, int y0, uint32_t hotFace, Glyph glyph, int size = 16) {
    const uint32_t faces[3] = {kKey, hotFace, kAccentDark};
    for (int f = 0; f < 3; ++f) {
        const int x = x0 + size * f;
        c.Fill(x, y0, size, size, faces[f]);
        glyph(x, y0, f == 0 ? kText : kLight);
    }
}

// The caption glyphs, drawn into a box of size pixels at (x, y).
void CloseGlyph(TCanvas& c, int x, int y, uint32_t col, int size) {
    const int m = size / 4, n = size - 2 * m;
    for (int i = 0; i < n; ++i) c.Set(x + m + i, y + m + i, col), c.Set(x + size - 1 - m - i, y + m + i, col);
}
void MaxGlyph(TCanvas& c, int x, int y, uint32_t col, int size) {
    const int m = size / 4, n = size - 2 * m;
    c.Frame(x + m, y + m, n, n, col);
    c.Fill(x + m, y + m + 1, n, 1, col);
}
void MinGlyph(TCanvas& c, int x, int y, uint32_t col, int size) {
    const int m = size / 4, n = size - 2 * m;
    c.Fill(x + m, y + size - m - 2, n, 2, col);
}
void NormGlyph(TCanvas& c, int x, int y, uint32_t col, int size, uint32_t face) {
    const int m = size / 5, n = size - 2 * m - 2;
    c.Frame(x + m + 2, y + m, n, n, col);
    c.Fill(x + m, y + m + 2, n, n, face);
    c.Frame(x + m, y + m + 2, n, n, col);
}
// A question mark of the box's size.
void HelpGlyph(TCanvas& c, int x, int y, uint32_t col, int size) {
    const int s = size / 4, cx = x + size / 2;
    c.Fill(cx - s, y + s, 2 * s, 1, col);      // the arc's top
    c.Fill(cx - s - 1, y + s + 1, 1, 1, col);
    c.Fill(cx + s, y + s + 1, 1, s, col);       // its right side
    c.Fill(cx, y + 2 * s + 1, s, 1, col);       // back to the middle
    c.Fill(cx, y + 2 * s + 1, 1, s - 1, col);   // the stem
    c.Fill(cx, y + size - s - 1, 1, 1, col);    // the dot
}

// Two 16 x 16 frames (active, inactive) of the form's border: an outer line,
// a light inner line and the face, with rounded corners cut by the key.
void FormFrames(TCanvas& c, int x0, int y0) {
    const uint32_t outer[2] = {0x5B6B80, kBorder};
    for (int f = 0; f < 2; ++f) {
        const int x = x0 + 16 * f;
        c.Fill(x, y0, 16, 16, kFace);
        c.Frame(x, y0, 16, 16, outer[f]);
        c.Frame(x + 1, y0 + 1, 14, 14, kLight);
        for (int cx : {0, 15})
            for (int cy : {0, 15}) {
                c.Set(x + cx, y0 + cy, kKey);
                c.Set(x + (cx ? 14 : 1), y0 + cy, kKey);
                c.Set(x + cx, y0 + (cy ? 14 : 1), kKey);
                c.Set(x + (cx ? 14 : 1), y0 + (cy ? 14 : 1), outer[f]);
            }
    }
}

// Two 16 x 16 frames (active, inactive) of the title band's edges: the form's
// outer and light lines along the top and sides, a shaded line under it.
void TitleFrames(TCanvas& c, int x0, int y0) {
    const uint32_t outer[2] = {0x5B6B80, kBorder};
    for (int f = 0; f < 2; ++f) {
        const int x = x0 + 16 * f;
        c.Fill(x, y0, 16, 16, kFace);
        c.Fill(x, y0, 16, 1, outer[f]), c.Fill(x, y0, 1, 16, outer[f]), c.Fill(x + 15, y0, 1, 16, outer[f]);
        c.Fill(x + 1, y0 + 1, 14, 1, kLight), c.Fill(x + 1, y0 + 1, 1, 15, kLight), c.Fill(x + 14, y0 + 1, 1, 15, kLight);
        c.Fill(x + 2, y0 + 15, 12, 1, kShade);
        for (int cx : {0, 15}) {
            c.Set(x + cx, y0, kKey);
            c.Set(x + (cx ? 14 : 1), y0, kKey);
            c.Set(x + cx, y0 + 1, kKey);
            c.Set(x + (cx ? 14 : 1), y0 + 1, outer[f]);
        }
    }
}

// Two 16 x 16 frames of the band behind the caption buttons, with their alpha
// part below (white keeps what is under, darker shows more of the band): a
// faint accent tint with a softer left and bottom edge. The top rows and the
// right columns are white in the alpha part, so the form's frame stays; no
// key pixels, which would take a background the band is drawn without.
void TitleBarFrames(TCanvas& c, int x0, int y0) {
    for (int f = 0; f < 2; ++f) {
        const int x = x0 + 16 * f;
        const uint32_t weight = f ? 0xF4F4F4 : 0xE8E8E8, edge = 0xF4F4F4, keep = 0xFFFFFF;
        c.Fill(x, y0, 16, 16, f ? kBorder : kAccent);
        c.Fill(x, y0 + 16, 16, 16, weight);
        c.Fill(x, y0 + 16, 1, 16, edge), c.Fill(x, y0 + 31, 16, 1, edge);
        c.Fill(x, y0 + 16, 16, 2, keep), c.Fill(x + 14, y0 + 16, 2, 16, keep);
        c.Set(x, y0 + 31, keep);
    }
}

// The size grip: a 12 x 12 frame of dots on the three diagonals nearest its
// bottom-right corner, on the key.
void Grip(TCanvas& c, int x0, int y0) {
    c.Fill(x0, y0, 12, 12, kKey);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; i + j < 3; ++j) {
            const int px = x0 + 9 - 3 * i, py = y0 + 9 - 3 * j;
            c.Fill(px, py, 2, 2, kBorder);
            c.Set(px, py, kLight);
        }
}

// Arrow glyphs of 8 x 8 in three states; dir 0 left, 1 up, 2 right, 3 down.
void Arrows(TCanvas& c, int x0, int y0, int dir) {
    const uint32_t colours[3] = {kText, kAccent, kAccentDark};
    for (int f = 0; f < 3; ++f) {
        const int x = x0 + 8 * f;
        c.Fill(x, y0, 8, 8, kKey);
        for (int i = 0; i < 3; ++i)
            for (int j = -i; j <= i; ++j) {
                const int a = 2 + i, b = 3 + j;
                // The tip is the row or column of one pixel, the base the one of five.
                if (dir == 0) c.Set(x + a, y0 + b + 1, colours[f]);
                if (dir == 1) c.Set(x + b + 1, y0 + a, colours[f]);
                if (dir == 2) c.Set(x + 5 - i, y0 + b + 1, colours[f]);
                if (dir == 3) c.Set(x + b + 1, y0 + 5 - i - 1, colours[f]);
            }
    }
}

TCanvas Master() {
    TCanvas c(256, 96, kKey);
    // Buttons: 3 frames of 16 x 16 at (0, 0), borders 2 (outer and inner line).
    const uint32_t outer[3] = {kBorder, kAccent, kAccentDark}, inner[3] = {kLight, kHot, kShade};
    for (int f = 0; f < 3; ++f) c.RoundFrame(16 * f, 0, 16, 16, outer[f], inner[f]);
    // Edits and combo boxes: 2 frames of 8 x 8 at (48, 0), borders 1.
    c.Frame(48, 0, 8, 8, kBorder);
    c.Frame(56, 0, 8, 8, kAccent);
    // Panels: a 6 x 6 bevel at (64, 0), border 1.
    c.Fill(64, 0, 6, 1, kLight), c.Fill(64, 0, 1, 6, kLight), c.Fill(64, 5, 6, 1, kShade), c.Fill(69, 0, 1, 6, kShade);
    // Group boxes: 8 x 8 at (72, 0), border 2.
    c.RoundFrame(72, 0, 8, 8, kShade, kLight);
    // Column headers: 3 frames 8 x 8 at (80, 0), border 1 (right and bottom lines).
    for (int f = 0; f < 3; ++f) {
        c.Fill(80 + 8 * f, 0, 8, 8, kKey);
        c.Fill(80 + 8 * f, 7, 8, 1, f ? kAccent : kShade);
        c.Fill(87 + 8 * f, 0, 1, 8, kShade);
    }
    // Scroll-bar sliders and buttons: 3 frames 8 x 8 at (104, 0), border 2, centre painted.
    for (int f = 0; f < 3; ++f) {
        c.Fill(104 + 8 * f, 0, 8, 8, f == 0 ? kShade : f == 1 ? kHot : kAccent);
        c.RoundFrame(104 + 8 * f, 0, 8, 8, f == 0 ? kBorder : kAccent, f == 0 ? kShade : f == 1 ? kHot : kAccent);
    }
    // Tabs: 3 frames 12 x 12 at (128, 0), border 2; tab sheet 8 x 8 at (164, 0), border 1.
    for (int f = 0; f < 3; ++f) {
        c.Fill(128 + 12 * f, 0, 12, 12, kKey);
        c.RoundFrame(128 + 12 * f, 0, 12, 12, f == 1 ? kAccent : kBorder, f == 2 ? kLight : kFace);
    }
    c.Frame(164, 0, 8, 8, kBorder);
    // Scroll-bar tracks: 8 x 8 at (172, 0), border 1.
    c.Fill(172, 0, 8, 8, kFace);
    c.Frame(172, 0, 8, 8, kShade);
    // Hints: 8 x 8 at (180, 0), border 1.
    c.Frame(180, 0, 8, 8, kText);

    // Check boxes and radio buttons: 13 x 13 frames from (0, 16).
    Boxes(c, 0, 16, false, [](int, int) {});
    Boxes(c, 0, 29, false, [&c](int x, int y) {
        for (int i = 0; i < 4; ++i) c.Set(x + 3 + i, y + 6 + i, kAccentDark), c.Set(x + 3 + i, y + 5 + i, kAccentDark);
        for (int i = 0; i < 4; ++i) c.Set(x + 6 + i, y + 8 - i, kAccentDark), c.Set(x + 6 + i, y + 7 - i, kAccentDark);
    });
    Boxes(c, 0, 42, false, [&c](int x, int y) { c.Fill(x + 3, y + 3, 7, 7, kBorder); });
    Boxes(c, 39, 16, true, [](int, int) {});
    Boxes(c, 39, 29, true, [&c](int x, int y) {
        for (int dy = 3; dy <= 9; ++dy)
            for (int dx = 3; dx <= 9; ++dx)
                if ((dx - 6) * (dx - 6) + (dy - 6) * (dy - 6) <= 6) c.Set(x + dx, y + dy, kAccentDark);
    });

    // Title buttons: 3 frames of 16 x 16 from (80, 16); the close button when
    // it stands alone at (80, 80), help at (128, 48).
    TitleButton(c, 80, 16, 0xD93A3A, [&c](int x, int y, uint32_t col) { CloseGlyph(c, x, y, col, 16); });
    TitleButton(c, 80, 32, kAccent, [&c](int x, int y, uint32_t col) { MaxGlyph(c, x, y, col, 16); });
    TitleButton(c, 80, 48, kAccent, [&c](int x, int y, uint32_t col) { MinGlyph(c, x, y, col, 16); });
    TitleButton(c, 80, 64, kAccent, [](int, int, uint32_t) {});
    for (int f = 0; f < 3; ++f) {  // restore: the front window's inside keeps each frame's face
        const uint32_t faces[3] = {kKey, kAccent, kAccentDark};
        NormGlyph(c, 80 + 16 * f, 64, f == 0 ? kText : kLight, 16, faces[f]);
    }
    TitleButton(c, 80, 80, 0xD93A3A, [&c](int x, int y, uint32_t col) { CloseGlyph(c, x, y, col, 16); });
    TitleButton(c, 128, 48, kAccent, [&c](int x, int y, uint32_t col) { HelpGlyph(c, x, y, col, 16); });
    // Small title buttons of tool windows: 3 frames of 12 x 12 from (128, 64).
    TitleButton(c, 128, 64, 0xD93A3A, [&c](int x, int y, uint32_t col) { CloseGlyph(c, x, y, col, 12); }, 12);
    TitleButton(c, 164, 64, kAccent, [&c](int x, int y, uint32_t col) { MaxGlyph(c, x, y, col, 12); }, 12);
    TitleButton(c, 200, 64, kAccent, [&c](int x, int y, uint32_t col) { MinGlyph(c, x, y, col, 12); }, 12);
    TitleButton(c, 128, 76, kAccent, [](int, int, uint32_t) {}, 12);
    for (int f = 0; f < 3; ++f) {
        const uint32_t faces[3] = {kKey, kAccent, kAccentDark};
        NormGlyph(c, 128 + 12 * f, 76, f == 0 ? kText : kLight, 12, faces[f]);
    }
    TitleButton(c, 164, 76, kAccent, [&c](int x, int y, uint32_t col) { HelpGlyph(c, x, y, col, 12); }, 12);
    // The form's frame at (128, 16), the title band's edges at (160, 16), the
    // band behind the caption buttons at (192, 16), the size grip at (224, 16).
    FormFrames(c, 128, 16);
    TitleFrames(c, 160, 16);
    TitleBarFrames(c, 192, 16);
    Grip(c, 224, 16);
    // The popup menus' frame: 12 x 12 at (188, 0), border 3 (an outer line, a
    // light line and the face). The menu items' check mark: 2 frames of
    // 10 x 10 at (200, 0), normal and selected, on the key.
    c.Fill(188, 0, 12, 12, kLight);
    c.Frame(188, 0, 12, 12, kBorder);
    c.Frame(190, 2, 8, 8, kFace);
    const uint32_t checks[2] = {kAccentDark, kAccentDark};
    for (int f = 0; f < 2; ++f) {
        const int x = 200 + 10 * f;
        c.Fill(x, 0, 10, 10, kKey);
        for (int i = 0; i < 3; ++i) c.Fill(x + 1 + i, 4 + i, 1, 2, checks[f]);
        for (int i = 0; i < 5; ++i) c.Fill(x + 4 + i, 5 - i, 1, 2, checks[f]);
    }
    // Arrows: 3 frames of 8 x 8 from (0, 64): left, up, right, down.
    for (int d = 0; d < 4; ++d) Arrows(c, 24 * d, 64, d);
    return c;
}

std::string Options() {
    std::string s;
    auto section = [&s](const std::string& name) { s += "[" + name + "]\r\n"; };
    auto key = [&s](const std::string& k, const std::string& v) { s += k + "=" + v + "\r\n"; };
    section("GLOBALINFO");
    key("VERSION", "11.0");
    key("AUTHOR", "Appdeck");
    key("DESCRIPTION", "Appdeck's own light skin");
    key("MASTERBITMAP", "MASTER.BMP");
    key("COLOR", C(kFace));
    key("FONTCOLOR", C(kText));
    key("BORDERCOLOR", C(kBorder));
    key("BORDERWIDTH", "4");
    // The shadow that shadowed labels draw under their text: dark, one pixel down and right, three blur passes.
    key("SHADOW1COLOR", C(0x202020));
    key("SHADOW1OFFSET", "1");
    key("SHADOW1BLUR", "3");
    key("SHADOW1TRANSPARENCY", "0");
    key("TITLEHEIGHT", "28");
    key("MAXTITLEHEIGHT", "26");
    key("BOXUNCHECKED", Short(0, 16, 39, 29, 3));
    key("BOXCHECKED", Short(0, 29, 39, 42, 3));
    key("BOXGRAYED", Short(0, 42, 39, 55, 3));
    key("RADIOUNCHECKED", Short(39, 16, 78, 29, 3));
    key("RADIOCHECKED", Short(39, 29, 78, 42, 3));
    key("BICONCLOSE", Short(80, 16, 128, 32, 3));
    key("BICONMAX", Short(80, 32, 128, 48, 3));
    key("BICONMIN", Short(80, 48, 128, 64, 3));
    key("BICONNORM", Short(80, 64, 128, 80, 3));
    key("BICLOSEALONE", Short(80, 80, 128, 96, 3));
    key("BICONHELP", Short(128, 48, 176, 64, 3));
    key("SICONCLOSE", Short(128, 64, 164, 76, 3));
    key("SICONMAX", Short(164, 64, 200, 76, 3));
    key("SICONMIN", Short(200, 64, 236, 76, 3));
    key("SICONNORM", Short(128, 76, 164, 88, 3));
    key("SICONHELP", Short(164, 76, 200, 88, 3));
    key("GRIPIMAGE", Short(224, 16, 236, 28, 1));

    auto states = [&](int n, uint32_t normal, uint32_t hot, uint32_t pressed, uint32_t font, uint32_t hotFont) {
        key("STATES", std::to_string(n));
        key("COLOR", C(normal));
        key("FONTCOLOR", C(font));
        if (n > 1) key("HOTCOLOR", C(hot)), key("HOTFONTCOLOR", C(hotFont));
        if (n > 2) key("USESTATE2", "1"), key("COLOR2", C(pressed)), key("FONTCOLOR2", C(hotFont));
    };
    // A section with its states and a border mask.
    auto framed = [&](const char* name, int n, uint32_t normal, uint32_t hot, uint32_t pressed, uint32_t font,
                      uint32_t hotFont, const std::string& mask) {
        section(name);
        states(n, normal, hot, pressed, font, hotFont);
        key("BORDERSMASK", mask);
    };
    section("FORM");
    states(1, kFace, kFace, kFace, kText, kText);
    key("BORDERSMASK", Long(128, 16, 160, 32, 4, 2));
    key("TITLEBAR", LongSides(192, 16, 224, 48, 4, 2, 2, 2, 2, 1, 4));
    section("FORMTITLE");
    states(2, kFace, kFace, kFace, kText, 0x6A7480);
    key("BORDERSMASK", LongSides(160, 16, 192, 32, 2, 2, 2, 1, 2, 0, 0));
    key("GRADIENTPERCENT", "100");
    key("GRADIENTDATA", Gradient(0xF7F9FB, 0xE3E8EE));
    key("HOTGRADIENTPERCENT", "100");
    key("HOTGRADIENTDATA", Gradient(0xF0F2F5, 0xE8ECF0));
    section("CAPTION");
    key("PARENTCLASS", "FORMTITLE");
    section("BUTTON");
    states(3, kFace, kHot, kShade, kText, kText);
    key("GRADIENTPERCENT", "100");
    key("GRADIENTDATA", Gradient(0xFBFCFD, 0xE4E9EF));
    key("HOTGRADIENTPERCENT", "100");
    key("HOTGRADIENTDATA", Gradient(0xF2F7FE, 0xD3E2F7));
    key("BORDERSMASK", Long(0, 0, 48, 16, 2, 3));
    for (const char* name : {"SPEEDBUTTON", "SPEEDBUTTON_SMALL", "TOOLBUTTON", "BUTTON_HUGE", "MENUBTN", "UPDOWNBTN"}) {
        section(name);
        key("PARENTCLASS", "BUTTON");
    }
    framed("EDIT", 2, kLight, kLight, kLight, kText, kText, Long(48, 0, 64, 8, 1, 2));
    section("COMBOBOX");
    key("PARENTCLASS", "EDIT");
    key("GLYPHMASK", Short(72, 64, 96, 72, 3));
    section("COMBOBTN");
    states(3, kLight, kHot, kShade, kText, kText);
    key("GLYPHMASK", Short(72, 64, 96, 72, 3));
    section("LISTVIEW");
    key("PARENTCLASS", "EDIT");
    framed("COLHEADER", 3, kFace, kHot, kShade, kText, kText, Long(80, 0, 104, 8, 1, 3));
    framed("PANEL", 1, kFace, kFace, kFace, kText, kText, Long(64, 0, 70, 6, 1, 1));
    section("PANEL_LOW");
    key("PARENTCLASS", "PANEL");
    section("TOOLBAR");
    states(1, kFace, kFace, kFace, kText, kText);
    framed("GROUPBOX", 1, kFace, kFace, kFace, kAccentDark, kAccentDark, Long(72, 0, 80, 8, 2, 1));
    section("CHECKBOX");
    states(2, kFace, kFace, kFace, kText, kAccentDark);
    key("TRANSPARENCY", "100");
    key("HOTTRANSPARENCY", "100");
    section("TRANSPARENT");
    key("TRANSPARENCY", "100");
    section("SELECTION");
    states(2, 0xD5E3F8, kAccent, kAccent, kText, kLight);
    section("MENUITEM");
    states(2, kLight, 0xD5E3F8, 0xD5E3F8, kText, kText);
    key("CHECK", Short(200, 0, 220, 10, 2));
    section("MAINMENU");
    states(2, kLight, 0xD5E3F8, 0xD5E3F8, kText, kText);
    key("BORDERSMASK", Long(188, 0, 200, 12, 3, 1));
    section("ICOLINE");
    states(1, 0xF1F4F8, 0xF1F4F8, 0xF1F4F8, kText, kText);
    section("DIVIDER");
    states(1, kShade, kShade, kShade, kText, kText);
    section("MENULINE");
    states(1, kShade, kShade, kShade, kText, kText);
    section("MENUCAPTION");
    states(1, kShade, kShade, kShade, kText, kText);
    section("STATUSBAR");
    states(1, kFace, kFace, kFace, 0x4A5462, 0x4A5462);
    key("GRADIENTPERCENT", "100");
    key("GRADIENTDATA", Gradient(0xE6EAF0, 0xF4F6F9));
    framed("TABTOP", 3, kFace, kHot, kLight, kText, kText, Long(128, 0, 164, 12, 2, 3));
    framed("TABSHEET", 1, kLight, kLight, kLight, kText, kText, Long(164, 0, 172, 8, 1, 1));
    framed("HINT", 1, 0xFFFFF0, 0xFFFFF0, 0xFFFFF0, kText, kText, Long(180, 0, 188, 8, 1, 1));
    for (const char* name : {"SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H", "SCROLLBAR2V"}) {
        section(name);
        states(2, kFace, kFace, kFace, kText, kText);
        key("BORDERSMASK", Long(172, 0, 180, 8, 1, 1));
    }
    for (const char* name : {"SCROLLSLIDERH", "SCROLLSLIDERV"}) {
        section(name);
        states(3, kShade, kHot, kAccent, kText, kText);
        key("BORDERSMASK", Long(104, 0, 128, 8, 2, 3, 4));
    }
    const char* buttons[4] = {"SCROLLBTNLEFT", "SCROLLBTNTOP", "SCROLLBTNRIGHT", "SCROLLBTNBOTTOM"};
    for (int d = 0; d < 4; ++d) {
        section(buttons[d]);
        states(3, kFace, kHot, kShade, kText, kText);
        key("GLYPHMASK", Short(24 * d, 64, 24 * d + 24, 72, 3));
    }
    return s;
}

// Shadow of extended borders: black, fading out over 9 pixels from a 32 x 32 square's inner edge.
std::vector<uint32_t> Shadow(int size, int depth, int strength) {
    std::vector<uint32_t> px(size_t(size) * size_t(size));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int d = std::min({x, y, size - 1 - x, size - 1 - y});
            const double f = d >= depth ? 1.0 : double(d) / depth;
            const uint32_t a = uint32_t(std::lround(strength * f * f));
            px[size_t(y) * size_t(size) + size_t(x)] = a << 24;
        }
    return px;
}

// The blur image: white at the edges, black in the middle (an alpha part).
std::vector<uint32_t> Blur(int size) {
    std::vector<uint32_t> px(size_t(size) * size_t(size));
    const double c = (size - 1) / 2.0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double d = std::min(1.0, std::max(std::fabs(x - c), std::fabs(y - c)) / c);
            const uint32_t v = uint32_t(std::lround(255 * d * d));
            px[size_t(y) * size_t(size) + size_t(x)] = v << 16 | v << 8 | v;
        }
    return px;
}

bool Write(const std::string& path, const Bytes& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(f);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: BuiltInSkinGen <output folder>\n");
        return 2;
    }
    const std::string out = std::string(argv[1]) + "/";
    const TCanvas master = Master();
    const std::string ini = Options();
    const Bytes bmp = ad::skin::tools::BmpFile24(master.W, master.H, master.Px);
    const Bytes packed = ad::skin::PackSkinEntries({{"Options.dat", Bytes(ini.begin(), ini.end())}, {"MASTER.BMP", bmp}});
    bool ok = Write(out + "Appdeck.asz", packed);
    ok = ok && Write(out + "skSHDA.png", ad::skin::tools::PngFileRgba(32, 32, Shadow(32, 9, 110)));
    ok = ok && Write(out + "skSHDI.png", ad::skin::tools::PngFileRgba(32, 32, Shadow(32, 9, 60)));
    ok = ok && Write(out + "BLUR5.bmp", ad::skin::tools::BmpFile24(10, 10, Blur(10)));
    if (!ok) {
        std::fprintf(stderr, "BuiltInSkinGen: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
