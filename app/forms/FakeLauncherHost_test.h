// A main window stand-in for the tests of secondary windows: records what the
// window asks of its host, and skins the windows with the program's skin.
#pragma once

#include <string>
#include <vector>

#include "app/LauncherHost.h"
#include "app/StartUp.h"
#include "skin/engine/win/SkinManager.h"

namespace ad::test {

class FakeLauncherHost : public ILauncherHost {
public:
    // Its manager wears the program's skin as the main window's does, so the
    // windows under test are skinned.
    explicit FakeLauncherHost(std::string baseFolder) : base_(std::move(baseFolder)) {
        SetLauncherSkinEffects(skin);
        SetLauncherClassLists(skin);
        skin::RegisterBuiltInSkin(skin);
        skin.SetSkinName(skin::kBuiltInSkinName);
    }
    std::string BaseFolder() const override { return base_; }
    std::string SelectedCategory() override { return selected; }
    std::vector<std::string> CategoryNames() override { return categories; }
    void ReloadCategory() override { ++reloads; }
    void RequestReload() override { ++reloadRequests; }
    void SelectCategory() override { ++selectCategoryCalls; }
    void CountAvailability() override {}
    void PerformDD(const std::string& file) override { added.push_back(file); }
    void AddPrograms(const std::vector<std::string>& files) override { added.insert(added.end(), files.begin(), files.end()); }
    void ListAndSelectCategory(const std::string& name) override { selected = name; }
    void MarkCatalogueChanged() override { ++catalogueChanges; }
    skin::TSkinManager& SkinManager() override { return skin; }
    void SetReadOnlyView(bool readOnly) override { readOnlyViews.push_back(readOnly); }

    skin::TSkinManager skin{nullptr};
    std::string selected;
    std::vector<std::string> categories;
    std::vector<std::string> added;
    std::vector<bool> readOnlyViews;
    int reloads = 0;
    int reloadRequests = 0;
    int catalogueChanges = 0;
    int selectCategoryCalls = 0;

private:
    std::string base_;
};

}  // namespace ad::test
