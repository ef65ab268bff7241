// Skins stored inside the program: each item keeps a packed skin's bytes
// ("Data", handed in by the caller from a resource or a file and given back
// byte for byte), a master bitmap and the skin's shadow, border and
// description values. The collection tells its owner about every change.
// Portable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/engine/image/SkinBitmaps.h"
#include "skin/engine/image/SkinTypes.h"

namespace ad::skin {

class TSkinStoredSkins;

class TSkinStoredSkin {
public:
    explicit TSkinStoredSkin(TSkinStoredSkins* collection = nullptr) : collection_(collection) {}
    TSkinStoredSkin(const TSkinStoredSkin&) = delete;
    TSkinStoredSkin& operator=(const TSkinStoredSkin&) = delete;

    // Copies Data, MasterBitmap, Name, Author, Version, BorderColor,
    // Description and the four shadow values; the collection hears of it.
    void Assign(const TSkinStoredSkin& source);

    // "Data": the packed skin's bytes, kept exactly as given.
    const std::vector<uint8_t>& Data() const { return data_; }
    void ReadData(const uint8_t* bytes, size_t size);
    void ReadData(std::vector<uint8_t> bytes);
    // The file's whole content becomes Data; EFOpenError when it cannot be
    // opened, EReadError when reading fails.
    void LoadDataFromFile(const std::string& fileName);
    // Replaces the file with Data as it is; EFCreateError when it cannot be written.
    void SaveDataToFile(const std::string& fileName) const;

    // Tells the collection (and so its owner) that this item changed.
    void Changed();
    TSkinStoredSkins* Collection() const { return collection_; }

    std::string Name;
    TBitmap32 MasterBitmap;
    TColor Shadow1Color = 0;
    int Shadow1Offset = 0;
    int Shadow1Blur = -1;
    int Shadow1Transparency = 0;
    TColor BorderColor = 0xFF00FF;  // clFuchsia: no border colour
    double Version = 0;
    std::string Author;
    std::string Description;

private:
    friend class TSkinStoredSkins;
    TSkinStoredSkins* collection_;
    std::vector<uint8_t> data_;
};

class TSkinStoredSkins {
public:
    TSkinStoredSkins() = default;
    TSkinStoredSkins(const TSkinStoredSkins&) = delete;
    TSkinStoredSkins& operator=(const TSkinStoredSkins&) = delete;

    TSkinStoredSkin& Add();
    // A new item named name holding a packed skin's bytes (e.g. an RCDATA
    // resource the caller loaded).
    TSkinStoredSkin& AddFromData(const std::string& name, const uint8_t* bytes, size_t size);
    void Delete(int index);  // EListError for an index out of range
    void Clear();
    int Count() const { return int(items_.size()); }
    TSkinStoredSkin& Items(int index) const;  // EListError for an index out of range
    TSkinStoredSkin& operator[](int index) const { return Items(index); }

    // The first item whose Name equals name exactly (case-sensitive), else -1.
    int IndexOfName(const std::string& name) const;

    // Fired after an item changed, was added or deleted (item null for the whole list).
    std::function<void(TSkinStoredSkin* item)> OnChange;

private:
    friend class TSkinStoredSkin;
    void Update(TSkinStoredSkin* item);
    std::vector<std::unique_ptr<TSkinStoredSkin>> items_;
};

}  // namespace ad::skin
