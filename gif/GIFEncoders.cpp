// The sub-block writer and the LZW and run-length encoders.
#include "gif/GIFEncoders.h"

#include <algorithm>
#include <cstring>

#include "gif/GifCodec.h"

namespace ad::gif {

// ---- Streams ----------------------------------------------------------------

size_t TGIFStream::Read(void*, size_t) { throw Exception(gifmsg::InvalidStreamOperation); }
size_t TGIFStream::Write(const void*, size_t) { throw Exception(gifmsg::InvalidStreamOperation); }
int64_t TGIFStream::Seek(int64_t, TSeekOrigin) { throw Exception(gifmsg::InvalidStreamOperation); }
int64_t TGIFStream::Size() { throw Exception(gifmsg::InvalidStreamOperation); }

TGIFWriter::~TGIFWriter() {
    try {
        Flush();
    } catch (...) {
        // A failing target has already raised from the write that failed.
    }
}

size_t TGIFWriter::Write(const void* buffer, size_t count) {
    const size_t written = count;
    const uint8_t* p = static_cast<const uint8_t*>(buffer);
    while (count > 0) {
        held_ = true;
        size_t n = std::min(count, size_t(256 - count_));
        std::memcpy(buffer_ + count_, p, n);
        count_ += int(n);
        p += n;
        count -= n;
        if (count_ == 256) FlushBlock();
    }
    return written;
}

void TGIFWriter::FlushBlock() {
    buffer_[0] = uint8_t(count_ - 1);
    int n = count_;
    count_ = 1;
    held_ = false;
    Target.Write(buffer_, size_t(n));
}

void TGIFWriter::Flush() {
    if (held_ && count_ > 1) FlushBlock();
    held_ = false;
}

// ---- Encoder base -----------------------------------------------------------

void TGIFEncoder::Compress(TStream& stream, const uint8_t* data, int width, int height, bool interlaced,
                           int bits, int colorLimit) {
    ColorLimit = colorLimit;
    MinCodeSize = bits < 2 ? 2 : bits;
    stream.WriteByte(uint8_t(MinCodeSize));
    StartWidth = CodeWidth = MinCodeSize + 1;
    WidthLimit = (1 << CodeWidth) - 1;
    ClearCode = 1 << MinCodeSize;
    EndCode = ClearCode + 1;
    FirstFree = ClearCode + 2;
    accumulator_ = 0;
    bits_ = 0;
    data_ = data;
    width_ = width;
    height_ = height;
    interlaced_ = interlaced;
    rowLeft_ = 0;
    started_ = false;
    {
        TGIFWriter writer(stream);
        writer_ = &writer;
        if (data && width > 0 && height > 0) EncodePixels();
        PutCode(EndCode);
        if (bits_ > 0) writer.WriteByte(uint8_t(accumulator_));
        bits_ = 0;
        writer.Flush();
        writer_ = nullptr;
    }
    stream.WriteByte(0);
}

void TGIFEncoder::PutCode(int code) {
    accumulator_ = (accumulator_ & ((1u << bits_) - 1)) | (uint32_t(code) << bits_);
    bits_ += CodeWidth;
    while (bits_ >= 8) {
        writer_->WriteByte(uint8_t(accumulator_));
        accumulator_ >>= 8;
        bits_ -= 8;
    }
}

void TGIFEncoder::Clear() {
    ClearFlag = true;
    PutCode(ClearCode);
}

bool TGIFEncoder::NextRow() {
    if (!interlaced_) {
        if (started_) return false;
        started_ = true;
        rowLeft_ = int64_t(width_) * height_;
        pixel_ = data_;
        return rowLeft_ > 0;
    }
    static const int passStart[4] = {0, 4, 2, 1};
    static const int passStep[4] = {8, 8, 4, 2};
    if (!started_) {
        started_ = true;
        row_ = 0;
        pass_ = 0;
    } else {
        row_ += passStep[pass_];
        while (row_ >= height_) {
            if (++pass_ > 3) return false;
            row_ = passStart[pass_];
        }
    }
    rowLeft_ = width_;
    pixel_ = data_ + size_t(row_) * size_t(width_);
    return true;
}

void TGIFEncoder::ColorError() {
    throw GIFException(gifmsg::ColorNotInTable);
}

// ---- LZW ----------------------------------------------------------------------

void THashTable::Clear() {
    std::memset(slots_, 0xFF, sizeof slots_);
}

void THashTable::Insert(uint32_t key, int code) {
    int h = Hash(key);
    int d = h == 0 ? 1 : Size - h;
    while (slots_[h] < 0xFFFFF000u) {
        h -= d;
        h += Size & (h >> 31);
    }
    Store(h, key, code);
}

void TLZWEncoder::PutCode(int code) {
    TGIFEncoder::PutCode(code);
    if (ClearFlag) {
        CodeWidth = StartWidth;
        WidthLimit = (1 << CodeWidth) - 1;
        ClearFlag = false;
    } else if (NextFree > WidthLimit) {
        ++CodeWidth;
        WidthLimit = CodeWidth >= 12 ? 4096 : (1 << CodeWidth) - 1;
    }
}

void TLZWEncoder::Clear() {
    TGIFEncoder::Clear();
    table_->Clear();
    std::fill(child_.get(), child_.get() + 4096, NoChild);
    NextFree = ClearCode + 2;
}

void TLZWEncoder::EncodePixels() {
    table_ = std::make_unique<THashTable>();
    child_ = std::make_unique<uint32_t[]>(4096);
    struct Release {
        TLZWEncoder& e;
        ~Release() {
            e.table_.reset();
            e.child_.reset();
        }
    } release{*this};
    Clear();
    const uint8_t* at;
    const uint8_t* end;
    if (!NextSpan(at, end)) return;
    const int limit = ColorLimit;
    int prefix = *at++;
    if (prefix >= limit) ColorError();
    THashTable& table = *table_;
    uint32_t* child = child_.get();

    // The loop keeps the output state in locals (as PutCode would update it:
    // no clear is pending here) and gathers bytes before they go to the writer.
    uint32_t acc = accumulator_;
    int nbits = bits_, width = CodeWidth, widthLimit = WidthLimit, nextFree = NextFree;
    uint8_t out[512];
    int outCount = 0;
    auto store = [&] {
        writer_->Write(out, size_t(outCount));
        outCount = 0;
        accumulator_ = acc;
        bits_ = nbits;
        CodeWidth = width;
        WidthLimit = widthLimit;
        NextFree = nextFree;
    };
    auto load = [&] {
        acc = accumulator_;
        nbits = bits_;
        width = CodeWidth;
        widthLimit = WidthLimit;
        nextFree = NextFree;
    };

    // The cache pays where strings are long; where they are short its misses
    // only cost time, so it is used (consulted and filled) after a string of
    // several pixels. Every entry it holds is in the table: it is emptied
    // with the table.
    int length = 1;
    bool useChild = false;
    for (;;) {
        if (at == end && !NextSpan(at, end)) break;
        int p = *at++;
        if (p >= limit) {
            store();
            ColorError();
        }
        if (useChild) {
            uint32_t c = child[prefix];
            if (c >> 12 == uint32_t(p)) {
                prefix = int(c & 0xFFF);
                ++length;
                continue;
            }
        }
        uint32_t key = uint32_t(prefix) << 8 | uint32_t(p);
        int slot = table.Find(key);
        int code = table.CodeAt(slot);
        if (code >= 0) {
            if (useChild) child[prefix] = uint32_t(p) << 12 | uint32_t(code);
            prefix = code;
            ++length;
            continue;
        }
        // PutCode(prefix)
        acc = (acc & ((1u << nbits) - 1)) | (uint32_t(prefix) << nbits);
        nbits += width;
        while (nbits >= 8) {
            out[outCount++] = uint8_t(acc);
            acc >>= 8;
            nbits -= 8;
        }
        if (nextFree > widthLimit) {
            ++width;
            widthLimit = width >= 12 ? 4096 : (1 << width) - 1;
        }
        if (outCount > int(sizeof out) - 4) {
            writer_->Write(out, size_t(outCount));
            outCount = 0;
        }
        if (nextFree > 4094) {
            store();
            Clear();
            load();
        } else {
            table.Store(slot, key, nextFree);
            if (useChild) child[prefix] = uint32_t(p) << 12 | uint32_t(nextFree);
            ++nextFree;
        }
        useChild = length >= 4;
        length = 1;
        prefix = p;
    }
    store();
    PutCode(prefix);
}

// ---- Run-length ---------------------------------------------------------------

void TRLEEncoder::Clear() {
    BumpAt = BumpAtInit;
    ClearAt = ClearAtInit;
    SentCount = 0;
    LongestRun = 0;
    TGIFEncoder::Clear();
    CodeWidth = StartWidth;
}

void TRLEEncoder::Send(int code) {
    ClearFlag = false;
    PutCode(code);
    ++SentCount;
    if (SentCount == BumpAt) {
        BumpAt += 1 << CodeWidth;
        ++CodeWidth;
    }
    if (SentCount == ClearAt) Clear();
}

// Codes needed for a run of n pixels when run codes up to RunCodeLimit pixels
// are built as the run goes: whole triangles of k codes, then the rest.
int TRLEEncoder::TriangleCost(int n) const {
    int64_t k = RunCodeLimit;
    int64_t t = k * (k + 1) / 2;
    int64_t cost = int64_t(n) / t * k;
    int64_t r = int64_t(n) % t;
    if (r > 0) {
        // Smallest m with m (m + 1) / 2 >= r, from the integer square root of 2r.
        int64_t x = 2 * r, s = x;
        if (s > 1) {
            int64_t y = (s + x / s) / 2;
            while (y < s) {
                s = y;
                y = (s + x / s) / 2;
            }
        }
        int64_t m = s > 0 ? s - 1 : 0;
        while (m * (m + 1) / 2 < r) ++m;
        cost += m;
    }
    return int(cost);
}

void TRLEEncoder::FlushRun(int n) {
    if (n == 1)
        Send(RunValue);
    else if (ClearFlag)
        FlushFromClear(n);
    else if (LongestRun > 1 && RunPixel == RunValue)
        FlushWithTable(n);
    else
        FlushByClearOrRepeat(n);
}

void TRLEEncoder::FlushFromClear(int n) {
    ClearAt = RunCodeLimit;
    RunPixel = RunValue;
    int s = 1;
    while (n > 0) {
        if (s == 1) {
            Send(RunValue);
            LongestRun = 1;
            n -= 1;
        } else if (n >= s) {
            Send(FirstFree + s - 2);
            LongestRun = s;
            n -= s;
        } else {
            ++LongestRun;
            Send(n == 1 ? RunValue : FirstFree + n - 2);
            break;
        }
        s = SentCount == 0 ? 1 : s + 1;
    }
    ClearAt = ClearAtInit;
    if (SentCount >= ClearAt) Clear();
}

void TRLEEncoder::FlushByClearOrRepeat(int n) {
    if (TriangleCost(n) + 1 < n) {
        Clear();
        FlushFromClear(n);
    } else {
        for (int i = 0; i < n; ++i) Send(RunValue);
    }
}

void TRLEEncoder::FlushWithTable(int n) {
    int q = n / LongestRun, r = n % LongestRun, extra = r > 0 ? 1 : 0;
    if (RunCodeLimit < q + SentCount + extra) {
        q = RunCodeLimit - SentCount;
        r = n - LongestRun * q;
        extra = TriangleCost(r) + 1;
    }
    if (TriangleCost(n) + 1 < q + extra) {
        Clear();
        FlushFromClear(n);
        return;
    }
    ClearAt = RunCodeLimit;
    for (int i = 0; i < q; ++i) Send(FirstFree + LongestRun - 2);
    if (r > 0) {
        if (ClearFlag)
            FlushFromClear(r);
        else
            Send(r == 1 ? RunValue : FirstFree + r - 2);
    }
    ClearAt = ClearAtInit;
    if (SentCount >= ClearAt) Clear();
}

void TRLEEncoder::EncodePixels() {
    BumpAtInit = ClearCode - 1;
    ClearAtInit = MinCodeSize > 3 ? ClearCode - 2 : 9;
    RunCodeLimit = 4095 - FirstFree;
    Clear();
    RunValue = -1;
    int count = 0;
    for (int p = NextPixel(); p >= 0; p = NextPixel()) {
        if (count > 0 && p != RunValue) {
            FlushRun(count);
            count = 0;
        }
        if (p == RunValue) {
            ++count;
        } else {
            RunValue = p;
            count = 1;
        }
    }
    if (count > 0) FlushRun(count);
}

}  // namespace ad::gif
