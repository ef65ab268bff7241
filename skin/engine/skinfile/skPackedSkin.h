// Packed skin files (".asz"): "ASzf", an entry count, then per entry a name,
// the data size and a zlib stream whose end is found by inflating it (no
// compressed length is stored). The reader splits a packed skin into the INI
// text ("Options.dat" in any case) and named image entries. Portable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/Exception.h"
#include "base/Streams.h"

namespace ad::skin {

class EZLibError : public Exception {
public:
    EZLibError(int code, std::string message) : Exception(std::move(message)), ErrorCode(code) {}
    int ErrorCode;
};
class EZDecompressionError : public EZLibError {
public:
    using EZLibError::EZLibError;
};

// Read-only inflate over a source; after the end of the zlib stream the source
// stands right after it (input read beyond the end is given back).
class TZDecompressionStream : public TStream {
public:
    explicit TZDecompressionStream(TStream& source);
    ~TZDecompressionStream() override;

    size_t Read(void* buffer, size_t count) override;
    // Only forward moves and a rewind to 0 are possible; the decompressed position.
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    [[noreturn]] size_t Write(const void* buffer, size_t count) override;
    bool Ended() const { return ended_; }

private:
    struct State;
    std::unique_ptr<State> state_;
    TStream& source_;
    int64_t sourcePosition_;
    bool ended_ = false;
};

struct TSkinImageEntry {
    std::string Name;  // as stored
    bool NotBMP = false;
    std::vector<uint8_t> Data;
};

class TSkSkinConvertor {
public:
    void Clear();

    std::unique_ptr<std::vector<uint8_t>> IniStream;  // null without an INI entry
    int ImageCount = 0;
    std::vector<TSkinImageEntry> Entries;
    // Why reading stopped early (a bad signature, a damaged entry); empty when all was read.
    std::string LastError;
};

// Limits of one entry (names and decompressed sizes).
constexpr int32_t kMaxPackedNameLength = 4096;
constexpr int32_t kMaxPackedEntrySize = 256 * 1024 * 1024;

inline const char* const kNotPackedSkin = "Loaded data is not a packed skin file";

// Reads the entries of a packed skin held in memory. False (LastError "Loaded
// data is not a packed skin file") for another signature. Entries whose
// header is damaged or cut short end the reading with LastError set; corrupt
// compressed data raises EZDecompressionError.
bool ReadPackedSkinEntries(TSkSkinConvertor& convertor, const uint8_t* data, size_t size);
// The same for a file; a missing file changes nothing and gives false.
bool OpenPackedSkinFile(const std::string& fileName, TSkSkinConvertor& convertor);

}  // namespace ad::skin
