// The skin benchmarks' manager: the program's built-in skin loaded, no
// animations.
#pragma once

#include <cstdio>
#include <memory>

#include "skin/engine/win/SkinManager.h"

namespace ad::bench {

// Null (and said so) when the built-in skin does not load.
inline std::unique_ptr<skin::TSkinManager> BuiltInSkinManager() {
    auto manager = std::make_unique<skin::TSkinManager>(nullptr);
    manager->Effects.AllowAnimation = false;
    skin::RegisterBuiltInSkin(*manager);
    manager->SetSkinName(skin::kBuiltInSkinName);
    if (manager->Skin()) return manager;
    std::printf("the built-in skin did not load\n");
    return nullptr;
}

}  // namespace ad::bench
