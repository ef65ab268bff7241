// Helpers for tests that drive real windows with messages.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

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
// With AD_SCREENSHOT_DIR set, saves what the screen shows of the window as a
// 24-bit BMP file of that name in that folder, for people to look at.
void SaveScreenshot(HWND window, const std::string& name);

}  // namespace ad::test
