// The Unicode memo on a real form: exact wide text before and after its
// window exists, one change notice per change, line access through the edit
// messages, typed characters beyond Latin-1, its form description and the
// byte-exact "Contributor.txt" that the grid's import reads back.
#include "unicode/UniStdCtrls.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>
#include <memory>

#include "base/Streams.h"
#include "base/WinText.h"
#include "framework/Forms.h"
#include "grid/DelimitedText.h"
#include "unicode/UniTestRows.h"
#include "testsupport/GuiTest.h"
#include "testsupport/TempFolder.h"
#include "unicode/UniControls.h"
#include "unicode/UniSysUtils.h"

namespace ad::uni {
namespace {

// A memo that counts the text-changed notices it receives.
class CountingMemo : public TUniMemo {
public:
    using TUniMemo::TUniMemo;
    int textChanged = 0;
    void WndProc(TMessage& m) override {
        if (m.Msg == CM_TEXTCHANGED) ++textChanged;
        TUniMemo::WndProc(m);
    }
};

class UniMemoTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TForm>(nullptr);
        form->SetClientSize(420, 300);
        memo = new CountingMemo(form.get());
        memo->Name = "mContribution";
        memo->SetBounds(10, 10, 400, 280);
    }
    void Show() {
        memo->SetParent(form.get());
        form->Show();
    }
    std::unique_ptr<TForm> form;
    CountingMemo* memo = nullptr;
};

const std::wstring kWide = L"\u4E2D\u6587 \U0001F600 \u00E9\u0416";

TEST_F(UniMemoTest, TextSetTwiceNotifiesOnce) {
    Show();
    memo->SetText(L"");
    EXPECT_EQ(memo->textChanged, 0);  // empty on empty: nothing
    memo->SetText(kWide);
    memo->SetText(kWide);
    EXPECT_EQ(memo->textChanged, 1);
    EXPECT_EQ(UniControlGetText(memo), kWide);
    memo->SetText(L"");
    EXPECT_EQ(memo->textChanged, 2);
    EXPECT_TRUE(::IsWindowUnicode(memo->Handle()));
    wchar_t className[64];
    ::GetClassNameW(memo->Handle(), className, 64);
    EXPECT_STREQ(className, L"CountingMemo.UnicodeClass");
}

TEST_F(UniMemoTest, TextBeforeTheWindowSurvivesCreationAndRecreation) {
    memo->SetText(kWide);
    EXPECT_FALSE(memo->HandleAllocated());
    EXPECT_EQ(UniControlGetText(memo), kWide);
    Show();
    ASSERT_TRUE(memo->HandleAllocated());
    EXPECT_EQ(memo->textChanged, 0);
    wchar_t buffer[64] = {};
    const int n = ::GetWindowTextW(memo->Handle(), buffer, 64);
    EXPECT_EQ(std::wstring(buffer, static_cast<size_t>(n)), kWide);
    memo->DestroyHandle();
    EXPECT_EQ(UniControlGetText(memo), kWide);
    memo->Handle();
    EXPECT_EQ(UniControlGetText(memo), kWide);
}

TEST_F(UniMemoTest, AnsiTextSetAfterWideTextWins) {
    Show();
    memo->SetText(kWide);
    memo->TMemo::SetText("plain");
    EXPECT_EQ(UniControlGetText(memo), L"plain");
}

TEST_F(UniMemoTest, LinesThroughTheEditMessages) {
    Show();
    TUniStrings& lines = memo->Lines();
    lines.SetTextStr(u"\u674E\u96F7\n\u0416\u0416\r\U0001F600");
    EXPECT_EQ(UniControlGetText(memo), L"\u674E\u96F7\r\n\u0416\u0416\r\n\U0001F600");
    ASSERT_EQ(lines.Count(), 3);
    EXPECT_EQ(lines[0], u"\u674E\u96F7");
    EXPECT_EQ(lines[2], u"\U0001F600");
    EXPECT_EQ(lines[7], u"");  // no such line

    lines.Put(1, u"\u00E9t\u00E9");
    lines.Insert(0, u"\u4E2D");
    lines.Insert(4, u"end");       // after the last line
    EXPECT_EQ(UniControlGetText(memo), L"\u4E2D\r\n\u674E\u96F7\r\n\u00E9t\u00E9\r\n\U0001F600\r\nend");
    lines.Delete(4);
    lines.Delete(0);
    EXPECT_EQ(UniControlGetText(memo), L"\u674E\u96F7\r\n\u00E9t\u00E9\r\n\U0001F600");

    memo->SetText(L"a\r\n");  // the last line is empty
    lines.Insert(2, u"x");
    EXPECT_EQ(UniControlGetText(memo), L"a\r\n");
    lines.Add(u"\u4E2D");      // line 1 exists (empty): inserted before it
    EXPECT_EQ(UniControlGetText(memo), L"a\r\n\u4E2D\r\n");
    lines.Clear();
    EXPECT_EQ(UniControlGetText(memo), L"");
    EXPECT_EQ(lines.Count(), 0);
}

TEST_F(UniMemoTest, LineOverTheEditLimitIsAnError) {
    memo->WordWrap = false;
    Show();
    memo->SetText(std::wstring(70000, L'x') + L"\r\nshort");
    try {
        memo->Lines().Get(0);
        ADD_FAILURE() << "read a line of 70000 characters";
    } catch (const EOutOfResources& e) {
        EXPECT_STREQ(e.what(), "Line too long");
    }
    EXPECT_EQ(memo->Lines().Get(1), u"short");
}

TEST_F(UniMemoTest, CharactersBeyondLatin1ArriveAndCanBeSwallowed) {
    Show();
    std::vector<wchar_t> seen;
    memo->OnKeyPress = [&](TObject*, wchar_t& key) {
        seen.push_back(key);
        if (key == L'\u6587') key = 0;
    };
    ::PostMessageW(memo->Handle(), WM_CHAR, 0x4E2D, 1);
    ::PostMessageW(memo->Handle(), WM_CHAR, 0x6587, 1);  // swallowed by the handler
    ::PostMessageW(memo->Handle(), WM_CHAR, 0x00010041, 1);  // a high word set by another process
    Application->ProcessMessages();
    EXPECT_EQ(seen, (std::vector<wchar_t>{L'\u4E2D', L'\u6587', L'A'}));
    EXPECT_EQ(UniControlGetText(memo), L"\u4E2DA");
}

TEST_F(UniMemoTest, WideHintKeptBesideTheAnsiHint) {
    memo->SetWideHint(L"\u4E2D|\u6587");
    EXPECT_EQ(memo->WideHint(), L"\u4E2D|\u6587");
    EXPECT_EQ(memo->Hint, Narrow(L"\u4E2D|\u6587"));
    memo->SetParent(form.get());
    UniControlSetHint(form.get(), L"\u0416 form");
    EXPECT_EQ(UniControlFindHint(memo), L"\u4E2D|\u6587");
    memo->SetWideHint(L"");
    EXPECT_EQ(UniControlFindHint(memo), L"\u0416 form");
    memo->Hint = "ansi";  // changed by code that knows only the ANSI hint
    EXPECT_EQ(memo->WideHint(), L"ansi");
}

TEST_F(UniMemoTest, FormDescriptionLinesAndHintForms) {
    // Lines.Strings mixing plain and wide values, then HintW (not applied).
    std::string bytes = "\x01\x06\x05Plain\x12";
    const std::u16string wide = u"\u674E\u96F7";
    bytes += std::string("\x02\0\0\0", 4) + std::string("\x4E\x67\xF7\x96", 4) + std::string("\0", 1);
    bytes += "\x06\x03\xE4\xB8\xAD";
    TReadOnlyMemoryStream stream(bytes.data(), bytes.size());
    TUniValueReader reader(stream);
    memo->SetParent(form.get());
    memo->SetWideHint(L"kept");
    ASSERT_TRUE(memo->ReadProperty("Lines.Strings", reader));
    ASSERT_TRUE(memo->ReadProperty("HintW", reader));
    EXPECT_FALSE(memo->ReadProperty("Color", reader));
    EXPECT_EQ(memo->Lines().Text(), u"Plain\r\n" + wide + u"\r\n");  // added lines end with a break
    EXPECT_EQ(memo->Lines().Count(), 2);
    EXPECT_EQ(memo->WideHint(), L"kept");
    EXPECT_EQ(stream.Remaining(), 0);
}

TEST_F(UniMemoTest, ContributorFileIsByteExactAndReadsBackInTheGrid) {
    // The hidden memo of the Support Us window, saved as the grid loads it.
    memo->SetVisible(false);
    Show();
    memo->Lines().SetTextStr(u"\u674E\u96F7\thttp://a.example/\n\u0416\u0435\u043D\u044F\tx");
    test::TempDir dir;
    const std::wstring name = Widen(dir.Path()) + L"\u4E2D\u6587 Contributor.txt";
    memo->Lines().SaveToFile(name);

    std::string expected = "\xFF\xFE";
    for (wchar_t c : std::wstring(L"\u674E\u96F7\thttp://a.example/\r\n\u0416\u0435\u043D\u044F\tx")) {
        expected.push_back(static_cast<char>(c & 0xFF));
        expected.push_back(static_cast<char>(c >> 8));
    }
    std::ifstream in(std::filesystem::path(name), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, expected);

    TReadOnlyMemoryStream stream(bytes.data(), bytes.size());
    GridRowSink sink;
    grid::ParseDelimitedText(stream, u'\t', 0, u'|', sink);
    ASSERT_EQ(sink.rows.size(), 2u);
    EXPECT_EQ(sink.rows[0][0], u"\u674E\u96F7");
    EXPECT_EQ(sink.rows[1][0], u"\u0416\u0435\u043D\u044F");
}

}  // namespace
}  // namespace ad::uni
