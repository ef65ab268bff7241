// UpdateScope: one BeginUpdate/EndUpdate bracket of a string list or an INI
// file, ended however the scope is left.
#pragma once

#include <exception>

namespace ad {

template <class T>
concept Updatable = requires(T& t) {
    t.BeginUpdate();
    t.EndUpdate();
};

// Begins an update on construction and ends it on scope exit. Left normally,
// an error of EndUpdate itself (an INI file saves there) goes on to the caller;
// left by an exception, the update still ends and that first exception is the
// one that goes on.
template <Updatable T>
class [[nodiscard]] UpdateScope {
public:
    explicit UpdateScope(T& target) : target_(target), unwinding_(std::uncaught_exceptions()) {
        target_.BeginUpdate();
    }
    ~UpdateScope() noexcept(false) {
        if (std::uncaught_exceptions() == unwinding_) {
            target_.EndUpdate();
            return;
        }
        try {
            target_.EndUpdate();
        } catch (...) {
            // Already leaving with an error: that one is reported.
        }
    }
    UpdateScope(const UpdateScope&) = delete;
    UpdateScope& operator=(const UpdateScope&) = delete;

private:
    T& target_;
    int unwinding_;  // exceptions in flight when the scope began
};

}  // namespace ad
