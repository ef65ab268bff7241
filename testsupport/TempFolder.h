// The tests' temporary folder, removed with everything in it, and whole-file
// reads and writes by 8-bit name. Header-only and portable: the Windows tests
// (through TestUtils.h) and the natively built tests of the portable libraries
// use the same helper. Names are 8-bit text as the code under test takes them
// (the ANSI code page on Windows).
#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>

#ifdef _WIN32
#include "base/WinText.h"
#endif

namespace ad::test {

// The 8-bit name of a path, and the path of an 8-bit name.
inline std::string NameOfPath(const std::filesystem::path& path) {
#ifdef _WIN32
    return Narrow(path.wstring());
#else
    return path.string();
#endif
}

inline std::filesystem::path PathOfName(const std::string& name) {
#ifdef _WIN32
    return std::filesystem::path(Widen(name));
#else
    return std::filesystem::path(name);
#endif
}

// Removes a folder and everything in it, read-only files included; quietly
// leaves what cannot be removed.
inline void RemoveTree(const std::string& dir) {
    namespace fs = std::filesystem;
    const fs::path root = PathOfName(dir);
    std::error_code ec;
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
    fs::remove_all(root, ec);
}

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes out of scope.
class TempDir {
public:
    TempDir() {
        namespace fs = std::filesystem;
        static std::atomic<unsigned> counter{0};
        std::random_device random;
        const fs::path base = fs::temp_directory_path();
        fs::path folder;
        for (;;) {
            folder = base / ("adtest-" + std::to_string(random()) + "-" + std::to_string(counter.fetch_add(1)));
            std::error_code ec;
            if (fs::create_directory(folder, ec)) break;
            if (ec) throw std::filesystem::filesystem_error("cannot create a temporary folder", folder, ec);
        }
        path_ = NameOfPath(folder.make_preferred()) + char(fs::path::preferred_separator);
    }
    ~TempDir() { RemoveTree(path_); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder's name, ending with the separator ("\" on Windows).
    const std::string& Path() const { return path_; }
    // The folder's name without the final separator.
    std::string Folder() const { return path_.substr(0, path_.size() - 1); }
    std::string File(const std::string& name) const { return path_ + name; }
    // Writes bytes to a file of the folder and returns its full name.
    std::string Write(const std::string& name, const std::string& bytes) const;

private:
    std::string path_;
};

// The whole file; empty when it cannot be read. Test files are read and
// written through the standard streams, not through the code under test.
inline std::string ReadFileBytes(const std::string& fileName) {
    std::ifstream in(PathOfName(fileName), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Creates or truncates the file; false when it cannot be written.
inline bool WriteFileBytes(const std::string& fileName, const std::string& bytes) {
    std::ofstream out(PathOfName(fileName), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

inline std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
    const std::string fileName = File(name);
    WriteFileBytes(fileName, bytes);
    return fileName;
}

#ifdef _WIN32
// A new folder in dir whose name has letters beyond ASCII that the ANSI code
// page holds ("café été"), with the final "\"; empty when the code page
// cannot hold them (skip the test then).
inline std::string MakeNonAsciiFolder(const TempDir& dir) {
    const std::wstring wide = L"caf\u00e9 \u00e9t\u00e9";
    const std::string name = Narrow(wide);
    if (Widen(name) != wide) return {};
    std::error_code ec;
    std::filesystem::create_directory(PathOfName(dir.File(name)), ec);
    return ec ? std::string() : dir.File(name) + "\\";
}
#endif

}  // namespace ad::test
