// Memory and file streams of the GIF codec.
#include "gif/GIFStreams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "framework/Exception.h"

namespace ad {

size_t TGIFMemoryStream::Read(void* buffer, size_t count) {
    if (position_ >= Bytes.size()) return 0;
    size_t n = std::min(count, Bytes.size() - position_);
    std::memcpy(buffer, Bytes.data() + position_, n);
    position_ += n;
    return n;
}

void TGIFMemoryStream::Write(const void* buffer, size_t count) {
    if (count == 0) return;
    const uint8_t* p = static_cast<const uint8_t*>(buffer);
    if (position_ == Bytes.size()) {
        Bytes.insert(Bytes.end(), p, p + count);  // appending: no zero fill first
    } else {
        if (position_ + count > Bytes.size()) Bytes.resize(position_ + count);
        std::memcpy(Bytes.data() + position_, p, count);
    }
    position_ += count;
}

int64_t TGIFMemoryStream::Seek(int64_t offset, TGIFSeekOrigin origin) {
    int64_t base = origin == gsoBeginning ? 0 : origin == gsoCurrent ? int64_t(position_) : int64_t(Bytes.size());
    int64_t pos = base + offset;
    if (pos < 0) throw EStreamError("Invalid stream position");
    position_ = static_cast<size_t>(pos);
    return pos;
}

TGIFFileStream::TGIFFileStream(const std::string& fileName, TMode mode) : fileName_(fileName) {
    file_ = std::fopen(fileName.c_str(), mode == fmRead ? "rb" : "w+b");
    if (!file_) {
        if (mode == fmRead) throw EFOpenError(fileName, std::strerror(errno));
        throw EFCreateError(fileName, std::strerror(errno));
    }
}

TGIFFileStream::~TGIFFileStream() {
    if (file_) std::fclose(file_);
}

size_t TGIFFileStream::Read(void* buffer, size_t count) {
    return std::fread(buffer, 1, count, file_);
}

void TGIFFileStream::Write(const void* buffer, size_t count) {
    if (count && std::fwrite(buffer, 1, count, file_) != count)
        throw EWriteError("Stream write error: " + fileName_);
}

int64_t TGIFFileStream::Seek(int64_t offset, TGIFSeekOrigin origin) {
    int whence = origin == gsoBeginning ? SEEK_SET : origin == gsoCurrent ? SEEK_CUR : SEEK_END;
    if (std::fseek(file_, static_cast<long>(offset), whence) != 0)
        throw EStreamError("Invalid stream position");
    return std::ftell(file_);
}

int64_t TGIFFileStream::Size() {
    long pos = std::ftell(file_);
    std::fseek(file_, 0, SEEK_END);
    long end = std::ftell(file_);
    std::fseek(file_, pos, SEEK_SET);
    return end;
}

}  // namespace ad
