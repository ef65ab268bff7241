// TSkinAlphaImageList: items, generation at a scale, scaled bitmaps.
#include "skin/controls/skAlphaImageList.h"

#include <algorithm>
#include <cstring>

#include "framework/Handles.h"
#include "skin/engine/image/SkinAlphaDraw.h"
#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/image/skPNG.h"

namespace ad::skin::controls {

namespace {

std::vector<TSkinAlphaImageList*>& AllLists() {
    static std::vector<TSkinAlphaImageList*> lists;
    return lists;
}

constexpr int kResampleFilter = 6;  // Mitchell

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
    if (!LoadPngToBitmap(out, item.ImgData.data(), item.ImgData.size())) return false;
    FixEmptyAlpha(out);
    return true;
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
    try {
        if (!Handle()) return false;
        TItem item;
        item.ImgData = bytes;
        TBitmap32 image;
        if (!Decode(item, image)) return false;
        item.OrigWidth = image.Width();
        item.OrigHeight = image.Height();
        if (!AppendToSystemList(image)) return false;
        items_.push_back(std::move(item));
        Change();
        return true;
    } catch (...) {
        return false;
    }
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
