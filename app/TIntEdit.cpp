// The integer-only edit: its typing filter and its value.
#include "app/TIntEdit.h"

#include "base/StrUtils.h"

namespace ad {

bool TIntEdit::AcceptsChar(wchar_t c) {
    return (c >= L'0' && c <= L'9') || c == L'+' || c == L'-' || c == L'\b' || c == L'\r';
}

void TIntEdit::WMChar(TMessage& m) {
    if (AcceptsChar(static_cast<wchar_t>(m.WParam))) {
        TEdit::WMChar(m);
        return;
    }
    Beep();
    m.Result = 0;
}

void TIntEdit::Beep() { ::MessageBeep(MB_ICONEXCLAMATION); }

int64_t TIntEdit::Value() { return StrToIntDef(Text(), 0); }

void TIntEdit::SetValue(int64_t v) { SetText(IntToStr(v)); }

}  // namespace ad
