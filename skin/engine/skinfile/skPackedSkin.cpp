// Reading packed skins: the decompression stream that hands back the input it
// read past a zlib stream's end, and the entry reader with bounded sizes.
#include "skin/engine/skinfile/skPackedSkin.h"

#include <zlib.h>

#include "base/Files.h"

#include <algorithm>
#include <cstring>

namespace ad::skin {

namespace {
constexpr size_t kInputBuffer = 65536;
const char* const kInvalidOperation = "Invalid ZStream operation!";

[[noreturn]] void ZError(int code, const z_stream& z) {
    throw EZDecompressionError(code, z.msg ? z.msg : zError(code));
}
}  // namespace

struct TZDecompressionStream::State {
    z_stream Z{};
    uint8_t Buffer[kInputBuffer];
};

TZDecompressionStream::TZDecompressionStream(TStream& source)
    : state_(std::make_unique<State>()), source_(source), sourcePosition_(source.Position()) {
    int r = inflateInit(&state_->Z);
    if (r != Z_OK) ZError(r, state_->Z);
}

TZDecompressionStream::~TZDecompressionStream() { inflateEnd(&state_->Z); }

size_t TZDecompressionStream::Read(void* buffer, size_t count) {
    z_stream& z = state_->Z;
    if (source_.Position() != sourcePosition_) source_.SetPosition(sourcePosition_);
    z.next_out = static_cast<Bytef*>(buffer);
    z.avail_out = uInt(std::min<size_t>(count, 0x40000000));
    const uInt wanted = z.avail_out;
    while (z.avail_out > 0 && !ended_) {
        if (z.avail_in == 0) {
            const size_t n = source_.Read(state_->Buffer, kInputBuffer);
            if (n == 0) break;
            sourcePosition_ += int64_t(n);
            z.next_in = state_->Buffer;
            z.avail_in = uInt(n);
        }
        int r = inflate(&z, Z_NO_FLUSH);
        if (r == Z_STREAM_END) ended_ = true;
        else if (r < 0 && r != Z_BUF_ERROR) ZError(r, z);
        else if (r == Z_NEED_DICT) ZError(Z_DATA_ERROR, z);
    }
    if (ended_ && z.avail_in > 0) {
        sourcePosition_ = source_.Seek(-int64_t(z.avail_in), soCurrent);
        z.avail_in = 0;
    }
    return wanted - z.avail_out;
}

int64_t TZDecompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
    z_stream& z = state_->Z;
    auto skip = [&](int64_t n) {
        uint8_t scratch[8192];
        while (n > 0) {
            size_t got = Read(scratch, size_t(std::min<int64_t>(n, sizeof scratch)));
            if (got == 0) break;
            n -= int64_t(got);
        }
    };
    const int64_t current = int64_t(z.total_out);
    if (origin == soBeginning && offset == 0) {
        inflateReset(&z);
        z.avail_in = 0;
        ended_ = false;
        source_.SetPosition(0);
        sourcePosition_ = 0;
    } else if (origin == soCurrent && offset >= 0) {
        skip(offset);
    } else if (origin == soBeginning && offset > current) {
        skip(offset - current);
    } else if (origin == soEnd && offset == 0) {
        uint8_t scratch[8192];
        while (Read(scratch, sizeof scratch) > 0) {
        }
    } else if (!(origin == soBeginning && offset == current)) {
        throw EZDecompressionError(Z_STREAM_ERROR, kInvalidOperation);
    }
    return int64_t(z.total_out);
}

size_t TZDecompressionStream::Write(const void*, size_t) {
    throw EZDecompressionError(Z_STREAM_ERROR, kInvalidOperation);
}

void TSkSkinConvertor::Clear() {
    Entries.clear();
    IniStream.reset();
    ImageCount = 0;
    LastError.clear();
}

namespace {
int32_t ReadI32(TStream& s, bool& ok) {
    uint8_t p[4];
    if (s.Read(p, 4) != 4) {
        ok = false;
        return 0;
    }
    return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
}

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = char(c - 32);
    return s;
}
}  // namespace

bool ReadPackedSkinEntries(TSkSkinConvertor& convertor, const uint8_t* data, size_t size) {
    convertor.Clear();
    if (size < 16 || std::memcmp(data, "ASzf", 4) != 0) {
        convertor.LastError = kNotPackedSkin;
        return false;
    }
    TReadOnlyMemoryStream source(data, size);
    source.SetPosition(4);
    bool ok = true;
    const uint32_t count = uint32_t(ReadI32(source, ok));
    convertor.ImageCount = int(std::min<uint32_t>(count, 0x7FFFFFFF)) - 1;
    for (uint32_t i = 0; i < count; ++i) {
        if (source.Remaining() == 0) {
            convertor.LastError = "The packed skin file ends before its last entry";
            break;
        }
        const int32_t nameLength = ReadI32(source, ok);
        if (!ok || nameLength < 0 || nameLength > kMaxPackedNameLength ||
            nameLength > source.Remaining()) {
            convertor.LastError = "The packed skin file has a damaged entry name";
            break;
        }
        std::string name(size_t(nameLength), '\0');
        source.ReadBuffer(name.data(), name.size());
        const int32_t dataSize = ReadI32(source, ok);
        if (!ok || dataSize < 0 || dataSize > kMaxPackedEntrySize) {
            convertor.LastError = "The packed skin file has a damaged entry size: " + name;
            break;
        }
        // Grown as data arrives, so a stated size alone allocates nothing.
        std::vector<uint8_t> bytes;
        {
            TZDecompressionStream z(source);
            const size_t wanted = size_t(dataSize);
            while (bytes.size() < wanted) {
                const size_t at = bytes.size();
                bytes.resize(at + std::min<size_t>(wanted - at, 65536));
                const size_t n = z.Read(bytes.data() + at, bytes.size() - at);
                bytes.resize(at + n);
                if (n == 0) break;
            }
            // A stream longer than its stated size is read to its end (up to
            // as much again), so that the next entry starts in the right place.
            uint8_t scratch[8192];
            size_t drained = 0;
            while (!z.Ended() && drained <= wanted) {
                size_t n = z.Read(scratch, sizeof scratch);
                if (n == 0) break;
                drained += n;
            }
            if (!z.Ended()) convertor.LastError = "The packed skin file has a damaged entry: " + name;
        }
        if (Upper(name) == "OPTIONS.DAT") {
            convertor.IniStream = std::make_unique<std::vector<uint8_t>>(std::move(bytes));
        } else {
            std::string upper = Upper(name);
            bool bmp = upper.size() >= 4 && upper.compare(upper.size() - 4, 4, ".BMP") == 0;
            convertor.Entries.push_back({name, !bmp, std::move(bytes)});
        }
        if (!convertor.LastError.empty()) break;
    }
    return true;
}

bool OpenPackedSkinFile(const std::string& fileName, TSkSkinConvertor& convertor) {
    std::vector<uint8_t> bytes;
    try {
        bytes = ReadFileBytes(fileName);
    } catch (const EStreamError&) {
        return false;
    }
    return ReadPackedSkinEntries(convertor, bytes.data(), bytes.size());
}

}  // namespace ad::skin
