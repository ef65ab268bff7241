// Skin engine benchmark against peers: PNG decoding to 32-bit pixels (skPNG
// against libpng), reading a packed skin (against a plain zlib uncompress loop
// over the same streams) and the hue/saturation/brightness adjustments on a
// 4 Mpx picture (against ImageMagick's convert -modulate, timed as an external
// command with its own reading and writing measured apart), and refusing tiny
// PNG and JPEG files that claim huge pictures (against loading a sound file
// of about the same size, and against ImageMagick's convert reading the same
// files). Times are CPU
// time of the measuring thread (of the child processes for ImageMagick), so a
// busy machine disturbs them less than wall time. Native, optimised, never
// part of the tests.
#include <png.h>
#include <zlib.h>

#include <ctime>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "bench/BenchCommands.h"
#include "skin/engine/testkit/AszTestWriter.h"
#include "skin/engine/testkit/JpegTestWriter.h"
#include "skin/engine/testkit/PngTestWriter.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/image/skJpeg.h"
#include "skin/engine/image/skPNG.h"
#include "skin/engine/skinfile/skPackedSkin.h"

namespace {

using Bytes = std::vector<uint8_t>;
using namespace ad;
using namespace ad::skin;

double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Best of several runs, in CPU seconds of this thread.
double Seconds(const std::function<void()>& fn, int runs = 5) {
    fn();  // untimed: the heap grows for whichever side runs first
    double best = 1e9;
    for (int run = 0; run < runs; ++run) {
        double t0 = ThreadSeconds();
        fn();
        best = std::min(best, ThreadSeconds() - t0);
    }
    return best;
}

// ---------------------------------------------------------------------------
// PNG

struct PngReader {
    const Bytes* Data;
    size_t At;
};

void ReadPngBytes(png_structp png, png_bytep out, png_size_t n) {
    auto* r = static_cast<PngReader*>(png_get_io_ptr(png));
    if (n > r->Data->size() - r->At) png_error(png, "read past the end");
    std::memcpy(out, r->Data->data() + r->At, n);
    r->At += n;
}

// libpng's usual path to blue-green-red-alpha rows in a 32-bit bitmap.
bool LibpngDecode(const Bytes& data, TBitmap32& target) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    PngReader reader{&data, 0};
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &reader, ReadPngBytes);
    png_read_info(png, info);
    png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    int colorType = png_get_color_type(png, info), depth = png_get_bit_depth(png, info);
    if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    if (depth == 16) png_set_strip_16(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    target.SetSize(int(w), int(h));
    TImageView32 v = target.View();
    std::vector<png_bytep> rows(h);
    for (png_uint_32 y = 0; y < h; ++y) rows[y] = v.Pixel(0, int(y));
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

struct PngCase {
    const char* Name;
    int Side, ColorType, Interlace;
};

Bytes MakePng(const PngCase& c) {
    pngtest::Image img;
    img.Width = img.Height = c.Side;
    img.ColorType = c.ColorType;
    img.Interlace = c.Interlace;
    img.BitDepth = 8;
    // A picture-like mix: smooth gradients with a little noise, so the data
    // neither vanishes in compression nor stays random; filters cycle per row.
    std::vector<uint8_t> noise(size_t(c.Side) * size_t(c.Side));
    std::mt19937 rng(5);
    for (auto& n : noise) n = uint8_t(rng() % 9);
    const int side = c.Side;
    img.Sample = [&noise, side, type = c.ColorType](int x, int y, int ch) -> uint32_t {
        int n = noise[size_t(y) * size_t(side) + size_t(x)];
        if (type == 3) return uint32_t((x / 8 + y / 8) * 7 + n) & 0xFF;
        if (ch == 3) return uint32_t(255 - ((x + y) * 255 / (2 * side)) / 2);
        return uint32_t((x * (ch + 1) + y * (3 - ch)) * 255 / (4 * side) + n) & 0xFF;
    };
    pngtest::Extras extras;
    if (c.ColorType == 3) {
        std::vector<uint32_t> pal;
        for (int i = 0; i < 256; ++i) pal.push_back(uint32_t(i) << 16 | uint32_t(255 - i) << 8 | uint32_t(i * 5 % 256));
        extras.Before.push_back(pngtest::Palette(pal));
    }
    extras.Split = 65536;  // as encoders usually write it
    return pngtest::Write(img, extras);
}

void BenchPng() {
    const PngCase cases[] = {{"RGBA 512x512", 512, 6, 0},
                             {"RGBA 2048x2048", 2048, 6, 0},
                             {"RGB 2048x2048", 2048, 2, 0},
                             {"palette 2048x2048", 2048, 3, 0},
                             {"RGBA Adam7 2048x2048", 2048, 6, 1}};
    std::printf("PNG decode to 32-bit BGRA (Mpix/s, higher is better)\n");
    std::printf("  %-22s %9s %9s %9s %8s\n", "image", "bytes", "skPNG", "libpng", "ratio");
    for (const PngCase& c : cases) {
        Bytes png = MakePng(c);
        TBitmap32 ours, theirs;
        if (!LoadPngToBitmap(ours, png.data(), png.size()) || !LibpngDecode(png, theirs)) {
            std::printf("  %-22s decode failed\n", c.Name);
            continue;
        }
        const bool same = ours.Width() == theirs.Width() && ours.Height() == theirs.Height() &&
                          std::memcmp(ours.Data(), theirs.Data(), size_t(ours.Width()) * ours.Height() * 4) == 0;
        const double mpix = double(c.Side) * c.Side / 1e6;
        double a = Seconds([&] { LoadPngToBitmap(ours, png.data(), png.size()); });
        double b = Seconds([&] { LibpngDecode(png, theirs); });
        std::printf("  %-22s %9zu %9.1f %9.1f %7.2fx%s\n", c.Name, png.size(), mpix / a, mpix / b, b / a,
                    same ? "" : "  (pixels differ!)");
    }
    std::printf("  ratio = our speed / libpng's (goal >= 0.8)\n\n");
}

// ---------------------------------------------------------------------------
// Packed skin

void BenchPackedSkin() {
    // 40 images of 256 KiB (a bitmap-like mix of flat areas and noise) and the
    // INI text: about 10 MiB unpacked.
    std::vector<asztest::Entry> entries;
    std::string ini = "[GLOBALINFO]\nVERSION=11.0\n";
    for (int i = 0; i < 2000; ++i) ini += "KEY" + std::to_string(i) + "=VALUE" + std::to_string(i * 7) + "\n";
    entries.push_back({"Options.dat", asztest::Text(ini)});
    std::mt19937 rng(3);
    for (int i = 0; i < 40; ++i) {
        Bytes raw(256 * 1024);
        for (size_t k = 0; k < raw.size(); ++k) raw[k] = (k / 64) % 3 == 0 ? uint8_t(rng() % 16) : uint8_t(k / 1024 + i);
        entries.push_back({"IMAGE" + std::to_string(i) + ".BMP", std::move(raw)});
    }
    size_t unpacked = 0;
    std::vector<Bytes> streams;
    std::vector<size_t> sizes;
    for (const auto& e : entries) {
        unpacked += e.Data.size();
        streams.push_back(asztest::Zlib(e.Data));
        sizes.push_back(e.Data.size());
    }
    Bytes packed = asztest::Pack(entries);

    size_t check = 0;
    double ours = Seconds([&] {
        TSkSkinConvertor c;
        ReadPackedSkinEntries(c, packed.data(), packed.size());
        check = c.Entries.size() + (c.IniStream ? 1 : 0);
    });
    double zlib = Seconds([&] {
        std::vector<Bytes> out;
        for (size_t i = 0; i < streams.size(); ++i) {
            Bytes b(sizes[i]);
            uLongf n = uLongf(b.size());
            if (uncompress(b.data(), &n, streams[i].data(), uLong(streams[i].size())) != Z_OK) std::abort();
            out.push_back(std::move(b));
        }
    });
    std::printf("Packed skin read: %zu entries, %.1f MiB unpacked from %.1f MiB (%zu read back)\n", entries.size(),
                unpacked / 1048576.0, packed.size() / 1048576.0, check);
    std::printf("  ReadPackedSkinEntries %7.2f ms   zlib uncompress loop %7.2f ms   time ratio %.2fx (goal <= 1.2)\n\n",
                ours * 1e3, zlib * 1e3, ours / zlib);
}

// ---------------------------------------------------------------------------
// Hue, saturation, brightness

void BenchModulate(const char* convert, const char* workDir) {
    const int side = 2048;
    TBitmap32 bmp(side, side);
    TImageView32 v = bmp.View();
    std::mt19937 rng(11);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            uint8_t* p = v.Pixel(x, y);
            p[0] = uint8_t(x / 8 + rng() % 4), p[1] = uint8_t(y / 8), p[2] = uint8_t((x + y) / 16), p[3] = 255;
        }
    const double mpix = double(side) * side / 1e6;
    TBitmap32 work;
    double hue = Seconds([&] { CopyBitmapFrom(work, v); ForEachPixel(work.View(), HueProc, 40); });
    double sat = Seconds([&] { CopyBitmapFrom(work, v); ForEachPixel(work.View(), SaturationProc, 60); });
    double bri = Seconds([&] { CopyBitmapFrom(work, v); ForEachPixel(work.View(), BrightnessProc, 50); });
    double copy = Seconds([&] { CopyBitmapFrom(work, v); });
    hue -= copy, sat -= copy, bri -= copy;
    std::printf("Hue / saturation / brightness on %dx%d (%.1f Mpx), one thread\n", side, side, mpix);
    std::printf("  ours: hue %.1f ms, saturation %.1f ms, brightness %.1f ms, all three %.1f ms\n", hue * 1e3,
                sat * 1e3, bri * 1e3, (hue + sat + bri) * 1e3);

    if (!convert) {
        std::printf("  ImageMagick: not found (install imagemagick)\n\n");
        return;
    }
    // The same picture as raw 8-bit BGRA; convert reads and writes raw data
    // (the cheapest formats), once with -modulate and once without.
    std::string in = std::string(workDir) + "/skin_bench_in.bgra", out = std::string(workDir) + "/skin_bench_out.bgra";
    if (FILE* f = std::fopen(in.c_str(), "wb")) {
        std::fwrite(bmp.Data(), 1, size_t(side) * side * 4, f);
        std::fclose(f);
    }
    const std::string size = " -size " + std::to_string(side) + "x" + std::to_string(side) + " -depth 8 ";
    // One thread: CPU time summed over threads would count ImageMagick's
    // thread start-up and waiting as work.
    for (int threads : {1}) {
        std::string limit = " -limit thread 1";
        std::string base = std::string(convert) + limit + size + "bgra:" + in;
        double plain = ad::bench::BestCommandSeconds(base + " bgra:" + out);
        // -modulate brightness,saturation,hue in percent (hue 100 = none).
        double mod = ad::bench::BestCommandSeconds(base + " -modulate 120,130,111 bgra:" + out);
        if (plain < 0 || mod < 0) {
            std::printf("  ImageMagick: %s failed\n", convert);
            break;
        }
        std::printf("  convert -modulate (%d thread): %.1f ms whole command, %.1f ms read+write alone, %.1f ms for "
                    "-modulate -> ours %.2fx faster (%.2fx against the whole command)\n",
                    threads, mod * 1e3, plain * 1e3, (mod - plain) * 1e3, (mod - plain) / (hue + sat + bri),
                    mod / (hue + sat + bri));
    }
    std::remove(in.c_str());
    std::remove(out.c_str());
    std::printf("\n");
}

// ---------------------------------------------------------------------------
// Refusing tiny files that claim huge pictures

// A PNG claiming side x side colour pixels with one byte of image data.
Bytes ClaimingPng(int side, int interlace) {
    pngtest::Image img;
    img.Width = img.Height = side;
    img.ColorType = 2;
    img.Interlace = interlace;
    return pngtest::Claiming(img);
}

// A 2 x 2 colour PNG, about as long as those.
Bytes SmallPng() {
    pngtest::Image img;
    img.Width = img.Height = 2;
    img.ColorType = 2;
    return pngtest::Write(img);
}

// A grey 8 x 8 JPEG.
Bytes SmallJpeg(bool progressive) {
    jpegtest::Image img = jpegtest::Smooth(8, 8, 1);
    img.Progressive = progressive;
    return jpegtest::Encode(img);
}

void BenchRefusal(const char* convert, const char* workDir) {
    struct File {
        const char* Name;
        const char* Extension;
        Bytes Data;
        bool Refused;  // expected
    };
    const File files[] = {
        {"PNG 16384^2 RGB claim", "png", ClaimingPng(16384, 0), true},
        {"PNG 16384^2 Adam7 claim", "png", ClaimingPng(16384, 1), true},
        {"PNG 8192^2 RGB claim", "png", ClaimingPng(8192, 0), true},
        {"PNG 2x2 RGB (sound)", "png", SmallPng(), false},
        {"JPEG 16384^2 claim", "jpg", jpegtest::Claiming(SmallJpeg(false), 16384, 16384), true},
        {"JPEG progr. 16384^2", "jpg", jpegtest::Claiming(SmallJpeg(true), 16384, 16384), true},
        {"JPEG 8192^2 claim", "jpg", jpegtest::Claiming(SmallJpeg(false), 8192, 8192), true},
        {"JPEG progr. 8192^2", "jpg", jpegtest::Claiming(SmallJpeg(true), 8192, 8192), true},
        {"JPEG 8x8 grey (sound)", "jpg", SmallJpeg(false), false},
        {"JPEG progr. 8x8 (sound)", "jpg", SmallJpeg(true), false},
    };
    std::printf("Tiny files claiming huge pictures: refused before allocating (CPU time per file)\n");
    std::printf("  %-24s %6s %8s %10s %18s\n", "file", "bytes", "result", "ours (us)", "convert (ms)");
    const int calls = 2000;
    for (const File& f : files) {
        TBitmap32 bmp;
        auto load = [&] {
            return f.Extension[0] == 'p' ? LoadPngToBitmap(bmp, f.Data.data(), f.Data.size())
                                         : LoadJpegToBitmap(bmp, f.Data.data(), f.Data.size());
        };
        const bool loaded = load();
        const double ours = Seconds([&] {
                                for (int i = 0; i < calls; ++i) load();
                            }) / calls;
        std::string peer = "not run";
        if (convert) {
            // ImageMagick reads the file into its pixel cache in a process of
            // its own (its start-up is the floor: see the sound files). Its
            // policy refuses sides over 16000 before reading any data.
            std::string path = std::string(workDir) + "/skin_bench_claim." + f.Extension;
            if (FILE* out = std::fopen(path.c_str(), "wb")) {
                std::fwrite(f.Data.data(), 1, f.Data.size(), out);
                std::fclose(out);
            }
            const std::string cmd = std::string(convert) + " " + path + " null: >/dev/null 2>&1";
            const bool theyLoaded = std::system(cmd.c_str()) == 0;
            const double t = ad::bench::BestCommandSeconds(cmd, 3, true);
            char text[48];
            std::snprintf(text, sizeof text, "%.1f %-7s", t * 1e3, theyLoaded ? "loaded" : "refused");
            peer = text;
            std::remove(path.c_str());
        }
        std::printf("  %-24s %6zu %8s %10.1f %18s%s\n", f.Name, f.Data.size(), loaded ? "loaded" : "refused",
                    ours * 1e6, peer.c_str(), loaded == !f.Refused ? "" : "  (unexpected!)");
    }
    std::printf("  ours: the reader in this process; convert: the whole command (start-up included)\n\n");
}

}  // namespace

int main(int argc, char** argv) {
    // skin_bench [ImageMagick convert] [work folder]
    const char* convert = argc > 1 && *argv[1] ? argv[1] : nullptr;
    const char* workDir = argc > 2 ? argv[2] : "/tmp";
    BenchPng();
    BenchPackedSkin();
    BenchModulate(convert, workDir);
    BenchRefusal(convert, workDir);
    return 0;
}
