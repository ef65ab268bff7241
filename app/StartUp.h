// What the program sets up before its main form is created: the skin engine's
// links (today its Windows pixel services; the form and control skinning add
// theirs here).
#pragma once

namespace ad {

void StartUpProgram();

}  // namespace ad
