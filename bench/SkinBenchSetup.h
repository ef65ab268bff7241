// What the skin benchmarks start with: the form skinning wired into the
// engine and a manager with the program's built-in skin loaded.
#pragma once

#include <cstdio>
#include <memory>

#include "skin/engine/win/SkinEngineLinks.h"
#include "skin/engine/win/SkinManager.h"
#include "skin/forms/SkinHook.h"

namespace ad::bench {

// The manager, without animations; null (with a line said) when the skin
// did not load. The caller ends with InstallSkinEngineLinks({}).
inline std::unique_ptr<skin::TSkinManager> StartBuiltInSkin() {
    skin::TSkinEngineLinks links;
    links.Pixels = skin::SystemPixelServices();
    skin::forms::AddFormSkinningLinks(links);
    skin::InstallSkinEngineLinks(links);
    auto manager = std::make_unique<skin::TSkinManager>(nullptr);
    manager->Effects.AllowAnimation = false;
    skin::RegisterBuiltInSkin(*manager);
    manager->SetSkinName(skin::kBuiltInSkinName);
    if (!manager->Skin()) {
        std::printf("the built-in skin did not load\n");
        return nullptr;
    }
    return manager;
}

}  // namespace ad::bench
