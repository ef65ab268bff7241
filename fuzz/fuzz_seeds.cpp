// Writes seed inputs for the fuzz targets: small random GIF pictures with
// both encoders, interlace, local maps and extensions; PNG and JPEG images of
// every kind the tests make; gradient texts, packed skins and skin INI texts;
// Software Center catalogues; grid and Unicode texts.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <random>
#include <string>

#include "gif/GIFTestSupport.h"
#include "skin/engine/testkit/AszTestWriter.h"
#include "skin/engine/testkit/JpegTestWriter.h"
#include "skin/engine/testkit/PngTestWriter.h"

// PNG seeds: every colour type and depth, both interlace methods, with
// palette, transparency, gamma and background chunks and split image data.
static void WritePngSeeds(const std::filesystem::path& root) {
    namespace fs = std::filesystem;
    fs::create_directories(root / "skin_png");
    const int formats[][2] = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8}, {2, 16}, {3, 1},
                              {3, 2}, {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};
    int n = 0;
    for (const auto& f : formats) {
        for (int interlace : {0, 1}) {
            ad::skin::pngtest::Image img;
            img.ColorType = f[0];
            img.BitDepth = f[1];
            img.Width = 5 + n % 7;
            img.Height = 3 + n % 5;
            img.Interlace = interlace;
            ad::skin::pngtest::Extras extras;
            if (f[0] == 3) {
                std::vector<uint32_t> colours = {0xFF0000, 0x00FF00, 0x0000FF, 0x808080};
                colours.resize(f[1] == 1 ? 2 : 4);
                extras.Before.push_back(ad::skin::pngtest::Palette(colours));
                extras.Before.push_back(ad::skin::pngtest::Chunk("tRNS", {0, 128}));
            }
            if (n % 3 == 0) extras.Before.push_back(ad::skin::pngtest::Gamma(45455));
            if (n % 4 == 1) extras.Before.push_back(ad::skin::pngtest::Chunk("bKGD", {0, 1, 0, 2, 0, 3}));
            if (n % 5 == 2) extras.Split = 7;
            ad::gif::giftest::Bytes png = ad::skin::pngtest::Write(img, extras);
            std::ofstream(root / "skin_png" / ("seed" + std::to_string(n++) + ".png"), std::ios::binary)
                .write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
        }
    }
}

// JPEG seeds: grey, colour and CMYK pictures, baseline and progressive, at
// both chroma samplings.
static void WriteJpegSeeds(const std::filesystem::path& root) {
    namespace fs = std::filesystem;
    fs::create_directories(root / "skin_jpeg");
    int n = 0;
    for (int components : {1, 3, 4}) {
        for (int variant = 0; variant < 4; ++variant) {
            ad::skin::jpegtest::Image img = ad::skin::jpegtest::Smooth(9 + 4 * variant, 7 + variant, components);
            img.Progressive = variant & 1;
            img.FullChroma = variant & 2;
            img.Quality = 50 + 15 * variant;
            ad::skin::jpegtest::Bytes jpeg = ad::skin::jpegtest::Encode(img);
            std::ofstream(root / "skin_jpeg" / ("seed" + std::to_string(n++) + ".jpg"), std::ios::binary)
                .write(reinterpret_cast<const char*>(jpeg.data()), std::streamsize(jpeg.size()));
        }
    }
}

// Plain byte seeds, one file each.
static void WriteSeeds(const std::filesystem::path& dir, std::initializer_list<std::string> seeds) {
    std::filesystem::create_directories(dir);
    int n = 0;
    for (const std::string& seed : seeds)
        std::ofstream(dir / ("seed" + std::to_string(n++)), std::ios::binary) << seed;
}

// Grid seeds: texts of every cell kind for the conversions (an odd first
// byte picks the comma-decimal locale), delimited files with quotes, skipped
// lines and a UTF-16 file, and store-operation scripts (one byte picks the
// operation, the next ones its arguments).
static void WriteGridSeeds(const std::filesystem::path& root) {
    using namespace std::string_literals;
    WriteSeeds(root / "grid_convert",
               {"42", "-2147483648", "1.5", "1E20", "0.00001", "3/15/2023", "3/15/2023 18:00", "12/29/1899 6:00",
                "1/1/0001 23:59:59", "12/31/9999", "True", "false", "{6F9619FF-8B86-D011-B42D-00C04FC964FF}",
                "192.168.0.1", "12:30:15", "\x01" "15.03.2023 06:00:00 PM", "\x01" "1,5", "\x01" "29.12.1899 06:00"});
    WriteSeeds(root / "grid_delimited",
               {"\x01\x00\x00"s + "a;b;1.5\r\nc;d;2\r\n",
                "\x00\x01\x01"s + "skipped\r\n\"q;uoted\"\t\"with \"\"quotes\"\"\"\t3|next\tline\t4\r\n",
                "\x00\x00\x00"s + "\xFF\xFE" "a\0\t\0b\0\t\0" "1\0\r\0\n\0"s,
                "\x00\x02\x00"s + "\xFE\xFF" "\0a\0\t\0b\0\r\0\n\0x\0\t\0y"s,
                "\x01\x00\x01"s + "1;2;3;4\r\n;;\r\n\r\n"});
    // 0 column, 1 add rows, 2 insert, 3 delete, 4 swap, 5 move, 6 write a
    // cell, 7 sort, 8 delete a column.
    WriteSeeds(root / "grid_store_ops",
               {"\x00\x00\x00\x01\x03\x01\x03\x06\x00\x00\x06\x01\x01\x06\x04\x02\x05\x00\x05\x04\x01\x04\x07\x00\x00\x00\x01"s,
                "\x00\x00\x01\x03\x02\x01\x02\x06\x02\x01\x03\x07\x01\x01\x01\x01\x08\x00\x03\x00\x01\x02"s,
                "\x00\x01\x03\x01\x03\x01\x03\x06\x00\x00\x06\x05\x00\x06\x03\x00\x07\x00\x02\x01\x01\x07\x00\x04\x00\x00"s});
}

// Unicode seeds: string lists in every encoding the loader detects, list
// properties in the three string forms, and UTF-7 texts.
static void WriteUnicodeSeeds(const std::filesystem::path& root) {
    using namespace std::string_literals;
    WriteSeeds(root / "uni_strings",
               {"\x00"s + "one\r\ntwo\r\n", "\x00"s + "\xEF\xBB\xBF" "caf\xC3\xA9\nline\n",
                "\x00"s + "\xFF\xFE" "a\0\r\0\n\0\x16\x04\r\0\n\0"s, "\x00"s + "\xFE\xFF" "\0a\0\r\0\n\0b"s,
                "\x01"s + "\x01\x06\x03" "abc" "\x12\x02\0\0\0" "h\0i\0" "\x0C\x02\0\0\0" "xy" "\x00"s,
                "\x03"s + "\x01\x12\x01\0\0\0" "\x3A\x26" "\x00"s,
                "\x07"s + "\x01\x06\x07" "+AGEAYg-" "\x00"s});
    WriteSeeds(root / "uni_utf7", {"Hello +AGEAYgBj- world", "+-", "A+ImIDkQ.", "+AOk-t+AOk-", "plain text"});
}

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    namespace fs = std::filesystem;
    fs::path root = argv[1];
    WritePngSeeds(root);
    WriteJpegSeeds(root);
    WriteGridSeeds(root);
    WriteUnicodeSeeds(root);
    fs::create_directories(root / "skin_gradient");
    // Six header bytes (rectangle, offset, texture weight), then the text.
    const std::string gradients[] = {std::string("\x02\x02\x20\x20\x00\x80", 6) + "255;65280;50;0;0;65280;255;50;0;0",
                                     std::string("\xF0\x00\x40\x30\x04\x40", 6) + "$FF;$FF00;30;1;0;16777215;0;70;1;0",
                                     std::string("\x00\x00\x10\x10\x00\x00", 6) + "255;0;100;2;0;65280;0;0;2;0;;;1;2;3;4;5"};
    for (int i = 0; i < 3; ++i)
        std::ofstream(root / "skin_gradient" / ("seed" + std::to_string(i)), std::ios::binary) << gradients[i];
    // Packed skins: an INI entry, images, a stream longer than stated, a preview.
    fs::create_directories(root / "skin_asz");
    ad::skin::pngtest::Image tiny;
    const ad::skin::asztest::Bytes packs[] = {
        ad::skin::asztest::Pack({{"OPTIONS.DAT", ad::skin::asztest::Text("[GLOBALINFO]\nVERSION=11.0\n")},
                           {"MASTER.BMP", ad::skin::asztest::Bytes(300, 7)}}),
        ad::skin::asztest::Pack({{"options.dat", ad::skin::asztest::Text("[BUTTON]\nSTATES=3\n")},
                           {"CLOSE.PNG", ad::skin::pngtest::Write(tiny), 20}, {"E.JPG", {}}},
                          "ASzf", ad::skin::pngtest::Write(tiny)),
    };
    for (int i = 0; i < 2; ++i)
        std::ofstream(root / "skin_asz" / ("seed" + std::to_string(i)), std::ios::binary)
            .write(reinterpret_cast<const char*>(packs[i].data()), std::streamsize(packs[i].size()));
    // Skin INI: a scale/size byte, the text, optionally "\x01" and overlay text.
    fs::create_directories(root / "skin_ini");
    const std::string inis[] = {
        std::string("\x05") +
            "[GLOBALINFO]\nVERSION=11.0\nMASTERBITMAP=MASTER.BMP\nTITLEHEIGHT=24\nEDITBG_ALERT=255\n"
            "BICONCLOSE=!CLOSE.PNG!3!0!1\nBOXCHECKED=@0000@0020@0012@0032@1@0\n"
            "[BUTTON]\nSTATES=3\nUSESTATE2=1\nCOLOR2=12632256\n"
            "BORDERSMASK=^0000^0000^0030^0020^0003^0003^0003^0003^3^0^0^0\n"
            "[EDIT]\nSTATES=2\nBORDERSMASK=^0032^0000^0038^0004^0001^0001^0001^0001^2^0^1^1\n"
            "[PANEL]\nGRADIENTPERCENT=100\nGRADIENTDATA=16777215;14737632;100;0;0\n"
            "[PANEL_LOW]\nPARENTCLASS=PANEL\n[SELECTION]\nSTATES=2\nCOLOR=13395456\n",
        std::string("\x16") +
            "[A]\nPARENTCLASS=B\nGLYPHMASK=~0001~0002~0010~0012~01~1\nPATTERN=TEX.BMP\n"
            "[B]\nPARENTCLASS=A\nBORDERSMASK*125=^0000^0000^0040^0010^0002^0002^0002^0002^2^1^1^0\n"
            "\x01[NEW]\nPARENTCLASS=a\nSTATES=0x2\nCOLOR=0xFF\n",
    };
    for (int i = 0; i < 2; ++i)
        std::ofstream(root / "skin_ini" / ("seed" + std::to_string(i)), std::ios::binary) << inis[i];
    // Software Center catalogues: 8-bit and UTF-16 text, quoted values, numbers of every form.
    fs::create_directories(root / "app_swcenter");
    const std::string catalogues[] = {
        "[Zip Tool]\r\nDesc=Packs files\r\nVer=2.1\r\nCategory=Utilities\r\nDLink=https://d.example/zip\r\n"
        "HLink=https://h.example/zip\r\nRating=4\r\nLastUpdate=2016-08-01\r\nSize=12.5\r\n[No Link]\r\nDesc=x\r\n",
        "[A]\nDLink=\"x\"\nRating=$1F\nSize= 0.25 \n[A]\nDLink=y\nRating=-3\nSize=1e3\n;[B]\n",
        std::string("\xFF\xFE[\0A\0]\0\r\0\n\0D\0L\0i\0n\0k\0=\0h\0\r\0\n\0", 30)};
    for (int i = 0; i < 3; ++i)
        std::ofstream(root / "app_swcenter" / ("seed" + std::to_string(i)), std::ios::binary) << catalogues[i];
    std::mt19937 rng(99);
    for (int i = 0; i < 24; ++i) {
        ad::gif::TGifPicture pic;
        ad::gif::giftest::RandomPicture(pic, rng, 24);
        pic.CodecKind = i % 2 ? ad::gif::gcRLE : ad::gif::gcLZW;
        auto* f = pic.Frames.Frames(0);
        if (i % 3 == 0) {
            auto* loop = new ad::gif::TGIFAppExtNSLoop(f);
            f->Extensions.Insert(0, loop);
        }
        if (i % 4 == 1) {
            auto* gce = new ad::gif::TGIFGraphicControlExtension(f);
            gce->SetTransparent(true);
            f->Extensions.Insert(0, gce);
        }
        ad::gif::giftest::Bytes bytes = ad::gif::giftest::Save(pic);
        for (const char* target : {"gif_reader", "gif_roundtrip"}) {
            fs::create_directories(root / target);
            std::ofstream(root / target / ("seed" + std::to_string(i) + ".gif"), std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        }
        // The LZW target takes 3 frame bytes and the data after the descriptor.
        auto* frame = pic.Frames.Frames(0);
        ad::TMemoryStream s;
        frame->SaveToStream(s);
        size_t at = 0;
        while (at < s.Bytes().size() && s.Bytes()[at] != 0x2C) at = at + 1;
        size_t start = at + 10 + (frame->ColorMap.Count > 0 ? 3u << frame->ColorMap.BitsPerPixel() : 0);
        if (start >= s.Bytes().size() || frame->Width() > 256 || frame->Height() > 256) continue;
        ad::gif::giftest::Bytes lzw{uint8_t(frame->Width() - 1), uint8_t(frame->Height() - 1),
                               uint8_t(frame->Interlaced())};
        lzw.insert(lzw.end(), s.Bytes().begin() + long(start), s.Bytes().end());
        fs::create_directories(root / "gif_lzw");
        std::ofstream(root / "gif_lzw" / ("seed" + std::to_string(i)), std::ios::binary)
            .write(reinterpret_cast<const char*>(lzw.data()), std::streamsize(lzw.size()));
    }
    return 0;
}
