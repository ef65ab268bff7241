// The abstract stream's helpers and the memory streams.
#include "base/Streams.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>
#include <new>
#include <stdexcept>

#include "base/Files.h"

namespace ad {

namespace {

int64_t AddPosition(int64_t base, int64_t offset) {
    if ((offset > 0 && base > std::numeric_limits<int64_t>::max() - offset) ||
        (offset < 0 && base < std::numeric_limits<int64_t>::min() - offset))
        throw EStreamError("Invalid stream position");
    return base + offset;
}

}  // namespace

// ---- TStream

int64_t TStream::Size() {
    int64_t pos = Seek(0, soCurrent);
    int64_t size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::SetSize(int64_t) { throw EStreamError("Stream size cannot be changed"); }

void TStream::ReadBuffer(void* buffer, size_t count) {
    if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, size_t count) {
    if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count <= 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    constexpr size_t kBufferSize = 64 * 1024;
    std::vector<char> buffer(static_cast<size_t>(std::min<int64_t>(count, kBufferSize)));
    int64_t left = count;
    while (left > 0) {
        size_t n = static_cast<size_t>(std::min<int64_t>(left, kBufferSize));
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= static_cast<int64_t>(n);
    }
    return count;
}

// ---- TCustomMemoryStream

size_t TCustomMemoryStream::Read(void* buffer, size_t count) {
    if (position_ < 0 || static_cast<uint64_t>(position_) >= size_) return 0;
    size_t pos = static_cast<size_t>(position_);
    size_t n = std::min(count, size_ - pos);
    if (n) std::memcpy(buffer, data_ + pos, n);
    position_ += static_cast<int64_t>(n);
    return n;
}

int64_t TCustomMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? position_ : static_cast<int64_t>(size_);
    int64_t pos = AddPosition(base, offset);
    if (pos < 0) throw EStreamError("Invalid stream position");
    position_ = pos;
    return pos;
}

void TCustomMemoryStream::SaveToStream(TStream& stream) { stream.WriteBuffer(data_, size_); }

void TCustomMemoryStream::SaveToFile(const std::string& fileName) { SaveFileAtomically(fileName, data_, size_); }

void TCustomMemoryStream::SetPointer(const void* data, size_t size) {
    data_ = static_cast<const uint8_t*>(data);
    size_ = size;
}

// ---- TReadOnlyMemoryStream

size_t TReadOnlyMemoryStream::Write(const void*, size_t) { throw EStreamError("Can't write to a read-only stream"); }

void TReadOnlyMemoryStream::SetSize(int64_t) { throw EStreamError("Can't write to a read-only stream"); }

// ---- TMemoryStream

TMemoryStream::TMemoryStream(std::vector<uint8_t> bytes) : buffer_(std::move(bytes)) {
    SetPointer(buffer_.data(), buffer_.size());
}

TMemoryStream::TMemoryStream(const void* data, size_t size)
    : TMemoryStream(std::vector<uint8_t>(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size)) {}

void TMemoryStream::Resize(size_t newSize) {
    try {
        buffer_.resize(newSize);
    } catch (const std::bad_alloc&) {
        throw EStreamError("Out of memory while expanding memory stream");
    } catch (const std::length_error&) {
        throw EStreamError("Out of memory while expanding memory stream");
    }
    SetPointer(buffer_.data(), buffer_.size());
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
    if (count == 0) return 0;
    if (position_ < 0 || static_cast<uint64_t>(position_) > std::numeric_limits<size_t>::max() - count)
        throw EStreamError("Out of memory while expanding memory stream");
    size_t pos = static_cast<size_t>(position_);
    if (pos + count > size_) Resize(pos + count);
    std::memcpy(buffer_.data() + pos, buffer, count);
    position_ += static_cast<int64_t>(count);
    return count;
}

void TMemoryStream::SetSize(int64_t newSize) {
    if (newSize < 0 || static_cast<uint64_t>(newSize) > std::numeric_limits<size_t>::max())
        throw EStreamError("Invalid stream size");
    Resize(static_cast<size_t>(newSize));
    if (position_ > newSize) position_ = newSize;
}

void TMemoryStream::Clear() {
    std::vector<uint8_t>().swap(buffer_);
    SetPointer(nullptr, 0);
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
    stream.SetPosition(0);
    int64_t size = stream.Size();
    SetSize(size);
    position_ = 0;
    stream.ReadBuffer(buffer_.data(), size_);
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    buffer_ = ReadFileBytes(fileName);
    SetPointer(buffer_.data(), buffer_.size());
    position_ = 0;
}

}  // namespace ad
