// The launcher's main window. For now it is the bare frame: caption, size and
// placement; the catalogue, views and tools are built onto it.
#pragma once

#include "framework/Forms.h"

namespace ad {

class TfrmAppdeck : public TForm {
public:
    explicit TfrmAppdeck(TComponent* AOwner);
};

// The one main window, reached by the secondary windows.
extern TfrmAppdeck* frmAppdeck;

}  // namespace ad
