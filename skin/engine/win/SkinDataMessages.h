// How a skinned control's skin data answers messages: the common window
// messages that change what the control looks like (moves, sizes, focus,
// hover, visibility) and the commands of the private skin message that every
// skinned control answers alike; the background section query, the outer
// shadow painted into the parent and the hover glow.
#pragma once

#include "skin/engine/win/SkinCommonData.h"

namespace ad::skin {

// True: the message is fully handled and the owner must not pass it on.
// A null data object gives false.
bool HandleCommonWindowMessage(TMessage& m, TSkinCommonData* data);
// A null data object or another message gives true; false after
// SKC_SKINREMOVED was applied and for commands not handled here.
bool HandleSkinCommand(TMessage& m, TSkinCommonData* data);

// The section a child paints its state on over control (its own index when
// that state of it is opaque enough).
int ParentSectionForState(TWinControl* control, int sectionIndex, TSkinManager* manager, int state);
LRESULT ForwardSectionQuery(TWinControl* control, TSkSectionQuery& query);
LRESULT AskWindowSection(HWND window, TSkSectionQuery& query);
// True when a child painting state over the section sees what lies under it.
bool SectionSeeThroughAt(TSkinManager* manager, int sectionIndex, int state, TWinControl* control);

void PaintOuterEffect(TSkinCommonData* data, TSkParentBgRequest& request, unsigned lowWord);
void ShowHoverGlow(TSkinCommonData* data, bool hideIfShown, HWND window, int sectionIndex, bool animate, int alpha);

// SKC_ENDUPDATEREDRAW to every child control that is showing (not while an
// animation runs).
void RepaintChildControls(TWinControl* control);

}  // namespace ad::skin
