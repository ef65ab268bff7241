// Byte streams the GIF codec reads from and writes to. Portable (no Windows
// headers), so the codec builds natively too: an abstract stream, a memory
// stream and a file stream over the C library. The picture class adapts the
// class library's streams to this interface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace ad {

enum TGIFSeekOrigin { gsoBeginning, gsoCurrent, gsoEnd };

class TGIFIOStream {
public:
    TGIFIOStream() = default;
    TGIFIOStream(const TGIFIOStream&) = delete;
    TGIFIOStream& operator=(const TGIFIOStream&) = delete;
    virtual ~TGIFIOStream() = default;

    // Reads up to count bytes; answers how many were read (0 at the end).
    virtual size_t Read(void* buffer, size_t count) = 0;
    // Writes count bytes or raises EWriteError.
    virtual void Write(const void* buffer, size_t count) = 0;
    // Answers the new position; a position before the start raises EStreamError.
    virtual int64_t Seek(int64_t offset, TGIFSeekOrigin origin) = 0;
    virtual int64_t Size() = 0;

    int64_t Position() { return Seek(0, gsoCurrent); }
    void SetPosition(int64_t pos) { Seek(pos, gsoBeginning); }
    int64_t Remaining() { int64_t r = Size() - Position(); return r > 0 ? r : 0; }
    // Reads one byte into b; false at the end of the stream.
    bool ReadByte(uint8_t& b) { return Read(&b, 1) == 1; }
    void WriteByte(uint8_t b) { Write(&b, 1); }
    void WriteWord(uint16_t w) { uint8_t b[2] = {uint8_t(w), uint8_t(w >> 8)}; Write(b, 2); }
};

// A growable stream in memory.
class TGIFMemoryStream : public TGIFIOStream {
public:
    TGIFMemoryStream() = default;
    explicit TGIFMemoryStream(std::vector<uint8_t> bytes) : Bytes(std::move(bytes)) {}
    TGIFMemoryStream(const void* data, size_t size)
        : Bytes(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size) {}

    size_t Read(void* buffer, size_t count) override;
    void Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TGIFSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(Bytes.size()); }

    std::vector<uint8_t> Bytes;

private:
    size_t position_ = 0;
};

// A file opened for reading or created for writing; failures raise EFOpenError
// or EFCreateError naming the file.
class TGIFFileStream : public TGIFIOStream {
public:
    enum TMode { fmRead, fmCreate };
    TGIFFileStream(const std::string& fileName, TMode mode);
    ~TGIFFileStream() override;

    size_t Read(void* buffer, size_t count) override;
    void Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TGIFSeekOrigin origin) override;
    int64_t Size() override;

private:
    std::FILE* file_ = nullptr;
    std::string fileName_;
};

}  // namespace ad
