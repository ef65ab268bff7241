// What the program sets up before its main form is created: the skin engine's
// links (its Windows pixel services and the form skinning's window-creation
// hook; the control skinning adds its own here).
#pragma once

namespace ad {

namespace skin {
class TSkinManager;
}

void StartUpProgram();

// The launcher's skin manager switches: no animation, glow or blur effects
// and every animated transition inactive.
void SetLauncherSkinEffects(skin::TSkinManager& manager);

// The launcher's skin manager's class lists: the framework's standard controls
// the launcher places (and its own kinds of them) get the window adapters that
// paint them from the skin.
void SetLauncherClassLists(skin::TSkinManager& manager);

}  // namespace ad
