// The integer-only edit: which typed characters reach it, and its value.
#include "app/TIntEdit.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/Forms.h"

namespace ad {
namespace {

class BeepCountingEdit : public TIntEdit {
public:
    using TIntEdit::TIntEdit;
    int beeps = 0;

protected:
    void Beep() override { ++beeps; }
};

class IntEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TForm>(nullptr);
        edit = new BeepCountingEdit(form.get());
        edit->SetParent(form.get());
        form->Show();
    }
    std::unique_ptr<TForm> form;
    BeepCountingEdit* edit = nullptr;
};

TEST_F(IntEditTest, OnlyWhatAnIntegerIsTypedWithReachesTheEdit) {
    const struct {
        wchar_t typed;
        bool taken;
    } cases[] = {{L'0', true}, {L'5', true}, {L'9', true}, {L'+', true}, {L'-', true}, {L'a', false},
                 {L' ', false}, {L'.', false}, {L'/', false}, {L':', false}, {L'\x00e9', false}, {L'\t', false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.typed));
        edit->SetText("");
        edit->beeps = 0;
        ::SendMessageW(edit->Handle(), WM_CHAR, c.typed, 0);
        EXPECT_EQ(edit->WideText(), c.taken ? std::wstring(1, c.typed) : std::wstring());
        EXPECT_EQ(edit->beeps, c.taken ? 0 : 1);
    }
    // Backspace and Enter pass to the edit: backspace deletes, no sound.
    edit->SetText("12");
    edit->SetSelStart(2);
    edit->beeps = 0;
    ::SendMessageW(edit->Handle(), WM_CHAR, L'\b', 0);
    ::SendMessageW(edit->Handle(), WM_CHAR, L'\r', 0);
    EXPECT_EQ(edit->Text(), "1");
    EXPECT_EQ(edit->beeps, 0);
}

TEST_F(IntEditTest, ValueReadsA32BitIntegerAndWritesTheWhole64BitValue) {
    const struct {
        const char* text;
        int64_t value;
    } cases[] = {{"12", 12}, {"", 0}, {"abc", 0}, {"-7", -7}, {"+8", 8}, {"2147483647", 2147483647},
                 {"2147483648", 0}, {"-2147483648", -2147483647 - 1}, {"x1", 0}, {"1-", 0}};
    for (const auto& c : cases) {
        edit->SetText(c.text);  // as pasted: not filtered
        EXPECT_EQ(edit->Value(), c.value) << c.text;
    }
    edit->SetValue(int64_t{1} << 40);
    EXPECT_EQ(edit->Text(), "1099511627776");
    EXPECT_EQ(edit->Value(), 0);  // beyond 32 bits reads as no integer
    edit->SetValue(-5);
    EXPECT_EQ(edit->Text(), "-5");
}

}  // namespace
}  // namespace ad
