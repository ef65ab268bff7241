// SWSystem: small operating-system helpers the launcher's windows share: path
// text, the temporary folder, starting a program, and one string of a file's
// version information.
#pragma once

#include <string>

namespace ad {

// The path with a "\" appended, unless it is empty or already ends with one.
std::string IncludeBackslash(const std::string& path);
// The name, folders kept, without its extension ("archive.tar.gz" -> "archive.tar").
std::string RemoveFileExt(const std::string& name);
// The system's temporary folder as it reports it, with its trailing "\"; "" on failure.
std::string GetTempDir();
// Starts a program (appName may be empty: the command line then names it) with the
// caller's environment and current folder. With wait, returns once it has ended.
// Raises EOSError with the system's text when the program cannot be started.
void RunProcess(const std::string& appName, const std::string& cmdLine, bool wait);
// One string of a file's version information in its first translation:
// 0 CompanyName, 1 FileDescription, 2 FileVersion, 3 InternalName, 4 LegalCopyright,
// 5 LegalTrademarks, 6 OriginalFilename, 7 ProductName, 8 ProductVersion, 9 Comments.
// "" for any failure or an index outside 0..9.
std::string GetVersionInfoString(const std::string& fileName, int index);

}  // namespace ad
