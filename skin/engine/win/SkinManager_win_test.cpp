// Windows tests of the private skin message between real windows and of the
// skin manager: loading by name from a folder with letters beyond ASCII,
// failed loads keeping the previous skin, no skin at all, brightness limits,
// reloads and the hook of the default manager only.
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "base/WinText.h"
#include "framework/Forms.h"
#include "skin/engine/testkit/AszTestWriter.h"
#include "skin/engine/testkit/BmpTestWriter.h"
#include "skin/engine/testkit/RecordingForm.h"
#include "skin/engine/win/SkinEngineLinks.h"
#include "skin/engine/win/SkinFormsList.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/engine/win/SkinMessaging.h"
#include "skin/engine/skinfile/SkinSectionReader.h"
#include "testsupport/TempFolder.h"

namespace ad::skin {
namespace {

using Bytes = std::vector<uint8_t>;

// A plain window that records the skin commands it gets and answers some.
struct TRecorder {
    std::vector<int> Commands;
    LRESULT Answer = 0;            // to every command
    bool AnswerBackground = false;  // fills SKC_GETPARENTBG with a colour
    bool AnswerImage = false;       // ... or with an image at offset (5, 6)
};

LRESULT CALLBACK RecorderProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* r = reinterpret_cast<TRecorder*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (msg == SKM_SKINCMD && r) {
        const int command = SkinCommandOf(wParam);
        r->Commands.push_back(command);
        if (command == SKC_GETPARENTBG && r->AnswerBackground) {
            auto* req = reinterpret_cast<TSkParentBgRequest*>(lParam);
            req->Color = 0x123456;
            req->Kind = pbColor;
        }
        if (command == SKC_GETPARENTBG && r->AnswerImage) {
            static uint8_t pixels[16] = {};
            auto* req = reinterpret_cast<TSkParentBgRequest*>(lParam);
            req->Bmp = TImageView32{pixels, 8, 2, 2};
            req->OffsetX = 5;
            req->OffsetY = 6;
            req->Kind = pbImage;
        }
        return r->Answer;
    }
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

class TTestWindow {
public:
    explicit TTestWindow(HWND parent = nullptr) {
        static const bool registered = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = RecorderProc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"SkinRecorder";
            return RegisterClassW(&wc) != 0;
        }();
        (void)registered;
        wnd_ = CreateWindowExW(0, L"SkinRecorder", L"", parent ? WS_CHILD : WS_OVERLAPPED, 0, 0, 50, 50, parent,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(wnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&Rec));
    }
    ~TTestWindow() { DestroyWindow(wnd_); }
    TTestWindow(const TTestWindow&) = delete;
    TTestWindow& operator=(const TTestWindow&) = delete;
    HWND Handle() const { return wnd_; }
    TRecorder Rec;

private:
    HWND wnd_;
};

class TDirectData : public TSkinWindowData {
public:
    bool Saved = true;
    int Calls = 0;
    bool CallSavedWindowProc(TMessage& m) override {
        if (!Saved) return false;
        ++Calls;
        m.Result = 77;
        return true;
    }
};

TEST(SkinMessaging, AnswersAreFullWidthAndOnlyOneMeansYes) {
    TTestWindow w;
    w.Rec.Answer = LRESULT(0x123456789ALL);  // an object above 4 GiB
    EXPECT_EQ(SendSkinCommand(w.Handle(), SKC_GETPROVIDER), LRESULT(0x123456789ALL));
    ASSERT_EQ(w.Rec.Commands, std::vector<int>{SKC_GETPROVIDER});
    for (auto [answer, yes] : {std::pair{LRESULT(0), false}, {LRESULT(1), true}, {LRESULT(2), false},
                               {LRESULT(0x100000001LL), false}}) {
        w.Rec.Answer = answer;
        EXPECT_EQ(WindowAnswersCommand(w.Handle(), SKC_ISSKINNED), yes) << answer;
        EXPECT_EQ(IsSkinnedWindow(w.Handle()), yes) << answer;
    }
}

TEST(SkinMessaging, SkinDataCallsTheSavedProcedureElseSendsTheMessage) {
    TTestWindow w;
    TDirectData data;
    SetSkinWindowData(w.Handle(), &data);
    EXPECT_EQ(SendSkinCommand(w.Handle(), SKC_REPAINT), 77);
    EXPECT_EQ(data.Calls, 1);
    EXPECT_TRUE(w.Rec.Commands.empty());
    EXPECT_TRUE(IsSkinnedWindow(w.Handle()));  // the property alone counts

    data.Saved = false;
    w.Rec.Answer = 5;
    EXPECT_EQ(SendSkinCommand(w.Handle(), SKC_REPAINT), 5);
    EXPECT_EQ(w.Rec.Commands, std::vector<int>{SKC_REPAINT});
    SetSkinWindowData(w.Handle(), nullptr);
}

TEST(SkinMessaging, BroadcastToChildWindowsReachesDirectChildrenOnly) {
    TTestWindow parent;
    TTestWindow child(parent.Handle()), second(parent.Handle());
    TTestWindow grandchild(child.Handle());
    BroadcastToChildWindows(parent.Handle(), TMessage{SKM_SKINCMD, SkinCommandWParam(SKC_SKINREFRESH), 0, 0});
    EXPECT_EQ(child.Rec.Commands, std::vector<int>{SKC_SKINREFRESH});
    EXPECT_EQ(second.Rec.Commands, std::vector<int>{SKC_SKINREFRESH});
    EXPECT_TRUE(grandchild.Rec.Commands.empty());
    EXPECT_TRUE(parent.Rec.Commands.empty());
}

TEST(SkinMessaging, ParentBackgroundAnswerOrFallbackColour) {
    TTestWindow parent;
    TSkParentBgRequest r;
    EXPECT_FALSE(GetParentBgByHandle(r, parent.Handle(), false));
    EXPECT_EQ(r.Kind, pbColor);
    EXPECT_EQ(r.Color, DefaultManager() ? DefaultManager()->FormColor() : skBtnFaceColor);

    parent.Rec.AnswerBackground = true;
    r = {};
    EXPECT_TRUE(GetParentBgByHandle(r, parent.Handle(), false));
    EXPECT_EQ(r.Color, 0x123456);
    const TSkBgCacheRef ref = MakeBgCacheRef(r);
    EXPECT_FALSE(ref.Ready);
    EXPECT_EQ(ref.FillColor, 0x123456);
}

TEST(SkinMessaging, AControlOrAChildWindowAsksItsParentForTheBackground) {
    // No window to ask: the default form colour.
    TSkParentBgRequest r;
    EXPECT_FALSE(GetParentBg(r, nullptr, false));
    EXPECT_EQ(r.Kind, pbColor);
    EXPECT_EQ(r.Color, DefaultFormColor());
    TForm unmade(nullptr);
    r = {};
    EXPECT_FALSE(GetParentBg(r, &unmade, false));
    EXPECT_EQ(r.Kind, pbColor);

    TTestWindow top;
    const TSkBgCacheRef none = GetWindowParentBgRef(top.Handle());
    EXPECT_FALSE(none.Ready);
    EXPECT_TRUE(none.Bmp.Empty());
    EXPECT_EQ(none.FillColor, clFuchsia);

    TTestWindow parent;
    TTestWindow child(parent.Handle());
    SetWindowPos(child.Handle(), nullptr, 7, 9, 10, 10, SWP_NOZORDER | SWP_NOACTIVATE);
    parent.Rec.AnswerBackground = true;
    EXPECT_EQ(GetWindowParentBgRef(child.Handle()).FillColor, 0x123456);
    parent.Rec.AnswerBackground = false;
    parent.Rec.AnswerImage = true;
    const TSkBgCacheRef image = GetWindowParentBgRef(child.Handle());
    EXPECT_TRUE(image.Ready);
    EXPECT_EQ(image.X, 5 + 7);  // the parent's offset plus the child's place in it
    EXPECT_EQ(image.Y, 6 + 9);
}

// ---------------------------------------------------------------------------
// The manager

void WriteWide(const std::string& name, const Bytes& bytes) {
    std::ofstream(test::PathOfName(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

Bytes PackedSkin(const std::string& version, TColor color) {
    const std::string ini = "[GLOBALINFO]\r\nVERSION=" + version + "\r\nCOLOR=" + std::to_string(color) +
                            "\r\nMASTERBITMAP=M.BMP\r\n[BUTTON]\r\nCOLOR=255\r\n";
    return asztest::Pack({{"OPTIONS.DAT", asztest::Text(ini)}, {"M.BMP", bmptest::SolidBmp(4, 4, 0x336699)}});
}

// The commands a form heard, without the broadcast's own "are you skinned" questions.
std::vector<int> Heard(const formtest::TRecordingForm& form) {
    std::vector<int> heard;
    for (int c : form.Commands)
        if (c != SKC_ISSKINNED) heard.push_back(c);
    return heard;
}

// Message boxes answered without showing, their texts kept.
class TBoxes {
public:
    TBoxes() {
        Application->OnMessageBox = [this](const std::string& text, const std::string&, UINT) {
            Texts.push_back(text);
            return IDOK;
        };
    }
    ~TBoxes() { Application->OnMessageBox = nullptr; }
    std::vector<std::string> Texts;
};

TEST(SkinManager, LoadsByNameFromAFolderBeyondAsciiAndKeepsTheSkinOnAFailedLoad) {
    test::TempDir dir;
    std::string folder = test::MakeNonAsciiFolder(dir);
    if (folder.empty()) folder = dir.Path();
    WriteWide(folder + "Blue.asz", PackedSkin("10", 0xC0C0C0));
    WriteWide(folder + "Broken.asz", asztest::Pack({{"M.BMP", Bytes(4, 0)}}));
    TBoxes boxes;
    formtest::TRecordingForm form(Application);
    form.Handle();

    TSkinManager m(nullptr);
    int changes = 0;
    m.OnAfterChange = [&](TSkinManager*) { ++changes; };
    m.SetSkinDirectory(folder.substr(0, folder.size() - 1));
    m.SetSkinName("Blue.ASZ");
    EXPECT_EQ(m.SkinName(), "Blue");
    ASSERT_TRUE(m.Skin());
    EXPECT_EQ(m.FormColor(), 0xC0C0C0);
    EXPECT_EQ(m.SkinInfo(), "10");
    EXPECT_TRUE(boxes.Texts.empty());
    ASSERT_FALSE(Heard(form).empty());
    EXPECT_EQ(Heard(form).front(), SKC_SKINLOADED);

    const TSkinTables* before = m.Skin();
    m.SetSkinName("Broken");
    EXPECT_EQ(m.SkinName(), "Blue");
    EXPECT_EQ(m.Skin(), before);
    EXPECT_TRUE(m.Active());
    ASSERT_EQ(boxes.Texts.size(), 1u);
    EXPECT_NE(boxes.Texts[0].find("Internal format error in the \"Broken\" skin"), std::string::npos);

    // Brightness is limited; the same value again does not reload.
    changes = 0;
    m.SetBrightness(250);
    EXPECT_EQ(m.Brightness(), 100);
    EXPECT_EQ(changes, 1);
    EXPECT_NE(m.Skin(), before);
    m.SetBrightness(120);
    EXPECT_EQ(changes, 1);

    m.SetHueOffset(90);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(m.SkinName(), "Blue");
}

TEST(SkinManager, NoSkinAnywhereTurnsTheManagerOff) {
    test::TempDir dir;
    TBoxes boxes;
    formtest::TRecordingForm form(Application);
    form.Handle();
    TSkinManager m(nullptr);
    m.SetSkinDirectory(dir.Folder());
    m.SetSkinName(".asz");  // four characters: not stripped
    EXPECT_EQ(m.SkinName(), ".asz");
    EXPECT_FALSE(m.Active());
    EXPECT_FALSE(m.Skin());
    EXPECT_EQ(m.SkinInfo(), "N/A");
    EXPECT_NE(std::find(form.Commands.begin(), form.Commands.end(), SKC_SKINREMOVED),
              form.Commands.end());

    // While inactive a name is only stored; turning it on loads the stored skin.
    const Bytes packed = PackedSkin("9", 0x00FF00);
    m.InternalSkins.AddFromData("Stored", packed.data(), packed.size());
    m.SetSkinName("Other");
    EXPECT_FALSE(m.Skin());
    m.SetActive(true);
    EXPECT_EQ(m.SkinName(), "Stored");
    ASSERT_TRUE(m.Skin());
    EXPECT_EQ(m.FormColor(), 0x00FF00);
}

TEST(SkinManager, OnlyFormsHearTheManagerAndEveryGlowGoesWithEachApplyAndRemoval) {
    test::TempDir dir;
    WriteWide(dir.File("A.asz"), PackedSkin("10", 0x808080));
    TBoxes boxes;
    const TSkinEngineLinks previous = SkinEngineLinks();
    std::vector<bool> cleared;
    TSkinEngineLinks links = previous;
    links.Glows.ClearAll = [&](bool freeForms) { cleared.push_back(freeForms); };
    InstallSkinEngineLinks(links);
    {
        formtest::TRecordingForm form(Application);
    form.Handle();
        TTestWindow foreign;  // a top-level window of the thread that is no form
        TSkinManager m(nullptr);
        ASSERT_TRUE(m.IsDefault());
        m.SetSkinDirectory(dir.Folder());
        m.SetSkinName("A");
        ASSERT_TRUE(m.Skin());
        m.SetActive(false);
        EXPECT_TRUE(foreign.Rec.Commands.empty());
        EXPECT_EQ(Heard(form),
                  (std::vector<int>{SKC_SKINLOADED, SKC_STOPANIMATION, SKC_SKINREFRESH, SKC_SKINREMOVED}));
        EXPECT_EQ(cleared, (std::vector<bool>{false, false}));
    }
    InstallSkinEngineLinks(previous);
}

TEST(SkinManager, OnlyTheDefaultManagerInstallsTheHook) {
    test::TempDir dir;
    WriteWide(dir.File("A.asz"), PackedSkin("10", 0x808080));
    TBoxes boxes;
    TSkinManager first(nullptr);
    TSkinManager second(nullptr);
    EXPECT_TRUE(first.IsDefault());
    EXPECT_FALSE(second.IsDefault());
    for (TSkinManager* m : {&first, &second}) {
        m->SetSkinDirectory(dir.Folder());
        m->SetSkinName("A");
        ASSERT_TRUE(m->Skin());
    }
    EXPECT_TRUE(first.HooksInstalled());
    EXPECT_FALSE(second.HooksInstalled());
    first.SetActive(false);
    EXPECT_FALSE(first.HooksInstalled());
}

TEST(SkinManager, BuiltInSkinAndImagesComeFromTheProgram) {
    ASSERT_TRUE(BuiltInActiveShadow());
    ASSERT_TRUE(BuiltInInactiveShadow());
    EXPECT_EQ(BuiltInActiveShadow()->Width(), 32);
    ASSERT_TRUE(BuiltInBlurImage());
    EXPECT_EQ(BuiltInBlurImage()->Width(), 10);

    test::TempDir dir;
    TBoxes boxes;
    TSkinManager m(nullptr);
    m.SetActive(false);
    RegisterBuiltInSkin(m);
    RegisterBuiltInSkin(m);  // once only
    ASSERT_EQ(m.InternalSkins.Count(), 1);
    m.SetSkinDirectory(dir.Folder());
    m.SetSkinName(kBuiltInSkinName);
    m.SetActive(true);
    ASSERT_TRUE(m.Skin());
    EXPECT_EQ(m.SkinName(), kBuiltInSkinName);
    EXPECT_EQ(m.Skin()->GlobalInfo.FormOffset, GetSystemMetrics(SM_CXFRAME));  // the skin names no FORMOFFSET
    EXPECT_GE(m.Skin()->SectionIndexOf("BUTTON"), 0);
    EXPECT_TRUE(m.Skin()->IsValidMaskIndex(m.Skin()->GlobalInfo.Outer.MaskIndex));  // made from the blur image
    EXPECT_TRUE(boxes.Texts.empty());
}

TEST(SkinManager, TheHoverWindowHearsEnterAndLeaveAndIsLetGoOnceTheCursorIsOutside) {
    TSkinManager m(nullptr);
    TTestWindow a, b;
    SetWindowPos(a.Handle(), nullptr, 10, 10, 50, 50, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(b.Handle(), nullptr, 100, 10, 50, 50, SWP_NOZORDER | SWP_NOACTIVATE);
    m.SetHoverWindow(a.Handle());
    m.SetHoverWindow(a.Handle());  // the same again: nothing
    m.SetHoverWindow(b.Handle());
    EXPECT_EQ(a.Rec.Commands, (std::vector<int>{SKC_MOUSEENTER, SKC_MOUSELEAVE}));
    EXPECT_EQ(b.Rec.Commands, std::vector<int>{SKC_MOUSEENTER});

    m.CheckHover({120, 30});  // inside b: it stays
    EXPECT_EQ(m.HoverWindow(), b.Handle());
    m.CheckHover({20, 30});  // outside b
    EXPECT_EQ(m.HoverWindow(), nullptr);
    EXPECT_EQ(b.Rec.Commands, (std::vector<int>{SKC_MOUSEENTER, SKC_MOUSELEAVE}));

    // A control let go hears the leave, unless its skin data still sees the mouse.
    formtest::TRecordingForm control(nullptr);
    control.Handle();
    m.SetHoverControl(&control);
    m.SetHoverControl(nullptr);
    EXPECT_EQ(Heard(control), (std::vector<int>{SKC_GETSKINDATA, SKC_MOUSELEAVE}));  // asked, then let go
    EXPECT_EQ(m.HoverControl(), nullptr);
}

TEST(SkinManager, ScrollBarWidthsAndTheirChangesReachTheForms) {
    test::TempDir dir;
    WriteWide(dir.File("A.asz"), PackedSkin("10", 0x808080));
    TBoxes boxes;
    formtest::TRecordingForm form(Application);
    form.Handle();
    TSkinManager m(nullptr);
    m.SetSkinDirectory(dir.Folder());
    m.SetSkinName("A");
    const int system = GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(m.ScrollBarWidth(), system);
    EXPECT_EQ(m.EffectiveScrollWidth(), system);
    form.Commands.clear();
    m.ScrollsOptions.SetScrollSize(5);
    EXPECT_EQ(m.ScrollBarWidth(), 5);
    EXPECT_EQ(m.EffectiveScrollWidth(), system);
    m.ScrollsOptions.SetScrollSize(5);  // unchanged: no second notice
    EXPECT_EQ(Heard(form), std::vector<int>{SKC_FRAMECHANGED});
    m.ScrollsOptions.SetScrollSize(system + 10);
    EXPECT_EQ(m.EffectiveScrollWidth(), system + 10);
    form.Commands.clear();
    m.ScrollsOptions.SetButtonsSize(12);
    EXPECT_EQ(Heard(form), (std::vector<int>{SKC_STOPANIMATION, SKC_SKINREFRESH}));
    EXPECT_EQ(m.ScrollsOptions.ButtonsSize(), 12);
    EXPECT_EQ(m.SkinningRules, kAllSkinningRules);
    EXPECT_TRUE(m.SkinnedPopups());
}

// A form that answers the scale it has.
class TScaledForm : public formtest::TRecordingForm {
public:
    using TRecordingForm::TRecordingForm;
    int Percent = 0;
    LPARAM SetTo = 0;

protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == SKM_SKINCMD && SkinCommandOf(m.WParam) == SKC_GETSCALE) {
            m.Result = Percent;
            return;
        }
        if (m.Msg == SKM_SKINCMD && SkinCommandOf(m.WParam) == SKC_SETSCALE) SetTo = m.LParam;
        TRecordingForm::WndProc(m);
    }
};

TEST(SkinManager, ScaleControlBringsAControlFromItsScaleToTheManagers) {
    TSkinManager m(nullptr);
    m.SetScaleMode(sm125);
    TScaledForm form(nullptr);
    form.SetBounds(10, 10, 200, 100);
    form.Handle();
    m.ScaleControl(&form, 100);
    EXPECT_EQ(form.Width(), 250);
    EXPECT_EQ(form.Height(), 125);
    EXPECT_EQ(form.SetTo, 125);
    EXPECT_FALSE(form.AlignDisabled());
    EXPECT_TRUE(m.Effects.AllowAnimation);  // given back

    form.Percent = 125;  // already there
    form.SetTo = 0;
    m.ScaleControl(&form, 100);
    EXPECT_EQ(form.Width(), 250);
    EXPECT_EQ(form.SetTo, 0);

    form.Percent = 150;  // down from 150
    m.ScaleControl(&form, 100);
    EXPECT_EQ(form.Width(), 208);

    // A new scale mode brings every skinned form along.
    form.Percent = 0;  // reports none: taken as 100
    form.SetBounds(10, 10, 200, 100);
    AddSkinnedForm(&form);
    m.SetScaleMode(sm150);
    RemoveSkinnedForm(&form);
    EXPECT_EQ(form.Width(), 300);
    EXPECT_EQ(form.SetTo, 150);
}

}  // namespace
}  // namespace ad::skin
