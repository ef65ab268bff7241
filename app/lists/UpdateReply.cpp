// The update reply's section and the version comparison.
#include "app/lists/UpdateReply.h"

#include <charconv>
#include <tuple>

#include "base/IniDocument.h"

namespace ad {

namespace {

int VersionPart(std::string_view part) {
    int value = 0;
    const char* first = part.data();
    const char* last = part.data() + part.size();
    if (first != last && *first == '+') ++first;
    auto [end, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && end == last && first != last ? value : 0;
}

std::tuple<int, int, int> VersionNumbers(const std::string& text) {
    std::string padded = text + ".0.0";
    int parts[3] = {};
    size_t start = 0;
    for (int& p : parts) {
        size_t dot = padded.find('.', start);
        if (dot == std::string::npos) dot = padded.size();
        p = VersionPart(std::string_view(padded).substr(start, dot - start));
        start = dot + 1;
        if (start > padded.size()) break;
    }
    return {parts[0], parts[1], parts[2]};
}

}  // namespace

bool IsNewerVersion(const std::string& current, const std::string& latest) {
    if (current.empty() || latest.empty()) return false;
    return VersionNumbers(latest) > VersionNumbers(current);
}

TUpdateReply ParseUpdateReply(std::string_view bytes, std::string_view section) {
    TUpdateReply reply;
    reply.Encoding = DetectTextFileEncoding(bytes);
    IniDocument ini;
    ini.Parse(DecodeTextFile(bytes, reply.Encoding));
    std::string version = ini.ReadValue(section, "Version").value_or(std::string());
    if (!version.empty()) reply.Version = std::move(version);
    reply.DLink = ini.ReadValue(section, "DLink").value_or(std::string());
    return reply;
}

}  // namespace ad
