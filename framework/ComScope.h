// COM for the calling thread for the life of a scope: initialised
// (apartment-threaded) when the scope begins, uninitialised when it ends if
// the initialisation succeeded. Threads that ask the shell anything (icons,
// shortcut targets) hold one for as long as they run.
#pragma once

#include <objbase.h>

namespace ad {

class TComScope {
public:
    TComScope() : initialized_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~TComScope() {
        if (initialized_) ::CoUninitialize();
    }
    TComScope(const TComScope&) = delete;
    TComScope& operator=(const TComScope&) = delete;

    // False when the thread already had COM in another threading model.
    bool Initialized() const { return initialized_; }

private:
    bool initialized_;
};

}  // namespace ad
