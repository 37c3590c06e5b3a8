#include "Platform/UI/OneShotTimer.h"

#include <cmath>

#include "Platform/UI/ScreenClock.h"

OneShotTimer::OneShotTimer() {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { fire(); });
}

OneShotTimer::~OneShotTimer() { ScreenClock::cancel(this); }

void OneShotTimer::start(double seconds, std::function<void()> action) {
    action_ = std::move(action);
    const int milliseconds = static_cast<int>(std::lround(seconds * 1000.0));
    if (ScreenClock::isManual()) {
        isScheduled_ = true;
        ScreenClock::schedule(this, ScreenClock::now() + milliseconds);
    } else {
        timer_.start(milliseconds);
    }
}

void OneShotTimer::stop() {
    timer_.stop();
    isScheduled_ = false;
    ScreenClock::cancel(this);
    action_ = nullptr;
}

void OneShotTimer::fire() {
    isScheduled_ = false;
    // The action may start the timer again or destroy its owner: take it out first.
    std::function<void()> action = std::move(action_);
    action_ = nullptr;
    if (action) action();
}
