// Helpers shared by tests.
#include "testsupport/TestUtils.h"

#include <windows.h>

#include <atomic>
#include <fstream>
#include <sstream>

#include "framework/SysUtils.h"

namespace ad::test {

static std::string SystemTemp() {
    wchar_t buf[MAX_PATH + 1];
    DWORD n = ::GetTempPathW(MAX_PATH + 1, buf);
    return Narrow(std::wstring(buf, n));
}

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    std::string base = IncludeTrailingPathDelimiter(SystemTemp());
    for (;;) {
        std::string candidate = base + Format("adtest-%lu-%lu-%u", ::GetCurrentProcessId(), ::GetTickCount(),
                                              counter.fetch_add(1));
        if (CreateDir(candidate)) {
            path_ = candidate + "\\";
            return;
        }
    }
}

TempDir::~TempDir() { RemoveTree(path_); }

void RemoveTree(const std::string& dir) {
    std::string root = IncludeTrailingPathDelimiter(dir);
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW(Widen(root + "*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = Narrow(fd.cFileName);
            if (name == "." || name == "..") continue;
            std::string full = root + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                ::SetFileAttributesW(Widen(full).c_str(), FILE_ATTRIBUTE_NORMAL);
                RemoveFile(full);
            }
        } while (::FindNextFileW(h, &fd));
        ::FindClose(h);
    }
    RemoveDir(ExcludeTrailingPathDelimiter(root));
}

std::string ReadFileBytes(const std::string& fileName) {
    std::ifstream in(Widen(fileName).c_str(), std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteFileBytes(const std::string& fileName, const std::string& bytes) {
    std::ofstream out(Widen(fileName).c_str(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string BinDir() { return ExtractFilePath(ModuleFileName()); }
std::string FixturePath(const std::string& exeName) { return BinDir() + exeName; }

}  // namespace ad::test
