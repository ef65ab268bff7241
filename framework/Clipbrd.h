// The clipboard's text.
#pragma once

#include <string>

namespace ad {

// Replaces the clipboard's content by the text (ANSI code page, stored as
// Unicode text); false when the clipboard could not be opened or filled.
bool SetClipboardText(const std::string& text);

}  // namespace ad
