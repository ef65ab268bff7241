// Word, INI-text, rectangle, number and path helpers of the skin engine.
#include "skin/engine/image/SkinUtils.h"

#include <algorithm>
#include <climits>

#include "base/StrUtils.h"

namespace ad::skin {

void SplitIniText(std::string_view source, TIniTextSections& sections) {
    sections.clear();
    size_t at = 0;
    while (at <= source.size()) {
        size_t end = source.find('\n', at);
        if (end == std::string_view::npos) end = source.size();
        std::string_view line = source.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        at = end + 1;
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
            sections.emplace_back(std::string(line.substr(1, line.size() - 2)), std::vector<std::string>{});
        } else if (!sections.empty()) {
            sections.back().second.emplace_back(line);
        }
    }
}

namespace {
const std::vector<std::string>* FindSection(const TIniTextSections& sections, std::string_view name) {
    for (const auto& s : sections)
        if (AsciiSameText(s.first, name)) return &s.second;
    return nullptr;
}
}  // namespace

std::string IniTextReadString(const TIniTextSections& sections, std::string_view section,
                              const std::string& def, std::string_view ident) {
    const auto* lines = FindSection(sections, section);
    if (!lines) return def;
    for (const std::string& line : *lines) {
        size_t eq = line.find('=');
        if (eq != std::string::npos && AsciiSameText(std::string_view(line).substr(0, eq), ident))
            return line.substr(eq + 1);
    }
    return def;
}

int IniTextReadInteger(const TIniTextSections& sections, std::string_view section, int def,
                       std::string_view ident) {
    std::string text = IniTextReadString(sections, section, "", ident);
    int value;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return TryStrToInt(std::string("$").append(text, 2), value) ? value : def;
    return TryStrToInt(text, value) ? value : def;
}

int NthWordPos(int n, std::string_view text, std::string_view separators) {
    int count = 0;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && separators.find(text[i]) != std::string_view::npos) ++i;
        if (i >= text.size()) break;
        if (++count == n) return int(i) + 1;
        while (i < text.size() && separators.find(text[i]) == std::string_view::npos) ++i;
    }
    return 0;
}

std::string NthWord(int n, std::string_view text, std::string_view separators) {
    int pos = NthWordPos(n, text, separators);
    if (pos == 0) return {};
    size_t start = size_t(pos - 1), end = start;
    while (end < text.size() && separators.find(text[end]) == std::string_view::npos) ++end;
    return std::string(text.substr(start, end - start));
}

int CountWords(std::string_view text, std::string_view separators) {
    int count = 0;
    bool inWord = false;
    for (char c : text) {
        bool sep = separators.find(c) != std::string_view::npos;
        if (!sep && !inWord) ++count;
        inWord = !sep;
    }
    return count;
}

std::string StripChar(std::string_view text, char c) {
    std::string r;
    r.reserve(text.size());
    for (char ch : text)
        if (ch != c) r += ch;
    return r;
}

void ReplaceAllText(std::string_view text, std::string_view pattern, std::string_view replacement,
                    std::string& result) {
    if (pattern.empty()) {
        result += text;
        return;
    }
    size_t at = 0;
    for (;;) {
        size_t hit = text.find(pattern, at);
        if (hit == std::string_view::npos) break;
        result += text.substr(at, hit - at);
        result += replacement;
        at = hit + pattern.size();
    }
    result += text.substr(at);
}

int RectWidth(const TRect& r, bool clampNegative) {
    int w = r.Right - r.Left;
    return clampNegative && w < 0 ? 0 : w;
}

int RectHeight(const TRect& r, bool clampNegative) {
    int h = r.Bottom - r.Top;
    return clampNegative && h < 0 ? 0 : h;
}

TPoint RectSize(const TRect& r) { return {RectWidth(r, true), RectHeight(r, true)}; }

TRect ShiftRect(const TRect& r, int d) { return Offset(r, d, d); }

TRect OffsetRectXY(const TRect& r, int dx, int dy) { return Offset(r, dx, dy); }

TRect IntersectRects(const TRect& a, const TRect& b) {
    return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
}

bool RectsOverlap(const TRect& a, const TRect& b) { return !IsEmpty(Intersect(a, b)); }

bool RectInsideRect(const TRect& outer, const TRect& inner) {
    auto inside = [&](int x, int y) {
        return x >= outer.Left && x <= outer.Right && y >= outer.Top && y <= outer.Bottom;
    };
    return inside(inner.Left, inner.Top) && inside(inner.Right, inner.Bottom);
}

bool ValueInArray(const int* values, int value, int first, int last) {
    for (int i = first; i <= last; ++i)
        if (values[i] == value) return true;
    return false;
}

int ClampInt(int value, int min, int max) { return value < min ? min : value > max ? max : value; }
int ClampToInt(int64_t value) { return int(std::clamp<int64_t>(value, INT_MIN, INT_MAX)); }
int LargerInt(int a, int b) { return a > b ? a : b; }
void SwapInt(int& a, int& b) { std::swap(a, b); }
bool IndexInRange(int value, int high, int low) { return low <= value && value < high; }

bool ValueBetween(int value, int a, int b, bool anyOrder) {
    if (anyOrder && a > b) std::swap(a, b);
    return a <= value && value <= b;
}

std::string AddPathSeparator(std::string_view path) {
    std::string r(path);
    if (r.empty() || r.back() == '\\') return r;
    if (r.back() == '/') {
        r.back() = '\\';
        return r;
    }
    if (r.size() == 1) return r + ":\\";
    return r + '\\';
}

}  // namespace ad::skin
