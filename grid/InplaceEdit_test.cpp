// The in-place edit, number edit and spin edit as real windows: margins the
// window reports, re-creation that keeps text, selection, font and focus,
// dialog codes, the info box, wide characters typed and set, the number
// key filter and paste, and spin buttons held down with their timers.
#include "grid/SpinEdit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "framework/Forms.h"
#include "testsupport/GuiTest.h"

namespace ad::grid {
namespace {

class InplaceEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(60, 60, 320, 160);
        form->Show();
        test::PumpPending();
    }
    void TearDown() override { form.reset(); }

    template <class T>
    T* Make(int y = 10) {
        T* edit = new T(form.get());
        edit->SetParent(form.get());
        edit->SetBounds(10, y, 160, 22);
        edit->Handle();
        return edit;
    }
    static int LeftMargin(TWinControl* edit) {
        return LOWORD(static_cast<DWORD>(::SendMessageW(edit->Handle(), EM_GETMARGINS, 0, 0)));
    }
    static int RightMargin(TWinControl* edit) {
        return HIWORD(static_cast<DWORD>(::SendMessageW(edit->Handle(), EM_GETMARGINS, 0, 0)));
    }
    static void Type(TWinControl* edit, const std::u16string& text) {
        for (char16_t c : text) ::SendMessageW(edit->Handle(), WM_CHAR, c, 1);
    }
    static void SetClipboard(HWND owner, const std::wstring& text) {
        ASSERT_TRUE(::OpenClipboard(owner));
        ::EmptyClipboard();
        size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
        std::memcpy(::GlobalLock(mem), text.c_str(), bytes);
        ::GlobalUnlock(mem);
        ::SetClipboardData(CF_UNICODETEXT, mem);
        ::CloseClipboard();
    }
    std::unique_ptr<TForm> form;
};

TEST_F(InplaceEditTest, MarginsLeaveRoomForThePreview) {
    auto* edit = Make<TRgEdit>();
    EXPECT_EQ(LeftMargin(edit), 0);
    edit->SetShowPreview(true);
    EXPECT_EQ(LeftMargin(edit), 25);
    edit->EditMargins.SetLeft(5);
    EXPECT_EQ(LeftMargin(edit), 35);
    EXPECT_TRUE(::IsWindowVisible(edit->InfoBox().Handle()));
    EXPECT_EQ(edit->InfoBox().Width(), 20);
    EXPECT_EQ(edit->InfoBoxRight(), 20);
    // Without glyph and preview the box hides.
    edit->SetShowPreview(false);
    EXPECT_FALSE(::IsWindowVisible(edit->InfoBox().Handle()));
    EXPECT_EQ(edit->InfoBoxRight(), 0);
    EXPECT_EQ(LeftMargin(edit), 5);

    // A spin edit keeps room for its buttons on the right.
    auto* spin = Make<TRgSpinEdit>(40);
    EXPECT_EQ(RightMargin(spin), ::GetSystemMetrics(SM_CXVSCROLL));
    spin->SetSpinButtons(false);
    EXPECT_EQ(RightMargin(spin), 0);
    EXPECT_FALSE(::IsWindowVisible(spin->Buttons().Handle()));
    spin->SetShowButton(true);
    EXPECT_EQ(LeftMargin(spin), 21);
    EXPECT_TRUE(::IsWindowVisible(spin->ExecuteButton().Handle()));
}

TEST_F(InplaceEditTest, AGlyphWidensTheMarginAndAnswersClicks) {
    auto* edit = Make<TRgEdit>();
    TBitmap32 glyph(16, 16);
    int clicks = 0;
    edit->OnGlyphClick = [&](TObject*) { ++clicks; };
    edit->SetGlyph(glyph);
    EXPECT_EQ(LeftMargin(edit), 20);
    EXPECT_TRUE(::IsWindowVisible(edit->InfoBox().Handle()));
    EXPECT_EQ(edit->InfoBox().Width(), 20);
    ::SendMessageW(edit->InfoBox().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ::SendMessageW(edit->InfoBox().Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(clicks, 1);
    // Past the glyph (in its gap) no click.
    ::SendMessageW(edit->InfoBox().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(18, 3));
    ::SendMessageW(edit->InfoBox().Handle(), WM_LBUTTONUP, 0, MAKELPARAM(18, 3));
    EXPECT_EQ(clicks, 1);
    // A press just right of the box selects the whole text.
    edit->SetAsString(u"some text");
    ::SendMessageW(edit->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(21, 5));
    ::SendMessageW(edit->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(21, 5));
    DWORD start = 1, end = 0;
    ::SendMessageW(edit->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 9u);
    // Over that strip the mirrored arrow shows, its hot spot at the tip.
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(ReversedArrow(), &info));
    EXPECT_EQ(info.xHotspot, 31u);
    EXPECT_EQ(info.yHotspot, 0u);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    // Clearing the glyph hides the box again.
    edit->SetGlyph(TBitmap32());
    EXPECT_FALSE(::IsWindowVisible(edit->InfoBox().Handle()));
    EXPECT_EQ(LeftMargin(edit), 0);
}

TEST_F(InplaceEditTest, RecreatingKeepsTextSelectionFontAndFocus) {
    auto* edit = Make<TRgEdit>();
    const std::u16string text = u"\u0416\u0443\u043a \u65e5\u672c ok";
    edit->SetAsString(text);
    edit->SetFocus();
    ::SendMessageW(edit->Handle(), EM_SETSEL, 2, 5);
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(edit->Handle(), WM_GETFONT, 0, 0));
    HWND before = edit->Handle();
    edit->SetAlignment(taRightJustify);
    HWND after = edit->Handle();
    EXPECT_NE(before, after);  // a new window with the new style
    EXPECT_TRUE(::GetWindowLongPtrW(after, GWL_STYLE) & ES_RIGHT);
    EXPECT_EQ(edit->GetAsString(), text);
    DWORD start = 0, end = 0;
    ::SendMessageW(after, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 2u);
    EXPECT_EQ(end, 5u);
    EXPECT_EQ(::GetFocus(), after);
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(after, WM_GETFONT, 0, 0)), font);
}

TEST_F(InplaceEditTest, BorderWidthRingsTakeTheirRoomFromTheClientArea) {
    auto* edit = Make<TRgEdit>();
    edit->SetColor(0x0000FF);
    RECT before;
    ::GetClientRect(edit->Handle(), &before);
    edit->SetBorderWidth(3);
    RECT after;
    ::GetClientRect(edit->Handle(), &after);
    EXPECT_EQ(after.right, before.right - 6);
    EXPECT_EQ(after.bottom, before.bottom - 6);
    // The rings lie just inside the 2-pixel client edge, in the edit's colour.
    ::SendMessageW(edit->Handle(), WM_NCPAINT, 1, 0);
    HDC dc = ::GetWindowDC(edit->Handle());
    COLORREF ring = ::GetPixel(dc, 2, 10), inside = ::GetPixel(dc, 4, 10);
    ::ReleaseDC(edit->Handle(), dc);
    EXPECT_EQ(ring, RGB(255, 0, 0));
    EXPECT_EQ(inside, RGB(255, 0, 0));
}

TEST_F(InplaceEditTest, DialogCodesAndWideText) {
    auto* edit = Make<TRgEdit>();
    auto code = [&] { return ::SendMessageW(edit->Handle(), WM_GETDLGCODE, 0, 0); };
    EXPECT_TRUE(code() & DLGC_WANTARROWS);
    EXPECT_FALSE(code() & DLGC_WANTTAB);
    edit->WantTabs = true;
    EXPECT_TRUE(code() & DLGC_WANTTAB);

    // Characters outside any 8-bit code page go in typed and come back whole.
    edit->SetAsString(u"");
    Type(edit, u"\u03a9\u65e5\u00e9");
    EXPECT_EQ(edit->GetAsString(), u"\u03a9\u65e5\u00e9");
    edit->SetAsInteger(-12);
    EXPECT_EQ(edit->AsInteger(), -12);
    edit->SetAsString(u"");
    EXPECT_EQ(edit->AsFloat(), 0.0);
    edit->SetAsString(u"abc");
    EXPECT_THROW(edit->AsFloat(), EConvertError);
}

TEST_F(InplaceEditTest, NumberEditFiltersTypingAndCleansPastes) {
    auto* edit = Make<TRgCustomNumberEdit>();
    edit->SetDecimalSeparator(u'.');
    edit->SetAsString(u"");
    Type(edit, u"1a.2.x");
    EXPECT_EQ(edit->GetAsString(), u"1.2");
    // A separator typed over a selection that holds the first is taken.
    ::SendMessageW(edit->Handle(), EM_SETSEL, 1, 2);
    Type(edit, u".");
    EXPECT_EQ(edit->GetAsString(), u"1.2");

    edit->SetAsString(u"");
    SetClipboard(edit->Handle(), L"1a2b3");
    ::SendMessageW(edit->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(edit->GetAsString(), u"123");
    EXPECT_EQ(edit->Value(), 123.0);

    // Text that holds no number at all pastes Min instead of failing.
    edit->SetMin(4);
    edit->SetAsString(u"");
    SetClipboard(edit->Handle(), L"-.");
    ::SendMessageW(edit->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(edit->GetAsString(), u"4");

    edit->SetOptions(edit->Options() | eoDisablePaste);
    edit->SetAsString(u"7");
    ::SendMessageW(edit->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(edit->GetAsString(), u"7");

    // Min set alone: a large value stays.
    edit->SetAsString(u"25");
    EXPECT_EQ(edit->Value(), 25.0);
    edit->SetPrecision(2);
    EXPECT_EQ(edit->GetAsString(), u"25.00");
    edit->SetNullText(u"-");
    edit->SetValue(0);
    EXPECT_EQ(edit->GetAsString(), u"-");
    EXPECT_EQ(edit->Value(), 0.0);
}

TEST_F(InplaceEditTest, SpinButtonsStepAndRepeatWhileHeld) {
    auto* spin = Make<TRgSpinEdit>();
    spin->SetDecimalSeparator(u'.');
    spin->Increment = 2;
    std::vector<TSpinButtonSet> spins;
    spin->OnSpin = [&](TObject*, TSpinButtonSet b) { spins.push_back(b); };
    spin->SetValue(0);
    HWND buttons = spin->Buttons().Handle();
    RECT r;
    ::GetClientRect(buttons, &r);
    ::SendMessageW(buttons, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 1));
    EXPECT_EQ(spin->Value(), 2.0);
    EXPECT_EQ(spin->Buttons().Pressed(), 1);
    // The delay timer starts the repeat; each repeat tick spins again.
    ::SendMessageW(buttons, WM_TIMER, TRgSpinButtons::DelayTimer, 0);
    ::SendMessageW(buttons, WM_TIMER, TRgSpinButtons::RepeatTimer, 0);
    ::SendMessageW(buttons, WM_TIMER, TRgSpinButtons::RepeatTimer, 0);
    EXPECT_EQ(spin->Value(), 6.0);
    ::SendMessageW(buttons, WM_LBUTTONUP, 0, MAKELPARAM(2, 1));
    EXPECT_EQ(spin->Buttons().Pressed(), 0);
    ::SendMessageW(buttons, WM_TIMER, TRgSpinButtons::RepeatTimer, 0);
    EXPECT_EQ(spin->Value(), 6.0);
    EXPECT_EQ(spins, (std::vector<TSpinButtonSet>{sbUp, sbUp, sbUp}));
    EXPECT_EQ(::GetFocus(), spin->Handle());

    // The lower half spins down; at 0 without signs it does nothing.
    spin->SetOptions(eoAllowFloat);
    spin->SetValue(2);
    ::SendMessageW(buttons, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, r.bottom - 2));
    ::SendMessageW(buttons, WM_LBUTTONUP, 0, MAKELPARAM(2, r.bottom - 2));
    EXPECT_EQ(spin->Value(), 0.0);
    ::SendMessageW(buttons, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, r.bottom - 2));
    ::SendMessageW(buttons, WM_LBUTTONUP, 0, MAKELPARAM(2, r.bottom - 2));
    EXPECT_EQ(spin->Value(), 0.0);
    // Arrow keys and the wheel spin outside a grid.
    ::SendMessageW(spin->Handle(), WM_KEYDOWN, VK_UP, 0);
    ::SendMessageW(spin->Handle(), WM_KEYUP, VK_UP, 0);
    ::SendMessageW(spin->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(spin->Value(), 4.0);
    // In a grid they are the grid's.
    spin->InPlace = true;
    ::SendMessageW(spin->Handle(), WM_KEYDOWN, VK_UP, 0);
    ::SendMessageW(spin->Handle(), WM_KEYUP, VK_UP, 0);
    EXPECT_EQ(spin->Value(), 4.0);

    // The execute button's click reaches OnButtonClick.
    int clicks = 0;
    spin->OnButtonClick = [&](TObject*) { ++clicks; };
    spin->SetShowButton(true);
    HWND button = spin->ExecuteButton().Handle();
    ::SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_TRUE(spin->ExecuteButton().Down());
    ::SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_FALSE(spin->ExecuteButton().Down());
    EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace ad::grid
