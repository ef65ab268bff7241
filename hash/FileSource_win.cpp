// Opening files by their ANSI name on Windows: the name is converted from the
// ANSI code page to UTF-16 and opened through the wide API, so every name the
// launcher can hold opens, independent of the C runtime's locale.
#include "hash/FileSource.h"

#include <cerrno>

#include "framework/SysUtils.h"

namespace ad::digest {

std::FILE* OpenFileForReading(const std::string& fileName) {
    if (fileName.empty()) {
        errno = ENOENT;
        return nullptr;
    }
    const std::wstring wide = Widen(fileName);
    return _wfopen(wide.c_str(), L"rb");
}

}  // namespace ad::digest
