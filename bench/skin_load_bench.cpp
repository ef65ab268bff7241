// Skin loading and painting speed: the built-in skin and generated skins of
// 250 to 1,000 sections loaded from memory, a reload after a hue change (from
// the decoded images), and nine-part masks and section backgrounds painted
// from 100 x 25 to 1920 x 1080 beside a plain fill of the same area.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "skin/engine/skinfile/SkinLoader.h"
#include "skin/engine/paint/SkinMaskPaint.h"
#include "skin/engine/skinfile/SkinPackWriter.h"
#include "skin/engine/paint/SkinSectionPaint.h"

using namespace ad;
using namespace ad::skin;

namespace {

class TNoFiles : public TSkinFiles {
public:
    bool Exists(const std::string&) const override { return false; }
    std::vector<uint8_t> Read(const std::string&) const override { return {}; }
};

double BestMs(int runs, const std::function<void()>& f) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        f();
        const std::chrono::duration<double, std::milli> d = std::chrono::steady_clock::now() - start;
        best = std::min(best, d.count());
    }
    return best;
}

std::vector<uint8_t> GeneratedSkin(int sections, const std::vector<uint8_t>& master) {
    std::string ini = "[GLOBALINFO]\r\nVERSION=11\r\nMASTERBITMAP=MASTER.BMP\r\n";
    for (int i = 0; i < sections; ++i) {
        ini += "[S" + std::to_string(i) + "]\r\nSTATES=3\r\nCOLOR=" + std::to_string(i * 977 % 16777216) +
               "\r\nHOTCOLOR=255\r\nGRADIENTPERCENT=50\r\nGRADIENTDATA=16777215;0;100;0;0\r\n"
               "BORDERSMASK=^0000^0000^0048^0016^0002^0002^0002^0002^3^0^0^0\r\n";
        if (i % 4) ini += "PARENTCLASS=S" + std::to_string(i - 1) + "\r\n";
    }
    return PackSkinEntries({{"Options.dat", std::vector<uint8_t>(ini.begin(), ini.end())}, {"MASTER.BMP", master}});
}

TLoadedSkin Load(const std::vector<uint8_t>& packed, TSkinImageCache* cache, int hue) {
    TSkinStoredSkins stored;
    stored.AddFromData("S", packed.data(), packed.size());
    TSkinLoadOptions o;
    o.SkinName = "S";
    o.InternalSkins = &stored;
    o.HueOffset = hue;
    o.Cache = cache;
    return LoadSkinByName(o, TNoFiles());
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : AD_BUILTIN_SKIN_DIR;
    std::ifstream f(dir + "/Appdeck.asz", std::ios::binary);
    const std::vector<uint8_t> builtIn((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (builtIn.empty()) {
        std::fprintf(stderr, "no built-in skin in %s\n", dir.c_str());
        return 1;
    }
    std::printf("%-46s %10s\n", "skin loading (best of 20)", "ms");
    std::printf("%-46s %10.3f\n", "built-in skin", BestMs(20, [&] { Load(builtIn, nullptr, 0); }));
    TSkSkinConvertor c;
    ReadPackedSkinEntries(c, builtIn.data(), builtIn.size());
    const std::vector<uint8_t> master = c.Entries.at(0).Data;
    for (int n : {250, 500, 1000}) {
        const auto packed = GeneratedSkin(n, master);
        std::printf("%-46s %10.3f\n", ("generated skin, " + std::to_string(n) + " sections").c_str(),
                    BestMs(10, [&] { Load(packed, nullptr, 0); }));
    }
    TSkinImageCache cache;
    Load(builtIn, &cache, 0);
    int hue = 0;
    std::printf("%-46s %10.3f\n", "built-in skin reloaded after a hue change",
                BestMs(20, [&] { Load(builtIn, &cache, hue += 10); }));

    const TLoadedSkin skin = Load(builtIn, nullptr, 0);
    const TSkinTables& t = *skin.Tables;
    const int button = t.SectionIndexOf("BUTTON");
    TSkinMaskData mask = t.Mask(t.Section(button).BorderIndex);
    mask.DrawFlags |= kMaskPaintCentre;
    std::printf("\n%-18s %12s %12s %12s\n", "painting (ms)", "plain fill", "nine-part", "background");
    for (auto [w, h] : {std::pair{100, 25}, {320, 240}, {800, 600}, {1920, 1080}}) {
        TBitmap32 b(w, h);
        const TImageView32 v = b.View();
        const TRect r{0, 0, w, h};
        const int runs = w * h > 500000 ? 10 : 200;
        const double fill = BestMs(runs, [&] { FillRect32(v, r, 0x123456, 255); });
        const double nine = BestMs(runs, [&] { DrawMaskNineGrid(v, r, skNoBackground, false, 1, mask, t); });
        const double bg = BestMs(runs, [&] {
            PaintSectionBackground(v, r, {0, 0}, skNoBackground, button, 1, kNoCustomColor, -1, -1, t);
        });
        std::printf("%5d x %-10d %12.4f %12.4f %12.4f\n", w, h, fill, nine, bg);
    }
    return 0;
}
