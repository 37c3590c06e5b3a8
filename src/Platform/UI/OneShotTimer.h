#pragma once

#include <QTimer>
#include <functional>

// A one-shot main-loop timer: it fires once, later, unless stopped first. Starting it again
// replaces the pending call.
class OneShotTimer {
public:
    OneShotTimer();
    OneShotTimer(const OneShotTimer&) = delete;
    OneShotTimer& operator=(const OneShotTimer&) = delete;

    void start(double seconds, std::function<void()> action);
    void stop();
    bool isActive() const { return timer_.isActive(); }

private:
    QTimer timer_;
    std::function<void()> action_;
};
