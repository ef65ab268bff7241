// Files by name on systems whose names are bytes: the name is used as it is.
#include "base/Files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "base/Exception.h"

namespace ad {

std::FILE* OpenNamedFile(const std::string& fileName, const char* mode) {
    if (fileName.empty()) {
        errno = ENOENT;
        return nullptr;
    }
    return std::fopen(fileName.c_str(), mode);
}

std::string LastFileErrorText() { return std::strerror(errno); }

void SaveFileAtomically(const std::string& fileName, const void* data, size_t size) {
    static std::atomic<unsigned> counter{0};
    struct stat st;
    if (::stat(fileName.c_str(), &st) == 0 && (S_ISDIR(st.st_mode) || ::access(fileName.c_str(), W_OK) != 0))
        throw EFCreateError(fileName, std::strerror(EACCES));
    std::string temp;
    std::FILE* file = nullptr;
    for (int attempt = 0; file == nullptr; ++attempt) {
        temp = fileName + Format(".%lx-%x.tmp", static_cast<unsigned long>(::getpid()), counter.fetch_add(1));
        file = std::fopen(temp.c_str(), "wbx");
        if (file == nullptr && (errno != EEXIST || attempt > 100)) throw EFCreateError(fileName, std::strerror(errno));
    }
    int error = 0;
    if (size != 0 && std::fwrite(data, 1, size, file) != size) error = errno ? errno : EIO;
    if (std::fflush(file) != 0 && error == 0) error = errno;
    if (error == 0 && ::fsync(::fileno(file)) != 0) error = errno;
    if (std::fclose(file) != 0 && error == 0) error = errno;
    if (error == 0 && std::rename(temp.c_str(), fileName.c_str()) != 0) error = errno;
    if (error != 0) {
        std::remove(temp.c_str());
        throw EFCreateError(fileName, std::strerror(error));
    }
}

}  // namespace ad
