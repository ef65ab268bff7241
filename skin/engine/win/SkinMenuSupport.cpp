// The manager's menu settings.
#include "skin/engine/win/SkinMenuSupport.h"

namespace ad::skin {

void TSkMenuSupport::SetFont(const TFont& font) {
    font_.Assign(font);
    if (!override_) override_ = std::make_unique<TFont>();
    override_->Assign(font);
}

void TSkMenuSupport::SetCustomFont(bool value) {
    if (!value) {
        override_.reset();
        return;
    }
    if (!override_) override_ = std::make_unique<TFont>();
    override_->Assign(font_);
}

}  // namespace ad::skin
