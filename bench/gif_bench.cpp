// GIF codec benchmark against giflib: decode and encode speed (Mpix/s) and
// encoded size on generated pictures; the octree quantizer against
// ImageMagick's and the optimiser against gifsicle, both run as commands in
// the same run. Native, optimised, never part of the tests.
#include <gif_lib.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <random>
#include <vector>

#include "bench/BenchCommands.h"
#include "gif/GIFColorReduction.h"
#include "gif/GIFQuantizer.h"
#include "gif/GifCodec.h"

namespace {

using Bytes = std::vector<uint8_t>;
using namespace ad;
using namespace ad::gif;

struct Fixture {
    const char* Name;
    int Frames, Width, Height;
    std::function<void(TGIFSubImage&, int frame, std::mt19937&)> Fill;
};

void MakePicture(TGifPicture& pic, const Fixture& fx) {
    for (int i = 0; i < 256; ++i) pic.Header.ColorMap.Add(TColor((i * 0x010101) ^ (i << 5)));
    std::mt19937 rng(1);
    for (int f = 0; f < fx.Frames; ++f) {
        auto* frame = new TGIFSubImage(&pic);
        pic.Add(frame);
        frame->SetBounds(0, 0, fx.Width, fx.Height);
        fx.Fill(*frame, f, rng);
    }
}

double Seconds(const std::function<void()>& fn) {
    // One untimed run first: otherwise whichever side runs first pays for
    // growing the heap (page faults) and the other finds it ready.
    fn();
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        auto t0 = std::chrono::steady_clock::now();
        fn();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return best;
}

struct Reader {
    const Bytes* Data;
    size_t At;
};
int ReadFn(GifFileType* gif, GifByteType* buf, int n) {
    auto* r = static_cast<Reader*>(gif->UserData);
    size_t k = std::min(size_t(n), r->Data->size() - r->At);
    std::memcpy(buf, r->Data->data() + r->At, k);
    r->At += k;
    return int(k);
}
int WriteFn(GifFileType* gif, const GifByteType* buf, int n) {
    auto* out = static_cast<Bytes*>(gif->UserData);
    out->insert(out->end(), buf, buf + n);
    return n;
}

void GiflibDecode(const Bytes& file) {
    Reader r{&file, 0};
    int error;
    GifFileType* gif = DGifOpen(&r, ReadFn, &error);
    if (!gif || DGifSlurp(gif) != GIF_OK) std::fprintf(stderr, "giflib decode failed\n");
    DGifCloseFile(gif, &error);
}

Bytes GiflibEncode(TGifPicture& pic) {
    Bytes out;
    int error;
    GifFileType* gif = EGifOpen(&out, WriteFn, &error);
    std::vector<GifColorType> colors(256);
    for (int i = 0; i < 256; ++i)
        colors[size_t(i)] = {pic.Header.ColorMap.Entry(i).Red, pic.Header.ColorMap.Entry(i).Green,
                             pic.Header.ColorMap.Entry(i).Blue};
    ColorMapObject* map = GifMakeMapObject(256, colors.data());
    EGifPutScreenDesc(gif, pic.Width(), pic.Height(), 8, 0, map);
    for (int i = 0; i < pic.Frames.Count(); ++i) {
        TGIFSubImage* f = pic.Frames.Frames(i);
        EGifPutImageDesc(gif, 0, 0, f->Width(), f->Height(), false, nullptr);
        for (int y = 0; y < f->Height(); ++y) EGifPutLine(gif, f->Row(y), f->Width());
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    // gif_bench [ImageMagick convert] [gifsicle] [work folder]
    const char* convert = argc > 1 && *argv[1] ? argv[1] : nullptr;
    const char* gifsicle = argc > 2 && *argv[2] ? argv[2] : nullptr;
    const std::string workDir = argc > 3 ? argv[3] : "/tmp";
    std::vector<Fixture> fixtures = {
        {"100 x 640x480 flat", 100, 640, 480,
         [](TGIFSubImage& f, int i, std::mt19937&) { std::memset(f.Data(), i % 256, f.DataSize()); }},
        {"30 photo-like 640x480", 30, 640, 480,
         [](TGIFSubImage& f, int i, std::mt19937& rng) {
             std::uniform_int_distribution<int> noise(-6, 6);
             for (int y = 0; y < f.Height(); ++y)
                 for (int x = 0; x < f.Width(); ++x) {
                     double v = 128 + 60 * std::sin((x + i * 7) / 37.0) + 50 * std::cos((y - i * 3) / 23.0) +
                                noise(rng);
                     f.Row(y)[x] = uint8_t(std::clamp(int(v), 0, 255));
                 }
         }},
        {"10 x 640x480 noise", 10, 640, 480,
         [](TGIFSubImage& f, int, std::mt19937& rng) {
             for (size_t k = 0; k < f.DataSize(); ++k) f.Data()[k] = uint8_t(rng());
         }},
        {"10 x 1920x1080 mixed", 10, 1920, 1080,
         [](TGIFSubImage& f, int i, std::mt19937& rng) {
             for (int y = 0; y < f.Height(); ++y)
                 for (int x = 0; x < f.Width(); ++x)
                     f.Row(y)[x] = (y / 40 + i) % 3 == 0 ? uint8_t(rng() & 15) : uint8_t((x / 64 + y / 64) & 255);
         }},
    };
    std::printf("%-24s %10s %10s %10s %10s %11s %11s %11s\n", "fixture", "dec ours", "dec giflib", "enc ours",
                "enc giflib", "size ours", "size giflib", "size RLE");
    for (const Fixture& fx : fixtures) {
        TGifPicture pic;
        MakePicture(pic, fx);
        double mpix = double(fx.Frames) * fx.Width * fx.Height / 1e6;
        Bytes ours, theirs, rle;
        double encOurs = Seconds([&] {
            TMemoryStream s;
            pic.SaveToStream(s);
            ours = s.Bytes();
        });
        double encTheirs = Seconds([&] { theirs = GiflibEncode(pic); });
        pic.CodecKind = gcRLE;
        {
            TMemoryStream s;
            pic.SaveToStream(s);
            rle = s.Bytes();
        }
        double decOurs = Seconds([&] {
            TGifPicture back;
            TMemoryStream s(theirs);
            back.LoadFromStream(s);
        });
        double decTheirs = Seconds([&] { GiflibDecode(theirs); });
        std::printf("%-24s %10.1f %10.1f %10.1f %10.1f %11zu %11zu %11zu\n", fx.Name, mpix / decOurs,
                    mpix / decTheirs, mpix / encOurs, mpix / encTheirs, ours.size(), theirs.size(), rle.size());
    }
    std::printf("(Mpix/s; decode reads giflib's file; best of 3)\n");

    // Colour reduction of a photo-like 1920x1080 true-colour picture.
    TGIFDib photo(1920, 1080, pf24bit);
    for (int y = 0; y < photo.Height; ++y)
        for (int x = 0; x < photo.Width; ++x) {
            uint8_t* p = photo.Row(y) + x * 3;
            p[0] = uint8_t(128 + 100 * std::sin(x / 91.0 + y / 57.0));
            p[1] = uint8_t(128 + 100 * std::cos(x / 37.0 - y / 113.0));
            p[2] = uint8_t((x * 7 + y * 3) & 255);
        }
    const double photoMpix = 1920.0 * 1080 / 1e6;
    TDIBReader reader(photo, pf24bit);
    double octree = Seconds([&] { CreateOptimizedPaletteFromSingleBitmap(reader, 256, 8, false); });
    double quantize = Seconds([&] { ReduceColors(photo, crQuantize, dtNearest, nullptr, 8); });
    double quantizeFs = Seconds([&] { ReduceColors(photo, crQuantize, dtFloydSteinberg, nullptr, 8); });
    double cube = Seconds([&] { ReduceColors(photo, crNetscape, dtFloydSteinberg, nullptr, 8); });
    std::printf("\n%-40s %10s\n", "colour reduction, 1920x1080", "Mpix/s");
    // ImageMagick's quantizer on the same pixels (raw BGR in and out), one
    // thread, without dithering: the CPU time of the command with -colors
    // less that of the command without it.
    const std::string photoFile = workDir + "/gif_bench_photo.bgr", photoOut = workDir + "/gif_bench_photo_out.bgr";
    std::string magick = "not run (no convert)";
    if (convert) {
        if (FILE* f = std::fopen(photoFile.c_str(), "wb")) {
            for (int y = 0; y < photo.Height; ++y) std::fwrite(photo.Row(y), 1, size_t(photo.Width) * 3, f);
            std::fclose(f);
        }
        const std::string base = std::string(convert) + " -limit thread 1 -size 1920x1080 -depth 8 bgr:" + photoFile;
        double plain = ad::bench::BestCommandSeconds(base + " bgr:" + photoOut);
        double colors = ad::bench::BestCommandSeconds(base + " +dither -colors 256 bgr:" + photoOut);
        magick = plain < 0 || colors < 0 ? "convert failed"
                                         : "ImageMagick -colors 256: " + std::to_string(photoMpix / (colors - plain)).substr(0, 5) +
                                               " Mpix/s";
        std::remove(photoFile.c_str());
        std::remove(photoOut.c_str());
    }
    std::printf("%-40s %10.1f\n", "octree palette, 256 colours", photoMpix / octree);
    // -colors builds the palette and maps every pixel to it, as this does.
    std::printf("%-40s %10.1f   (%s, same run)\n", "octree palette + mapping, nearest", photoMpix / quantize,
                magick.c_str());
    std::printf("%-40s %10.1f\n", "octree palette + mapping, Floyd-Steinberg", photoMpix / quantizeFs);
    std::printf("%-40s %10.1f\n", "216-colour cube, Floyd-Steinberg", photoMpix / cube);

    // Optimisation of the flat animation (every option).
    TGifPicture flat;
    MakePicture(flat, fixtures[0]);
    TMemoryStream plain;
    flat.SaveToStream(plain);
    double optimize = Seconds([&] {
        TGifPicture copy;
        copy.Assign(&flat);
        copy.Optimize(goCrop | goMerge | goCleanup | goColorMaps);
    });
    flat.Optimize(goCrop | goMerge | goCleanup | goColorMaps);
    TMemoryStream optimized;
    flat.SaveToStream(optimized);
    // gifsicle -O3 on the same file, timed as a command (CPU time).
    std::string sicle = "not run (no gifsicle)";
    if (gifsicle) {
        const std::string in = workDir + "/gif_bench_flat.gif", out = workDir + "/gif_bench_flat_O3.gif";
        if (FILE* f = std::fopen(in.c_str(), "wb")) {
            std::fwrite(plain.Bytes().data(), 1, plain.Bytes().size(), f);
            std::fclose(f);
        }
        double t = ad::bench::BestCommandSeconds(std::string(gifsicle) + " -O3 " + in + " -o " + out);
        long size = -1;
        if (FILE* f = std::fopen(out.c_str(), "rb")) {
            std::fseek(f, 0, SEEK_END);
            size = std::ftell(f);
            std::fclose(f);
        }
        sicle = t < 0 || size < 0 ? "gifsicle failed"
                                  : "gifsicle -O3: " + std::to_string(size) + " bytes in " +
                                        std::to_string(int(t * 1000 + 0.5)) + " ms";
        std::remove(in.c_str());
        std::remove(out.c_str());
    }
    std::printf("\n%-40s %10zu bytes\n", "100 x 640x480 flat, as made", plain.Bytes().size());
    std::printf("%-40s %10zu bytes in %.0f ms (%s, same run)\n", "100 x 640x480 flat, optimised",
                optimized.Bytes().size(), optimize * 1000, sicle.c_str());
    return 0;
}
