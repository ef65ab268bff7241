// The update check's file side: the reply's download into the temporary
// folder and its reading. The reply's parse and the version rule are the
// lists' (app/lists/UpdateReply.h); which download links may be opened is
// their IsWebAddress (app/lists/InfoListRules.h).
#pragma once

#include <array>
#include <functional>
#include <string>

#include "app/lists/UpdateReply.h"

namespace ad {

// The update servers' base addresses (scheme and host, no trailing "/"), for
// the buttons "1", "2" and "3"; the second is the one in use.
using TUpdateServers = std::array<std::string, 3>;
const TUpdateServers& DefaultUpdateServers();
inline constexpr const char* UpdateScript = "/update.php";
inline constexpr const char* UpdateReplyFile = "update.ini";

// The system's temporary folder with "\"; "C:\Windows\Temp\" (created) when
// the system gives none.
std::string UpdateTempFolder();

// Deletes any old reply file and downloads url into it, bypassing the cache.
// False when the old file cannot be deleted (it is never read then) or the
// download fails. stop() is asked while the reply arrives; once it answers
// true the download is abandoned (false). Runs on any thread.
bool DownloadUpdateReply(const std::string& url, const std::string& fileName,
                         const std::function<bool()>& stop = {});

// Whether the system reports a connection to the internet.
bool InternetConnected();

// Section `section` of the reply file, its texts in the ANSI code page; an
// empty "Version" counts as none, and so does a missing or unreadable file.
TUpdateReply ReadUpdateReply(const std::string& fileName, const std::string& section);

}  // namespace ad
