// The skinned controls the launcher's forms are built from: they paint from
// the program's skin while it is active and look native without it.
#pragma once

#include "skin/controls/skAlphaImageList.h"
#include "skin/controls/skBitBtn.h"
#include "skin/controls/skEdit.h"
#include "skin/controls/skLabel.h"
#include "skin/controls/skPanel.h"
#include "skin/controls/skScrollBar.h"

namespace ad {

using skin::controls::TSkinAlphaImageList;
using skin::controls::TSkinBitBtn;
using skin::controls::TSkinEdit;
using skin::controls::TSkinLabel;
using skin::controls::TSkinLabelFX;
using skin::controls::TSkinPanel;
using skin::controls::TSkinScrollBar;

}  // namespace ad
