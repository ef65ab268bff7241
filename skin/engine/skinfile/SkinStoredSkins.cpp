// Stored skins: the items' values and packed-skin bytes, and the collection
// that hands every change to its owner.
#include "skin/engine/skinfile/SkinStoredSkins.h"

#include "base/Exception.h"
#include "base/Files.h"

namespace ad::skin {

void TSkinStoredSkin::Assign(const TSkinStoredSkin& source) {
    if (&source == this) return;
    data_ = source.data_;
    MasterBitmap = source.MasterBitmap;
    Name = source.Name;
    Author = source.Author;
    Version = source.Version;
    BorderColor = source.BorderColor;
    Description = source.Description;
    Shadow1Color = source.Shadow1Color;
    Shadow1Offset = source.Shadow1Offset;
    Shadow1Blur = source.Shadow1Blur;
    Shadow1Transparency = source.Shadow1Transparency;
    Changed();
}

void TSkinStoredSkin::ReadData(const uint8_t* bytes, size_t size) {
    ReadData(size ? std::vector<uint8_t>(bytes, bytes + size) : std::vector<uint8_t>());
}

void TSkinStoredSkin::ReadData(std::vector<uint8_t> bytes) {
    data_ = std::move(bytes);
    Changed();
}

void TSkinStoredSkin::LoadDataFromFile(const std::string& fileName) { ReadData(ReadFileBytes(fileName)); }

void TSkinStoredSkin::SaveDataToFile(const std::string& fileName) const {
    SaveFileAtomically(fileName, data_.data(), data_.size());
}

void TSkinStoredSkin::Changed() {
    if (collection_) collection_->Update(this);
}

TSkinStoredSkin& TSkinStoredSkins::Add() {
    items_.push_back(std::make_unique<TSkinStoredSkin>(this));
    TSkinStoredSkin& item = *items_.back();
    Update(&item);
    return item;
}

TSkinStoredSkin& TSkinStoredSkins::AddFromData(const std::string& name, const uint8_t* bytes, size_t size) {
    auto item = std::make_unique<TSkinStoredSkin>();  // filled before it joins, so one notice
    item->Name = name;
    item->ReadData(bytes, size);
    item->collection_ = this;
    items_.push_back(std::move(item));
    Update(items_.back().get());
    return *items_.back();
}

void TSkinStoredSkins::Delete(int index) {
    Items(index);  // range check
    items_.erase(items_.begin() + index);
    Update(nullptr);
}

void TSkinStoredSkins::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Update(nullptr);
}

TSkinStoredSkin& TSkinStoredSkins::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", index));
    return *items_[size_t(index)];
}

int TSkinStoredSkins::IndexOfName(const std::string& name) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->Name == name) return int(i);
    return -1;
}

void TSkinStoredSkins::Update(TSkinStoredSkin* item) {
    if (OnChange) OnChange(item);
}

}  // namespace ad::skin
