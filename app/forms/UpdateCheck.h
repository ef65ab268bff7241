// The update check's rules, without a window: the version comparison, the
// reply's download into the temporary folder and its reading. Which download
// links may be opened is the lists' IsWebAddress (app/lists/InfoListRules.h).
#pragma once

#include <array>
#include <string>

namespace ad {

// The update servers' base addresses (scheme and host, no trailing "/"), for
// the buttons "1", "2" and "3"; the second is the one in use.
using TUpdateServers = std::array<std::string, 3>;
const TUpdateServers& DefaultUpdateServers();
inline constexpr const char* UpdateScript = "/update.php";
inline constexpr const char* UpdateReplyFile = "update.ini";

// Whether latest is newer than current: both dotted, the first three parts
// compared as numbers in order (missing parts are 0, a part that is not a
// decimal number is 0, parts after the third are ignored). An empty text is
// never newer nor older.
bool IsNewerVersion(const std::string& current, const std::string& latest);

// The system's temporary folder with "\"; "C:\Windows\Temp\" (created) when
// the system gives none.
std::string UpdateTempFolder();

// Deletes any old reply file and downloads url into it, bypassing the cache.
// False when the old file cannot be deleted (it is never read then) or the
// download fails.
bool DownloadUpdateReply(const std::string& url, const std::string& fileName);

struct TUpdateReply {
    std::string Version = "-";  // "-" when the reply has none
    std::string DLink;
};
// Section `section` of the reply file; an empty "Version" counts as none.
TUpdateReply ReadUpdateReply(const std::string& fileName, const std::string& section);

}  // namespace ad
