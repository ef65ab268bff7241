// The system's own colours on Windows.
#include <windows.h>

#include "base/Color.h"

namespace ad {

uint32_t PlatformSysColor(int index) { return static_cast<uint32_t>(::GetSysColor(index)); }

}  // namespace ad
