// Texts the main window's files share: its web addresses and captions that
// show a stored name as it is.
#pragma once

#include <string>

#include "base/StrUtils.h"

namespace ad::mainwindow {

inline constexpr const char* kWebAddresses[] = {"https://appdeck.example.org/", "https://www.appdeck.example.org/"};

// A label or menu caption that shows the text as stored ("&" is not an accelerator).
inline std::string DoubleAmpersands(const std::string& s) { return StringReplaceAll(s, "&", "&&"); }
inline std::wstring DoubleAmpersands(std::wstring s) {
    for (size_t i = s.find(L'&'); i != std::wstring::npos; i = s.find(L'&', i + 2)) s.insert(i, 1, L'&');
    return s;
}

}  // namespace ad::mainwindow
