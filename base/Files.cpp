// Reading a whole file by name, over the platform's open.
#include "base/Files.h"

#include <memory>

#include "base/Exception.h"

namespace ad {

std::vector<uint8_t> ReadFileBytes(const std::string& fileName) {
    std::FILE* raw = OpenNamedFile(fileName, "rb");
    if (raw == nullptr) throw EFOpenError(fileName, LastFileErrorText());
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(raw, &std::fclose);
    std::vector<uint8_t> bytes;
    uint8_t block[64 * 1024];
    for (;;) {
        const size_t n = std::fread(block, 1, sizeof block, file.get());
        bytes.insert(bytes.end(), block, block + n);
        if (n < sizeof block) break;
    }
    if (std::ferror(file.get())) throw EReadError(Format("Stream read error: %s", fileName.c_str()));
    return bytes;
}

}  // namespace ad
