// The program's start-up before its main form.
#include "app/StartUp.h"

#include "skin/engine/win/SkinEngineLinks.h"

namespace ad {

void StartUpProgram() {
    skin::TSkinEngineLinks links;
    links.Pixels = skin::SystemPixelServices();
    skin::InstallSkinEngineLinks(std::move(links));
}

}  // namespace ad
