// The system codec on Windows: the system's code pages and the user's locale.
#include <windows.h>

#include "unicode/UniConvert.h"

namespace ad::uni {

namespace {

class TWinCodec : public IAnsiCodec {
public:
    std::u16string ToWide(std::string_view bytes, unsigned codePage) const override {
        if (bytes.empty()) return {};
        const int size = static_cast<int>(bytes.size());
        const int n = ::MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
        std::u16string w(static_cast<size_t>(n > 0 ? n : 0), u'\0');
        if (n > 0) ::MultiByteToWideChar(codePage, 0, bytes.data(), size, reinterpret_cast<wchar_t*>(w.data()), n);
        return w;
    }
    std::string FromWide(std::u16string_view text, unsigned codePage) const override {
        if (text.empty()) return {};
        const auto* src = reinterpret_cast<const wchar_t*>(text.data());
        const int size = static_cast<int>(text.size());
        const int n = ::WideCharToMultiByte(codePage, 0, src, size, nullptr, 0, nullptr, nullptr);
        std::string s(static_cast<size_t>(n > 0 ? n : 0), '\0');
        if (n > 0) ::WideCharToMultiByte(codePage, 0, src, size, s.data(), n, nullptr, nullptr);
        return s;
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
