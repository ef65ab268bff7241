// Finding the application's button on the taskbar: the shell's task toolbar
// lives in another process, so its button records are read through a small
// block of that process's memory, in the record layout of that process's
// bitness. What the search finds is only a target for the minimise
// animation: where the shell differs, nothing is found.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>

#include "base/Geometry.h"

namespace ad::skin::forms {

// The fields of a toolbar button record the search reads.
struct TSkToolbarButton {
    uint8_t State = 0;
    uint8_t Style = 0;
    uint64_t Data = 0;  // dwData: an address in the toolbar's process
};

// The size of a toolbar button record in a 32-bit or a 64-bit process.
constexpr size_t ToolbarButtonSize(bool process32) { return process32 ? 20 : 32; }
// Reads a record of the given layout; false when the buffer is too short.
bool ParseToolbarButton(const uint8_t* record, size_t size, bool process32, TSkToolbarButton& button);
// Hidden buttons, separators and the like are not application buttons.
bool IsApplicationButton(const TSkToolbarButton& button);

// The screen rectangle of appWnd's taskbar button, when the shell shows one.
std::optional<TRect> FindTaskbarButtonRect(HWND appWnd);

}  // namespace ad::skin::forms
