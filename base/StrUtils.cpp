// String and path text helpers.
#include "base/StrUtils.h"

#include <climits>

namespace ad {

static bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

std::string TrimLeft(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    return std::string(s.substr(i));
}

std::string TrimRight(std::string_view s) {
    size_t n = s.size();
    while (n > 0 && IsBlank(s[n - 1])) --n;
    return std::string(s.substr(0, n));
}

static char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
static char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

std::string AsciiLowerCase(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = AsciiLower(c);
    return r;
}

std::string AsciiUpperCase(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = AsciiUpper(c);
    return r;
}

bool AsciiSameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

bool StartsText(std::string_view prefix, std::string_view s) {
    return s.size() >= prefix.size() && AsciiSameText(prefix, s.substr(0, prefix.size()));
}

std::string StringReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(s);
    std::string r;
    size_t pos = 0;
    for (;;) {
        size_t hit = s.find(from, pos);
        if (hit == std::string_view::npos) break;
        r.append(s.substr(pos, hit - pos));
        r.append(to);
        pos = hit + from.size();
    }
    r.append(s.substr(pos));
    return r;
}

std::string IntToStr(int64_t value) { return std::to_string(value); }

std::string IntToHex(uint64_t value, int digits) {
    static const char hex[] = "0123456789ABCDEF";
    std::string r;
    do {
        r.insert(r.begin(), hex[value & 15]);
        value >>= 4;
    } while (value != 0);
    while (static_cast<int>(r.size()) < digits) r.insert(r.begin(), '0');
    return r;
}

bool TryStrToInt(std::string_view text, int& value) {
    std::string s = Trim(text);
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= s.size()) return false;
    int64_t acc = 0;
    for (; i < s.size(); ++i) {
        char c = s[i];
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return false;
        acc = acc * base + d;
        // Hex literals may spell the full 32-bit pattern (e.g. $FFFFFFFF = -1).
        if (acc > (base == 16 ? int64_t(UINT32_MAX) : int64_t(INT_MAX) + 1)) return false;
    }
    if (base == 16) {
        int32_t bits = static_cast<int32_t>(static_cast<uint32_t>(acc));
        value = negative ? -bits : bits;
        return true;
    }
    if (negative) acc = -acc;
    if (acc > INT_MAX || acc < INT_MIN) return false;
    value = static_cast<int>(acc);
    return true;
}

int StrToIntDef(std::string_view s, int def) {
    int v;
    return TryStrToInt(s, v) ? v : def;
}

bool IsPathDelimiter(char c) { return c == '\\' || c == '/'; }

std::string IncludeTrailingPathDelimiter(std::string_view path) {
    std::string r(path);
    if (r.empty() || !IsPathDelimiter(r.back())) r += '\\';
    return r;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path) {
    std::string r(path);
    if (!r.empty() && IsPathDelimiter(r.back())) r.pop_back();
    return r;
}

// Index just past the last "\", "/" or ":" (0 when there is none).
static size_t NameStart(std::string_view f) {
    size_t i = f.size();
    while (i > 0 && !IsPathDelimiter(f[i - 1]) && f[i - 1] != ':') --i;
    return i;
}

std::string ExtractFilePath(std::string_view f) { return std::string(f.substr(0, NameStart(f))); }

std::string ExtractFileDir(std::string_view f) {
    size_t i = NameStart(f);
    // Keep the delimiter of a root ("C:\" or "\") so the result still names a folder.
    if (i > 0 && IsPathDelimiter(f[i - 1]) && i > 1 && !IsPathDelimiter(f[i - 2]) && f[i - 2] != ':') --i;
    return std::string(f.substr(0, i));
}

std::string ExtractFileName(std::string_view f) { return std::string(f.substr(NameStart(f))); }

std::string ExtractFileExt(std::string_view f) {
    size_t start = NameStart(f);
    size_t dot = f.rfind('.');
    if (dot == std::string_view::npos || dot < start) return std::string();
    return std::string(f.substr(dot));
}

std::string ExtractFileDrive(std::string_view f) {
    if (f.size() >= 2 && f[1] == ':') return std::string(f.substr(0, 2));
    if (f.size() >= 2 && IsPathDelimiter(f[0]) && IsPathDelimiter(f[1])) {
        // \\server\share
        size_t i = 2, parts = 0;
        while (i < f.size()) {
            if (IsPathDelimiter(f[i]) && ++parts == 2) break;
            ++i;
        }
        return std::string(f.substr(0, i));
    }
    return std::string();
}

std::string ChangeFileExt(std::string_view f, std::string_view ext) {
    std::string old = ExtractFileExt(f);
    return std::string(f.substr(0, f.size() - old.size())) + std::string(ext);
}

}  // namespace ad
