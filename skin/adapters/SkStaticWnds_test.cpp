// Static adapters: text in the section's font colour over what the parent
// shows (prefix processing as the style asks), link text without its anchor
// tags, a 32-bit bitmap blended by its alpha, the redraw held off while
// the static's own procedure takes a new text, and the section a static-text
// control's bevels choose.
#include "skin/adapters/SkStaticWnds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "framework/Forms.h"
#include "framework/PrintTestKit.h"
#include "framework/StdCtrls.h"
#include "framework/WindowSubclass.h"
#include "skin/adapters/AdapterTestKit.h"

namespace ad::skin::adapters {
namespace {

using namespace test;
using ad::test::PrintInto;
using ad::test::TPrintedImage;

HWND AddChild(HWND parent, const wchar_t* cls, DWORD style, const wchar_t* text, int w, int h, int y = 10) {
    HWND child = ::CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 10, y, w, h, parent, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(child, WM_SETFONT, WPARAM(::GetStockObject(DEFAULT_GUI_FONT)), 0);
    return child;
}

// Columns holding any pixel other than the background (inclusive; -1 when none).
std::pair<int, int> InkColumns(const TPrintedImage& image, COLORREF background) {
    int left = -1, right = -1;
    for (int y = 0; y < image.Height; ++y)
        for (int x = 0; x < image.Width; ++x)
            if (image.At(x, y) != background) {
                if (left < 0 || x < left) left = x;
                right = std::max(right, x);
            }
    return {left, right};
}

int TextWidth(const wchar_t* text, UINT format) {
    OwnedMemoryDC dc(::CreateCompatibleDC(nullptr));
    SelectObjectScope font(dc.Get(), ::GetStockObject(DEFAULT_GUI_FONT));
    RECT r{0, 0, 400, 0};
    ::DrawTextW(dc.Get(), text, -1, &r, format | DT_CALCRECT | DT_SINGLELINE);
    return r.right - r.left;
}

bool Holds(const TPrintedImage& image, COLORREF color) {
    return std::find_if(image.Pixels.begin(), image.Pixels.end(), [&](uint32_t p) {
               return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF) == color;
           }) != image.Pixels.end();
}

TEST(SkStaticWnds, TextIsWrittenInTheSectionsFontColourOverTheParentAndNoPrefixKeepsTheAmpersand) {
    TAdapterSkinFixture skin;
    THostWindow host;
    const int w = 120, h = 20;
    struct Case {
        const char* name;
        DWORD style;
        bool ampersandShown;
    };
    const Case cases[] = {{"prefix processed", SS_LEFT, false}, {"SS_NOPREFIX", SS_LEFT | SS_NOPREFIX, true}};
    const int plain = TextWidth(L"ab", DT_NOPREFIX), withAmpersand = TextWidth(L"a&b", DT_NOPREFIX);
    ASSERT_GT(withAmpersand, plain + 2);
    for (const Case& c : cases) {
        HWND label = AddChild(host.Handle(), L"STATIC", c.style, L"a&b", w, h);
        auto adapter = AttachAdapter<TSkStaticWnd>(label, skin.Manager);
        EXPECT_EQ(adapter->SkinData()->SkinSection(), "TRANSPARENT") << c.name;
        const TPrintedImage image = PrintInto(label, WM_PRINT, PRF_CLIENT, w, h);
        const COLORREF parent = skin.Manager.FormColor();
        EXPECT_EQ(image.At(w - 1, 0), parent) << c.name;
        EXPECT_EQ(image.At(w - 1, h - 1), parent) << c.name;
        EXPECT_TRUE(Holds(image, kStaticTextColor)) << c.name;
        const auto [left, right] = InkColumns(image, parent);
        ASSERT_GE(left, 0) << c.name;
        if (c.ampersandShown) {
            EXPECT_GT(right - left + 1, plain + 1) << c.name;
        } else {
            EXPECT_LE(right - left + 1, plain + 1) << c.name;
        }
        adapter.reset();
        ::DestroyWindow(label);
    }
}

TEST(SkStaticWnds, TabStopAndStaticEdgeStaticsKeepTheirOwnLook) {
    TAdapterSkinFixture skin;
    THostWindow host;
    struct Case {
        const char* name;
        DWORD style, exStyle;
        bool native;
    };
    const Case cases[] = {{"plain", 0, 0, false}, {"tab stop", WS_TABSTOP, 0, true},
                          {"static edge", 0, WS_EX_STATICEDGE, true}};
    for (const Case& c : cases) {
        HWND label = AddChild(host.Handle(), L"STATIC", SS_LEFT | c.style, L"text", 80, 20);
        ::SetWindowLongPtrW(label, GWL_EXSTYLE, ::GetWindowLongPtrW(label, GWL_EXSTYLE) | c.exStyle);
        int erases = 0;
        TWindowSubclass below(label, [&](TMessage& m) {
            erases += m.Msg == WM_ERASEBKGND;
            return false;
        });
        auto adapter = AttachAdapter<TSkStaticWnd>(label, skin.Manager);
        {
            WindowDC dc(label);
            ::SendMessageW(label, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0);
        }
        EXPECT_EQ(erases > 0, c.native) << c.name;
        EXPECT_EQ(Holds(PrintInto(label, WM_PRINT, PRF_CLIENT, 80, 20), kStaticTextColor), !c.native) << c.name;
        adapter.reset();
        ::DestroyWindow(label);
    }
}

TEST(SkStaticWnds, LinkTagsAreLeftOutWhateverTheirCaseAndAttributes) {
    struct Case {
        const char* name;
        const char* text;
        const char* shown;
    };
    const Case cases[] = {
        {"plain anchor", "go <a>here</a>", "go here"},
        {"upper case", "go <A>here</A>", "go here"},
        {"with attributes", "go <a href=\"x\" id=2>here</a>!", "go here!"},
        {"mixed case attributes", "<A HREF=x>one</a> and <a id=\"b\">two</A>", "one and two"},
        {"other tags stay", "<abbr>x</abbr> <b>y</b>", "<abbr>x</abbr> <b>y</b>"},
        {"a lone angle bracket stays", "a < b > c", "a < b > c"},
        {"an unclosed tag stays", "go <a href=x", "go <a href=x"},
    };
    for (const Case& c : cases) EXPECT_EQ(StripLinkTags(c.text), c.shown) << c.name;
}

TEST(SkStaticWnds, ALinkIsAsWideAsItsTextWithoutTags) {
    TAdapterSkinFixture skin;
    THostWindow host;
    const int w = 160, h = 20;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LINK_CLASS};
    ::InitCommonControlsEx(&icc);
    HWND link = AddChild(host.Handle(), L"SysLink", 0, L"go <a href=x>here</a>", w, h);
    ASSERT_NE(link, nullptr);
    HWND plain = AddChild(host.Handle(), L"STATIC", SS_LEFT, L"go here", w, h, 40);
    auto a = AttachAdapter<TSkLinkWnd>(link, skin.Manager);
    auto b = AttachAdapter<TSkLinkWnd>(plain, skin.Manager);
    const COLORREF parent = skin.Manager.FormColor();
    const auto linkInk = InkColumns(PrintInto(link, WM_PRINT, PRF_CLIENT, w, h), parent);
    const auto plainInk = InkColumns(PrintInto(plain, WM_PRINT, PRF_CLIENT, w, h), parent);
    ASSERT_GE(plainInk.first, 0);
    EXPECT_EQ(linkInk, plainInk);
    EXPECT_NEAR(plainInk.second - plainInk.first + 1, TextWidth(L"go here", 0), 2);
}

TEST(SkStaticWnds, AHalfAlphaBitmapIsBlendedOverTheParent) {
    TAdapterSkinFixture skin;
    THostWindow host;
    const int size = 16;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    OwnedBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(bitmap);
    const uint32_t red = 0xE01020, alpha = 128;  // 0x00RRGGBB, straight alpha
    std::fill_n(static_cast<uint32_t*>(bits), size * size, (alpha << 24) | red);
    HWND image = AddChild(host.Handle(), L"STATIC", SS_BITMAP, L"", size, size);
    ::SendMessageW(image, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.Get()));
    auto adapter = AttachAdapter<TSkIconWnd>(image, skin.Manager);
    const TPrintedImage printed = PrintInto(image, WM_PRINT, PRF_CLIENT, size, size);
    const COLORREF parent = skin.Manager.FormColor();
    auto mix = [&](int over, int under) { return under + (over - under) * int(alpha) / 255; };
    const COLORREF got = printed.At(size / 2, size / 2);
    EXPECT_NEAR(GetRValue(got), mix(0xE0, GetRValue(parent)), 1);
    EXPECT_NEAR(GetGValue(got), mix(0x10, GetGValue(parent)), 1);
    EXPECT_NEAR(GetBValue(got), mix(0x20, GetBValue(parent)), 1);
    ::DestroyWindow(image);
}

// A static text of another library, publishing its bevels by name.
class TBevelledText : public TLabel {
public:
    using TLabel::TLabel;
    int64_t Kind = 0, Outer = 0, Inner = 0;
    bool GetPublishedOrdProp(std::string_view path, int64_t& value) const override {
        if (path == "BevelKind") value = Kind;
        else if (path == "BevelOuter") value = Outer;
        else if (path == "BevelInner") value = Inner;
        else return false;
        return true;
    }
};

TEST(SkStaticWnds, AStaticTextControlsBevelsChooseItsSection) {
    struct Case {
        const char* name;
        int64_t kind, outer, inner;
        const char* section;
    };
    const Case cases[] = {
        {"no bevel kind", 0, 1, 2, "TRANSPARENT"}, {"lowered over raised", 1, 1, 2, "GROUPBOX"},
        {"lowered", 1, 1, 0, "PANEL_LOW"},         {"raised over lowered", 1, 2, 1, "GROUPBOX"},
        {"raised twice", 1, 2, 2, "PANEL"},        {"no outer bevel", 1, 0, 1, "TRANSPARENT"},
        {"outer space", 1, 3, 2, "TRANSPARENT"},
    };
    for (const Case& c : cases) EXPECT_EQ(StaticTextSection(c.kind, c.outer, c.inner), c.section) << c.name;

    // Read from the control when the adapter comes; the library's own label has none.
    TAdapterSkinFixture skin;
    TForm form(nullptr);
    form.Tag = 0x100;
    auto* bevelled = new TBevelledText(&form);
    bevelled->Kind = 1;
    bevelled->Outer = 1;
    bevelled->Inner = 2;
    bevelled->SetParent(&form);
    auto* plain = new TLabel(&form);
    plain->SetParent(&form);
    auto a = AttachAdapter<TSkStaticTextWnd>(bevelled->Handle(), skin.Manager, bevelled);
    auto b = AttachAdapter<TSkStaticTextWnd>(plain->Handle(), skin.Manager, plain);
    EXPECT_EQ(a->SkinData()->SkinSection(), "GROUPBOX");
    EXPECT_EQ(b->SkinData()->SkinSection(), "TRANSPARENT");
}

TEST(SkStaticWnds, TheRedrawIsOffWhileTheStaticTakesANewText) {
    TAdapterSkinFixture skin;
    THostWindow host;
    HWND label = AddChild(host.Handle(), L"STATIC", SS_LEFT, L"old", 80, 20);
    struct Seen {
        UINT msg;
        WPARAM wParam;
    };
    std::vector<Seen> seen;
    TWindowSubclass below(label, [&](TMessage& m) {
        if (m.Msg == WM_SETREDRAW || m.Msg == WM_SETTEXT) seen.push_back({m.Msg, m.WParam});
        return false;
    });
    auto adapter = AttachAdapter<TSkStaticWnd>(label, skin.Manager);
    ::SetWindowTextW(label, L"new");
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].msg, UINT(WM_SETREDRAW));
    EXPECT_EQ(seen[0].wParam, 0u);
    EXPECT_EQ(seen[1].msg, UINT(WM_SETTEXT));
    EXPECT_EQ(seen[2].msg, UINT(WM_SETREDRAW));
    EXPECT_EQ(seen[2].wParam, 1u);
    EXPECT_EQ(adapter->Caption(), "new");
    EXPECT_TRUE(::IsWindowVisible(label));
}

}  // namespace
}  // namespace ad::skin::adapters
