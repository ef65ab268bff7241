// TSkinAlphaImageList: items, generation at a scale, scaled bitmaps.
#include "skin/controls/skAlphaImageList.h"

#include <algorithm>
#include <cstring>

#include "framework/Handles.h"
#include "skin/engine/image/SkinAlphaDraw.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/image/SkinBmp.h"
#include "skin/engine/image/skPNG.h"

namespace ad::skin::controls {

namespace {

std::vector<TSkinAlphaImageList*>& AllLists() {
    static std::vector<TSkinAlphaImageList*> lists;
    return lists;
}

constexpr int kResampleFilter = 6;  // Mitchell

// The pixels of an icon with alpha: its colour image's alpha, or, for an icon
// without any, opaque where its mask says so.
bool IconToBitmap(HICON icon, TBitmap32& out) {
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info)) return false;
    OwnedBitmap colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bm{};
    if (!colour || !::GetObjectW(colour.Get(), sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return false;
    const int w = bm.bmWidth, h = bm.bmHeight;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    TBitmap32 image(w, h);
    const TImageView32 view = image.View();
    if (view.Empty()) return false;
    WindowDC screen(nullptr);
    if (::GetDIBits(screen.Get(), colour.Get(), 0, UINT(h), view.Pixel(0, 0), &bi, DIB_RGB_COLORS) != h) return false;
    bool anyAlpha = false;
    for (int y = 0; y < h && !anyAlpha; ++y)
        for (int x = 0; x < w && !anyAlpha; ++x) anyAlpha = view.Pixel(x, y)[3] != 0;
    if (!anyAlpha && mask) {
        std::vector<uint8_t> bits(size_t(w) * size_t(h) * 4);
        if (::GetDIBits(screen.Get(), mask.Get(), 0, UINT(h), bits.data(), &bi, DIB_RGB_COLORS) == h)
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) view.Pixel(x, y)[3] = bits[4 * (size_t(y) * size_t(w) + size_t(x))] ? 0 : 255;
    }
    out = std::move(image);
    return true;
}

uint32_t ReadLe(const uint8_t* p, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

// The largest image of an icon file.
bool DecodeIcoFile(const std::vector<uint8_t>& file, TBitmap32& out) {
    const size_t size = file.size();
    const uint8_t* data = file.data();
    if (size < 6 || ReadLe(data, 2) != 0 || ReadLe(data + 2, 2) != 1) return false;
    const size_t count = ReadLe(data + 4, 2);
    if (count == 0 || 6 + 16 * count > size) return false;
    size_t best = count;
    int bestSide = 0;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = data + 6 + 16 * i;
        const size_t bytes = ReadLe(e + 8, 4), offset = ReadLe(e + 12, 4);
        if (offset > size || bytes > size - offset || bytes < 8) continue;
        const int side = std::max(e[0] ? e[0] : 256, e[1] ? e[1] : 256);
        if (side > bestSide) bestSide = side, best = i;
    }
    if (best == count) return false;
    const uint8_t* e = data + 6 + 16 * best;
    const uint8_t* image = data + ReadLe(e + 12, 4);
    const DWORD bytes = ReadLe(e + 8, 4);
    static const uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (std::equal(kPngSignature, kPngSignature + 8, image)) return LoadPngToBitmap(out, image, bytes);
    const int w = e[0] ? e[0] : 256, h = e[1] ? e[1] : 256;
    OwnedIcon icon(::CreateIconFromResourceEx(const_cast<uint8_t*>(image), bytes, TRUE, 0x00030000, w, h,
                                              LR_DEFAULTCOLOR));
    return IconToBitmap(icon.Get(), out);
}

// An image without any alpha is opaque, keyed by its bottom-left pixel.
void FixEmptyAlpha(TBitmap32& bitmap) {
    const TImageView32 v = bitmap.View();
    if (v.Empty()) return;
    for (int y = 0; y < v.Height; ++y)
        for (int x = 0; x < v.Width; ++x)
            if (v.Pixel(x, y)[3] != 0) return;
    const uint32_t key = GetPixel32(v, 0, v.Height - 1) & 0xFFFFFF;
    for (int y = 0; y < v.Height; ++y)
        for (int x = 0; x < v.Width; ++x)
            if ((GetPixel32(v, x, y) & 0xFFFFFF) != key) v.Pixel(x, y)[3] = 255;
}

}  // namespace

TSkinAlphaImageList::TSkinAlphaImageList(TComponent* AOwner, int width, int height)
    : TImageList(AOwner, width, height), designWidth_(width), designHeight_(height) {
    AllLists().push_back(this);
}

TSkinAlphaImageList::~TSkinAlphaImageList() { std::erase(AllLists(), this); }

bool TSkinAlphaImageList::Decode(const TItem& item, TBitmap32& out) {
    ++decodes_;
    bool decoded = false;
    switch (item.ImageFormat) {
        case TSkinImageFormat::ifPNG: decoded = LoadPngToBitmap(out, item.ImgData.data(), item.ImgData.size()); break;
        case TSkinImageFormat::ifICO: decoded = DecodeIcoFile(item.ImgData, out); break;
        case TSkinImageFormat::ifBMP32: decoded = DecodeBmpToBitmap(out, item.ImgData.data(), item.ImgData.size()); break;
    }
    if (!decoded || out.Width() <= 0 || out.Height() <= 0) return false;
    FixEmptyAlpha(out);
    return true;
}

bool TSkinAlphaImageList::AddDecoded(TItem item) {
    TBitmap32 image;
    if (!Handle() || !Decode(item, image)) return false;
    item.OrigWidth = image.Width();
    item.OrigHeight = image.Height();
    if (!AppendToSystemList(image)) return false;
    items_.push_back(std::move(item));
    return true;
}

bool TSkinAlphaImageList::AddItem(TSkinImageFormat format, const std::vector<uint8_t>& bytes,
                                  const std::string& name) noexcept {
    try {
        TItem item;
        item.ImageFormat = format;
        item.ImageName = name;
        item.ImgData = bytes;
        if (!AddDecoded(std::move(item))) return false;
        Change();
        return true;
    } catch (...) {
        return false;
    }
}

void TSkinAlphaImageList::Clear() {
    items_.clear();
    TImageList::Clear();
}

void TSkinAlphaImageList::ClearAll() {
    Clear();
    Change();
}

namespace {

void WriteLe32(TStream& stream, uint32_t v) {
    const uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    stream.WriteBuffer(b, 4);
}

bool ReadLe32(TStream& stream, uint32_t& v) {
    uint8_t b[4];
    if (stream.Read(b, 4) != 4) return false;
    v = ReadLe(b, 4);
    return true;
}

// A length and that many bytes, the length no more than the stream holds.
bool ReadBlock(TStream& stream, std::vector<uint8_t>& bytes) {
    uint32_t length = 0;
    if (!ReadLe32(stream, length) || int64_t(length) > stream.Remaining()) return false;
    bytes.resize(length);
    return length == 0 || stream.Read(bytes.data(), length) == length;
}

}  // namespace

void TSkinAlphaImageList::SaveItems(TStream& stream) const {
    WriteLe32(stream, uint32_t(items_.size()));
    for (const TItem& item : items_) {
        stream.WriteByte(uint8_t(item.ImageFormat));
        WriteLe32(stream, uint32_t(item.ImageName.size()));
        stream.WriteBuffer(item.ImageName.data(), item.ImageName.size());
        WriteLe32(stream, uint32_t(item.ImgData.size()));
        stream.WriteBuffer(item.ImgData.data(), item.ImgData.size());
    }
}

bool TSkinAlphaImageList::LoadItems(TStream& stream) noexcept {
    try {
        uint32_t count = 0;
        if (!ReadLe32(stream, count)) return false;
        std::vector<TItem> loaded;
        for (uint32_t i = 0; i < count; ++i) {
            TItem item;
            uint8_t format = 0;
            std::vector<uint8_t> name;
            if (!stream.ReadByte(format) || format > uint8_t(TSkinImageFormat::ifBMP32)) return false;
            if (!ReadBlock(stream, name) || !ReadBlock(stream, item.ImgData)) return false;
            item.ImageFormat = TSkinImageFormat(format);
            item.ImageName.assign(name.begin(), name.end());
            TBitmap32 probe;
            if (!Decode(item, probe)) return false;
            loaded.push_back(std::move(item));
        }
        items_ = std::move(loaded);
        Generate();
        Change();
        return true;
    } catch (...) {
        return false;
    }
}

void TSkinAlphaImageList::Assign(const TSkinAlphaImageList& source) {
    if (&source == this) return;
    designWidth_ = source.designWidth_;
    designHeight_ = source.designHeight_;
    scale_ = source.scale_;
    useCache_ = source.useCache_;
    items_.clear();
    for (const TItem& item : source.items_)  // everything but the cached bitmap
        items_.push_back({item.ImageFormat, item.ImageName, item.ImgData, item.OrigWidth, item.OrigHeight, nullptr});
    Generate();
    Change();
}

bool TSkinAlphaImageList::AppendToSystemList(const TBitmap32& image) {
    TBitmap32 sized;
    const TBitmap32* use = &image;
    if (image.Width() != Width() || image.Height() != Height()) {
        TBitmap32 copy = image;
        ResampleBitmap(copy.View(), sized, Width(), kResampleFilter, Height());
        use = &sized;
    }
    DibSection32 dib(use->Width(), use->Height());
    if (!dib) return false;
    std::memcpy(dib.Bits(), use->Data(), dib.PixelCount() * 4);
    return ::ImageList_Add(Handle(), dib.Get(), nullptr) >= 0;
}

bool TSkinAlphaImageList::AddImageFromStream(const std::vector<uint8_t>& bytes) noexcept {
    return AddItem(TSkinImageFormat::ifPNG, bytes);
}

void TSkinAlphaImageList::Generate() {
    SetSize(std::max(1, designWidth_ * scale_ / 100), std::max(1, designHeight_ * scale_ / 100));
    for (TItem& item : items_) {
        TBitmap32 image;
        if (Decode(item, image)) AppendToSystemList(image);
        item.CacheBmp.reset();
    }
}

void TSkinAlphaImageList::SetScale(int percent) {
    percent = std::max(1, percent);
    if (percent == scale_) return;
    scale_ = percent;
    Generate();
    Change();
}

void TSkinAlphaImageList::SetUseCache(bool value) {
    useCache_ = value;
    for (TItem& item : items_) item.CacheBmp.reset();
}

std::unique_ptr<TBitmap32> TSkinAlphaImageList::GetScaledBitmap(int index, int width, int height) {
    if (index < 0 || index >= ItemCount() || width <= 0 || height <= 0) return nullptr;
    TItem& item = items_[size_t(index)];
    if (useCache_ && item.CacheBmp && item.CacheBmp->Width() == width && item.CacheBmp->Height() == height)
        return std::make_unique<TBitmap32>(*item.CacheBmp);
    item.CacheBmp.reset();
    auto result = std::make_unique<TBitmap32>();
    TBitmap32 image;
    if (!Decode(item, image)) return nullptr;
    if (image.Width() == width && image.Height() == height) *result = std::move(image);
    else ResampleBitmap(image.View(), *result, width, kResampleFilter, height);
    if (useCache_) item.CacheBmp = std::make_unique<TBitmap32>(*result);
    return result;
}

void ForEachAlphaImageList(const std::function<void(TSkinAlphaImageList&, int)>& proc, int value) {
    const std::vector<TSkinAlphaImageList*> lists = AllLists();  // a call may add or remove lists
    for (TSkinAlphaImageList* list : lists) proc(*list, value);
}

void AddImageListLinks(TSkinEngineLinks& links) {
    links.RescaleImageLists = [](int percent) {
        ForEachAlphaImageList([](TSkinAlphaImageList& list, int value) { list.SetScale(value); }, percent);
    };
    links.NewAlphaImageList = [](int width, int height) -> std::unique_ptr<TImageList> {
        return std::make_unique<TSkinAlphaImageList>(nullptr, width, height);
    };
    links.AddPngImage = [](TImageList& list, const std::vector<uint8_t>& png) {
        auto* alpha = dynamic_cast<TSkinAlphaImageList*>(&list);
        return alpha && alpha->AddImageFromStream(png);
    };
}

void DrawListImage(TSkinAlphaImageList& list, const TImageView32& target, int x, int y, bool reflected,
                   int numGlyphs, int cell, uint32_t toneColor, int blend, int index) {
    if (index < 0 || target.Width <= 0 || !list.Handle()) return;
    numGlyphs = std::max(1, numGlyphs);
    std::unique_ptr<TBitmap32> strip = list.GetScaledBitmap(index, list.Width(), list.Height());
    if (!strip) return;
    const int w = strip->Width() / numGlyphs, h = strip->Height();
    const int c = std::clamp(cell, 0, numGlyphs - 1);
    BlendImageRect({x, y, x + w, y + h}, {c * w, 0, c * w + w, h}, target, reflected, std::clamp(blend, 0, 100),
                   TColor(toneColor), false, skNoBackground, strip->View());
}

}  // namespace ad::skin::controls
