// One read, many digests. The calling thread reads the file into a ring of
// blocks; worker threads take (digest, block) steps: a digest is fed its blocks
// in order by whichever worker is free, the one furthest behind first, so the
// work balances itself whatever the digests cost on this processor. A block's
// slot is read into again once every digest has passed it.
#include "hash/FileDigestPass.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

#include "hash/CRC32.h"
#include "hash/FileSource.h"

namespace ad::digest {

namespace {

// Few large blocks: every step of a digest costs a lock and maybe a wake-up,
// and under Wine those are round trips to the server.
constexpr size_t kBlockSize = kPassBlockSize;
constexpr size_t kSlots = 4;
constexpr size_t kNone = static_cast<size_t>(-1);

// One computation fed by the pass: a digest, or CRC-32 when it has none.
struct Sink {
    std::unique_ptr<Digest> digest;
    uint32_t crc = 0;

    void Update(const uint8_t* p, size_t n) {
        if (digest) digest->Update(p, n);
        else crc = Crc32Update(crc, p, n);
    }
};

// The kind whose computation gives a requested kind: the shorter Tiger
// widths are the start of the full Tiger text.
DigestKind ComputedKind(DigestKind kind) {
    return kind == DigestKind::Tiger128 || kind == DigestKind::Tiger160 ? DigestKind::Tiger192 : kind;
}

size_t TextLength(DigestKind kind) {
    switch (kind) {
        case DigestKind::Tiger128: return 32;
        case DigestKind::Tiger160: return 40;
        default: return std::string::npos;
    }
}

enum class PassEnd { Done, Stopped, ReadFailed };

struct Slot {
    std::unique_ptr<uint8_t[]> data{new uint8_t[kBlockSize]};
    size_t size = 0;
    size_t pending = 0;  // digests that have not passed this block yet
};

class ParallelPass {
public:
    ParallelPass(std::vector<Sink>& sinks, unsigned workers)
        : sinks_(sinks), next_(sinks.size(), 0), busy_(sinks.size(), false) {
        threads_.reserve(workers);
        try {
            for (unsigned i = 0; i < workers; ++i) threads_.emplace_back([this] { Work(); });
        } catch (...) {
            Abort();  // the threads already started must not outlive the pass
            throw;
        }
    }
    ~ParallelPass() { Abort(); }
    ParallelPass(const ParallelPass&) = delete;
    ParallelPass& operator=(const ParallelPass&) = delete;

    // The slot for the next block, once every digest has passed its last use;
    // null when the pass was aborted meanwhile.
    Slot* FreeSlot() {
        Slot& slot = slots_[published_ % kSlots];
        std::unique_lock lock(m_);
        freed_.wait(lock, [&] { return slot.pending == 0 || aborted_; });
        return aborted_ ? nullptr : &slot;
    }

    // Hands the block just read into FreeSlot() to the digests; last: no more follow.
    void Publish(size_t size, bool last) {
        std::lock_guard lock(m_);
        if (size != 0) {
            Slot& slot = slots_[published_ % kSlots];
            slot.size = size;
            slot.pending = sinks_.size();
            ++published_;
        }
        ended_ = ended_ || last;
        ready_.notify_all();
    }

    // Waits until every digest has taken every block; raises what a worker raised.
    void Finish() {
        for (std::thread& t : threads_) t.join();
        threads_.clear();
        if (failure_) std::rethrow_exception(failure_);
    }

    // Stops the workers after their current step and waits for them.
    void Abort() {
        {
            std::lock_guard lock(m_);
            aborted_ = true;
            ready_.notify_all();
            freed_.notify_all();
        }
        for (std::thread& t : threads_) t.join();
        threads_.clear();
    }

private:
    // An idle digest with a block waiting, the furthest behind first (the one
    // this worker fed last on a tie); kNone when there is none.
    size_t Pick(size_t last) const {
        size_t pick = kNone;
        for (size_t s = 0; s < sinks_.size(); ++s) {
            if (busy_[s] || next_[s] >= published_) continue;
            if (pick == kNone || next_[s] < next_[pick] || (next_[s] == next_[pick] && s == last)) pick = s;
        }
        return pick;
    }

    bool AllFed() const {
        return ended_ && std::all_of(next_.begin(), next_.end(), [&](size_t n) { return n == published_; });
    }

    void Work() {
        std::unique_lock lock(m_);
        size_t last = kNone;
        while (!aborted_) {
            const size_t s = Pick(last);
            if (s == kNone) {
                if (AllFed()) {
                    ready_.notify_all();  // the others leave too
                    return;
                }
                ++waiting_;
                ready_.wait(lock);
                --waiting_;
                continue;
            }
            busy_[s] = true;
            // More steps are ready than this worker takes: wake one helper, who
            // wakes the next in turn while work remains.
            if (waiting_ != 0 && Pick(s) != kNone) ready_.notify_one();
            Slot& slot = slots_[next_[s] % kSlots];
            lock.unlock();
            try {
                sinks_[s].Update(slot.data.get(), slot.size);
            } catch (...) {
                lock.lock();
                failure_ = std::current_exception();
                aborted_ = true;
                ready_.notify_all();
                freed_.notify_all();
                return;
            }
            lock.lock();
            busy_[s] = false;
            ++next_[s];
            last = s;
            if (--slot.pending == 0) freed_.notify_one();
        }
    }

    std::vector<Sink>& sinks_;
    std::array<Slot, kSlots> slots_;
    std::mutex m_;
    std::condition_variable ready_;  // a block was published, a digest became idle, or the end
    std::condition_variable freed_;  // a slot was passed by every digest
    std::vector<size_t> next_;       // per digest: the index of its next block
    std::vector<bool> busy_;
    size_t published_ = 0;  // blocks read so far
    size_t waiting_ = 0;
    bool ended_ = false;
    bool aborted_ = false;
    std::exception_ptr failure_;
    std::vector<std::thread> threads_;
};

PassEnd ReadInto(BlockFile& file, Slot& slot, bool& last) {
    slot.size = file.Read(slot.data.get(), kBlockSize);
    last = slot.size < kBlockSize;
    return last && file.Failed() ? PassEnd::ReadFailed : PassEnd::Done;
}

PassEnd FeedAll(BlockFile& file, std::vector<Sink>& sinks, const std::function<bool()>& stop, unsigned workers) {
    // A file of one block is done here; threads pay off from the second.
    Slot first;
    bool last = false;
    if (ReadInto(file, first, last) == PassEnd::ReadFailed) return PassEnd::ReadFailed;
    if (last || workers <= 1) {
        for (;;) {
            for (Sink& sink : sinks) sink.Update(first.data.get(), first.size);
            if (last) return PassEnd::Done;
            if (stop && stop()) return PassEnd::Stopped;
            if (ReadInto(file, first, last) == PassEnd::ReadFailed) return PassEnd::ReadFailed;
        }
    }

    ParallelPass pass(sinks, workers);
    Slot* slot = pass.FreeSlot();  // the first slot: nothing was published yet
    std::swap(slot->data, first.data);
    pass.Publish(first.size, false);
    for (;;) {
        if (stop && stop()) {
            pass.Abort();
            return PassEnd::Stopped;
        }
        slot = pass.FreeSlot();
        if (slot == nullptr) break;
        if (ReadInto(file, *slot, last) == PassEnd::ReadFailed) {
            const int readError = errno;
            pass.Abort();
            errno = readError;
            return PassEnd::ReadFailed;
        }
        pass.Publish(slot->size, last);
        if (last) break;
    }
    pass.Finish();
    return PassEnd::Done;
}

}  // namespace

bool DigestFileOnce(const std::string& fileName, const FileDigestRequest& request, FileDigestResult& result,
                    const std::function<bool()>& stop, unsigned threads) {
    result = FileDigestResult{};
    // One sink per computation: CRC-32 first, then each distinct kind.
    std::vector<Sink> sinks;
    std::vector<DigestKind> computed;
    if (request.Crc32) sinks.emplace_back();
    for (DigestKind kind : request.Kinds) {
        const DigestKind c = ComputedKind(kind);
        if (std::find(computed.begin(), computed.end(), c) != computed.end()) continue;
        computed.push_back(c);
        sinks.push_back(Sink{std::make_unique<Digest>(c)});
    }
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    const unsigned workers = static_cast<unsigned>(std::min<size_t>(threads, sinks.size()));

    BlockFile file(fileName);
    if (!file.IsOpen()) RaiseStreamError(StreamResult::OpenFailed, fileName, 0);
    switch (FeedAll(file, sinks, stop, workers)) {
        case PassEnd::Stopped: return false;
        case PassEnd::ReadFailed: RaiseStreamError(StreamResult::ReadFailed, fileName, errno);
        case PassEnd::Done: break;
    }

    const size_t firstDigest = request.Crc32 ? 1 : 0;
    if (request.Crc32) result.Crc32 = sinks[0].crc;
    std::vector<std::string> texts(computed.size());
    for (size_t i = 0; i < computed.size(); ++i) texts[i] = sinks[firstDigest + i].digest->FinalText();
    for (DigestKind kind : request.Kinds) {
        const size_t at = static_cast<size_t>(std::find(computed.begin(), computed.end(), ComputedKind(kind)) -
                                              computed.begin());
        result.Texts.push_back(texts[at].substr(0, TextLength(kind)));
    }
    return true;
}

}  // namespace ad::digest
