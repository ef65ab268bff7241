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
// Writes 24-bit BMP data (bottom-up rows, each padded to 4 bytes) as a file.
bool WriteBmpFile(const std::string& path, int width, int height, const void* bits);
// Writes what the screen shows inside a rectangle of screen coordinates as a
// 24-bit BMP file.
bool SaveScreenArea(const RECT& area, const std::string& path);
// Writes what the screen shows of the window's client area, as it is now.
bool SaveClientArea(HWND wnd, const std::string& path);
// With AD_SCREENSHOT_DIR set, repaints the window and saves what the screen
// shows of it (the whole window, or its client area) as a 24-bit BMP file of
// that name in that folder, for people to look at.
void SaveScreenshot(HWND wnd, const std::string& name);
void SaveClientScreenshot(HWND wnd, const std::string& name);

}  // namespace ad::test
