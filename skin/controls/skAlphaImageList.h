// TSkinAlphaImageList: an image list that keeps its pictures as whole image
// files (PNG, icon or 32-bit bitmap) and builds the system list from them at
// the size its scale asks for, with full per-pixel alpha. Its items can be
// saved to a stream and loaded back, and copied from another such list. It hands out any image as a 32-bit bitmap of any
// size (resampled, the last size cached per image), which glyph painting
// blends into skinned controls. Every alpha image list of the process can be
// reached (ForEachAlphaImageList), so that a new scale reaches them all.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Bitmap32.h"
#include "base/Streams.h"
#include "framework/ListView.h"
#include "skin/engine/win/SkinEngineLinks.h"

namespace ad::skin::controls {

enum class TSkinImageFormat : uint8_t { ifPNG, ifICO, ifBMP32 };

class TSkinAlphaImageList : public TImageList {
public:
    TSkinAlphaImageList(TComponent* AOwner, int width = 16, int height = 16);
    ~TSkinAlphaImageList() override;

    // Takes the bytes as a PNG file; false (nothing added, nothing thrown)
    // when they are not one.
    bool AddImageFromStream(const std::vector<uint8_t>& bytes) noexcept;
    // Takes the bytes as a file of the format (an icon file gives its largest
    // image); false (nothing added, nothing thrown) when they are not one.
    bool AddItem(TSkinImageFormat format, const std::vector<uint8_t>& bytes, const std::string& name = {}) noexcept;
    int ItemCount() const { return int(items_.size()); }
    TSkinImageFormat ItemFormat(int index) const { return items_.at(size_t(index)).ImageFormat; }
    const std::string& ItemName(int index) const { return items_.at(size_t(index)).ImageName; }
    // Empties the items and the system list; the list keeps its handle.
    void Clear() override;
    // Clear, and the list's users hear of it.
    void ClearAll();

    // The items as: their count (4 bytes), then per item its format (1 byte),
    // name and file bytes, each a 4-byte length and the bytes; little-endian.
    void SaveItems(TStream& stream) const;
    // Replaces the items by those of a stream SaveItems wrote and makes the
    // system list again; false, with the list as it was, for a stream that is
    // cut short, holds an unknown format or an image that does not decode.
    bool LoadItems(TStream& stream) noexcept;
    // Takes the other list's items, design size, scale and cache setting.
    void Assign(const TSkinAlphaImageList& source);
    // The size the list was made with, before any scale.
    int DesignWidth() const { return designWidth_; }
    int DesignHeight() const { return designHeight_; }
    // Scale in percent of the design size; the system list is made again.
    int Scale() const { return scale_; }
    void SetScale(int percent);
    bool UseCache() const { return useCache_; }
    void SetUseCache(bool value);  // frees every cached bitmap
    // The image at width x height with its alpha (an image without any alpha
    // is keyed by its bottom-left pixel); null for an index outside the list.
    std::unique_ptr<TBitmap32> GetScaledBitmap(int index, int width, int height);
    // How often images were decoded (a cached size needs none).
    int Decodes() const { return decodes_; }

private:
    struct TItem {
        TSkinImageFormat ImageFormat = TSkinImageFormat::ifPNG;
        std::string ImageName;
        std::vector<uint8_t> ImgData;
        int OrigWidth = 0, OrigHeight = 0;
        std::unique_ptr<TBitmap32> CacheBmp;
    };
    bool Decode(const TItem& item, TBitmap32& out);
    bool AddDecoded(TItem item);
    bool AppendToSystemList(const TBitmap32& image);
    void Generate();

    std::vector<TItem> items_;
    int designWidth_, designHeight_;
    int scale_ = 100;
    bool useCache_ = true;
    int decodes_ = 0;
};

// Calls proc with every alpha image list of the process and value.
void ForEachAlphaImageList(const std::function<void(TSkinAlphaImageList&, int)>& proc, int value);
// The engine's links by which the manager's new scale reaches every list and
// the manager's skin thumbnails are an alpha image list.
void AddImageListLinks(TSkinEngineLinks& links);

// The image of a list's cell drawn into a 32-bit bitmap at (x, y): the strip
// image cut into numGlyphs cells, cell min(cell, numGlyphs - 1), blended by
// its alpha (blend 0..100 fades it, a tone colour tones it).
void DrawListImage(TSkinAlphaImageList& list, const TImageView32& target, int x, int y, bool reflected,
                   int numGlyphs, int cell, uint32_t toneColor, int blend, int index);

}  // namespace ad::skin::controls
