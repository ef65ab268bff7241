// Walking the top-level windows of a thread or the windows under a window.
// The system's enumeration calls back into us; every callback runs through the
// exception barrier, so what a visitor throws ends the walk instead of
// crossing the system's code.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace ad {

// Calls visit for each top-level window of the thread until it answers false.
// An exception from visit ends the walk and goes to the barrier's sink; the
// answer is then false, else true.
bool ForEachThreadWindow(DWORD threadId, const std::function<bool(HWND)>& visit);
// The same for every window under parent: its children and theirs.
bool ForEachChildWindow(HWND parent, const std::function<bool(HWND)>& visit);

// The windows listed first, for callers whose work may create or destroy windows.
std::vector<HWND> ThreadWindows(DWORD threadId = ::GetCurrentThreadId());
std::vector<HWND> ChildWindows(HWND parent);

}  // namespace ad
