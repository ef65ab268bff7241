// Putting text on the clipboard.
#include "framework/Clipbrd.h"

#include <windows.h>

#include <cstring>

#include "base/WinText.h"

namespace ad {

bool SetClipboardText(const std::string& text) {
    const std::wstring wide = Widen(text);
    const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    if (void* p = ::GlobalLock(memory)) {
        std::memcpy(p, wide.c_str(), bytes);
        ::GlobalUnlock(memory);
    }
    if (!::OpenClipboard(nullptr)) {
        ::GlobalFree(memory);
        return false;
    }
    ::EmptyClipboard();
    const bool stored = ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!stored) ::GlobalFree(memory);  // the clipboard owns it only once stored
    ::CloseClipboard();
    return stored;
}

}  // namespace ad
