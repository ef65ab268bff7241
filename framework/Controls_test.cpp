// The keyboard hooks of TWinControl: a key passes the controls that hold its
// target before the target's own events, whatever kind of control holds it.
#include "framework/Controls.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Forms.h"
#include "framework/StdCtrls.h"

namespace ad {
namespace {

// A container that is no form and previews the keys of what it holds:
// it takes 'X' down, 'a' pressed and every key up, and records the rest.
class TPreviewPanel : public TWinControl {
public:
    using TWinControl::TWinControl;
    std::vector<std::string> seen;

protected:
    bool PreviewKeyDown(TWinControl* target, WORD& key, TShiftState) override {
        seen.push_back("preview down " + std::string(1, char(key)) + (target == this ? " (self)" : ""));
        if (key != 'X') return false;
        key = 0;
        return true;
    }
    bool PreviewKeyPress(TWinControl*, wchar_t& key) override {
        seen.push_back("preview press " + std::string(1, char(key)));
        return key == L'a';
    }
    void PreviewKeyUp(TWinControl*, WORD& key, TShiftState) override {
        seen.push_back("preview up " + std::string(1, char(key)));
        key = 0;
    }
    bool UnhandledKeyDown(TWinControl*, WORD& key, TShiftState) override {
        seen.push_back("unhandled down " + std::string(1, char(key)));
        return false;
    }
};

struct KeyFixture {
    KeyFixture() {
        form.SetClientSize(200, 100);
        panel = new TPreviewPanel(&form);
        panel->SetParent(&form);
        panel->SetBounds(0, 0, 200, 100);
        edit = new TEdit(&form);
        edit->SetParent(panel);
        edit->SetBounds(10, 10, 100, 21);
        auto note = [this](const char* what, int key) { editSaw.push_back(what + std::string(1, char(key))); };
        edit->OnKeyDown = [note](TObject*, WORD& key, TShiftState) { note("down ", key); };
        edit->OnKeyPress = [note](TObject*, wchar_t& key) { note("press ", key); };
        edit->OnKeyUp = [note](TObject*, WORD& key, TShiftState) { note("up ", key); };
        form.Show();
    }
    TForm form{nullptr};
    TPreviewPanel* panel;
    TEdit* edit;
    std::vector<std::string> editSaw;
};

TEST(Controls, AContainerThatPreviewsKeysSeesThemBeforeTheControlInside) {
    KeyFixture f;
    HWND edit = f.edit->Handle();
    ::SendMessageW(edit, WM_KEYDOWN, 'X', 1);
    ::SendMessageW(edit, WM_KEYDOWN, 'Y', 1);
    ::SendMessageW(edit, WM_CHAR, 'a', 1);
    ::SendMessageW(edit, WM_CHAR, 'b', 1);
    ::SendMessageW(edit, WM_KEYUP, 'Y', 1);
    EXPECT_EQ(f.panel->seen, (std::vector<std::string>{"preview down X", "preview down Y", "unhandled down Y",
                                                       "preview press a", "preview press b", "preview up Y"}));
    EXPECT_EQ(f.editSaw, (std::vector<std::string>{"down Y", "press b"}));
}

TEST(Controls, AKeyPreviewFormSeesKeysThroughAContainerThatDoesNotPreview) {
    TForm form(nullptr);
    form.KeyPreview = true;
    auto* holder = new TWinControl(&form);  // hands keys on to its parent
    holder->SetParent(&form);
    holder->SetBounds(0, 0, 200, 100);
    auto* edit = new TEdit(&form);
    edit->SetParent(holder);
    edit->SetBounds(10, 10, 100, 21);
    std::string formSaw, editSaw;
    form.OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        formSaw += "d" + std::string(1, char(key));
        if (key == 'X') key = 0;
    };
    form.OnKeyPress = [&](TObject*, wchar_t& key) { formSaw += "p" + std::string(1, char(key)); };
    form.OnKeyUp = [&](TObject*, WORD& key, TShiftState) { formSaw += "u" + std::string(1, char(key)); };
    edit->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { editSaw += "d" + std::string(1, char(key)); };
    edit->OnKeyUp = [&](TObject*, WORD& key, TShiftState) { editSaw += "u" + std::string(1, char(key)); };
    form.Show();
    ::SendMessageW(edit->Handle(), WM_KEYDOWN, 'X', 1);
    ::SendMessageW(edit->Handle(), WM_KEYDOWN, 'Y', 1);
    ::SendMessageW(edit->Handle(), WM_CHAR, 'c', 1);
    ::SendMessageW(edit->Handle(), WM_KEYUP, 'Y', 1);
    EXPECT_EQ(formSaw, "dXdYpcuY");
    EXPECT_EQ(editSaw, "dYuY");
    // Keys of the form itself do not reach its preview a second time.
    formSaw.clear();
    ::SendMessageW(form.Handle(), WM_KEYDOWN, 'Z', 1);
    EXPECT_EQ(formSaw, "dZ");
}

}  // namespace
}  // namespace ad
