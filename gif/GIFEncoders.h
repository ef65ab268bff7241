// Compression of a frame's pixel indices into GIF image data: the sub-block
// writer, the LZW encoder with its open-addressing string table, and the
// run-length encoder whose output any LZW decoder reads.
#pragma once

#include <cstdint>
#include <memory>

#include "gif/GIFLZWDecoder.h"
#include "gif/GIFStreams.h"

namespace ad {

// A write-only stream over a target; reading and seeking raise
// "Invalid stream operation".
class TGIFStream : public TGIFIOStream {
public:
    explicit TGIFStream(TGIFIOStream& target) : Target(target) {}
    size_t Read(void* buffer, size_t count) override;
    void Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TGIFSeekOrigin origin) override;
    int64_t Size() override;

    TGIFIOStream& Target;

protected:
    uint8_t buffer_[256] = {};
    int count_ = 1;  // used positions; position 0 is the sub-block size
};

// Packs bytes into data sub-blocks of at most 255 bytes. Flush (or the
// destructor) writes the last, partial block; an empty block is never written.
class TGIFWriter : public TGIFStream {
public:
    using TGIFStream::TGIFStream;
    ~TGIFWriter() override;
    void Write(const void* buffer, size_t count) override;
    inline void WriteByte(uint8_t b) {
        held_ = true;
        buffer_[count_++] = b;
        if (count_ == 256) FlushBlock();
    }
    void Flush();

private:
    void FlushBlock();
    bool held_ = false;
};

class TGIFEncoder {
public:
    TGIFEncoder() = default;
    TGIFEncoder(const TGIFEncoder&) = delete;
    TGIFEncoder& operator=(const TGIFEncoder&) = delete;
    virtual ~TGIFEncoder() = default;

    // Writes the minimum code size byte, the data sub-blocks and the block
    // terminator for width * height pixels (rows top to bottom).
    void Compress(TGIFIOStream& stream, const uint8_t* data, int width, int height, bool interlaced, int bits,
                  int colorLimit);

    TGIFDecoderWarning OnWarning;
    int ColorLimit = 0;
    int MinCodeSize = 0;

protected:
    virtual void PutCode(int code);
    virtual void Clear();
    virtual void EncodePixels() = 0;

    // The next pixel of the walk (rows in interlace order when interlaced);
    // -1 after the last. An index not below ColorLimit raises.
    inline int NextPixel() {
        if (rowLeft_ == 0 && !NextRow()) return -1;
        --rowLeft_;
        int p = *pixel_++;
        if (p >= ColorLimit) ColorError();
        return p;
    }

    int StartWidth = 0, CodeWidth = 0, WidthLimit = 0;
    int ClearCode = 0, EndCode = 0, FirstFree = 0;
    bool ClearFlag = false;

private:
    bool NextRow();
    [[noreturn]] void ColorError();

    TGIFWriter* writer_ = nullptr;
    uint32_t accumulator_ = 0;
    int bits_ = 0;
    const uint8_t* data_ = nullptr;
    int width_ = 0, height_ = 0;
    bool interlaced_ = false;
    int64_t rowLeft_ = 0;
    const uint8_t* pixel_ = nullptr;
    int row_ = 0, pass_ = 0;
    bool started_ = false;
};

// The string table of the LZW encoder: 8009 slots, each key * 4096 + code.
class THashTable {
public:
    static constexpr int Size = 8009;
    void Clear();
    // The code stored for key, or -1.
    inline int Lookup(uint32_t key) const {
        int h = Hash(key);
        int d = h == 0 ? 1 : Size - h;
        for (;;) {
            uint32_t e = slots_[h];
            if (e >= 0xFFFFF000u) return -1;
            if ((e >> 12) == key) return int(e & 0xFFF);
            h -= d;
            if (h < 0) h += Size;
        }
    }
    void Insert(uint32_t key, int code);

private:
    static inline int Hash(uint32_t key) { return int(((key >> 4) ^ key) % Size); }
    uint32_t slots_[Size];
};

class TLZWEncoder : public TGIFEncoder {
protected:
    void PutCode(int code) override;
    void Clear() override;
    void EncodePixels() override;

private:
    std::unique_ptr<THashTable> table_;
    int NextFree = 0;
};

class TRLEEncoder : public TGIFEncoder {
protected:
    void Clear() override;
    void EncodePixels() override;

private:
    void Send(int code);
    int TriangleCost(int n) const;
    void FlushRun(int n);
    void FlushFromClear(int n);
    void FlushByClearOrRepeat(int n);
    void FlushWithTable(int n);

    int BumpAt = 0, BumpAtInit = 0, ClearAt = 0, ClearAtInit = 0;
    int SentCount = 0, RunCodeLimit = 0, LongestRun = 0, RunPixel = 0, RunValue = -1;
};

}  // namespace ad
