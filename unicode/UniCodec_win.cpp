// The system codec on Windows: the system's code pages and the user's locale.
#include <windows.h>

#include "base/WinText.h"
#include "unicode/UniConvert.h"

namespace ad::uni {

namespace {

class TWinCodec : public IAnsiCodec {
public:
    std::u16string ToWide(std::string_view bytes, unsigned codePage) const override {
        return CodePageToUtf16(bytes, codePage);
    }
    std::string FromWide(std::u16string_view text, unsigned codePage) const override {
        return Utf16ToCodePage(text, codePage);
    }
    int CompareText(std::u16string_view a, std::u16string_view b) const override {
        const int r = ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, reinterpret_cast<const wchar_t*>(a.data()),
                                       static_cast<int>(a.size()), reinterpret_cast<const wchar_t*>(b.data()),
                                       static_cast<int>(b.size()));
        return r - CSTR_EQUAL;
    }
};

}  // namespace

const IAnsiCodec& SystemCodec() {
    static const TWinCodec codec;
    return codec;
}

}  // namespace ad::uni
