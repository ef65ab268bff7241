// Tests of the LZW decoder on hand-made code streams.
#include "gif/GIFLZWDecoder.h"

#include <gtest/gtest.h>

#include "gif/GIFTestSupport.h"

namespace ad::gif {
namespace {

using namespace giftest;

struct Decoded {
    Bytes Pixels;
    std::vector<std::string> Warnings;
    int64_t EndPosition;
};

Decoded Decode(const Bytes& data, int w, int h, bool interlaced = false, uint8_t fill = 0) {
    Decoded d;
    d.Pixels.assign(size_t(w) * size_t(h), fill);
    TMemoryStream s(data);
    GIFDecodeImageData(s, d.Pixels.data(), w, h, interlaced,
                       [&](const std::string& m) { d.Warnings.push_back(m); });
    d.EndPosition = s.Position();
    return d;
}

Bytes WithSize(int minCodeSize, const Bytes& codes, size_t block = 255) {
    Bytes b{uint8_t(minCodeSize)};
    Append(b, SubBlocks(codes, block));
    return b;
}

TEST(GIFLZWDecoder, CodeSizeAboveEightIsEight) {
    // Clear 256 and end 257 at 9 bits.
    Bytes codes = PackCodes({{256, 9}, {65, 9}, {66, 9}, {257, 9}});
    Decoded d = Decode(WithSize(11, codes), 2, 1);
    EXPECT_EQ(d.Pixels, (Bytes{65, 66}));
    EXPECT_TRUE(d.Warnings.empty());
}

TEST(GIFLZWDecoder, LeadingClearIsOptionalAndRepeatedClearsAreAbsorbed) {
    Bytes noClear = PackCodes({{1, 3}, {2, 3}, {6, 3}, {5, 3}});  // 1 2, then "1 2" as code 6
    EXPECT_EQ(Decode(WithSize(2, noClear), 4, 1).Pixels, (Bytes{1, 2, 1, 2}));
    Bytes clears = PackCodes({{4, 3}, {4, 3}, {4, 3}, {3, 3}, {0, 3}, {5, 3}});
    EXPECT_EQ(Decode(WithSize(2, clears), 2, 1).Pixels, (Bytes{3, 0}));
}

TEST(GIFLZWDecoder, ShortDataKeepsTheFill) {
    Bytes pixels(37, 1);
    Bytes data = LiteralImageData(2, pixels);
    Decoded d = Decode(data, 10, 10, false, 3);
    for (size_t i = 0; i < 100; ++i) ASSERT_EQ(d.Pixels[i], i < 37 ? 1 : 3) << i;
    EXPECT_EQ(d.EndPosition, int64_t(data.size())) << "the end code skips to the terminator";
}

TEST(GIFLZWDecoder, DataEndingWithoutEndCode) {
    // The codes fill 3 bytes exactly (the width grows to 4 bits after the third
    // literal); the last one forces a refill that meets the terminator, so it
    // is not decoded.
    Bytes codes = PackCodes({{4, 3}, {1, 3}, {1, 3}, {1, 3}, {1, 4}, {1, 4}, {1, 4}});
    ASSERT_EQ(codes.size(), 3u);
    Decoded d = Decode(WithSize(2, codes), 10, 1, false, 2);
    EXPECT_EQ(d.Pixels, (Bytes{1, 1, 1, 1, 1, 2, 2, 2, 2, 2}));
    EXPECT_TRUE(d.Warnings.empty());
    // No data at all: the buffer runs dry.
    Decoded e = Decode(Bytes{2, 0}, 3, 1, false, 2);
    EXPECT_EQ(e.Pixels, (Bytes{2, 2, 2}));
    EXPECT_EQ(e.Warnings, (std::vector<std::string>{"Decoder bit buffer under-run"}));
    // A sub-block claiming more than the stream holds: the rest is used.
    Bytes truncated{2, 5};
    Append(truncated, PackCodes({{4, 3}, {1, 3}, {2, 3}, {5, 3}}));
    Decoded t = Decode(truncated, 2, 1);
    EXPECT_EQ(t.Pixels, (Bytes{1, 2}));
    EXPECT_EQ(t.Warnings.at(0), "Premature end of data");
}

TEST(GIFLZWDecoder, SkippingAfterTheEndCodeStopsAtTheEndOfTheStream) {
    // Found by fuzzing: a block after the end code that claims more bytes than
    // the stream holds left the position past the end of the stream.
    Bytes data{2};
    Bytes codes = PackCodes({{4, 3}, {1, 3}, {5, 3}});
    data.push_back(uint8_t(codes.size()));
    Append(data, codes);
    Append(data, Bytes{200, 1, 2});
    Decoded d = Decode(data, 1, 1);
    EXPECT_EQ(d.Pixels, Bytes{1});
    EXPECT_EQ(d.EndPosition, int64_t(data.size()));
}

TEST(GIFLZWDecoder, SelfReferenceAndLongerCyclesStop) {
    // Code 6 is added as prefix 6: "old code" 6 was read before it existed.
    Bytes self = PackCodes({{4, 3}, {6, 3}, {6, 3}, {6, 3}, {6, 3}});
    try {
        Decode(WithSize(2, self), 8, 1);
        FAIL();
    } catch (const GIFException& e) {
        EXPECT_EQ(e.Message, "Circular decoder table entry");
    }
    // Entries 6 -> 7 -> 6: a cycle the self-check does not see.
    Bytes cycle = PackCodes({{4, 3}, {7, 3}, {7, 3}, {6, 3}, {7, 4}, {7, 4}, {7, 4}});
    EXPECT_THROW(Decode(WithSize(2, cycle), 64, 1), GIFException);
}


TEST(GIFLZWDecoder, CodesNotYetInTheTable) {
    struct Case {
        const char* What;
        std::vector<std::pair<int, int>> Codes;
        int Width;
        Bytes Pixels;
    };
    const Case cases[] = {
        // 7 is beyond the next free code 6: the last string and its first
        // pixel; 7 becomes the old code, so entry 7 is (7, 1). A root after
        // that still decodes.
        {"past the next free code", {{4, 3}, {1, 3}, {7, 3}, {6, 3}, {2, 4}, {5, 4}}, 6, {1, 1, 1, 1, 1, 2}},
        // The first code after a clear is taken as a pixel value whatever it is.
        {"first code after a clear", {{4, 3}, {7, 3}, {0, 3}, {5, 3}}, 2, {7, 0}},
        // Well-formed codes first ("2 3" is entry 6), then 9 past the next
        // free code 8, then entry 8 ("2 3 2") that 9 added.
        {"after well-formed codes", {{4, 3}, {2, 3}, {3, 3}, {6, 3}, {9, 4}, {8, 4}, {5, 4}}, 10,
         {2, 3, 2, 3, 2, 3, 2, 2, 3, 2}},
    };
    for (const Case& c : cases) {
        for (size_t block : {size_t(255), size_t(1)}) {
            Decoded d = Decode(WithSize(2, PackCodes(c.Codes), block), c.Width, 1, false, 9);
            EXPECT_EQ(d.Pixels, c.Pixels) << c.What << ", sub-blocks of " << block;
            EXPECT_TRUE(d.Warnings.empty()) << c.What;
        }
    }
}
TEST(GIFLZWDecoder, FullTableStaysAtTwelveBits) {
    // 2-bit data, no clears: 4090 entries fill the table; then more 12-bit codes.
    std::vector<std::pair<int, int>> codes{{4, 3}};
    int next = 6, width = 3;
    int count = 0;
    for (int i = 0; i < 4200; ++i) {
        codes.push_back({i % 4, width});
        ++count;
        if (i > 0 && next <= 4095) {
            ++next;
            if (next >= (1 << width) && width < 12) ++width;
        }
    }
    codes.push_back({5, 12});
    Decoded d = Decode(WithSize(2, PackCodes(codes)), count, 1);
    for (int i = 0; i < count; ++i) ASSERT_EQ(d.Pixels[size_t(i)], i % 4) << i;
    EXPECT_TRUE(d.Warnings.empty());
}

TEST(GIFLZWDecoder, OneByteSubBlocksDecodeLikeLargeOnes) {
    // A real LZW stream with table growth to 12 bits, framed both ways.
    TGifPicture pic;
    for (int i = 0; i < 256; ++i) pic.Header.ColorMap.Add(i);
    auto* f = new TGIFSubImage(&pic);
    pic.Add(f);
    f->SetBounds(0, 0, 200, 150);
    std::mt19937 rng(7);
    FillPixels(*f, 256, rng, 1);
    TMemoryStream s;
    f->SaveToStream(s);
    Bytes file = s.Bytes();
    // Re-block the data after the descriptor into 1-byte sub-blocks.
    Bytes raw;
    size_t at = 11;
    while (file[at] != 0) {
        raw.insert(raw.end(), file.begin() + long(at) + 1, file.begin() + long(at) + 1 + file[at]);
        at += 1 + file[at];
    }
    for (size_t block : {size_t(1), size_t(2), size_t(255)}) {
        Decoded d = Decode(WithSize(8, raw, block), 200, 150);
        EXPECT_EQ(d.Pixels, Bytes(f->Data(), f->Data() + f->DataSize())) << "block size " << block;
        EXPECT_TRUE(d.Warnings.empty());
    }
}

TEST(GIFLZWDecoder, InterlacedHeightsFillEveryRowOnce) {
    for (int h : {1, 2, 3, 5, 9, 17}) {
        Bytes pixels;
        for (int r = 0; r < h; ++r) pixels.push_back(uint8_t(r));  // row k of the stream holds k
        Decoded d = Decode(LiteralImageData(8, pixels), 1, h, true, 255);
        // Stream rows go to 0, 8, 16, ..., then 4, 12, ..., 2, 6, ..., 1, 3, ...
        std::vector<int> order;
        for (int r = 0; r < h; r += 8) order.push_back(r);
        for (int r = 4; r < h; r += 8) order.push_back(r);
        for (int r = 2; r < h; r += 4) order.push_back(r);
        for (int r = 1; r < h; r += 2) order.push_back(r);
        ASSERT_EQ(int(order.size()), h);
        for (int k = 0; k < h; ++k) EXPECT_EQ(d.Pixels[size_t(order[size_t(k)])], k) << "height " << h;
    }
}

}  // namespace
}  // namespace ad::gif
