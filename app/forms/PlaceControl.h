// How the launcher's dialogs build their controls: create one owned by the
// form, name it, put it on its parent at its bounds, with its caption.
#pragma once

#include <string>

#include "framework/Controls.h"

namespace ad {

template <class T>
T* PlaceControl(TComponent* owner, TWinControl* parent, const std::string& name, int x, int y, int w, int h,
                const std::string& caption = "") {
    T* c = new T(owner);
    c->Name = name;
    c->SetParent(parent);
    c->SetBounds(x, y, w, h);
    if (!caption.empty()) c->SetCaption(caption);
    return c;
}

}  // namespace ad
