// Parser and readers of the in-memory skin INI and of the overlay text.
#include "skin/engine/skinfile/SkinIni.h"

#include <charconv>
#include <cmath>

#include "base/StrUtils.h"

namespace ad::skin {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::string_view TrimBlanks(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

}  // namespace

void TSkinIni::Parse(std::string_view text) {
    sections_.clear();
    index_.clear();
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    TSkinIniSection* current = nullptr;  // null before the first section and in ignored repeats
    size_t i = 0;
    while (i < text.size()) {
        size_t e = text.find_first_of("\r\n", i);
        if (e == std::string_view::npos) e = text.size();
        std::string_view line = TrimBlanks(text.substr(i, e - i));
        if (e + 1 < text.size() && text[e] == '\r' && text[e + 1] == '\n') ++e;
        i = e + 1;
        if (line.empty() || line[0] == ';') continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            std::string name(TrimBlanks(line.substr(1, line.size() - 2)));
            if (index_.count(name)) {
                current = nullptr;
                continue;
            }
            index_.emplace(name, sections_.size());
            sections_.push_back(TSkinIniSection{std::move(name), {}, {}});
            current = &sections_.back();
            continue;
        }
        size_t eq = line.find('=');
        if (current == nullptr || eq == std::string_view::npos) continue;
        std::string key(TrimBlanks(line.substr(0, eq)));
        if (key.empty() || current->Index.count(key)) continue;
        current->Index.emplace(key, current->Keys.size());
        current->Keys.emplace_back(std::move(key), std::string(TrimBlanks(line.substr(eq + 1))));
    }
}

const TSkinIniSection* TSkinIni::FindSection(std::string_view name) const {
    int i = SectionIndexOf(name);
    return i < 0 ? nullptr : &sections_[size_t(i)];
}

int TSkinIni::SectionIndexOf(std::string_view name) const {
    auto it = index_.find(std::string(name));
    return it == index_.end() ? -1 : int(it->second);
}

const std::string* TSkinIni::Find(std::string_view section, std::string_view key) const {
    const TSkinIniSection* s = FindSection(section);
    if (s == nullptr) return nullptr;
    auto it = s->Index.find(std::string(key));
    return it == s->Index.end() ? nullptr : &s->Keys[it->second].second;
}

std::string TSkinIni::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    const std::string* v = Find(section, key);
    return v ? *v : std::string(def);
}

int TSkinIni::ReadInteger(std::string_view section, std::string_view key, int def) const {
    const std::string* v = Find(section, key);
    int r;
    return v && TryReadSkinInteger(*v, r) ? r : def;
}

bool TSkinIni::ReadBool(std::string_view section, std::string_view key, bool def) const {
    const std::string* v = Find(section, key);
    return v ? SkinBoolValue(*v) : def;
}

double TSkinIni::ReadFloat(std::string_view section, std::string_view key, double def) const {
    const std::string* v = Find(section, key);
    double r;
    return v && TryReadSkinFloat(*v, r) ? r : def;
}

bool TryReadSkinInteger(std::string_view value, int& result) { return TryStrToInt(value, result); }

bool TryReadSkinFloat(std::string_view value, double& result) {
    std::string_view s = TrimBlanks(value);
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    // Only plain decimal notation: no "inf", "nan" or hexadecimal forms.
    if (s.empty() || !(IsDigit(s[0]) || (s[0] == '.' && s.size() > 1 && IsDigit(s[1])))) return false;
    double v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) return false;
    result = negative ? -v : v;
    return true;
}

double ReadSkinVersion(const TSkinIni& ini) { return ini.ReadFloat("GLOBALINFO", "VERSION", 0); }

TIniTextSections ParseOverlayText(std::string_view text) {
    TIniTextSections sections;
    SplitIniText(StripChar(text, ' '), sections);
    return sections;
}

std::optional<std::string> FindOverlayValue(const std::vector<std::string>& lines, std::string_view key) {
    for (const std::string& line : lines) {
        size_t eq = line.find('=');
        if (eq != std::string::npos && AsciiSameText(std::string_view(line).substr(0, eq), key))
            return line.substr(eq + 1);
    }
    return std::nullopt;
}

}  // namespace ad::skin
