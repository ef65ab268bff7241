// The painter's loop against a clock of its own: delays and speed, loop
// counts, empty frames, events, stopping and errors.
#include "gif/GIFPainter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace ad::gif {
namespace {

// Time passes only in waits; every painted frame is recorded with its time.
class FakeHost : public TGIFPainterHost {
public:
    int64_t Now() override { return time; }
    bool WaitForWake(int64_t ms) override {
        waits.push_back(ms);
        if (ms < 0) {  // without limit: only Stop ends it
            painter->Stop();
            return true;
        }
        time += ms;
        return false;
    }
    void YieldSlice() override { ++yields; }
    bool SleepAndPump(int ms) override {
        time += ms;
        return !quit;
    }
    void Synchronize(const std::function<void()>& step) override { step(); }
    void PaintFrame(TGIFPainter& p, TGIFSubImage&, bool) override {
        painted.push_back({p.ActiveFrame, time});
        if (throwOnPaint) throw GIFException("broken");
        if (int(painted.size()) >= stopAfter) p.Stop();
    }

    struct Shown {
        int Frame;
        int64_t At;
        bool operator==(const Shown&) const = default;
    };
    TGIFPainter* painter = nullptr;
    int64_t time = 1000;
    std::vector<int64_t> waits;
    std::vector<Shown> painted;
    int yields = 0;
    int stopAfter = 1000;
    bool quit = false;
    bool throwOnPaint = false;
};

TGIFSubImage* AddFrame(TGifPicture& pic, int delay, bool withGce = true) {
    auto* f = new TGIFSubImage(&pic);
    pic.Add(f);
    f->SetBounds(0, 0, 1, 1);
    if (withGce) {
        auto* gce = new TGIFGraphicControlExtension(f);
        f->Extensions.Add(gce);
        gce->Delay = uint16_t(delay);
    }
    return f;
}

void AddLoop(TGIFSubImage* f, int count) {
    auto* loop = new TGIFAppExtNSLoop(f);
    loop->LoopCount = uint16_t(count);
    f->Extensions.Insert(0, loop);
}

std::vector<FakeHost::Shown> Paint(TGifPicture& pic, TGIFDrawFlags flags, FakeHost& host) {
    TGIFPainter painter(&pic, flags, host);
    host.painter = &painter;
    painter.Execute();
    return host.painted;
}

constexpr TGIFDrawFlags Sync = gdAnimate | gdLoop;
constexpr TGIFDrawFlags Async = gdAsync | gdAnimate | gdLoop;

TEST(GIFPainter, DelaysInUnitsOf12Ms) {
    struct Case {
        int Delay;
        bool Gce;
        TGIFDrawFlags Flags;
        int Speed;
        int64_t Gap;
    };
    for (Case c : {Case{1, true, Async, 100, 36}, Case{0, false, Async, 100, 120}, Case{0, true, Async, 100, 120},
                   Case{5000, true, Async, 100, 60000}, Case{5000, true, Sync, 100, 12000},
                   Case{10, true, Async, 200, 60}, Case{10, true, Async, 50, 240}, Case{7, true, Sync, 100, 84}}) {
        TGifPicture pic;
        pic.SpeedPercent = c.Speed;
        AddFrame(pic, c.Delay, c.Gce);
        AddFrame(pic, c.Delay, c.Gce);
        FakeHost host;
        host.stopAfter = 2;
        auto shown = Paint(pic, c.Flags, host);
        ASSERT_EQ(shown.size(), 2u);
        EXPECT_EQ(shown[1].At - shown[0].At, c.Gap) << c.Delay << " " << c.Speed << " " << (c.Flags & gdAsync);
    }
}

TEST(GIFPainter, FramesKeepToTheirScheduleWhateverDrawingCosts) {
    // Drawing a frame takes PaintMs of the host's clock, and the first wait
    // wakes LateMs after its time. Gaps: between the frames shown.
    struct Host : FakeHost {
        int64_t PaintMs = 0, LateMs = 0;
        bool WaitForWake(int64_t ms) override {
            bool woken = FakeHost::WaitForWake(ms);
            if (waits.size() == 1) time += LateMs;
            return woken;
        }
        void PaintFrame(TGIFPainter& p, TGIFSubImage& f, bool c) override {
            FakeHost::PaintFrame(p, f, c);
            time += PaintMs;
        }
    };
    struct Case {
        const char* Name;
        TGIFDrawFlags Flags;
        int Speed;
        int64_t PaintMs, LateMs;
        std::vector<int64_t> Gaps;
    };
    for (const Case& c : {
             Case{"free drawing", Async, 100, 0, 0, {120, 120, 120, 120}},
             Case{"drawing takes 7 ms", Async, 100, 7, 0, {120, 120, 120, 120}},
             Case{"synchronous, drawing takes 7 ms", Sync, 100, 7, 0, {120, 120, 120, 120}},
             // Late by less than a delay: made up in full by the next wait.
             Case{"woken 50 ms late", Async, 100, 0, 50, {170, 70, 120, 120}},
             // Later than a whole delay: the next frames do not rush to catch up.
             Case{"woken 500 ms late", Async, 100, 0, 500, {620, 120, 120, 120}},
             // 171.43 ms a frame: the rounding does not add up.
             Case{"speed 70", Async, 70, 3, 0, {171, 172, 171, 172}},
         }) {
        TGifPicture pic;
        pic.SpeedPercent = c.Speed;
        for (int i = 0; i < 5; ++i) AddFrame(pic, 10);
        Host host;
        host.PaintMs = c.PaintMs;
        host.LateMs = c.LateMs;
        host.stopAfter = 5;
        auto shown = Paint(pic, c.Flags, host);
        ASSERT_EQ(shown.size(), 5u) << c.Name;
        std::vector<int64_t> gaps;
        for (size_t i = 1; i < shown.size(); ++i) gaps.push_back(shown[i].At - shown[i - 1].At);
        EXPECT_EQ(gaps, c.Gaps) << c.Name;
    }
}

TEST(GIFPainter, LoopCounts) {
    struct Case {
        int Count;  // -1: no loop extension
        TGIFDrawFlags Flags;
        int Passes;  // 0: until stopped
    };
    for (Case c : {Case{3, Async, 3}, Case{3, Sync, 3}, Case{0, Async, 0}, Case{0, Sync, 1},
                   Case{2, Async | gdLoopForever, 0}, Case{2, Sync | gdLoopForever, 0}, Case{-1, Async, 1},
                   Case{5, gdAsync | gdAnimate, 1}}) {
        TGifPicture pic;
        TGIFSubImage* first = AddFrame(pic, 5);
        AddFrame(pic, 5);
        if (c.Count >= 0) AddLoop(first, c.Count);
        FakeHost host;
        host.stopAfter = 20;
        auto shown = Paint(pic, c.Flags, host);
        EXPECT_EQ(int(shown.size()), c.Passes == 0 ? 20 : 2 * c.Passes) << c.Count << " " << c.Flags;
    }
}

TEST(GIFPainter, LaterPassesStartAtTheLoopExtensionsFrame) {
    TGifPicture pic;
    for (int i = 0; i < 4; ++i) AddFrame(pic, 5);
    AddLoop(pic.Frames.Frames(2), 2);
    FakeHost host;
    auto shown = Paint(pic, Async, host);
    std::vector<int> frames;
    for (auto& s : shown) frames.push_back(s.Frame);
    EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 3, 2, 3}));
}

TEST(GIFPainter, SpeedZeroWaitsForStopAndNegativeSpeedDoesNotWait) {
    TGifPicture pic;
    for (int i = 0; i < 3; ++i) AddFrame(pic, 5);
    pic.SpeedPercent = 0;
    FakeHost zero;
    auto shown = Paint(pic, Async, zero);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(zero.waits, (std::vector<int64_t>{-1}));

    pic.SpeedPercent = -10;
    FakeHost negative;
    negative.stopAfter = 6;
    shown = Paint(pic, Async | gdLoopForever, negative);
    ASSERT_EQ(shown.size(), 6u);
    EXPECT_EQ(shown.back().At, shown.front().At);
    EXPECT_TRUE(negative.waits.empty());

    // A synchronous painter waits 1000 units instead.
    pic.SpeedPercent = 0;
    FakeHost sync;
    sync.stopAfter = 2;
    shown = Paint(pic, Sync, sync);
    EXPECT_EQ(shown[1].At - shown[0].At, 12000);
}

TEST(GIFPainter, EmptyFramesAreSkippedAndNeverSpin) {
    TGifPicture pic;
    auto* empty = new TGIFSubImage(&pic);  // a comment and nothing else
    pic.Add(empty);
    empty->Extensions.Add(new TGIFCommentExtension(empty));
    FakeHost host;
    auto shown = Paint(pic, Async | gdLoopForever, host);  // returns: nothing to show
    EXPECT_TRUE(shown.empty());

    AddFrame(pic, 5);
    FakeHost more;
    more.stopAfter = 3;
    shown = Paint(pic, Async | gdLoopForever, more);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].Frame, 1);
}

TEST(GIFPainter, EventTraceAndActiveFrameChangedByAfterFrame) {
    TGifPicture pic;
    for (int i = 0; i < 3; ++i) AddFrame(pic, 5);
    AddLoop(pic.Frames.Frames(0), 2);
    std::vector<std::string> trace;
    auto log = [&](const char* what) {
        return [&trace, what](TGIFPainter* p) { trace.push_back(what + std::to_string(p->ActiveFrame)); };
    };
    pic.OnBeginPaint = log("begin");
    pic.OnBeforeFrame = log("before");
    pic.OnLoopPass = log("pass");
    pic.OnFinishPaint = log("finish");
    pic.OnAfterFrame = [&](TGIFPainter* p) {
        trace.push_back("after" + std::to_string(p->ActiveFrame));
        if (p->ActiveFrame == 0) p->ActiveFrame = 2;  // skip frame 1
    };
    FakeHost host;
    Paint(pic, Async, host);
    EXPECT_EQ(trace, (std::vector<std::string>{"begin0", "before0", "after0", "before2", "after2", "pass0",
                                               "before0", "after0", "before2", "after2", "finish-1"}));
}

TEST(GIFPainter, DisposalsBeyondThreeActAsLeaveInPlace) {
    TGifPicture pic;
    for (int method : {2, 3, 6, 0}) AddFrame(pic, 5)->GraphicControlExtension->SetDisposal(method);
    std::vector<int> disposals;
    struct Recorder : FakeHost {
        std::vector<int>* out;
        void PaintFrame(TGIFPainter& p, TGIFSubImage& f, bool c) override {
            out->push_back(p.CurDisposal * 10 + p.PrevDisposal);
            FakeHost::PaintFrame(p, f, c);
        }
    } host;
    host.out = &disposals;
    Paint(pic, gdAsync | gdAnimate, host);
    EXPECT_EQ(disposals, (std::vector<int>{21, 32, 13, 1}));
}

TEST(GIFPainter, ErrorsGoToOnWarningAndQuitEndsASynchronousPainter) {
    TGifPicture pic;
    AddFrame(pic, 5);
    AddFrame(pic, 5);
    std::vector<std::string> warnings;
    pic.OnWarning = [&](TGIFPersistent*, int, const std::string& m) { warnings.push_back(m); };
    FakeHost host;
    host.throwOnPaint = true;
    {
        TGIFPainter painter(&pic, Async, host);
        host.painter = &painter;
        EXPECT_NO_THROW(painter.Execute());
        EXPECT_EQ(painter.ErrorMessage, "broken");
        EXPECT_TRUE(painter.Terminated());
    }  // and the destructor does not throw
    EXPECT_EQ(warnings, (std::vector<std::string>{"broken"}));

    // The application quitting (its quit message) ends a synchronous painter
    // in its first wait, looping for ever or not.
    FakeHost quitting;
    quitting.quit = true;
    auto shown = Paint(pic, Sync | gdLoopForever, quitting);
    EXPECT_TRUE(shown.empty());
}

TEST(GIFPainter, PicturesStopAndDetachTheirPainters) {
    FakeHost host;
    auto pic = std::make_unique<TGifPicture>();
    AddFrame(*pic, 5);
    auto painter = std::make_unique<TGIFPainter>(pic.get(), gdAnimate, host);
    EXPECT_EQ(pic->Painters.size(), 1u);
    pic.reset();  // stops it (a synchronous painter is not waited for) and detaches it
    EXPECT_TRUE(painter->Terminated());
    EXPECT_EQ(painter->Image, nullptr);
}

// A background painter on a thread of its own whose steps run at once on that
// thread; what it touches of a frame is read, so that a frame freed under it
// shows (the sanitizer build reports the use).
class ThreadHost : public TGIFPainterHost {
public:
    int64_t Now() override { return ++clock; }
    bool WaitForWake(int64_t) override {
        std::this_thread::yield();
        return false;
    }
    void YieldSlice() override { std::this_thread::yield(); }
    bool SleepAndPump(int) override { return true; }
    void Synchronize(const std::function<void()>& step) override { step(); }
    void PrepareFrame(TGIFSubImage& frame) override { sum += frame.Data()[0]; }
    void PaintFrame(TGIFPainter&, TGIFSubImage& frame, bool) override {
        sum += frame.Data()[0] + frame.Extensions.Count() + frame.Delay();
        ++painted;
    }
    std::atomic<int64_t> clock{0};
    std::atomic<int> painted{0};
    int sum = 0;
};

TEST(GIFPainter, FramesAddedAndDeletedWhileABackgroundPainterRuns) {
    TGifPicture pic;
    for (int i = 0; i < 3; ++i) AddFrame(pic, 1);
    ThreadHost host;
    TGIFPainter painter(&pic, Async | gdLoopForever, host);
    std::thread thread([&] { painter.Execute(); });
    std::mt19937 rng(3);
    for (int i = 0; i < 1000; ++i) {
        AddFrame(pic, 1 + i % 4);
        int count = pic.Frames.Count();
        if (count > 2) {
            int victim = int(rng() % unsigned(count));
            if (i % 2) delete pic.Frames.Frames(victim);  // takes itself off the list
            else pic.Frames.Delete(victim);
        }
        if (i % 100 == 0) pic.Frames.Frames(0)->SetBounds(0, 0, 1 + i % 3, 1);  // new pixels
    }
    // Let it paint after the last change too.
    for (int before = host.painted; host.painted < before + 5;) std::this_thread::yield();
    painter.Stop();
    thread.join();
    EXPECT_TRUE(painter.ErrorMessage.empty()) << painter.ErrorMessage;
    EXPECT_GE(host.painted.load(), 5);
}

}  // namespace
}  // namespace ad::gif
