// Loading a skin: the source (packed file, folder, stored skin), its INI, the
// master bitmap and image files, the masks, sections and the overlay, then the
// palette, transforms and common indexes, all into new tables.
#include "skin/engine/skinfile/SkinLoader.h"

#include <algorithm>

#include "base/Files.h"
#include "base/StrUtils.h"
#include "skin/engine/image/SkinBmp.h"
#include "skin/engine/skinfile/SkinImageValue.h"
#include "skin/engine/skinfile/SkinIni.h"
#include "skin/engine/skinfile/SkinSectionReader.h"
#include "skin/engine/image/SkinUtils.h"
#include "skin/engine/image/skJpeg.h"
#include "skin/engine/image/skPNG.h"
#include "skin/engine/skinfile/skPackedSkin.h"

namespace ad::skin {
namespace {

constexpr const char* kGlobalInfo = "GLOBALINFO";
constexpr double kPremultipliedPngVersion = 7.45;

class TDiskSkinFiles : public TSkinFiles {
public:
    bool Exists(const std::string& fileName) const override {
        std::FILE* f = OpenNamedFile(fileName, "rb");
        if (!f) return false;
        std::fclose(f);
        return true;
    }
    std::vector<uint8_t> Read(const std::string& fileName) const override { return ReadFileBytes(fileName); }
};

bool Contains(std::string_view s, std::string_view part) { return s.find(part) != std::string_view::npos; }

// Bitmaps without an alpha channel become opaque except where they hold the key colour.
void OpaqueExceptKey(TBitmap32& b) {
    const TImageView32 v = b.View();
    SetRectAlpha(v, {0, 0, v.Width, v.Height}, 0);
    SetRectAlpha(v, {0, 0, v.Width, v.Height}, 255, skKeyColor);
}

std::shared_ptr<const TBitmap32> DecodeBmp(const std::vector<uint8_t>& data) {
    auto b = std::make_shared<TBitmap32>();
    int bits = 0;
    if (!DecodeBmpToBitmap(*b, data.data(), data.size(), &bits)) return nullptr;
    if (bits != 32) OpaqueExceptKey(*b);
    return b;
}

// An image file by the kind its name tells; null when it cannot be decoded.
std::shared_ptr<const TBitmap32> DecodeImage(const std::string& upperName, const std::vector<uint8_t>& data,
                                             bool& png) {
    png = false;
    if (Contains(upperName, ".BMP")) return DecodeBmp(data);
    auto b = std::make_shared<TBitmap32>();
    if (Contains(upperName, ".JPG") || Contains(upperName, ".JPEG")) {
        if (!LoadJpegToBitmap(*b, data.data(), data.size())) return nullptr;
        OpaqueExceptKey(*b);
        return b;
    }
    if (Contains(upperName, ".PNG")) {
        if (!LoadPngToBitmap(*b, data.data(), data.size())) return nullptr;
        png = true;
        return b;
    }
    return nullptr;
}

bool RectInsideImage(const TRect& r, const TBitmap32* image) {
    return image && r.Left >= 0 && r.Top >= 0 && r.Left <= r.Right && r.Top <= r.Bottom && r.Right <= image->Width() &&
           r.Bottom <= image->Height();
}

class TSkinBuilder {
public:
    TSkinBuilder(const TSkinLoadOptions& options, const TSkinFiles& files, TLoadedSkin& out)
        : o_(options), files_(files), out_(out), cache_(options.Cache ? *options.Cache : ownCache_) {}

    // Makes the cache serve this source; true when it already holds the INI.
    bool UseSource(const std::string& key) {
        if (cache_.Key != key) {
            cache_.Clear();
            cache_.Key = key;
        }
        return cache_.HasIni;
    }
    void SetIni(std::vector<uint8_t> bytes) {
        cache_.IniBytes = std::move(bytes);
        cache_.HasIni = true;
    }
    // Serves a packed source: the cache's entries when it holds this source, else those `read` gives.
    template <class Read>
    void UsePackedSource(const std::string& key, Read read) {
        if (UseSource(key) && o_.Cache && o_.Cache->Packed) {
            packed_ = o_.Cache->Packed;
            return;
        }
        std::shared_ptr<const TSkSkinConvertor> convertor = read();
        SetIni(*convertor->IniStream);
        if (o_.Cache) o_.Cache->Packed = convertor;
        packed_ = std::move(convertor);
    }

    void Build();

private:
    std::shared_ptr<TBitmap32> Image(const std::string& name);
    std::shared_ptr<const TBitmap32> Original(const std::string& name, bool& png);
    std::vector<uint8_t> const* PackedEntry(const std::string& upperName) const;
    void LoadMaster();
    void LoadMasks();
    void LoadCommonSectionBitmaps();
    void LoadOuterEffectMask(TSkinOuterEffect& effect, const char* key);
    void AddChecked(TSkinMaskData m);

    const TSkinLoadOptions& o_;
    const TSkinFiles& files_;
    TLoadedSkin& out_;
    TSkinImageCache ownCache_;
    TSkinImageCache& cache_;
    std::shared_ptr<const TSkSkinConvertor> packed_;
    TSkinIni ini_;
    TSkinTables* t_ = nullptr;
};

const std::vector<uint8_t>* TSkinBuilder::PackedEntry(const std::string& upperName) const {
    if (!packed_) return nullptr;
    for (const TSkinImageEntry& e : packed_->Entries)
        if (AsciiUpperCase(e.Name) == upperName) return &e.Data;
    return nullptr;
}

// The decoded image before any transform, from the cache or read now.
std::shared_ptr<const TBitmap32> TSkinBuilder::Original(const std::string& name, bool& png) {
    if (auto it = cache_.Images.find(name); it != cache_.Images.end()) {
        png = it->second.Png;
        return it->second.Bitmap;
    }
    std::shared_ptr<const TBitmap32> bitmap;
    png = false;
    const std::string upper = AsciiUpperCase(name);
    if (const std::vector<uint8_t>* data = PackedEntry(upper)) {
        bitmap = DecodeImage(upper, *data, png);
    } else {
        const std::string path = Contains(name, ":") ? name : out_.SkinPath + name;
        if (files_.Exists(path)) {
            try {
                bitmap = DecodeImage(upper, files_.Read(path), png);
            } catch (const Exception&) {
                bitmap = nullptr;
            }
        }
    }
    if (!bitmap) out_.Problems.push_back("image \"" + name + "\" is missing or unreadable");
    cache_.Images[name] = {bitmap, png};
    return bitmap;
}

// One bitmap per image file for this load, shared by every key naming it.
std::shared_ptr<TBitmap32> TSkinBuilder::Image(const std::string& name) {
    for (const TSkinImageFile& f : t_->ImageFiles)
        if (f.FileName == name) return f.Bitmap;
    bool png = false;
    const std::shared_ptr<const TBitmap32> original = Original(name, png);
    if (!original || original->Width() <= 0) return nullptr;
    auto copy = std::make_shared<TBitmap32>(*original);
    if (png && o_.Brightness <= 0 && t_->GlobalInfo.Version > kPremultipliedPngVersion)
        PremultiplyBitmap(copy->View(), o_.CompositionEnabled);
    t_->ImageFiles.push_back({name, 0, copy});
    return copy;
}

void TSkinBuilder::LoadMaster() {
    const std::string& value = t_->GlobalInfo.MasterBitmap;
    if (value.empty()) return;
    const std::string key = "\x01master:" + value;
    std::shared_ptr<const TBitmap32> master;
    if (auto it = cache_.Images.find(key); it != cache_.Images.end()) {
        master = it->second.Bitmap;
    } else {
        if (packed_) {
            for (const TSkinImageEntry& e : packed_->Entries)
                if (AsciiUpperCase(e.Name) == value) {
                    master = DecodeBmp(e.Data);
                    break;
                }
        } else {
            const std::string path = Contains(value, ":") ? value : out_.SkinPath + value;
            if (files_.Exists(path)) {
                try {
                    master = DecodeBmp(files_.Read(path));
                } catch (const Exception&) {
                    master = nullptr;
                }
            }
        }
        if (!master) out_.Problems.push_back("master bitmap \"" + value + "\" is missing or unreadable");
        cache_.Images[key] = {master, false};
    }
    t_->MasterBitmap = master ? std::make_shared<TBitmap32>(*master) : std::make_shared<TBitmap32>();
}

// A mask whose rectangle does not lie in its image would read outside it when painted: left out.
void TSkinBuilder::AddChecked(TSkinMaskData m) {
    if (!RectInsideImage(m.R, t_->MaskImage(m))) {
        out_.Problems.push_back(m.ClassName + "." + m.PropertyName + ": rectangle outside its image");
        return;
    }
    const int i = t_->AddMask(std::move(m));
    if (t_->Mask(i).DrawMode == dmNinePart) t_->UpdateCornerType(i);
}

void TSkinBuilder::LoadMasks() {
    for (TSkinImageValue& v : ReadSkinImageValues(ini_, o_.ScaleLevel)) {
        if (v.Skipped) out_.Problems.push_back(v.SectionName + "." + v.KeyName + ": " + v.Problem);
        if (!v.MakesMask()) continue;
        std::shared_ptr<TBitmap32> own;
        if (!v.FileName.empty()) {
            own = Image(v.FileName);
            if (!own) continue;
            if (v.WholeImage) SetImageSize(v, own->Width(), own->Height());
        }
        TSkinMaskData m = MakeSkinMaskData(v);
        m.Bmp = std::move(own);
        AddChecked(std::move(m));
    }
}

// Bitmaps named by the overlay's sections become masks of their own.
void TSkinBuilder::LoadCommonSectionBitmaps() {
    if (o_.CommonSections.empty()) return;
    for (const auto& [section, lines] : ParseOverlayText(o_.CommonSections)) {
        const std::string sectionName = AsciiUpperCase(section);
        if (sectionName == kGlobalInfo) continue;
        for (const std::string& line : lines) {
            const size_t eq = line.find('=');
            if (eq == std::string::npos) continue;
            const std::string value = AsciiUpperCase(line.substr(eq + 1));
            if (!Contains(value, ".BMP")) continue;
            const std::string path = Contains(value, ":") ? value : out_.SkinPath + value;
            std::shared_ptr<TBitmap32> bmp = Image(path);
            if (!bmp) continue;
            TSkinMaskData m;
            m.Bmp = bmp;
            m.ClassName = sectionName;
            m.PropertyName = AsciiUpperCase(line.substr(0, eq));
            m.SectionIndex = ini_.SectionIndexOf(sectionName);
            m.R = {0, 0, bmp->Width(), bmp->Height()};
            m.DrawMode = dmTexture;
            AddChecked(std::move(m));
        }
    }
}

// SH_MASK / LO_MASK: an image value of GLOBALINFO, none, or one made from the
// colours over the blur image.
void TSkinBuilder::LoadOuterEffectMask(TSkinOuterEffect& e, const char* key) {
    e.MaskIndex = -1;
    const int globalIndex = ini_.SectionIndexOf(kGlobalInfo);
    if (e.Source == 0) return;
    if (e.Source == 1) {
        const std::string* value = ini_.Find(kGlobalInfo, key);
        if (!value) return;
        TSkinImageValue v;
        if (!ParseLongFormValue(AsciiUpperCase(*value), v)) {
            out_.Problems.push_back(std::string(key) + ": " + v.Problem);
            return;
        }
        v.SectionName = kGlobalInfo;
        v.SectionIndex = globalIndex;
        v.KeyName = key;
        v.DrawMode = dmNinePart;
        TSkinMaskData m = MakeSkinMaskData(v);
        if (!RectInsideImage(m.R, t_->MaskImage(m))) return;
        e.MaskIndex = t_->AddMask(std::move(m));
        t_->Mask(e.MaskIndex).CornerType = ctOpaque;
        return;
    }
    const TBitmap32* blur = o_.Blur5;
    if (!blur || blur->Width() <= 0 || blur->Height() <= 0) return;
    const int w = blur->Width();
    auto bmp = std::make_shared<TBitmap32>(w, 2 * w);
    const TImageView32 v = bmp->View();
    if (v.Empty()) return;
    // Upper half: the band of the nearest side (left, right, top, bottom colours).
    for (int y = 0; y < w; ++y)
        for (int x = 0; x < w; ++x) {
            const int d[4] = {x, w - 1 - x, y, w - 1 - y};
            const int side = int(std::min_element(std::begin(d), std::end(d)) - std::begin(d));
            SetPixel32(v, x, y, SwapRedBlue(SkinColorToRGB(e.Colors[size_t(side)]) & 0xFFFFFF) | 0xFF000000u);
        }
    TImageView32 bv = const_cast<TBitmap32*>(blur)->View();
    for (int y = 0; y < std::min(w, bv.Height); ++y)
        for (int x = 0; x < w; ++x) SetPixel32(v, x, w + y, GetPixel32(bv, x, y));
    TSkinMaskData m;
    m.Bmp = bmp;
    m.ClassName = kGlobalInfo;
    m.PropertyName = key;
    m.SectionIndex = globalIndex;
    m.R = {0, 0, w, 2 * w};
    m.MaskType = 1;
    m.DrawFlags = 1;
    m.BorderWidth = int16_t(w / 2);
    m.WL = m.WT = m.WR = m.WB = int16_t(w / 2);
    e.MaskIndex = t_->AddMask(std::move(m));
    for (int32_t& width : e.Widths)
        if (width == -1) width = w / 2;
}

void TSkinBuilder::Build() {
    ini_.Parse(std::string_view(reinterpret_cast<const char*>(cache_.IniBytes.data()), cache_.IniBytes.size()));
    out_.Tables = std::make_unique<TSkinTables>();
    t_ = out_.Tables.get();
    t_->ScaleLevel = o_.ScaleLevel;
    t_->HueOffset = o_.HueOffset;
    t_->Saturation = o_.Saturation;
    t_->Brightness = o_.Brightness;
    t_->CompositionEnabled = o_.CompositionEnabled;

    t_->GlobalInfo = ReadSkinGlobalInfo(ini_, o_.ScaleLevel);
    out_.VersionWarning = t_->GlobalInfo.Version > kNewestSupportedSkinVersion;
    LoadMaster();
    LoadMasks();
    LoadCommonSectionBitmaps();
    LoadOuterEffectMask(t_->GlobalInfo.Shadow, "SH_MASK");
    LoadOuterEffectMask(t_->GlobalInfo.Outer, "LO_MASK");

    std::vector<TSkinGeneralData> sections = ReadSkinSections(ini_);
    if (!o_.CommonSections.empty()) ApplyCommonSections(sections, o_.CommonSections);
    t_->SetSections(std::move(sections));
    t_->FinishSections();
    t_->ResolveCommonSections();
}

}  // namespace

const TSkinFiles& DiskSkinFiles() {
    static const TDiskSkinFiles files;
    return files;
}

std::string SkinDirectoryPath(std::string_view s, std::string_view app) {
    std::string result;
    if (s.starts_with("..")) {
        std::string parent(app.substr(0, app.empty() ? 0 : app.size() - 1));
        while (!parent.empty() && parent.back() != '\\' && parent.back() != '/') parent.pop_back();
        result = parent + std::string(s.substr(std::min<size_t>(3, s.size())));
    } else if (s.starts_with(".\\") || s.starts_with("./")) {
        result = std::string(app) + std::string(s.substr(2));
    } else if (s == ".") {
        result = app;
    } else if (!Contains(s, ":") && !Contains(s, "\\\\")) {
        result = std::string(app) + std::string(s);
    } else {
        result = s;
    }
    return AddPathSeparator(result);
}

std::string PackedSkinFormatError(const std::string& skinName) {
    return "Internal format error in the \"" + skinName + "\" skin. Please, update this skin to latest version.";
}

std::string PackedSkinFileName(const TSkinLoadOptions& options) {
    return SkinDirectoryPath(options.SkinDirectory, options.AppFolder) + options.SkinName + ".asz";
}

namespace {

// Reads a packed skin's entries.
std::shared_ptr<const TSkSkinConvertor> ReadPacked(const uint8_t* data, size_t size, const std::string& skinName) {
    auto convertor = std::make_shared<TSkSkinConvertor>();
    ReadPackedSkinEntries(*convertor, data, size);
    if (!convertor->IniStream) throw ESkinLoadError(PackedSkinFormatError(skinName));
    return convertor;
}

}  // namespace

TLoadedSkin LoadPackedSkin(const TSkinLoadOptions& options, const TSkinFiles& files) {
    TLoadedSkin out;
    out.Source = TSkinSource::Packed;
    out.SkinName = options.SkinName;
    out.SkinPath = SkinDirectoryPath(options.SkinDirectory, options.AppFolder);
    const std::string fileName = PackedSkinFileName(options);
    TSkinBuilder b(options, files, out);
    b.UsePackedSource("packed:" + fileName, [&] {
        if (!files.Exists(fileName)) throw ESkinLoadError("The skin file \"" + fileName + "\" does not exist");
        const std::vector<uint8_t> data = files.Read(fileName);
        return ReadPacked(data.data(), data.size(), options.SkinName);
    });
    b.Build();
    return out;
}

TLoadedSkin LoadSkin(const TSkinLoadOptions& options, const TSkinFiles& files) {
    TLoadedSkin out;
    out.SkinName = options.SkinName;
    out.SkinPath = SkinDirectoryPath(options.SkinDirectory, options.AppFolder) + options.SkinName + "\\";
    const std::string iniName = out.SkinPath + "Options.dat";
    if (files.Exists(iniName)) {
        out.Source = TSkinSource::Folder;
        TSkinBuilder b(options, files, out);
        if (!b.UseSource("folder:" + iniName)) b.SetIni(files.Read(iniName));
        b.Build();
        return out;
    }
    out.SkinPath.clear();
    const TSkinStoredSkins* stored = options.InternalSkins;
    if (!stored || stored->Count() == 0) return out;  // Source None
    int index = stored->IndexOfName(options.SkinName);
    if (index < 0) index = 0;
    const TSkinStoredSkin& skin = stored->Items(index);
    out.SkinName = skin.Name;
    out.Source = TSkinSource::Stored;
    if (skin.Data().empty()) throw ESkinLoadError("The stored skin \"" + skin.Name + "\" holds no data");
    TSkinBuilder b(options, files, out);
    b.UsePackedSource("stored:" + skin.Name,
                      [&] { return ReadPacked(skin.Data().data(), skin.Data().size(), skin.Name); });
    b.Build();
    return out;
}

TLoadedSkin LoadSkinByName(const TSkinLoadOptions& options, const TSkinFiles& files) {
    if (files.Exists(PackedSkinFileName(options))) return LoadPackedSkin(options, files);
    return LoadSkin(options, files);
}

}  // namespace ad::skin
