// Constants of the skin engine read once from the system: the OS version code,
// the metrics cache and the captions of skinned system menus and dialogs.
#include "skin/engine/win/skConst.h"

#include <cwchar>

#include "framework/Handles.h"
#include "framework/SysUtils.h"

namespace ad::skin {

int OSVersionCodeOf(DWORD major, DWORD minor) {
    if (major == 6 && minor == 2) return 8;
    return static_cast<int>(major);
}

namespace {

// The real version: RtlGetVersion does not depend on the program's manifest.
OSVERSIONINFOW RunningVersion() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    auto rtlGetVersion = ntdll ? reinterpret_cast<RtlGetVersionFn>(
                                     reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetVersion")))
                               : nullptr;
    if (!rtlGetVersion || rtlGetVersion(&info) != 0) {
        info = {};
        info.dwOSVersionInfoSize = sizeof(info);
        ::GetVersionExW(&info);
    }
    return info;
}

}  // namespace

int OSVersionCode() {
    static const int code = [] {
        OSVERSIONINFOW v = RunningVersion();
        return OSVersionCodeOf(v.dwMajorVersion, v.dwMinorVersion);
    }();
    return code;
}

TSkinMetrics& SkinMetrics() {
    static TSkinMetrics metrics = [] {
        TSkinMetrics m;
        m.ScrollArrowWidth = ::GetSystemMetrics(SM_CXHSCROLL);
        m.HalfScrollArrowWidth = m.ScrollArrowWidth / 2;
        m.FrameWidth = ::GetSystemMetrics(SM_CXFRAME);
        m.DlgFrameWidth = ::GetSystemMetrics(SM_CXDLGFRAME);
        m.CaptionHeight = ::GetSystemMetrics(SM_CYCAPTION);
        m.SmallCaptionHeight = ::GetSystemMetrics(SM_CYSMCAPTION);
        return m;
    }();
    return metrics;
}

void SetScrollArrowWidth(int width) {
    SkinMetrics().ScrollArrowWidth = width;
    SkinMetrics().HalfScrollArrowWidth = width / 2;
}

namespace {

using C = TSkinCaptions;
constexpr TCaptionSource kSystemCaptions[] = {
    {L"user32.dll", 800, "", "OK", &C::OK},
    {L"user32.dll", 801, "", "Cancel", &C::Cancel},
    {L"user32.dll", 808, "", "&Help", &C::Help},
    {L"user32.dll", 905, "", "Close", &C::Close},
    {L"colorui.dll", 1810, "", "Add to custom colors set", &C::AddToCustomColors},
    {L"shell32.dll", 4151, "", "Define colors", &C::DefineColors},
    {L"shell32.dll", 31153, ":", "Additional colors :", &C::AdditionalColors},
    {L"shell32.dll", 16514, " - ", "Decimal - ", &C::Decimal},
    {L"shell32.dll", 33015, ":", "Root:", &C::Root},
    {L"shell32.dll", 4151, "", "Create", &C::Create},
    {L"comctl32.dll", 33056, "", "Restore", &C::Restore},
    {L"comctl32.dll", 32768, "", "Size", &C::Size},
    {L"comctl32.dll", 32784, "", "Move", &C::Move},
    {L"comctl32.dll", 32816, "", "Maximize", &C::Maximize},
    {L"comctl32.dll", 32800, "", "Minimize", &C::Minimize},
    {L"comdlg32.dll", 436, "", "File open", &C::FileOpen},
    {L"comdlg32.dll", 439, "", "Select directory", &C::SelectDirectory},
    {L"comdlg32.dll", 1049, ":", "Red :", &C::Red},
    {L"comdlg32.dll", 1042, ":", "Green :", &C::Green},
    {L"comdlg32.dll", 1052, ":", "Blue :", &C::Blue},
    {L"compstui.dll", 64744, "", "Color", &C::Color},
    {L"inetres.dll", 1175, "", "Font", &C::Font},
    {L"inetres.dll", 5273, ":", "Font color:", &C::FontColor},
};

}  // namespace

std::span<const TCaptionSource> SystemCaptionSources() { return kSystemCaptions; }

void ReadCaptions(std::span<const TCaptionSource> sources, TSkinCaptions& captions) {
    for (size_t i = 0; i < sources.size(); ++i) {
        // Each library once: its first row loads it and reads every row of it.
        bool seen = false;
        for (size_t j = 0; j < i && !seen; ++j) seen = std::wcscmp(sources[j].Library, sources[i].Library) == 0;
        if (seen) continue;
        OwnedModule library(::LoadLibraryExW(sources[i].Library, nullptr, LOAD_LIBRARY_AS_DATAFILE));
        for (size_t j = i; j < sources.size(); ++j) {
            const TCaptionSource& s = sources[j];
            if (std::wcscmp(s.Library, sources[i].Library) != 0) continue;
            wchar_t buffer[512];
            int length = library ? ::LoadStringW(library.Get(), s.Id, buffer, static_cast<int>(std::size(buffer))) : 0;
            captions.*s.Field = length > 0 ? Narrow(std::wstring_view(buffer, static_cast<size_t>(length))) + s.Suffix
                                           : std::string(s.Fallback);
        }
    }
}

const TSkinCaptions& SkinCaptions() {
    static const TSkinCaptions captions = [] {
        TSkinCaptions c;
        ReadCaptions(SystemCaptionSources(), c);
        return c;
    }();
    return captions;
}

}  // namespace ad::skin
