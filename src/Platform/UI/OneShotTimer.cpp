#include "Platform/UI/OneShotTimer.h"

#include <cmath>

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
    timer_.start(static_cast<int>(std::lround(seconds * 1000.0)));
}

void OneShotTimer::stop() {
    timer_.stop();
    action_ = nullptr;
}
