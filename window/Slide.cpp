#include "window/Slide.h"

#include <algorithm>

namespace zentra {

void Slide::Start() {
    stage_.SetControlsEnabled(false);
    if (running_) return;
    running_ = true;
    stage_.StartTimer();
}

void Slide::ToggleAbout() {
    if (!running_) Start();
}

void Slide::SwitchTo(DisplayView next) {
    next_ = next;
    switchPending_ = true;
    Start();
}

void Slide::Tick() {
    if (!running_) return;
    const int x = stage_.ViewLeft(active_);
    const int w = stage_.ViewWidth(active_);
    const bool complete = aboutShown_ ? x >= 0 : x <= -w;
    if (!complete) {
        stage_.SetWindowEnabled(false);
        const int step = stage_.StepPixels();
        stage_.MoveView(active_, aboutShown_ ? std::min(x + step, 0) : x - step);
        return;
    }
    if (switchPending_ && aboutShown_) {
        // A switch arrived while the new view was sliding in: it goes out again first.
        aboutShown_ = false;
        return;
    }
    aboutShown_ = !aboutShown_;
    if (!switchPending_) {
        Finish();
        return;
    }
    switchPending_ = false;
    // The view that leaves waits outside the panel's left edge; the new one comes in from there.
    const DisplayView old = active_;
    active_ = next_;
    if (old != active_) {
        stage_.MoveView(old, -stage_.ViewWidth(old));
        stage_.MoveView(active_, -stage_.ViewWidth(active_));
    }
    stage_.FocusView(active_);
}

void Slide::Finish() {
    running_ = false;
    stage_.StopTimer();
    stage_.SetWindowEnabled(true);
    stage_.SetControlsEnabled(!aboutShown_);
    stage_.SetMenusEnabled(!aboutShown_);
    stage_.SetOkEnabled(aboutShown_);
    if (!aboutShown_) stage_.FocusView(active_);
}

}  // namespace zentra
