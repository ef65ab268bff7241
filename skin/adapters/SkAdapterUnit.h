// Start-up and shutdown of the window adapters: the system functions they
// use when present (GetScrollBarInfo; the flat scroll-bar pair, stubs under
// some systems), bound at run time once for all users, and released by the
// last user.
#pragma once

#include <windows.h>

namespace ad::skin::adapters {

using GetScrollBarInfoFn = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
using InitializeFlatSBFn = BOOL(WINAPI*)(HWND);
using UninitializeFlatSBFn = HRESULT(WINAPI*)(HWND);

struct TSkAdapterFunctions {
    GetScrollBarInfoFn GetScrollBarInfo = nullptr;  // null when the system lacks it
    InitializeFlatSBFn InitializeFlatSB = nullptr;
    UninitializeFlatSBFn UninitializeFlatSB = nullptr;
};

// The first start-up binds, the last shutdown releases; the calls pair up.
void AdapterUnitStartup();
void AdapterUnitShutdown();
// The bound functions (all null outside start-up and shutdown).
const TSkAdapterFunctions& AdapterFunctions();

// A start-up and its shutdown around a scope.
class TSkAdapterUnitScope {
public:
    TSkAdapterUnitScope() { AdapterUnitStartup(); }
    ~TSkAdapterUnitScope() { AdapterUnitShutdown(); }
    TSkAdapterUnitScope(const TSkAdapterUnitScope&) = delete;
    TSkAdapterUnitScope& operator=(const TSkAdapterUnitScope&) = delete;
};

}  // namespace ad::skin::adapters
