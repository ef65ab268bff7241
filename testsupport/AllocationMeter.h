// Test support (portable, header-only): counts the allocations through
// operator new and their bytes while a meter is running, so a test can assert that an
// operation stays within a memory bound. One test file of an executable
// expands AD_DEFINE_ALLOCATION_METER() at namespace scope; it replaces the
// global operator new and delete of that executable with ones that count and
// otherwise pass on to malloc and free.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace ad::test {

struct AllocationCounters {
    std::atomic<bool> Running{false};
    std::atomic<uint64_t> Bytes{0};
    std::atomic<uint64_t> Count{0};
};

AllocationCounters& Allocations();

// Counts what is allocated from construction to Bytes() and Count(); one at a
// time.
class AllocationMeter {
public:
    AllocationMeter() {
        Allocations().Bytes = 0;
        Allocations().Count = 0;
        Allocations().Running = true;
    }
    ~AllocationMeter() { Allocations().Running = false; }
    AllocationMeter(const AllocationMeter&) = delete;
    AllocationMeter& operator=(const AllocationMeter&) = delete;
    uint64_t Bytes() const { return Allocations().Bytes.load(); }
    uint64_t Count() const { return Allocations().Count.load(); }
};

inline void* CountedAllocate(std::size_t size) {
    AllocationCounters& c = Allocations();
    if (c.Running.load(std::memory_order_relaxed)) {
        c.Bytes += size;
        ++c.Count;
    }
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

}  // namespace ad::test

#define AD_DEFINE_ALLOCATION_METER()                                                                      \
    ad::test::AllocationCounters& ad::test::Allocations() {                                               \
        static AllocationCounters counters;                                                               \
        return counters;                                                                                  \
    }                                                                                                     \
    void* operator new(std::size_t size) { return ad::test::CountedAllocate(size); }                      \
    void* operator new[](std::size_t size) { return ad::test::CountedAllocate(size); }                    \
    void* operator new(std::size_t size, const std::nothrow_t&) noexcept {                                \
        try {                                                                                             \
            return ad::test::CountedAllocate(size);                                                       \
        } catch (...) {                                                                                   \
            return nullptr;                                                                               \
        }                                                                                                 \
    }                                                                                                     \
    void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); } \
    void operator delete(void* p) noexcept { std::free(p); }                                              \
    void operator delete[](void* p) noexcept { std::free(p); }                                            \
    void operator delete(void* p, std::size_t) noexcept { std::free(p); }                                 \
    void operator delete[](void* p, std::size_t) noexcept { std::free(p); }                               \
    void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }                       \
    void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
