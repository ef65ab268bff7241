// The edit adapter: colours and frame by focus, the colours and the client
// given back when the skin goes, a print composed once, an empty list box's
// top index, and repeated attach/detach without leaks.
#include "skin/adapters/SkEditWnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Forms.h"
#include "framework/PrintTestKit.h"
#include "framework/StdCtrls.h"
#include "skin/adapters/AdapterTestKit.h"
#include "skin/adapters/SkAdapterTable.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "testsupport/GuiTest.h"

namespace ad::skin::adapters {
namespace {

using namespace test;
using ad::test::PrintInto;

constexpr int kBarWidth = 24;

TSkAdapterPtr<TSkEditWnd> AttachEdit(HWND wnd, TSkinManager& manager, TWinControl* control = nullptr) {
    TSkSkinParams params;
    params.Control = control;
    params.VertScrollWidth = kBarWidth;
    return TSkMainWnd::Create<TSkEditWnd>(wnd, nullptr, &manager, params);
}

std::string Lines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "line " + std::to_string(i) + "\r\n";
    return text;
}

// A memo as other libraries make them: it publishes the colour it takes
// while focused.
class TFocusColorMemo : public TMemo {
public:
    using TMemo::TMemo;
    int64_t FocusColor = 0x00ABCDEF;
    bool HasPublishedProp(std::string_view path) const override { return path == "FocusColor"; }
    bool GetPublishedOrdProp(std::string_view path, int64_t& value) const override {
        if (path != "FocusColor") return false;
        value = FocusColor;
        return true;
    }
    bool SetPublishedOrdProp(std::string_view path, int64_t value) override {
        if (path != "FocusColor") return false;
        FocusColor = value;
        return true;
    }
};

// A shown form with a memo of 100 lines and a button to take the focus.
struct TMemoForm {
    TMemoForm() {
        form->SetBounds(60, 60, 320, 240);
        memo = new TFocusColorMemo(form.get());
        memo->SetParent(form.get());
        memo->SetBounds(10, 10, 200, 150);
        memo->SetText(Lines(100));
        button = new TButton(form.get());
        button->SetParent(form.get());
        button->SetBounds(220, 10, 80, 24);
        form->Show();
        ad::test::PumpPending();
    }
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    // A list box of the library put on the form.
    TListBox* AddList(int x, int y, int w, int h) {
        auto* list = new TListBox(form.get());
        list->SetParent(form.get());
        list->SetBounds(x, y, w, h);
        return list;
    }
    TFocusColorMemo* memo = nullptr;
    TButton* button = nullptr;
};

TEST(SkEditWnd, FocusGivesTheHotColourAndFrameAndLosingItTheNormalOnes) {
    TAdapterSkinFixture skin;
    TMemoForm f;
    auto adapter = AttachEdit(f.memo->Handle(), skin.Manager, f.memo);
    const int w = f.memo->Width(), h = f.memo->Height();
    EXPECT_EQ(f.memo->Color(), kEditNormal);
    EXPECT_EQ(f.memo->Font().Color(), kEditFontColor);

    struct Step {
        const char* name;
        TWinControl* focus;
        TColor expected;
    };
    const Step steps[] = {{"focused", f.memo, kEditHot}, {"focus gone", f.button, kEditNormal}};
    for (const Step& s : steps) {
        ::SetFocus(s.focus->Handle());
        ad::test::PumpPending();
        EXPECT_EQ(f.memo->Color(), s.expected) << s.name;
        const auto frame = PrintInto(f.memo->Handle(), WM_PRINT, PRF_NONCLIENT, w, h);
        EXPECT_EQ(frame.At(0, h / 2), s.expected) << s.name;
        EXPECT_EQ(frame.At(w / 2, 0), s.expected) << s.name;
    }
}

TEST(SkEditWnd, TheSavedColoursAndTheWholeClientComeBackWhenTheSkinOrTheAdapterGoes) {
    TAdapterSkinFixture skin;
    struct Case {
        const char* name;
        bool freeAdapter;  // else the skin is removed
    };
    const Case cases[] = {{"skin removed", false}, {"adapter freed while the window lives", true}};
    for (const Case& c : cases) {
        TMemoForm f;
        const TColor ownColor = 0x00123456, ownFont = 0x00654321;
        f.memo->SetColor(ownColor);
        f.memo->Font().SetColor(ownFont);
        RECT native{};
        ::GetClientRect(f.memo->Handle(), &native);

        auto adapter = AttachEdit(f.memo->Handle(), skin.Manager, f.memo);
        RECT skinned{};
        ::GetClientRect(f.memo->Handle(), &skinned);
        EXPECT_EQ(skinned.right, native.right + ::GetSystemMetrics(SM_CXVSCROLL) - kBarWidth) << "the skin's bar";
        EXPECT_EQ(f.memo->Color(), kEditNormal) << c.name;
        EXPECT_EQ(f.memo->FocusColor, kEditNormal) << c.name;

        if (c.freeAdapter) adapter.reset();
        else ::SendMessageW(f.memo->Handle(), SKM_SKINCMD, SkinCommandWParam(SKC_SKINREMOVED), LPARAM(&skin.Manager));
        EXPECT_EQ(f.memo->Color(), ownColor) << c.name;
        EXPECT_EQ(f.memo->Font().Color(), ownFont) << c.name;
        EXPECT_EQ(f.memo->FocusColor, 0x00ABCDEF) << c.name;
        RECT after{};
        ::GetClientRect(f.memo->Handle(), &after);
        EXPECT_EQ(after.right, native.right) << c.name;
        EXPECT_EQ(after.bottom, native.bottom) << c.name;
    }
}

TEST(SkEditWnd, APrintComposesFrameBarsAndTheControlsOwnPaintingOnce) {
    TAdapterSkinFixture skin;
    THostWindow host;
    HWND memo = host.AddChild(L"EDIT", ES_MULTILINE | WS_VSCROLL, WS_EX_CLIENTEDGE, 10, 10, 200, 150);
    ::SetWindowTextA(memo, Lines(100).c_str());
    TSpy below(memo);
    auto adapter = AttachEdit(memo, skin.Manager);
    const int w = 200, h = 150;

    const auto image = PrintInto(memo, WM_PRINT, PRF_NONCLIENT | PRF_CLIENT, w, h);
    int paints = 0;
    for (const TMessage& m : below.Seen) paints += m.Msg == WM_PAINT || m.Msg == WM_PRINTCLIENT;
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(image.At(0, h / 2), kEditNormal) << "frame";
    RECT window{};
    ::GetWindowRect(memo, &window);
    const TRect bar = adapter->BarRect(adapter->VertBar());
    EXPECT_EQ(image.At(bar.Left - window.left + 2, bar.Top - window.top + 2), kArrowNormal) << "first arrow";
    EXPECT_EQ(image.At(bar.Left - window.left + 2, bar.Bottom - window.top - 3), kArrowNormal) << "second arrow";
}

TEST(SkEditWnd, ADisabledEditShowsItsTextFadedFromTheCacheAndAPasswordStaysHidden) {
    TAdapterSkinFixture skin;
    TMemoForm f;
    struct Case {
        const char* name;
        wchar_t password;
    };
    const Case cases[] = {{"plain edit", 0}, {"password edit", L'*'}};
    int top = 170;
    std::vector<int> inks;
    for (const Case& c : cases) {
        auto* edit = new TEdit(f.form.get());
        edit->PasswordChar = c.password;
        edit->SetParent(f.form.get());
        edit->SetBounds(10, top, 150, 24);
        top += 30;
        edit->SetText("MMMM");
        edit->SetEnabled(false);
        auto adapter = AttachEdit(edit->Handle(), skin.Manager, edit);
        ::RedrawWindow(edit->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        const TSkinCacheImage& cache = *adapter->SkinData()->CacheImage;
        ASSERT_FALSE(cache.Empty()) << c.name;
        // The text's ink: darker than the cache's faded section around it.
        const uint32_t blank = GetPixel32(cache.View(), cache.Width() - 6, cache.Height() / 2) & 0xFFFFFF;
        int ink = 0;
        for (int y = 3; y < cache.Height() - 3; ++y)
            for (int x = 3; x < cache.Width() / 2; ++x) ink += (GetPixel32(cache.View(), x, y) & 0xFFFFFF) != blank;
        EXPECT_GT(ink, 10) << c.name << ": the text is drawn";
        // What the window shows is the cache.
        RECT r{};
        ::GetWindowRect(edit->Handle(), &r);
        WindowDC dc(edit->Handle(), WindowDC::WholeWindow{});
        const COLORREF shown = ::GetPixel(dc.Get(), cache.Width() - 6, cache.Height() / 2);
        EXPECT_EQ(shown, RGB((blank >> 16) & 0xFF, (blank >> 8) & 0xFF, blank & 0xFF)) << c.name;
        inks.push_back(ink);
    }
    EXPECT_LT(inks[1], inks[0] / 2) << "a password shows its stars, not the letters";
}

TEST(SkEditWnd, AnEmptyListBoxOfTheLibraryAnswersNoTopIndex) {
    TAdapterSkinFixture skin;
    TMemoForm f;
    TListBox* empty = f.AddList(220, 50, 80, 60);
    TListBox* filled = f.AddList(220, 120, 80, 60);
    filled->Items().Add("one");
    THostWindow host;
    HWND foreign = host.AddChild(L"LISTBOX", WS_VSCROLL, 0, 10, 10, 80, 60);
    struct Case {
        const char* name;
        HWND wnd;
        TWinControl* control;
        LRESULT expected;
    };
    const Case cases[] = {
        {"empty list box of the library", empty->Handle(), empty, -1},
        {"list box of the library with an item", filled->Handle(), filled, 0},
        {"empty foreign list box", foreign, nullptr, 0},
    };
    for (const Case& c : cases) {
        auto adapter = AttachEdit(c.wnd, skin.Manager, c.control);
        EXPECT_EQ(::SendMessageW(c.wnd, LB_GETTOPINDEX, 0, 0), c.expected) << c.name;
    }
}

TEST(SkEditWnd, AListBoxOfTheLibraryShowsTheSkinsColourUnderAndBesideItsItems) {
    TAdapterSkinFixture skin;
    TMemoForm f;
    TListBox* list = f.AddList(220, 50, 90, 120);
    for (const char* item : {"one", "two", "three"}) list->Items().Add(item);
    auto adapter = AttachEdit(list->Handle(), skin.Manager, list);
    ::RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    ad::test::PumpPending();
    RECT client{}, item{};
    ::GetClientRect(list->Handle(), &client);
    ::SendMessageW(list->Handle(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(list->Color(), kEditNormal);
    EXPECT_EQ(ScreenPixel(list->Handle(), client.right - 3, client.bottom - 3), kEditNormal) << "below the items";
    EXPECT_EQ(ScreenPixel(list->Handle(), item.right - 3, (item.top + item.bottom) / 2), kEditNormal) << "beside an item";
    list->SetFocus();
    ad::test::PumpPending();
    EXPECT_EQ(list->Color(), kEditHot);
    EXPECT_EQ(ScreenPixel(list->Handle(), client.right - 3, client.bottom - 3), kEditHot) << "focused, below";
    EXPECT_EQ(ScreenPixel(list->Handle(), item.right - 3, (item.top + item.bottom) / 2), kEditHot) << "focused, beside";
    f.button->SetFocus();
    for (int i = 0; i < 30; ++i) list->Items().Add("more");
    ::SendMessageW(list->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    ad::test::PumpPending();
    ::GetClientRect(list->Handle(), &client);
    EXPECT_EQ(ScreenPixel(list->Handle(), client.right - 3, client.bottom - 3), kEditNormal) << "scrolled";
}

TEST(SkEditWnd, TheEnginesScrollingControlGetsAnAdapterWhileItsSkinIsActive) {
    TAdapterSkinFixture skin;
    TMemoForm f;
    TSkinScrollWndData data(f.memo, false);
    data.ControlKind = 231;
    data.SetSkinManager(&skin.Manager);
    data.SetSkinSection("EDIT");
    data.ResolveSectionIndexes(false);
    ASSERT_TRUE(data.IsSkinActive());
    TSkAdapterPtr<TSkEditWnd> adapter;
    UpdateEditAdapter(data, adapter);
    ASSERT_NE(adapter, nullptr);
    EXPECT_EQ(adapter->SkinData(), &data) << "the control's own data";
    EXPECT_EQ(TSkMainWnd::GetAdapter(f.memo->Handle()), adapter.get());
    TSkEditWnd* first = adapter.get();
    UpdateEditAdapter(data, adapter);
    EXPECT_EQ(adapter.get(), first) << "kept while it lives";
    skin.Manager.SetActive(false);
    UpdateEditAdapter(data, adapter);
    EXPECT_EQ(adapter, nullptr) << "freed without a skin";
    EXPECT_EQ(TSkMainWnd::GetAdapter(f.memo->Handle()), nullptr);
}

TEST(SkEditWnd, HundredAttachAndDetachCyclesLeaveNoAdapterOrGdiObjectBehind) {
    TAdapterSkinFixture skin;
    THostWindow host;
    HWND memo = host.AddChild(L"EDIT", ES_MULTILINE | WS_VSCROLL, WS_EX_CLIENTEDGE, 10, 10, 150, 100);
    ::SetWindowTextA(memo, Lines(50).c_str());
    HWND list = host.AddChild(L"LISTBOX", WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, 170, 10,
                              100, 100);
    for (int i = 0; i < 50; ++i) ::SendMessageW(list, LB_ADDSTRING, 0, LPARAM(L"an item"));
    // One round first: what is made once for the process is made before counting.
    for (HWND wnd : {memo, list}) CreateAdapter(akEdit, wnd, &skin.Manager, {}).reset();
    ad::test::PumpPending();
    const long gdi = LiveGdiObjects();
    const int adapters = TSkMainWnd::LiveCount();
    for (int i = 0; i < 100; ++i) {
        for (HWND wnd : {memo, list}) {
            auto adapter = CreateAdapter(akEdit, wnd, &skin.Manager, {});
            ASSERT_NE(dynamic_cast<TSkEditWnd*>(adapter.get()), nullptr);
            ::SendMessageW(wnd, WM_NCPAINT, 1, 0);
            PrintInto(wnd, WM_PRINT, PRF_NONCLIENT | PRF_CLIENT, 40, 40);
        }
    }
    ad::test::PumpPending();
    EXPECT_EQ(TSkMainWnd::LiveCount(), adapters);
    EXPECT_EQ(LiveGdiObjects(), gdi);
}

}  // namespace
}  // namespace ad::skin::adapters
