// Differential tests against Debian's giflib (native build only): random
// pictures written by either side, with interlace, local colour tables,
// transparency and 1-byte sub-blocks, must decode to identical frames.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "gif/GIFTestSupport.h"

namespace ad::gif {
namespace {

using namespace giftest;

struct Reader {
    const Bytes* Data;
    size_t At = 0;
};

int ReadFn(GifFileType* gif, GifByteType* buf, int n) {
    auto* r = static_cast<Reader*>(gif->UserData);
    size_t k = std::min(size_t(n), r->Data->size() - r->At);
    std::memcpy(buf, r->Data->data() + r->At, k);
    r->At += k;
    return int(k);
}

int WriteFn(GifFileType* gif, const GifByteType* buf, int n) {
    static_cast<Bytes*>(gif->UserData)->insert(static_cast<Bytes*>(gif->UserData)->end(), buf, buf + n);
    return n;
}

// Frames as giflib decodes them: bounds and de-interlaced pixels.
struct Frame {
    int Left, Top, Width, Height;
    Bytes Pixels;
    bool operator==(const Frame&) const = default;
};

std::vector<Frame> GiflibDecode(const Bytes& file) {
    Reader r{&file};
    int error = 0;
    GifFileType* gif = DGifOpen(&r, ReadFn, &error);
    EXPECT_NE(gif, nullptr) << GifErrorString(error);
    if (!gif) return {};
    EXPECT_EQ(DGifSlurp(gif), GIF_OK) << GifErrorString(gif->Error);
    std::vector<Frame> frames;
    for (int i = 0; i < gif->ImageCount; ++i) {
        SavedImage& s = gif->SavedImages[i];
        GifImageDesc& d = s.ImageDesc;
        frames.push_back({d.Left, d.Top, d.Width, d.Height,
                          Bytes(s.RasterBits, s.RasterBits + size_t(d.Width) * size_t(d.Height))});
    }
    DGifCloseFile(gif, &error);
    return frames;
}

std::vector<Frame> OurFrames(TGifPicture& pic) {
    std::vector<Frame> frames;
    for (int i = 0; i < pic.Frames.Count(); ++i) {
        TGIFSubImage* f = pic.Frames.Frames(i);
        if (f->Empty()) continue;
        frames.push_back({f->Left(), f->Top(), f->Width(), f->Height(), Bytes(f->Data(), f->Data() + f->DataSize())});
    }
    return frames;
}

struct MapDeleter {
    void operator()(ColorMapObject* m) const { GifFreeMapObject(m); }
};
using MapPtr = std::unique_ptr<ColorMapObject, MapDeleter>;

MapPtr MakeMap(const TGIFColorMap& map) {
    if (map.Count == 0) return nullptr;
    int n = 1 << map.BitsPerPixel();
    std::vector<GifColorType> colors(size_t(n), GifColorType{0, 0, 0});
    for (int i = 0; i < map.Count; ++i) colors[size_t(i)] = {map.Entry(i).Red, map.Entry(i).Green, map.Entry(i).Blue};
    return MapPtr(GifMakeMapObject(n, colors.data()));
}

// Writes the picture with giflib's encoder, interlaced frames with their rows
// in stream order; some frames get a transparent graphic control block.
Bytes GiflibEncode(TGifPicture& pic, std::mt19937& rng) {
    Bytes out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, WriteFn, &error);
    EGifSetGifVersion(gif, true);
    MapPtr global = MakeMap(pic.Header.ColorMap);
    EXPECT_EQ(EGifPutScreenDesc(gif, pic.Width(), pic.Height(), 8, 0, global.get()), GIF_OK);
    for (int i = 0; i < pic.Frames.Count(); ++i) {
        TGIFSubImage* f = pic.Frames.Frames(i);
        if (rng() % 2) {
            GifByteType gce[4] = {1, 0, 0, uint8_t(rng() % 2)};
            EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, gce);
        }
        MapPtr local = MakeMap(f->ColorMap);
        EXPECT_EQ(EGifPutImageDesc(gif, f->Left(), f->Top(), f->Width(), f->Height(), f->Interlaced(), local.get()),
                  GIF_OK);
        std::vector<int> order;
        if (f->Interlaced()) {
            const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
            for (int p = 0; p < 4; ++p)
                for (int r = start[p]; r < f->Height(); r += step[p]) order.push_back(r);
        } else {
            for (int r = 0; r < f->Height(); ++r) order.push_back(r);
        }
        for (int r : order) EXPECT_EQ(EGifPutLine(gif, f->Row(r), f->Width()), GIF_OK);
        // This giflib keeps a copy of each local map that nothing frees.
        GifFreeMapObject(gif->Image.ColorMap);
        gif->Image.ColorMap = nullptr;
    }
    EXPECT_EQ(EGifCloseFile(gif, &error), GIF_OK);
    return out;
}

// Rewrites every frame's image data as sub-blocks of the given size.
Bytes Reblock(const Bytes& in, size_t blockSize) {
    Bytes out(in.begin(), in.begin() + 13);
    size_t at = 13;
    if (in[10] & 0x80) {
        size_t n = 3u << ((in[10] & 7) + 1);
        out.insert(out.end(), in.begin() + long(at), in.begin() + long(at + n));
        at += n;
    }
    auto copySubBlocks = [&](bool rechunk) {
        Bytes data;
        while (in.at(at) != 0) {
            size_t n = in[at];
            if (rechunk)
                data.insert(data.end(), in.begin() + long(at) + 1, in.begin() + long(at + 1 + n));
            else
                out.insert(out.end(), in.begin() + long(at), in.begin() + long(at + 1 + n));
            at += 1 + n;
        }
        ++at;
        if (rechunk)
            Append(out, SubBlocks(data, blockSize));
        else
            out.push_back(0);
    };
    while (at < in.size() && in[at] != 0x3B) {
        if (in[at] == 0x21) {
            out.insert(out.end(), in.begin() + long(at), in.begin() + long(at + 2));
            at += 2;
            copySubBlocks(false);
        } else {
            uint8_t packed = in.at(at + 9);
            size_t n = 10 + ((packed & 0x80) ? 3u << ((packed & 7) + 1) : 0) + 1;
            out.insert(out.end(), in.begin() + long(at), in.begin() + long(at + n));
            at += n;
            copySubBlocks(true);
        }
    }
    out.push_back(0x3B);
    return out;
}

TEST(GIFDifferential, RandomPicturesAgreeWithGiflib) {
    std::mt19937 rng(2024);
    for (int round = 0; round < 60; ++round) {
        TGifPicture pic;
        RandomPicture(pic, rng, round < 40 ? 80 : 300);
        pic.CodecKind = round % 2 ? gcRLE : gcLZW;
        std::vector<Frame> expected = OurFrames(pic);

        // Ours written, giflib reads.
        Bytes ours = Save(pic);
        EXPECT_EQ(GiflibDecode(ours), expected) << "round " << round;

        // giflib written, we read; and both read it in 1-byte sub-blocks.
        Bytes theirs = GiflibEncode(pic, rng);
        for (size_t block : {size_t(255), size_t(1), size_t(2)}) {
            Bytes file = block == 255 ? theirs : Reblock(theirs, block);
            TGifPicture back;
            Warnings w;
            w.Attach(back);
            Load(back, file);
            EXPECT_TRUE(w.List.empty()) << w.List.at(0);
            EXPECT_EQ(OurFrames(back), expected) << "round " << round << " block " << block;
            if (block == 1) {
                EXPECT_EQ(GiflibDecode(file), expected) << "round " << round;
            }
        }
    }
}

}  // namespace
}  // namespace ad::gif
