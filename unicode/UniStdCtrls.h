// TUniMemo: the multi-line edit whose text is UTF-16 in full, with its lines
// as a wide string list (TUniMemoStrings) that talks to the window with the
// edit messages, and its wide hint. Windows only.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "framework/StdCtrls.h"
#include "unicode/UniPropertyReader.h"
#include "unicode/UniWideStrings.h"

namespace ad::uni {

class TUniCustomMemo;

// The lines of a memo. Reading or writing a line makes the memo's window.
class TUniMemoStrings : public TUniStrings {
public:
    explicit TUniMemoStrings(TUniCustomMemo& memo) : memo_(memo) {}

    // A line longer than 65535 characters raises EOutOfResources "Line too long".
    std::u16string Get(int index) const override;
    int GetCount() const override;
    void Put(int index, const std::u16string& s) override;
    // Before line index when it exists; else at the end of the line before
    // it, when that line exists and is not empty; else nothing.
    void Insert(int index, const std::u16string& s) override;
    void Delete(int index) override;
    void Clear() override;
    // The memo's whole text, and setting it with every break made CR LF.
    std::u16string GetTextStr() const override;
    void SetTextStr(std::u16string_view text) override;

    TTextLineBreakStyle LineBreakStyle = TTextLineBreakStyle::tlbsCRLF;

protected:
    void SetUpdateState(bool updating) override;

private:
    HWND Window() const;
    void ReplaceRange(LRESULT from, LRESULT to, const std::u16string& s);
    TUniCustomMemo& memo_;
};

class TUniCustomMemo : public TMemo {
public:
    explicit TUniCustomMemo(TComponent* AOwner);
    ~TUniCustomMemo() override;

    using TMemo::SetText;
    // The whole text: set only when it differs; CM_TEXTCHANGED follows.
    void SetText(std::wstring_view text);
    std::wstring WideText() { return TWinControl::WideText(); }

    TUniStrings& Lines() { return *lines_; }
    void SetLines(const TWideStrings& lines) { lines_->Assign(lines); }

    std::wstring WideHint();
    void SetWideHint(std::wstring_view hint);

    // Selection in UTF-16 units.
    int SelStart();
    int SelLength();
    void SetSelLength(int length);
    std::wstring SelText();

    // A property of the memo's form description: the lists of its lines
    // ("Lines.Strings" and the extra lists) and the extra forms of its hint.
    // False for a property it does not know (nothing is read).
    bool ReadProperty(std::string_view name, TUniValueReader& reader);

    // A hint about to show (CM_HINTSHOW) is marked as a wide one.
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& p) override;

private:
    std::unique_ptr<TUniMemoStrings> lines_;
};

class TUniMemo : public TUniCustomMemo {
public:
    explicit TUniMemo(TComponent* AOwner) : TUniCustomMemo(AOwner) {}
};

}  // namespace ad::uni
