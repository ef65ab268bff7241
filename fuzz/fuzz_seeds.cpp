// Writes seed inputs for the GIF fuzz targets: small random pictures with
// both encoders, interlace, local maps and extensions.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "gif/GIFTestSupport.h"

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    namespace fs = std::filesystem;
    fs::path root = argv[1];
    std::mt19937 rng(99);
    for (int i = 0; i < 24; ++i) {
        ad::TGifPicture pic;
        ad::giftest::RandomPicture(pic, rng, 24);
        pic.CodecKind = i % 2 ? ad::gcRLE : ad::gcLZW;
        auto* f = pic.Frames.Frames(0);
        if (i % 3 == 0) {
            auto* loop = new ad::TGIFAppExtNSLoop(f);
            f->Extensions.Insert(0, loop);
        }
        if (i % 4 == 1) {
            auto* gce = new ad::TGIFGraphicControlExtension(f);
            gce->SetTransparent(true);
            f->Extensions.Insert(0, gce);
        }
        ad::giftest::Bytes bytes = ad::giftest::Save(pic);
        for (const char* target : {"gif_reader", "gif_roundtrip"}) {
            fs::create_directories(root / target);
            std::ofstream(root / target / ("seed" + std::to_string(i) + ".gif"), std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        }
        // The LZW target takes 3 frame bytes and the data after the descriptor.
        auto* frame = pic.Frames.Frames(0);
        ad::TGIFMemoryStream s;
        frame->SaveToStream(s);
        size_t at = 0;
        while (at < s.Bytes.size() && s.Bytes[at] != 0x2C) at = at + 1;
        size_t start = at + 10 + (frame->ColorMap.Count > 0 ? 3u << frame->ColorMap.BitsPerPixel() : 0);
        if (start >= s.Bytes.size() || frame->Width() > 256 || frame->Height() > 256) continue;
        ad::giftest::Bytes lzw{uint8_t(frame->Width() - 1), uint8_t(frame->Height() - 1),
                               uint8_t(frame->Interlaced())};
        lzw.insert(lzw.end(), s.Bytes.begin() + long(start), s.Bytes.end());
        fs::create_directories(root / "gif_lzw");
        std::ofstream(root / "gif_lzw" / ("seed" + std::to_string(i)), std::ios::binary)
            .write(reinterpret_cast<const char*>(lzw.data()), std::streamsize(lzw.size()));
    }
    return 0;
}
