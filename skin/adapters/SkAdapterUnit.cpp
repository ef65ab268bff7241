// Run-time binding of the adapters' optional system functions.
#include "skin/adapters/SkAdapterUnit.h"

#include "framework/Handles.h"

namespace ad::skin::adapters {

namespace {
struct TUnitState {
    int users = 0;
    OwnedModule user32, comctl32;
    TSkAdapterFunctions functions;
};
TUnitState& State() {
    static TUnitState state;
    return state;
}

template <class Fn>
Fn Lookup(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}
}  // namespace

void AdapterUnitStartup() {
    TUnitState& s = State();
    if (s.users++ > 0) return;
    s.user32.Reset(::LoadLibraryW(L"user32.dll"));
    s.comctl32.Reset(::LoadLibraryW(L"comctl32.dll"));
    s.functions.GetScrollBarInfo = Lookup<GetScrollBarInfoFn>(s.user32.Get(), "GetScrollBarInfo");
    s.functions.InitializeFlatSB = Lookup<InitializeFlatSBFn>(s.comctl32.Get(), "InitializeFlatSB");
    s.functions.UninitializeFlatSB = Lookup<UninitializeFlatSBFn>(s.comctl32.Get(), "UninitializeFlatSB");
}

void AdapterUnitShutdown() {
    TUnitState& s = State();
    if (s.users == 0 || --s.users > 0) return;
    s.functions = {};
    s.comctl32.Reset();
    s.user32.Reset();
}

const TSkAdapterFunctions& AdapterFunctions() { return State().functions; }

}  // namespace ad::skin::adapters
