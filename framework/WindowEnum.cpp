// Window enumeration through the exception barrier.
#include "framework/WindowEnum.h"

#include "framework/ExceptionBarrier.h"

namespace ad {

namespace {

struct TWalk {
    const std::function<bool(HWND)>& Visit;
    bool Failed = false;
};

BOOL CALLBACK VisitWindow(HWND wnd, LPARAM data) {
    auto& walk = *reinterpret_cast<TWalk*>(data);
    bool more = false;
    if (!Guarded([&] { more = walk.Visit(wnd); })) walk.Failed = true;
    return more ? TRUE : FALSE;
}

// Every window a walk visits, in its order.
template <class Walk>
std::vector<HWND> Listed(Walk walk) {
    std::vector<HWND> windows;
    walk(std::function<bool(HWND)>([&](HWND wnd) {
        windows.push_back(wnd);
        return true;
    }));
    return windows;
}

}  // namespace

bool ForEachThreadWindow(DWORD threadId, const std::function<bool(HWND)>& visit) {
    TWalk walk{visit};
    ::EnumThreadWindows(threadId, &VisitWindow, reinterpret_cast<LPARAM>(&walk));
    return !walk.Failed;
}

bool ForEachChildWindow(HWND parent, const std::function<bool(HWND)>& visit) {
    TWalk walk{visit};
    ::EnumChildWindows(parent, &VisitWindow, reinterpret_cast<LPARAM>(&walk));
    return !walk.Failed;
}

std::vector<HWND> ThreadWindows(DWORD threadId) {
    return Listed([threadId](const auto& visit) { return ForEachThreadWindow(threadId, visit); });
}

std::vector<HWND> ChildWindows(HWND parent) {
    return Listed([parent](const auto& visit) { return ForEachChildWindow(parent, visit); });
}

}  // namespace ad
