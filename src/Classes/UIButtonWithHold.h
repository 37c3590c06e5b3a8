#pragma once

#include "Classes/UIButtonWithHoldDelegate.h"
#include "Platform/UI/OneShotTimer.h"
#include "Platform/UI/UIButton.h"

// A key that does something else when held: after half a second it tells its delegate, and the
// ordinary press (touchUpInside, clicked) is then not delivered for that touch.
class UIButtonWithHold : public UIButton {
    Q_OBJECT

public:
    static constexpr double UIButtonWithHoldHoldSeconds = 0.5;

    explicit UIButtonWithHold(QWidget* parent = nullptr);
    ~UIButtonWithHold() override;

    UIButtonWithHoldDelegate* delegate = nullptr;
    bool timerHasFired() const { return timerHasFired_; }
    bool isTimerRunning() const { return buttonTimer_.isActive(); }

    void buttonTimeout();
    void removeButtonTimer();
    void cancelTouch() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    OneShotTimer buttonTimer_;
    bool timerHasFired_ = false;
};
