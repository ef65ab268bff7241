// Rules for a wide text kept beside the ANSI text of the same property (a
// caption, a hint, a title): the ANSI side may be changed by code that knows
// nothing of the wide one, and the wide side follows it then. Also the parts
// of a hint and the hot-key marks ("&") of menu captions. Portable.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace ad::uni {

// The wide value, or the ANSI one widened when the ANSI side no longer is the
// wide value's ANSI form; Wide is updated to the result.
std::u16string SyncWideFromAnsi(std::u16string& Wide, std::string_view CurrentAnsi);

// Sets Value as the wide text and its ANSI form through AnsiSetter. Nothing
// happens when Value is already the (synced) wide text. When Value does not
// survive the ANSI round trip but its ANSI form equals the current ANSI text,
// AnsiSetter first sees an empty text, so that it notices a change.
void SetSyncedWideString(std::u16string_view Value, std::u16string& Wide, std::string_view CurrentAnsi,
                         const std::function<void(const std::string&)>& AnsiSetter);

// The text before the first "|" (all of it without one), and the text after
// it (all of it without one).
std::u16string WideShortHint(std::u16string_view Hint);
std::u16string WideLongHint(std::u16string_view Hint);

// The caption without its hot-key marks: "&&" stays one "&", a lone "&" goes.
std::u16string StripHotKeys(std::u16string_view caption);
std::string StripHotKeys(std::string_view caption);

// The wide caption with the hot-key marks where the ANSI caption has them,
// when the two differ only there. farEast: a mark written as "(&K)" after
// the text is copied whole. Raises EUniInternalError "Internal Error:
// SyncHotKeyPosition Failed (...)" when the texts differ otherwise.
std::u16string SyncHotKeyPosition(std::u16string_view wide, std::string_view ansi, bool farEast = false);

// A menu caption as shown: the wide caption re-marked after its ANSI form,
// or the ANSI caption widened when the two differ beyond their marks.
std::u16string MenuCaptionText(std::u16string& wide, std::string_view ansi, bool farEast = false);

}  // namespace ad::uni
