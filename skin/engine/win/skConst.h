// Constants of the skin engine read once from the system: the OS version code,
// a cache of window metrics, and the captions of skinned system menus and
// dialogs, taken from the system's own libraries so they follow its language.
#pragma once

#include <windows.h>

#include <span>
#include <string>

namespace ad::skin {

// The OS major version, except that version 6.2 gives 8.
int OSVersionCodeOf(DWORD major, DWORD minor);
int OSVersionCode();  // of the running system, read once

// System metrics read once at start-up. ScrollArrowWidth is rescaled by the
// skin manager's scaling (SetScrollArrowWidth keeps its half beside it).
struct TSkinMetrics {
    int ScrollArrowWidth = 0;      // SM_CXHSCROLL
    int HalfScrollArrowWidth = 0;  // ScrollArrowWidth / 2
    int FrameWidth = 0;            // SM_CXFRAME
    int DlgFrameWidth = 0;         // SM_CXDLGFRAME
    int CaptionHeight = 0;         // SM_CYCAPTION
    int SmallCaptionHeight = 0;    // SM_CYSMCAPTION
};
TSkinMetrics& SkinMetrics();
void SetScrollArrowWidth(int width);

// Captions of skinned system menus and dialogs.
struct TSkinCaptions {
    // From the system's libraries (with a fallback each).
    std::string OK, Cancel, Help, Close;
    std::string AddToCustomColors, DefineColors, AdditionalColors, Decimal;
    std::string Root, Create;
    std::string Restore, Size, Move, Maximize, Minimize;
    std::string FileOpen, SelectDirectory;
    std::string Red, Green, Blue, Color;
    std::string Font, FontColor;
    // The program's own texts.
    std::string Hex = "Hex - ";
    std::string InvalidDate = "Invalid date";
    std::string AvailableStyles = "Available styles";
    std::string Internal = "(internal)";
    std::string SkinDirectory = "Directory with skins:";
    std::string SelectSkin = "Select skin";
    std::string SkinPreview = "Skin preview";
    std::string FrameAdapterMisplaced = "TSkinFrameAdapter adapter must be placed on the handled frame";
    std::string Calculator = "Calculator";
};

// One caption taken from a library's string table: the string with Suffix
// appended when the library has it, else Fallback (without the suffix).
struct TCaptionSource {
    const wchar_t* Library;
    UINT Id;
    const char* Suffix;
    const char* Fallback;
    std::string TSkinCaptions::*Field;
};

// The table of captions read from the system's libraries.
std::span<const TCaptionSource> SystemCaptionSources();
// Fills the fields of the sources: each library is loaded as a data file once,
// read and freed in turn. A library that cannot be loaded gives the fallbacks.
void ReadCaptions(std::span<const TCaptionSource> sources, TSkinCaptions& captions);
// The captions, read from the system on first use.
const TSkinCaptions& SkinCaptions();

}  // namespace ad::skin
