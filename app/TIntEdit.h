// An edit that takes only what an integer is typed with: the digits, "+", "-",
// backspace and Enter; any other typed character is dropped with the system's
// exclamation sound. Pasted text is not filtered, so Value reads 0 for a text
// that is not an integer.
#pragma once

#include <cstdint>

#include "framework/StdCtrls.h"

namespace ad {

class TIntEdit : public TEdit {
public:
    using TEdit::TEdit;
    // Reads the text as a 32-bit integer (0 when it is none); writes the decimal
    // text of the whole 64-bit value.
    int64_t Value();
    void SetValue(int64_t v);

    // Whether a typed character reaches the edit.
    static bool AcceptsChar(wchar_t c);

protected:
    void WMChar(TMessage& m) override;
    // The sound of a refused character.
    virtual void Beep();
};

}  // namespace ad
