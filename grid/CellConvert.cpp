// Conversions between cell values and text.
#include "grid/CellConvert.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace ad::grid {

namespace {

std::string Shown(std::u16string_view text) {
    std::string out;
    for (char16_t c : text.substr(0, 200)) out.push_back(c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?');
    return out;
}

[[noreturn]] void Fail(const char* what, std::u16string_view text) {
    throw EConvertError(Format("'%s' is not a valid %s", Shown(text).c_str(), what));
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

std::u16string_view Trim(std::u16string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

bool EqualsNoCase(std::u16string_view a, const char* b) {
    size_t i = 0;
    for (; b[i]; ++i)
        if (i >= a.size() || Lower(a[i]) != static_cast<char16_t>(b[i])) return false;
    return i == a.size();
}

// Float syntax check; on success fills an ASCII copy with '.' as separator.
bool TryFloat(std::u16string_view text, const TFormatSettings& fs, double& value) {
    text = Trim(text);
    std::string ascii;
    size_t i = 0, n = text.size();
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-') ascii.push_back('-');
        ++i;
    }
    size_t digits = 0;
    while (i < n && IsDigit(text[i])) { ascii.push_back(static_cast<char>(text[i++])); ++digits; }
    if (i < n && text[i] == fs.DecimalSeparator) {
        ascii.push_back('.');
        ++i;
        while (i < n && IsDigit(text[i])) { ascii.push_back(static_cast<char>(text[i++])); ++digits; }
    }
    if (digits == 0) return false;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ascii.push_back('e');
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-')) ascii.push_back(static_cast<char>(text[i++]));
        size_t expDigits = 0;
        while (i < n && IsDigit(text[i])) { ascii.push_back(static_cast<char>(text[i++])); ++expDigits; }
        if (expDigits == 0) return false;
    }
    if (i != n) return false;
    auto res = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // Underflow is zero; overflow is no value.
        bool hugeExp = false;
        size_t e = ascii.find('e');
        if (e != std::string::npos) hugeExp = ascii.find('-', e) == std::string::npos;
        if (hugeExp) return false;
        value = 0.0;
        return true;
    }
    if (res.ec != std::errc() || res.ptr != ascii.data() + ascii.size()) return false;
    return std::isfinite(value);
}

// Parses an unsigned decimal number of at most 'maxDigits' digits at text[i].
bool ReadNumber(std::u16string_view text, size_t& i, int& value, size_t maxDigits = 4) {
    size_t start = i;
    value = 0;
    while (i < text.size() && IsDigit(text[i]) && i - start < maxDigits) value = value * 10 + (text[i++] - u'0');
    if (i < text.size() && IsDigit(text[i])) return false;
    return i > start;
}

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

// Order of year, month and day in a short date pattern: a string like "MDY".
std::string DateOrder(const std::string& pattern) {
    std::string order;
    for (char c : pattern) {
        char k = c == 'y' ? 'Y' : (c == 'M' ? 'M' : (c == 'd' ? 'D' : 0));
        if (k && order.find(k) == std::string::npos) order.push_back(k);
    }
    return order.size() == 3 ? order : "MDY";
}

bool TryDate(std::u16string_view text, const TFormatSettings& fs, double& days) {
    int parts[3];
    size_t digitsOf[3];
    size_t i = 0;
    for (int k = 0; k < 3; ++k) {
        if (k > 0) {
            if (i >= text.size() || text[i] != fs.DateSeparator) return false;
            ++i;
        }
        size_t start = i;
        if (!ReadNumber(text, i, parts[k])) return false;
        digitsOf[k] = i - start;
    }
    if (i != text.size()) return false;
    std::string order = DateOrder(fs.ShortDateFormat);
    int y = 0, m = 0, d = 0;
    for (int k = 0; k < 3; ++k) {
        if (order[k] == 'Y') {
            y = parts[k];
            if (digitsOf[k] <= 2) y += y < 50 ? 2000 : 1900;
        } else if (order[k] == 'M') {
            m = parts[k];
        } else {
            d = parts[k];
        }
    }
    return TryEncodeDate(y, m, d, days);
}

bool TryTime(std::u16string_view text, const TFormatSettings& fs, double& fraction) {
    int hms[3] = {0, 0, 0};
    size_t i = 0;
    int count = 0;
    for (; count < 3; ++count) {
        if (count > 0) {
            if (i >= text.size() || text[i] != fs.TimeSeparator) break;
            ++i;
        }
        if (!ReadNumber(text, i, hms[count], 2)) return false;
    }
    if (count < 2) return false;
    while (i < text.size() && IsBlank(text[i])) ++i;
    std::u16string_view rest = text.substr(i);
    if (!rest.empty()) {
        bool pm = EqualsNoCase(rest, "pm");
        if (!pm && !EqualsNoCase(rest, "am")) return false;
        if (hms[0] < 1 || hms[0] > 12) return false;
        hms[0] = hms[0] % 12 + (pm ? 12 : 0);
    }
    if (hms[0] > 23 || hms[1] > 59 || hms[2] > 59) return false;
    fraction = (hms[0] * 3600.0 + hms[1] * 60.0 + hms[2]) / 86400.0;
    return true;
}

void Append2(std::u16string& out, int v, bool pad) {
    if (pad || v >= 10) out.push_back(static_cast<char16_t>(u'0' + v / 10 % 10));
    out.push_back(static_cast<char16_t>(u'0' + v % 10));
}

void AppendInt(std::u16string& out, long long v) {
    char buf[32];
    int n = std::snprintf(buf, sizeof buf, "%lld", v);
    for (int k = 0; k < n; ++k) out.push_back(static_cast<char16_t>(buf[k]));
}

// Counts how many times the character at pattern[i] repeats.
size_t Run(const std::string& pattern, size_t i) {
    size_t n = 1;
    while (i + n < pattern.size() && pattern[i + n] == pattern[i]) ++n;
    return n;
}

}  // namespace

std::int32_t TextToInt(std::u16string_view text) {
    std::u16string_view t = Trim(text);
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) negative = t[i++] == u'-';
    if (i >= t.size()) Fail("integer value", text);
    long long v = 0;
    for (; i < t.size(); ++i) {
        if (!IsDigit(t[i])) Fail("integer value", text);
        v = v * 10 + (t[i] - u'0');
        if (v > 2147483648LL) Fail("integer value", text);
    }
    if (negative) v = -v;
    if (v > std::numeric_limits<std::int32_t>::max()) Fail("integer value", text);
    return static_cast<std::int32_t>(v);
}

std::u16string IntToText(std::int32_t value) {
    std::u16string out;
    AppendInt(out, value);
    return out;
}

double TextToFloat(std::u16string_view text, const TFormatSettings& fs) {
    double v = 0;
    if (!TryFloat(text, fs, v)) Fail("floating point value", text);
    return v;
}

std::u16string FloatToText(double value, const TFormatSettings& fs) {
    if (std::isnan(value)) return u"NAN";
    if (std::isinf(value)) return value > 0 ? u"INF" : u"-INF";
    if (value == 0) return u"0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    std::u16string out;
    for (const char* p = buf; *p; ++p) {
        if (*p == '.') {
            out.push_back(fs.DecimalSeparator);
        } else if (*p == 'e') {
            out.push_back(u'E');
            ++p;
            if (*p == '-') out.push_back(u'-');
            ++p;
            while (*p == '0' && p[1]) ++p;
            for (; *p; ++p) out.push_back(static_cast<char16_t>(*p));
            break;
        } else {
            out.push_back(static_cast<char16_t>(*p));
        }
    }
    return out;
}

bool TextToBool(std::u16string_view text, const TFormatSettings& fs) {
    std::u16string_view t = Trim(text);
    if (EqualsNoCase(t, "true")) return true;
    if (EqualsNoCase(t, "false")) return false;
    double v = 0;
    if (TryFloat(t, fs, v)) return v != 0;
    Fail("boolean value", text);
}

std::u16string BoolToText(bool value) { return value ? u"True" : u"False"; }

bool TryEncodeDate(int year, int month, int day, double& days) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    int y = year - (month <= 2);
    long long era = y / 400;
    long long yoe = y - era * 400;
    long long doy = (153LL * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    long long unixDays = era * 146097 + doe - 719468;
    days = static_cast<double>(unixDays + 25569);
    return true;
}

void DecodeDate(long long days, int& year, int& month, int& day) {
    long long z = days - 25569 + 719468;
    long long era = (z >= 0 ? z : z - 146096) / 146097;
    long long doe = z - era * 146097;
    long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long long mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

TDateTime TextToDateTime(std::u16string_view text, const TFormatSettings& fs) {
    std::u16string_view t = Trim(text);
    size_t blank = t.find(u' ');
    std::u16string_view datePart = blank == std::u16string_view::npos ? t : t.substr(0, blank);
    std::u16string_view timePart = blank == std::u16string_view::npos ? std::u16string_view() : Trim(t.substr(blank));
    double days = 0, fraction = 0;
    if (TryDate(datePart, fs, days)) {
        if (!timePart.empty() && !TryTime(timePart, fs, fraction)) Fail("date and time", text);
        // Before 30 December 1899 the day counts down but the time of day
        // still counts up: -1.25 is 29 December 1899 at 6:00.
        return days < 0 ? days - fraction : days + fraction;
    }
    if (!t.empty() && TryTime(t, fs, fraction)) return fraction;
    Fail("date and time", text);
}

std::u16string DateTimeToText(TDateTime value, const TFormatSettings& fs) {
    // Years 1 to 9999 only.
    if (!std::isfinite(value) || value < -693593.0 || value >= 2958466.0)
        throw EConvertError(Format("Invalid argument to date encode: %g", value));
    double whole = std::trunc(value);
    long long ms = std::llround(std::fabs(value - whole) * 86400000.0);
    if (ms >= 86400000) ms = 86399999;
    int year, month, day;
    DecodeDate(static_cast<long long>(whole), year, month, day);
    std::u16string out;
    const std::string& dp = fs.ShortDateFormat;
    for (size_t i = 0; i < dp.size();) {
        size_t n = Run(dp, i);
        char c = dp[i];
        if (c == 'd') {
            Append2(out, day, n >= 2);
        } else if (c == 'M') {
            Append2(out, month, n >= 2);
        } else if (c == 'y') {
            if (n <= 2) Append2(out, year % 100, true);
            else {
                char buf[8];
                std::snprintf(buf, sizeof buf, "%04d", year);
                for (const char* q = buf; *q; ++q) out.push_back(static_cast<char16_t>(*q));
            }
        } else if (c == '/') {
            for (size_t k = 0; k < n; ++k) out.push_back(fs.DateSeparator);
        } else {
            for (size_t k = 0; k < n; ++k) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
        }
        i += n;
    }
    if (ms == 0) return out;
    int hour = static_cast<int>(ms / 3600000), minute = static_cast<int>(ms / 60000 % 60),
        second = static_cast<int>(ms / 1000 % 60);
    const std::string& tp = fs.LongTimeFormat;
    bool twelve = tp.find("tt") != std::string::npos;
    out.push_back(u' ');
    for (size_t i = 0; i < tp.size();) {
        size_t n = Run(tp, i);
        char c = tp[i];
        if (c == 'H' || c == 'h') {
            int h = hour;
            if (twelve && c == 'h') h = hour % 12 == 0 ? 12 : hour % 12;
            Append2(out, h, n >= 2);
        } else if (c == 'm') {
            Append2(out, minute, n >= 2);
        } else if (c == 's') {
            Append2(out, second, n >= 2);
        } else if (c == 't') {
            out += hour < 12 ? u"AM" : u"PM";
        } else if (c == ':') {
            for (size_t k = 0; k < n; ++k) out.push_back(fs.TimeSeparator);
        } else {
            for (size_t k = 0; k < n; ++k) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
        }
        i += n;
    }
    return out;
}

TGuid TextToGuid(std::u16string_view text) {
    static const int groups[] = {8, 4, 4, 4, 12};
    if (text.size() != 38 || text[0] != u'{' || text[37] != u'}') Fail("GUID value", text);
    std::uint8_t bytes[16];
    size_t pos = 1, b = 0;
    for (int g = 0; g < 5; ++g) {
        if (g > 0) {
            if (text[pos] != u'-') Fail("GUID value", text);
            ++pos;
        }
        for (int k = 0; k < groups[g]; k += 2) {
            int v = 0;
            for (int h = 0; h < 2; ++h) {
                char16_t c = text[pos++];
                int d = c >= u'0' && c <= u'9' ? c - u'0'
                        : (c >= u'a' && c <= u'f' ? c - u'a' + 10 : (c >= u'A' && c <= u'F' ? c - u'A' + 10 : -1));
                if (d < 0) Fail("GUID value", text);
                v = v * 16 + d;
            }
            bytes[b++] = static_cast<std::uint8_t>(v);
        }
    }
    TGuid g;
    g.Data1 = (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) | (std::uint32_t{bytes[2]} << 8) | bytes[3];
    g.Data2 = static_cast<std::uint16_t>((bytes[4] << 8) | bytes[5]);
    g.Data3 = static_cast<std::uint16_t>((bytes[6] << 8) | bytes[7]);
    for (int k = 0; k < 8; ++k) g.Data4[k] = bytes[8 + k];
    return g;
}

std::u16string GuidToText(const TGuid& g) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", static_cast<unsigned>(g.Data1),
                  unsigned{g.Data2}, unsigned{g.Data3}, unsigned{g.Data4[0]}, unsigned{g.Data4[1]}, unsigned{g.Data4[2]},
                  unsigned{g.Data4[3]}, unsigned{g.Data4[4]}, unsigned{g.Data4[5]}, unsigned{g.Data4[6]},
                  unsigned{g.Data4[7]});
    return Latin1ToUtf16(buf);
}

std::int32_t RoundHalfEven(double value) {
    double r = std::nearbyint(value);  // the default rounding mode is to nearest, ties to even
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        throw EConvertError(Format("Value %g is out of the integer range", value));
    return static_cast<std::int32_t>(r);
}

std::int32_t TruncToInt(double value) {
    double r = std::trunc(value);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        throw EConvertError(Format("Value %g is out of the integer range", value));
    return static_cast<std::int32_t>(r);
}

}  // namespace ad::grid
