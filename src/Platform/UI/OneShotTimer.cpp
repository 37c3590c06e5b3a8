#include "Platform/UI/OneShotTimer.h"

#include "Platform/UI/TimeScale.h"

OneShotTimer::OneShotTimer() {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        // The action may start the timer again or destroy its owner: take it out first.
        std::function<void()> action = std::move(action_);
        action_ = nullptr;
        if (action) action();
    });
}

void OneShotTimer::start(double seconds, std::function<void()> action) {
    action_ = std::move(action);
    timer_.start(TimeScale::milliseconds(seconds));
}

void OneShotTimer::stop() {
    timer_.stop();
    action_ = nullptr;
}
