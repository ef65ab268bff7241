// Wide text beside its ANSI form; hint parts; hot-key marks.
#include "unicode/UniWideText.h"

#include "unicode/UniConvert.h"
#include "unicode/UniSysUtils.h"

namespace ad::uni {

std::u16string SyncWideFromAnsi(std::u16string& Wide, std::string_view CurrentAnsi) {
    if (WideToAnsi(Wide) != CurrentAnsi) Wide = AnsiToWide(CurrentAnsi);
    return Wide;
}

void SetSyncedWideString(std::u16string_view Value, std::u16string& Wide, std::string_view CurrentAnsi,
                         const std::function<void(const std::string&)>& AnsiSetter) {
    if (Value == SyncWideFromAnsi(Wide, CurrentAnsi)) return;
    // The setter may change what Value and CurrentAnsi look at.
    const std::u16string value(Value);
    const std::string ansi = WideToAnsi(value);
    if (!SurvivesAnsi(value) && ansi == CurrentAnsi) AnsiSetter(std::string());
    Wide = value;
    AnsiSetter(ansi);
}

std::u16string WideShortHint(std::u16string_view Hint) {
    const size_t bar = Hint.find(u'|');
    return std::u16string(bar == std::u16string_view::npos ? Hint : Hint.substr(0, bar));
}

std::u16string WideLongHint(std::u16string_view Hint) {
    const size_t bar = Hint.find(u'|');
    return std::u16string(bar == std::u16string_view::npos ? Hint : Hint.substr(bar + 1));
}

template <class Char>
static std::basic_string<Char> Strip(std::basic_string_view<Char> caption) {
    std::basic_string<Char> out;
    out.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != Char('&')) {
            out.push_back(caption[i]);
        } else if (i + 1 < caption.size() && caption[i + 1] == Char('&')) {
            out.push_back(Char('&'));
            ++i;
        }
    }
    return out;
}

std::u16string StripHotKeys(std::u16string_view caption) { return Strip(caption); }
std::string StripHotKeys(std::string_view caption) { return Strip(caption); }

// A Far-East mark group "(&K)" at ansi[i].
static bool IsMarkGroup(std::string_view ansi, size_t i) {
    return i + 3 < ansi.size() && ansi[i] == '(' && ansi[i + 1] == '&' && ansi[i + 2] != '&' && ansi[i + 3] == ')';
}

std::u16string SyncHotKeyPosition(std::u16string_view wide, std::string_view ansi, bool farEast) {
    const std::u16string plain = StripHotKeys(wide);
    std::u16string out;
    size_t j = 0;  // position in plain
    for (size_t i = 0; i < ansi.size();) {
        if (farEast && IsMarkGroup(ansi, i) && plain.compare(j, 3, AnsiToWide(StripHotKeys(ansi.substr(i, 4)))) != 0) {
            out += AnsiToWide(ansi.substr(i, 4));
            i += 4;
        } else if (ansi[i] == '&' && i + 1 < ansi.size() && ansi[i + 1] == '&') {
            out += u"&&";
            i += 2;
            if (j < plain.size()) ++j;
        } else if (ansi[i] == '&') {
            out.push_back(u'&');
            ++i;
        } else {
            if (j < plain.size()) out.push_back(plain[j++]);
            ++i;
        }
    }
    if (j < plain.size() || WideToAnsi(out) != ansi) {
        throw EUniInternalError("Internal Error: SyncHotKeyPosition Failed (\"" + WideToAnsi(out) + "\" <> \"" +
                                std::string(ansi) + "\").");
    }
    return out;
}

std::u16string MenuCaptionText(std::u16string& wide, std::string_view ansi, bool farEast) {
    if (WideToAnsi(wide) != ansi && StripHotKeys(WideToAnsi(wide)) == StripHotKeys(ansi)) {
        try {
            wide = SyncHotKeyPosition(wide, ansi, farEast);
        } catch (const EUniInternalError&) {
            // The marks could not be placed: the ANSI caption, widened, is what shows.
        }
    }
    return SyncWideFromAnsi(wide, ansi);
}

}  // namespace ad::uni
