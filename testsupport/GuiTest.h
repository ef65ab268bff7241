// Helpers for tests that drive real windows with messages.
#pragma once

#include <windows.h>

#include <functional>

namespace ad::test {

// Processes messages until pred() is true or the time runs out; returns pred().
bool PumpUntil(const std::function<bool()>& pred, unsigned timeoutMs = 5000);
// Processes whatever is queued now.
void PumpPending();
// Posts WM_KEYDOWN (and WM_KEYUP) for a virtual key to a window; the
// application's message loop (ProcessMessages or a modal loop) handles it as it
// would a real key press.
void PostKey(HWND wnd, WORD vk);
// Sends a left click at client point (x, y).
void SendClick(HWND wnd, int x, int y);

}  // namespace ad::test
