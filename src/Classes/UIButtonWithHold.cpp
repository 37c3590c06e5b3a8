#include "Classes/UIButtonWithHold.h"

#include <QMouseEvent>

#include "Platform/Core/Log.h"

UIButtonWithHold::UIButtonWithHold(QWidget* parent) : UIButton(parent) {
    // A hold is reported only while the finger is still on the key.
    connect(this, &UIButton::touchDragExit, this, &UIButtonWithHold::removeButtonTimer);
}

UIButtonWithHold::~UIButtonWithHold() { removeButtonTimer(); }

void UIButtonWithHold::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        UIButton::mousePressEvent(event);
        return;
    }
    Log::line("touchesBegan");
    timerHasFired_ = false;
    buttonTimer_.start(UIButtonWithHoldHoldSeconds, [this] { buttonTimeout(); });
    UIButton::mousePressEvent(event);
}

void UIButtonWithHold::buttonTimeout() {
    removeButtonTimer();
    Log::line("button expiry");
    timerHasFired_ = true;
    if (delegate != nullptr) delegate->buttonWithHoldTimeout(*this);
}

void UIButtonWithHold::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        UIButton::mouseReleaseEvent(event);
        return;
    }
    Log::line("touchesEnded");
    removeButtonTimer();
    if (timerHasFired_) {
        // The hold has been reported: the touch ends as cancelled, without the ordinary press.
        UIButton::cancelTouch();
        UIButton::mouseReleaseEvent(event);
        return;
    }
    UIButton::mouseReleaseEvent(event);
}

void UIButtonWithHold::cancelTouch() {
    removeButtonTimer();
    UIButton::cancelTouch();
}

void UIButtonWithHold::removeButtonTimer() { buttonTimer_.stop(); }
