// The animation painter: shows a picture's frames in turn with their delays,
// disposal methods and loop count, paced by the picture's speed. The loop
// itself is portable; what it needs of the platform (a 1 ms monotonic clock,
// waiting, running a step in the main thread, drawing a frame) comes through
// TGIFPainterHost, so the Windows half supplies threads and GDI and tests
// supply a clock of their own.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "gif/GifCodec.h"

namespace ad::gif {

class TGIFPainter;
using TGIFPainterEvent = std::function<void(TGIFPainter* sender)>;

// Delays are counted in units of 12 ms (not 10): frames without a delay show
// for 10 units, shorter delays are raised to 3, and a synchronous painter cuts
// longer ones to 1000.
constexpr int GIFDelayUnitMs = 12;
constexpr int GIFDefaultDelay = 10;
constexpr int GIFMinimumDelay = 3;
constexpr int GIFMaximumDelay = 1000;

// The frame's delay in units with the default and the minimum applied (the
// cap of a synchronous painter not).
int GIFShownDelay(const TGIFSubImage& frame);

class TGIFPainterHost {
public:
    virtual ~TGIFPainterHost() = default;
    // Milliseconds of a monotonic clock with a 1 ms step.
    virtual int64_t Now() = 0;
    // A background painter's timed wait on its wake-up event (-1: without
    // limit); true when Stop woke it rather than the time running out.
    virtual bool WaitForWake(int64_t ms) = 0;
    // Gives up the rest of the time slice.
    virtual void YieldSlice() = 0;
    // A synchronous painter's wait: sleeps about ms milliseconds while handling
    // the thread's messages; false when the application is quitting.
    virtual bool SleepAndPump(int ms) = 0;
    // Runs a step in the main thread (a background painter) or at once.
    virtual void Synchronize(const std::function<void()>& step) = 0;
    // Wakes a timed wait (Stop).
    virtual void Wake() {}
    // Makes the frame's bitmap before the wait, so that rendering counts as
    // time already waited.
    virtual void PrepareFrame(TGIFSubImage& /*frame*/) {}
    // Draws the active frame (called in the main thread); clearFirst: clear to
    // the background before it (the first frame of a pass with gdClearOnLoop).
    virtual void PaintFrame(TGIFPainter& painter, TGIFSubImage& frame, bool clearFirst) = 0;
};

class TGIFPainter {
public:
    // Registers with the picture; background: the loop runs on a thread of its
    // own (gdAsync) and draws through Synchronize.
    TGIFPainter(TGifPicture* image, TGIFDrawFlags options, TGIFPainterHost& host);
    // Never throws: an error that ended the loop went to the picture's
    // OnWarning when it happened.
    ~TGIFPainter();
    TGIFPainter(const TGIFPainter&) = delete;
    TGIFPainter& operator=(const TGIFPainter&) = delete;

    // The painting loop; returns when the animation is over or stopped.
    void Execute();
    // Asks the loop to end and cuts a wait short; any thread.
    void Stop();
    bool Terminated() const { return terminated_.load(); }
    bool Background() const { return (DrawOptions & gdAsync) != 0; }
    // Takes the painter off its picture (the picture is going away).
    void Detach();

    // The frame's delay in units as this painter uses it.
    int FrameDelay(const TGIFSubImage& frame) const;

    TGifPicture* Image;
    TGIFDrawFlags DrawOptions;
    int SpeedPercent;
    std::atomic<int> ActiveFrame{-1};
    bool HasPainted = false;
    std::atomic<bool> RestartPending{false};
    int CurDisposal = 1;
    int PrevDisposal = 1;
    // What ended the loop with an error (empty when none).
    std::string ErrorMessage;

    TGIFPainterEvent OnBeginPaint, OnBeforeFrame, OnAfterFrame, OnLoopPass, OnFinishPaint;

private:
    void Fire(const TGIFPainterEvent& event);
    // Starts the frame schedule again: the next frame is due its delay after now.
    void RestartSchedule();
    void WaitBefore(int delay);
    // Paints the active frame in the main thread; false when it has gone.
    bool Paint(bool clearFirst);
    TGIFSubImage* LockedActiveFrame() const;

    TGIFPainterHost& host_;
    std::atomic<bool> terminated_{false};
    // The schedule the frames are held to: each frame is due when the delays
    // before it (in ms at speed 100, added up in scheduledMs_) have passed
    // since scheduleStart_.
    int64_t scheduleStart_ = 0;
    int64_t scheduledMs_ = 0;
};

// What a waiting GUI thread does while painters end: handles the
// synchronisation requests of background painters (the Windows half installs
// it); by default it yields.
extern void (*GIFProcessSynchronize)();

}  // namespace ad::gif
