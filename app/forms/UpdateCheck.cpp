// Version comparison, the reply download through the URL moniker API, and the
// reply's INI section.
#include "app/forms/UpdateCheck.h"

#include <windows.h>
#include <urlmon.h>
#include <wininet.h>

#include <charconv>
#include <tuple>
#include <vector>

#include "base/StrUtils.h"
#include "base/WinText.h"
#include "framework/IniFiles.h"
#include "framework/SysUtils.h"

namespace ad {

const TUpdateServers& DefaultUpdateServers() {
    static const TUpdateServers servers = {"http://update1.appdeck.example.org", "http://update.appdeck.example.org",
                                           "http://update3.appdeck.example.org"};
    return servers;
}

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

std::string UpdateTempFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    DWORD n = ::GetTempPathW(MAX_PATH + 1, path);
    if (n > 0 && n <= MAX_PATH) return IncludeTrailingPathDelimiter(Narrow(path));
    ::CreateDirectoryW(L"C:\\Windows\\Temp", nullptr);
    return "C:\\Windows\\Temp\\";
}

bool DownloadUpdateReply(const std::string& url, const std::string& fileName) {
    const std::wstring file = Widen(fileName);
    if (!::DeleteFileW(file.c_str()) && ::GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    const std::wstring address = Widen(url);
    ::DeleteUrlCacheEntryW(address.c_str());  // a cached reply would hide a newer one
    return ::URLDownloadToFileW(nullptr, address.c_str(), file.c_str(), 0, nullptr) == S_OK;
}

TUpdateReply ReadUpdateReply(const std::string& fileName, const std::string& section) {
    TUpdateReply reply;
    if (!FileExists(fileName)) return reply;
    TIniFile ini(fileName);
    std::string version = ini.ReadString(section, "Version", "-");
    if (!version.empty()) reply.Version = version;
    reply.DLink = ini.ReadString(section, "DLink", "");
    return reply;
}

}  // namespace ad
