// The Unicode memo and its lines.
#include "unicode/UniStdCtrls.h"

#include "base/Exception.h"
#include "framework/Forms.h"
#include "unicode/UniControls.h"
#include "unicode/UniHintWindow.h"
#include "unicode/UniSysUtils.h"

namespace ad::uni {

// --- TUniMemoStrings -----------------------------------------------------------

HWND TUniMemoStrings::Window() const { return memo_.Handle(); }

static LRESULT LineIndex(HWND wnd, int index) { return ::SendMessageW(wnd, EM_LINEINDEX, static_cast<WPARAM>(index), 0); }
static LRESULT LineLength(HWND wnd, LRESULT start) {
    return start < 0 ? 0 : ::SendMessageW(wnd, EM_LINELENGTH, static_cast<WPARAM>(start), 0);
}

std::u16string TUniMemoStrings::Get(int index) const {
    const HWND wnd = Window();
    const LRESULT length = LineLength(wnd, LineIndex(wnd, index));
    if (length > 65535) throw EOutOfResources("Line too long");
    if (length <= 0) return {};
    // EM_GETLINE reads the buffer's size from its first character.
    std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
    buffer[0] = static_cast<wchar_t>(length);
    const LRESULT n = ::SendMessageW(wnd, EM_GETLINE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<size_t>(n > 0 ? n : 0));
    return ToU16String(buffer);
}

int TUniMemoStrings::GetCount() const {
    TWideStringList lines;
    lines.SetTextStr(GetTextStr());
    return lines.GetCount();
}

void TUniMemoStrings::ReplaceRange(LRESULT from, LRESULT to, const std::u16string& s) {
    const HWND wnd = Window();
    ::SendMessageW(wnd, EM_SETSEL, static_cast<WPARAM>(from), to);
    const std::wstring w = ToWString(s);
    ::SendMessageW(wnd, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(w.c_str()));
}

void TUniMemoStrings::Put(int index, const std::u16string& s) {
    const HWND wnd = Window();
    const LRESULT start = LineIndex(wnd, index);
    if (start >= 0) ReplaceRange(start, start + LineLength(wnd, start), s);
}

void TUniMemoStrings::Insert(int index, const std::u16string& s) {
    if (index < 0) return;
    const HWND wnd = Window();
    const LRESULT start = LineIndex(wnd, index);
    if (start >= 0) {
        ReplaceRange(start, start, s + u"\r\n");
        return;
    }
    const LRESULT before = index > 0 ? LineIndex(wnd, index - 1) : -1;
    const LRESULT length = LineLength(wnd, before);
    if (before < 0 || length == 0) return;
    ReplaceRange(before + length, before + length, u"\r\n" + s);
}

void TUniMemoStrings::Delete(int index) {
    const HWND wnd = Window();
    const LRESULT start = LineIndex(wnd, index);
    if (start < 0 || index < 0) return;
    const LRESULT next = LineIndex(wnd, index + 1);
    if (next >= 0) {
        ReplaceRange(start, next, u"");
    } else {
        // The last line goes with the break before it.
        ReplaceRange(start >= 2 ? start - 2 : start, start + LineLength(wnd, start), u"");
    }
}

void TUniMemoStrings::Clear() { UniControlSetText(&memo_, L""); }

std::u16string TUniMemoStrings::GetTextStr() const { return ToU16String(UniControlGetText(&memo_)); }

void TUniMemoStrings::SetTextStr(std::u16string_view text) {
    const std::u16string normal = NormalizeLineBreaks(text, LineBreakStyle);
    if (normal == GetTextStr()) return;
    memo_.Handle();
    UniControlSetText(&memo_, ToWString(normal));
}

void TUniMemoStrings::SetUpdateState(bool updating) {
    if (!memo_.HandleAllocated()) return;
    ::SendMessageW(memo_.Handle(), WM_SETREDRAW, !updating, 0);
    if (!updating) memo_.Invalidate();
}

// --- TUniCustomMemo ------------------------------------------------------------

TUniCustomMemo::TUniCustomMemo(TComponent* AOwner)
    : TMemo(AOwner), lines_(std::make_unique<TUniMemoStrings>(*this)) {}

TUniCustomMemo::~TUniCustomMemo() = default;

void TUniCustomMemo::CreateParams(TCreateParams& p) {
    TMemo::CreateParams(p);
    p.WinClassName += L".UnicodeClass";
}

void TUniCustomMemo::WndProc(TMessage& m) {
    if (m.Msg == CM_HINTSHOW && m.LParam) {
        MarkWideHint(*reinterpret_cast<THintInfo*>(m.LParam));
        m.Result = 0;
        return;
    }
    TMemo::WndProc(m);
}

void TUniCustomMemo::SetText(std::wstring_view text) { UniControlSetText(this, text); }

std::wstring TUniCustomMemo::WideHint() { return UniControlGetHint(this); }
void TUniCustomMemo::SetWideHint(std::wstring_view hint) { UniControlSetHint(this, hint); }

int TUniCustomMemo::SelStart() {
    DWORD start = 0;
    ::SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

int TUniCustomMemo::SelLength() {
    DWORD start = 0, end = 0;
    ::SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TUniCustomMemo::SetSelLength(int length) {
    const int start = SelStart();
    ::SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start + length);
}

std::wstring TUniCustomMemo::SelText() {
    const int start = SelStart(), length = SelLength();
    return UniControlGetText(this).substr(static_cast<size_t>(start), static_cast<size_t>(length));
}

bool TUniCustomMemo::ReadProperty(std::string_view name, TUniValueReader& reader) {
    constexpr std::string_view lines = "Lines.";
    if (name.substr(0, lines.size()) == lines) return ReadUniStringsProperty(name.substr(lines.size()), reader, *lines_);
    const std::vector<TWideProperty> wide = {
        {"Hint", false, [this](const std::u16string& s) { SetWideHint(ToWString(s)); }, nullptr}};
    return ReadWidePropertyExtra(name, reader, wide);
}

}  // namespace ad::uni
