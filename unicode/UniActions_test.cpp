// Wide actions: the link each client gets, when a client counts as linked,
// what a memo takes from an action, and what a client reads while a wide
// value is being set.
#include "unicode/UniActions.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "base/WinText.h"
#include "framework/ComCtrls.h"
#include "framework/Forms.h"
#include "framework/ListView.h"
#include "framework/StdCtrls.h"
#include "unicode/UniControls.h"
#include "unicode/UniMenus.h"
#include "unicode/UniStdCtrls.h"

namespace ad::uni {
namespace {

TEST(UniActions, LinkKindByClient) {
    TForm form(nullptr);
    struct Case {
        std::function<TComponent*()> make;
        TUniActionLinkKind kind;
    } cases[] = {
        {[&] { return new TListView(&form); }, TUniActionLinkKind::ListView},
        {[&] { return new TSpeedButton(&form); }, TUniActionLinkKind::SpeedButton},
        {[&] { return new TButton(&form); }, TUniActionLinkKind::Button},
        {[&] { return new TCheckBox(&form); }, TUniActionLinkKind::Button},
        {[&] { return new TUniMemo(&form); }, TUniActionLinkKind::WinControl},
        {[&] { return new TEdit(&form); }, TUniActionLinkKind::WinControl},
        {[&] { return new TUniMenuItem(&form); }, TUniActionLinkKind::MenuItem},
        {[&] { return new TComponent(&form); }, TUniActionLinkKind::Control},
    };
    for (const Case& c : cases) {
        TComponent* client = c.make();
        EXPECT_EQ(ActionLinkKindOf(client), c.kind) << client->ClassName();
    }
}

TEST(UniActions, MenuItemLinkedDespiteMarksAndCase) {
    TUniAction action(nullptr);
    action.SetWideCaption(L"\u00C9diter le \u0416urnal");
    action.SetWideHint(L"\u4E2D");
    TUniMenuItem item(nullptr);
    item.SetWideCaption(L"&\u00E9diter LE \u0436ur&nal");
    EXPECT_TRUE(IsCaptionLinked(&item, action));
    item.SetWideCaption(L"&\u00E9diter");
    EXPECT_FALSE(IsCaptionLinked(&item, action));
    item.SetWideHint(L"\u4E2D");
    EXPECT_TRUE(IsHintLinked(&item, action));
    item.SetWideHint(L"\u6587");
    EXPECT_FALSE(IsHintLinked(&item, action));

    // A control compares exactly.
    TForm form(nullptr);
    auto* memo = new TUniMemo(&form);
    memo->SetText(L"\u00C9diter le \u0416urnal");
    EXPECT_TRUE(IsCaptionLinked(memo, action));
    memo->SetText(L"\u00E9diter le \u0416urnal");
    EXPECT_FALSE(IsCaptionLinked(memo, action));
}

TEST(UniActions, MemoTakesTheCaptionWhenItsTextIsItsName) {
    TForm form(nullptr);
    TUniAction action(nullptr);
    action.SetWideCaption(L"\u674E\u96F7");
    action.SetWideHint(L"\u4E2D\u6587");
    auto* memo = new TUniMemo(&form);
    memo->Name = "mContributor";
    memo->SetText(L"mContributor");
    ActionChange(memo, action, true);
    EXPECT_EQ(UniControlGetText(memo), L"\u674E\u96F7");
    EXPECT_EQ(memo->WideHint(), L"\u4E2D\u6587");

    auto* own = new TUniMemo(&form);
    own->SetText(L"own text");
    own->SetWideHint(L"own hint");
    ActionChange(own, action, true);
    EXPECT_EQ(UniControlGetText(own), L"own text");
    EXPECT_EQ(own->WideHint(), L"own hint");
    ActionChange(own, action, false);
    EXPECT_EQ(UniControlGetText(own), L"\u674E\u96F7");
    EXPECT_EQ(own->WideHint(), L"\u4E2D\u6587");
}

TEST(UniActions, ClientsReadTheValueBeingSet) {
    TUniAction action(nullptr);
    std::vector<std::wstring> seen;
    action.OnChange = [&](TObject*) { seen.push_back(action.WideCaption()); };
    action.SetWideCaption(L"\u6587");
    // Another text with the same ANSI form: the ANSI side is emptied first.
    action.SetWideCaption(L"\u4E2D");
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"\u6587", L"", L"\u4E2D"}));
    EXPECT_EQ(action.WideCaption(), L"\u4E2D");
    action.SetCaption("ansi");  // the ANSI side wins afterwards
    EXPECT_EQ(action.WideCaption(), L"ansi");

    TUniHintAction copy(nullptr);
    action.SetWideCaption(L"\u0416");
    action.SetWideHint(L"\u263A");
    copy.Assign(action);
    EXPECT_EQ(copy.WideCaption(), L"\u0416");
    EXPECT_EQ(copy.WideHint(), L"\u263A");
}

}  // namespace
}  // namespace ad::uni
