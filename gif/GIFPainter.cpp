// The animation painter's loop: passes over the frames, waits paced by the
// speed on a schedule that time spent drawing does not push back, loop
// extensions, events, stopping.
#include "gif/GIFPainter.h"

#include <algorithm>
#include <thread>

namespace ad::gif {

static void YieldOnly() { std::this_thread::yield(); }
void (*GIFProcessSynchronize)() = &YieldOnly;

TGIFPainter::TGIFPainter(TGifPicture* image, TGIFDrawFlags options, TGIFPainterHost& host)
    : Image(image), DrawOptions(options), SpeedPercent(image ? image->SpeedPercent : 100), host_(host) {
    if (!Image) return;
    std::lock_guard<std::recursive_mutex> lock(Image->CacheLock);
    Image->Painters.push_back(this);
    OnBeginPaint = Image->OnBeginPaint;
    OnBeforeFrame = Image->OnBeforeFrame;
    OnAfterFrame = Image->OnAfterFrame;
    OnLoopPass = Image->OnLoopPass;
    OnFinishPaint = Image->OnFinishPaint;
}

TGIFPainter::~TGIFPainter() { Detach(); }

void TGIFPainter::Detach() {
    TGifPicture* image = Image;
    if (!image) return;
    std::lock_guard<std::recursive_mutex> lock(image->CacheLock);
    auto& list = image->Painters;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    if (image->MainPainter == this) image->MainPainter = nullptr;
    Image = nullptr;
}

void TGIFPainter::Stop() {
    terminated_ = true;
    if (Background()) host_.Wake();
}

void TGIFPainter::Fire(const TGIFPainterEvent& event) {
    if (!event || Terminated()) return;
    host_.Synchronize([&] { event(this); });
}

int GIFShownDelay(const TGIFSubImage& frame) {
    const int d = frame.Delay();
    return d == 0 ? GIFDefaultDelay : std::max(d, GIFMinimumDelay);
}

int TGIFPainter::FrameDelay(const TGIFSubImage& frame) const {
    const int delay = GIFShownDelay(frame);
    return Background() ? delay : std::min(delay, GIFMaximumDelay);
}

void TGIFPainter::RestartSchedule() {
    scheduleStart_ = host_.Now();
    scheduledMs_ = 0;
}

// Milliseconds at speed 100 scaled by the speed (over 0), rounded to nearest.
static int64_t AtSpeed(int64_t ms, int speedPercent) {
    return (ms * 100 + speedPercent / 2) / speedPercent;
}

// The frames keep to a schedule rather than each waiting its delay after the
// one before: a frame is due when all the delays before it have passed since
// the schedule started, so the time spent drawing, in the main thread's steps
// and in waking late is taken off the next wait and never adds up over the
// frames. A frame shown later than its own delay does not hurry the next ones
// through to catch up: the schedule starts again from it.
void TGIFPainter::WaitBefore(int delay) {
    if (delay < 1) {
        host_.YieldSlice();
        return;
    }
    // The frame's bitmap was made before this (rendering counts as waiting).
    const int64_t now = host_.Now();
    int64_t due = now, d, allowed = 0;
    if (SpeedPercent <= 0) {
        d = Background() ? -1 : int64_t(GIFMaximumDelay) * GIFDelayUnitMs;
    } else {
        const int64_t step = int64_t(delay) * GIFDelayUnitMs;
        allowed = AtSpeed(step, SpeedPercent);
        scheduledMs_ += step;
        due = scheduleStart_ + AtSpeed(scheduledMs_, SpeedPercent);
        if (now - due > allowed) {
            scheduleStart_ = due = now;
            scheduledMs_ = 0;
        }
        d = due - now;
    }
    if (Background()) {
        if ((d > 0 || SpeedPercent == 0) && host_.WaitForWake(d)) {
            // Woken by Stop rather than by the time.
            RestartSchedule();
            return;
        }
    } else {
        d = std::max<int64_t>(d, 1);
        while (d > 0 && !Terminated() && !RestartPending) {
            int64_t before = host_.Now();
            if (!host_.SleepAndPump(int(std::min<int64_t>(d, 100)))) {
                Stop();
                break;
            }
            d -= host_.Now() - before;
        }
    }
    if (SpeedPercent > 0 && host_.Now() - due > allowed) RestartSchedule();
}

// The frame at ActiveFrame, looked up under the picture's lock (which the
// caller holds); none when the index is past the list.
TGIFSubImage* TGIFPainter::LockedActiveFrame() const {
    const int index = ActiveFrame;
    if (!Image || index < 0 || index >= Image->Frames.Count()) return nullptr;
    return Image->Frames.Frames(index);
}

bool TGIFPainter::Paint(bool clearFirst) {
    if (Terminated()) return false;
    bool shown = false;
    host_.Synchronize([&] {
        // In the main thread, which changes the frame list: the frame is found
        // again here, since it may have gone while the painter waited.
        std::lock_guard<std::recursive_mutex> lock(Image->CacheLock);
        TGIFSubImage* frame = LockedActiveFrame();
        if (!frame || frame->Empty()) return;
        host_.PaintFrame(*this, *frame, clearFirst);
        HasPainted = true;
        shown = true;
    });
    return shown;
}

void TGIFPainter::Execute() {
    try {
        RestartPending = true;
        while (RestartPending && !Terminated()) {
            ActiveFrame = 0;
            Fire(OnBeginPaint);
            HasPainted = false;
            RestartPending = false;
            int loopsLeft = 1, firstFrame = 0;
            bool loopSeen = false;
            int pending = Background() ? 0 : 1;
            PrevDisposal = 1;
            RestartSchedule();
            while ((loopsLeft != 0 || (DrawOptions & gdLoopForever)) && !Terminated() && !RestartPending) {
                ActiveFrame = firstFrame;
                if (HasPainted) Fire(OnLoopPass);
                bool shown = false;
                do {
                    // The frame list may change between the steps (frames
                    // added, deleted or replaced in the main thread): it is
                    // only read under the picture's lock, and no frame is
                    // held across a wait or a step in the main thread.
                    {
                        std::lock_guard<std::recursive_mutex> lock(Image->CacheLock);
                        // Empty frames show nothing and are passed over.
                        TGIFSubImage* frame = LockedActiveFrame();
                        while (frame && frame->Empty()) {
                            ++ActiveFrame;
                            frame = LockedActiveFrame();
                        }
                        if (!frame || Terminated() || RestartPending) break;
                        if (pending >= 1) host_.PrepareFrame(*frame);
                    }
                    WaitBefore(pending);
                    if (Terminated()) break;
                    Fire(OnBeforeFrame);
                    if (Terminated()) break;
                    bool frameGone = false;
                    {
                        std::lock_guard<std::recursive_mutex> lock(Image->CacheLock);
                        TGIFSubImage* frame = LockedActiveFrame();
                        frameGone = !frame || frame->Empty();
                        CurDisposal = 1;
                        for (int i = 0; frame && i < frame->Extensions.Count(); ++i) {
                            TGIFExtension* ext = frame->Extensions.Extensions(i);
                            if (auto* loop = dynamic_cast<TGIFAppExtNSLoop*>(ext)) {
                                if (loopSeen) continue;
                                loopSeen = true;
                                bool forever = loop->LoopCount == 0 || (DrawOptions & gdLoopForever);
                                loopsLeft = forever && Background() ? -1 : loop->LoopCount;
                                firstFrame = ActiveFrame;
                            } else if (auto* gce = dynamic_cast<TGIFGraphicControlExtension*>(ext)) {
                                // Methods 4-7 are not defined: they leave the frame in place.
                                CurDisposal = gce->Disposal() > dmPrevious ? dmNoDisposal : gce->Disposal();
                            }
                        }
                        if (frame) pending = FrameDelay(*frame);
                    }
                    // A frame deleted during the wait: the list is looked at again.
                    if (frameGone) continue;
                    shown = Paint((DrawOptions & gdClearOnLoop) && ActiveFrame == 0) || shown;
                    PrevDisposal = CurDisposal;
                    if (Terminated()) break;
                    int remembered = ActiveFrame;
                    Fire(OnAfterFrame);
                    if (Terminated()) break;
                    if (ActiveFrame == remembered) ++ActiveFrame;
                } while (DrawOptions & gdAnimate);
                // A pass that showed nothing ends the painting instead of
                // starting the next pass at once, for ever.
                if (!shown) break;
                if (loopsLeft > 0) --loopsLeft;
                if (!((DrawOptions & gdAnimate) && (DrawOptions & gdLoop))) break;
            }
            if (Terminated()) break;
        }
        ActiveFrame = -1;
        Fire(OnFinishPaint);
    } catch (const Exception& e) {
        terminated_ = true;
        ErrorMessage = e.Message;
        if (Image) Image->ReportWarning(nullptr, 1, e.Message);
    } catch (const std::exception& e) {
        terminated_ = true;
        ErrorMessage = e.what();
        if (Image) Image->ReportWarning(nullptr, 1, e.what());
    }
}

void TGifPicture::StopPainters() {
    for (;;) {
        bool waiting = false;
        {
            std::lock_guard<std::recursive_mutex> lock(CacheLock);
            for (auto it = Painters.rbegin(); it != Painters.rend(); ++it) {
                (*it)->Stop();
                waiting = waiting || (*it)->Background();
            }
        }
        if (!waiting) break;
        GIFProcessSynchronize();
    }
    std::lock_guard<std::recursive_mutex> lock(CacheLock);
    ImageBitmap.reset();
}

void TGifPicture::StopDrawing() {
    for (;;) {
        {
            std::lock_guard<std::recursive_mutex> lock(CacheLock);
            if (!MainPainter) break;
            MainPainter->Stop();
            if (!MainPainter->Background()) break;
        }
        GIFProcessSynchronize();
    }
    std::lock_guard<std::recursive_mutex> lock(CacheLock);
    ImageBitmap.reset();
}

}  // namespace ad::gif
