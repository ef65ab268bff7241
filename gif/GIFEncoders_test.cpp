// Tests of the writer and the two encoders: code sizes, clears, sub-block
// framing, interlace order, colour checks and round trips through the reader.
#include "gif/GIFEncoders.h"

#include <gtest/gtest.h>

#include "gif/GIFTestSupport.h"

namespace ad::gif {
namespace {

using namespace giftest;

// Unpacks the codes of image data written by an encoder, following the
// decoder's width rules.
std::vector<int> Codes(const Bytes& data) {
    Bytes raw;
    size_t at = 1;
    while (data.at(at) != 0) {
        raw.insert(raw.end(), data.begin() + long(at) + 1, data.begin() + long(at) + 1 + data[at]);
        at += 1 + data[at];
    }
    int minCodeSize = data[0], clear = 1 << minCodeSize;
    int width = minCodeSize + 1, next = clear + 2, bit = 0;
    bool first = true;
    std::vector<int> codes;
    while (bit + width <= int(raw.size()) * 8) {
        int code = 0;
        for (int i = 0; i < width; ++i, ++bit) code |= ((raw[size_t(bit / 8)] >> (bit % 8)) & 1) << i;
        codes.push_back(code);
        if (code == clear + 1) break;
        if (code == clear) {
            width = minCodeSize + 1;
            next = clear + 2;
            first = true;
            continue;
        }
        if (!first && next < 4096) {
            ++next;
            if (next == (1 << width) && width < 12) ++width;
        }
        first = false;
    }
    return codes;
}

Bytes Compress(TGIFEncoder& e, const Bytes& pixels, int w, int h, int bits, bool interlaced = false) {
    TMemoryStream s;
    e.Compress(s, pixels.data(), w, h, interlaced, bits, 1 << bits);
    return s.Bytes();
}

TEST(GIFEncoders, TwoColoursUseMinimumCodeSizeTwo) {
    TLZWEncoder lzw;
    Bytes data = Compress(lzw, {0, 1, 1, 0}, 4, 1, 1);
    EXPECT_EQ(data[0], 2);
    EXPECT_EQ(Codes(data), (std::vector<int>{4, 0, 1, 1, 0, 5}));
}

TEST(GIFEncoders, LZWClearsInsteadOfAssigning4095) {
    std::mt19937 rng(3);
    Bytes pixels(60000);
    for (auto& p : pixels) p = uint8_t(rng());
    TLZWEncoder lzw;
    Bytes data = Compress(lzw, pixels, 60000, 1, 8);
    std::vector<int> codes = Codes(data);
    // Count codes between clears: 256 literals + 2 specials + entries up to 4094.
    int sinceClear = -1, clears = 0;
    for (int c : codes) {
        if (c == 256) {
            if (sinceClear >= 0) {
                // Entries 258..4094 are assigned, one per code, plus the code
                // sent when 4095 would have been next.
                EXPECT_EQ(sinceClear, (4094 - 258 + 1) + 1) << "codes before a clear";
            }
            sinceClear = 0;
            ++clears;
        } else {
            ++sinceClear;
        }
    }
    EXPECT_GE(clears, 3);
    EXPECT_LT(*std::max_element(codes.begin(), codes.end()), 4095);
    EXPECT_EQ(codes.back(), 257);
}

TEST(GIFEncoders, SubBlocksOf255) {
    // 300 bytes of codes at 8 bits: a 7-bit minimum code size with a clear
    // before every literal... simpler: feed the writer directly.
    TMemoryStream s;
    {
        TGIFWriter w(s);
        Bytes payload(300, 0xAB);
        w.Write(payload.data(), payload.size());
    }
    ASSERT_EQ(s.Bytes().size(), 302u);
    EXPECT_EQ(s.Bytes()[0], 255);
    EXPECT_EQ(s.Bytes()[256], 45);
    TMemoryStream empty;
    { TGIFWriter w(empty); }
    EXPECT_TRUE(empty.Bytes().empty()) << "no empty block of its own";
    EXPECT_THROW(TGIFWriter(empty).Seek(0, soBeginning), Exception);
}

TEST(GIFEncoders, InterlacedRowOrder) {
    for (auto [h, order] : std::vector<std::pair<int, std::vector<int>>>{
             {3, {0, 2, 1}}, {9, {0, 8, 4, 2, 6, 1, 3, 5, 7}}, {1, {0}}, {2, {0, 1}}}) {
        Bytes pixels;
        for (int r = 0; r < h; ++r) pixels.push_back(uint8_t(r));
        TLZWEncoder lzw;
        std::vector<int> codes = Codes(Compress(lzw, pixels, 1, h, 4, true));
        ASSERT_EQ(codes.size(), size_t(h) + 2);
        for (int k = 0; k < h; ++k) EXPECT_EQ(codes[size_t(k) + 1], order[size_t(k)]) << "height " << h;
    }
}

TEST(GIFEncoders, ColorNotInColorTable) {
    TGifPicture pic;
    auto* f = new TGIFSubImage(&pic);
    pic.Add(f);
    f->SetBounds(0, 0, 2, 1);
    for (int i = 0; i < 4; ++i) f->ColorMap.Add(i);
    f->SetPixels(1, 0, 5);
    for (TGIFCodecKind kind : {gcLZW, gcRLE}) {
        pic.CodecKind = kind;
        TMemoryStream s;
        try {
            pic.SaveToStream(s);
            FAIL();
        } catch (const GIFException& e) {
            EXPECT_EQ(e.Message, "Color not in color table");
        }
    }
}

TEST(GIFEncoders, RunLengthOutputDecodesExactly) {
    // Single colours, long runs, alternating runs, at every code size.
    for (int bits : {1, 2, 3, 4, 5, 8}) {
        for (int pattern = 0; pattern < 4; ++pattern) {
            int w = 257, h = 61;
            Bytes pixels(size_t(w * h));
            std::mt19937 rng(unsigned(bits * 10 + pattern));
            int colors = 1 << bits;
            for (size_t i = 0; i < pixels.size();) {
                int c = pattern == 0 ? 1 % colors : int(rng() % unsigned(colors));
                size_t run = pattern == 1 ? 1 : pattern == 2 ? rng() % 9 + 1 : rng() % 3000 + 1;
                for (size_t k = 0; k < run && i < pixels.size(); ++k) pixels[i++] = uint8_t(c);
            }
            TRLEEncoder rle;
            Bytes data = Compress(rle, pixels, w, h, bits);
            Bytes out(pixels.size(), 0xEE);
            TMemoryStream s(data);
            std::vector<std::string> warnings;
            GIFDecodeImageData(s, out.data(), w, h, false, [&](const std::string& m) { warnings.push_back(m); });
            ASSERT_EQ(out, pixels) << "bits " << bits << " pattern " << pattern;
            EXPECT_TRUE(warnings.empty());
            EXPECT_EQ(s.Position(), int64_t(data.size())) << "bits " << bits << " pattern " << pattern;
        }
    }
}

TEST(GIFEncoders, RandomPicturesRoundTripWithBothEncoders) {
    std::mt19937 rng(12345);
    for (int round = 0; round < 40; ++round) {
        TGifPicture pic;
        RandomPicture(pic, rng, round < 30 ? 60 : 300);
        pic.CodecKind = round % 2 ? gcRLE : gcLZW;
        Bytes file = Save(pic);
        TGifPicture back;
        Warnings w;
        w.Attach(back);
        Load(back, file);
        EXPECT_TRUE(w.List.empty()) << w.List.at(0);
        ASSERT_EQ(back.Frames.Count(), pic.Frames.Count()) << round;
        EXPECT_EQ(back.Width(), pic.Width());
        for (int i = 0; i < pic.Frames.Count(); ++i) {
            TGIFSubImage* a = pic.Frames.Frames(i);
            TGIFSubImage* b = back.Frames.Frames(i);
            EXPECT_EQ(b->BoundsRect().Right, a->BoundsRect().Right);
            EXPECT_EQ(b->ColorMap.Count > 0, a->ColorMap.Count > 0);
            ASSERT_EQ(Bytes(b->Data(), b->Data() + b->DataSize()), Bytes(a->Data(), a->Data() + a->DataSize()))
                << "round " << round << " frame " << i;
        }
        back.CodecKind = pic.CodecKind;
        Bytes again = Save(back);
        auto diff = std::mismatch(again.begin(), again.end(), file.begin(), file.end());
        EXPECT_TRUE(again == file) << "a second save differs at " << (diff.first - again.begin()) << " of "
                                   << file.size() << " round " << round;
    }
}

TEST(GIFWriter, ExtensionsAndVersionsRoundTrip) {
    TGifPicture pic;
    pic.Header.ColorMap.Add(0);
    pic.Header.ColorMap.Add(0xFFFFFF);
    auto* f = new TGIFSubImage(&pic);
    pic.Add(f);
    f->SetBounds(0, 0, 1, 1);
    Bytes plain = Save(pic);
    EXPECT_EQ(Bytes(plain.begin(), plain.begin() + 6), Bytes({'G', 'I', 'F', '8', '7', 'a'}));
    auto* loop = new TGIFAppExtNSLoop(f);
    loop->LoopCount = 2;
    loop->BufferBytes = 0x01020304;
    f->Extensions.Add(loop);
    auto* text = new TGIFTextExtension(f);
    text->GridWidth = 300;
    text->Text = {std::string(300, 'x'), "", "y"};
    f->Extensions.Add(text);
    Bytes file = Save(pic);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 6), Bytes({'G', 'I', 'F', '8', '9', 'a'}));
    TGifPicture back;
    Load(back, file);
    auto& ext = back.Frames.Frames(0)->Extensions;
    ASSERT_EQ(ext.Count(), 2);
    auto* l = static_cast<TGIFAppExtNSLoop*>(ext.Extensions(0));
    EXPECT_EQ(l->LoopCount, 2);
    EXPECT_EQ(l->BufferBytes, 0x01020304u);
    auto* t = static_cast<TGIFTextExtension*>(ext.Extensions(1));
    EXPECT_EQ(t->GridWidth, 300);
    // A long line takes two sub-blocks, which read back as two lines; the
    // empty line writes nothing.
    EXPECT_EQ(t->Text, (std::vector<std::string>{std::string(255, 'x'), std::string(45, 'x'), "y"}));
}

}  // namespace
}  // namespace ad::gif
