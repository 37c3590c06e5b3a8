#pragma once

#include <QTimer>
#include <functional>

// A one-shot main-loop timer on the screens' clock (ScreenClock): it fires once, later, unless
// stopped first. Starting it again replaces the pending call.
class OneShotTimer {
public:
    OneShotTimer();
    ~OneShotTimer();
    OneShotTimer(const OneShotTimer&) = delete;
    OneShotTimer& operator=(const OneShotTimer&) = delete;

    void start(double seconds, std::function<void()> action);
    void stop();
    bool isActive() const { return timer_.isActive() || isScheduled_; }

private:
    friend class ScreenClock;
    void fire();

    QTimer timer_;
    std::function<void()> action_;
    // Waiting on a clock a test has taken over.
    bool isScheduled_ = false;
};
