#pragma once

#include <QAnimationDriver>
#include <QApplication>
#include <QKeySequence>
#include <QPointer>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <random>

#include "Platform/UI/ScreenClock.h"

// Hands for a soak of a window: random choices from a seed, and taps, holds, swipes and keys
// as a person makes them, on the screens' clock, which the hands take over and move on
// themselves. A hold or a slide then takes no real time, and a seed plays the same run again.
// The window is drawn only when drawWindow() asks: drawing every press would take most of a
// run under the sanitizers.
class SoakHands {
public:
    // The screens move on by frames of this many milliseconds.
    static constexpr int SoakHandsFrame = 16;

    explicit SoakHands(unsigned long long seed) : random_(seed) {
        ScreenClock::takeOver();
        animations_.install();
    }

    // The window to act on, from now on drawn only when asked.
    void attach(QWidget* window) {
        window_ = window;
        window_->setUpdatesEnabled(false);
    }
    QWidget* window() const { return window_; }

    int roll(int below) { return std::uniform_int_distribution<int>(0, below - 1)(random_); }
    bool chance(double probability) { return std::bernoulli_distribution(probability)(random_); }
    template <typename List>
    auto pick(const List& items) {
        return items.at(static_cast<decltype(items.size())>(roll(static_cast<int>(items.size()))));
    }

    // A finger stays on the glass: points beyond the window's edge land on the edge.
    QPoint onGlass(QPoint point) const {
        const QRect glass = window_->rect().adjusted(0, 0, -1, -1);
        return {std::clamp(point.x(), glass.left(), glass.right()), std::clamp(point.y(), glass.top(), glass.bottom())};
    }
    QPoint inWindow(QWidget* widget, QPoint local) const { return onGlass(widget->mapTo(window_, local)); }
    QPoint somewhereIn(QWidget* widget) {
        const QRect area = widget->rect().adjusted(2, 2, -2, -2);
        if (area.isEmpty()) return widget->rect().center();
        return {area.left() + roll(area.width()), area.top() + roll(area.height())};
    }

    // A press goes to the widget under the finger and the moves and the release follow it, as
    // Qt's own pointer grab sends them. The window's points are kept: a widget under the finger
    // may go away while it is pressed (a sheet fading out); the rest of the touch then goes to
    // the window.
    void press(QPoint at) {
        at = onGlass(at);
        QWidget* under = window_->childAt(at);
        pressed_ = under ? under : window_;
        QTest::mousePress(pressed_, Qt::LeftButton, {}, pressed_->mapFrom(window_, at));
    }
    void moveTo(QPoint at) {
        QWidget* target = pressed_ ? pressed_.data() : window_;
        QTest::mouseMove(target, target->mapFrom(window_, onGlass(at)));
    }
    void release(QPoint at) {
        QWidget* target = pressed_ ? pressed_.data() : window_;
        QTest::mouseRelease(target, Qt::LeftButton, {}, target->mapFrom(window_, onGlass(at)));
        pressed_ = nullptr;
    }
    // Down, a jitter of a pixel or two, up.
    void tap(QWidget* widget, QPoint local) {
        const QPoint at = inWindow(widget, local);
        press(at);
        for (int jitter = roll(3); jitter > 0; --jitter) moveTo(at + QPoint(roll(3) - 1, roll(3) - 1));
        release(at);
    }
    void tap(QWidget* widget) { tap(widget, somewhereIn(widget)); }
    // The window turns a right-click into a context menu event.
    void rightClick(QWidget* widget) {
        QTest::mouseClick(window_->windowHandle(), Qt::RightButton, {}, inWindow(widget, somewhereIn(widget)));
    }
    // Held past the delay of the widget's hold or, now and then, let go just before it.
    void hold(QWidget* widget, double holdSeconds) {
        const QPoint at = inWindow(widget, somewhereIn(widget));
        press(at);
        moveTo(at + QPoint(1, 0));
        if (chance(0.3)) drawWindow();
        const double share = chance(0.2) ? 0.5 : 1.5;
        letTimePass(static_cast<int>(std::lround(holdSeconds * share * 1000)));
        release(at + QPoint(1, 0));
    }
    // Pressed, drawn sideways in several steps, lifted: less than half a page turns nothing.
    void swipe(QWidget* strip) {
        const QPoint start = inWindow(strip, somewhereIn(strip));
        const int travel = (chance(0.5) ? 1 : -1) * (strip->width() / 8 + roll(strip->width()));
        const int steps = 3 + roll(9);
        press(start);
        for (int step = 1; step <= steps; ++step) {
            letTimePass(roll(3) * SoakHandsFrame / 2);
            moveTo(start + QPoint(travel * step / steps, roll(5) - 2));
        }
        release(start + QPoint(travel, 0));
    }
    // Typed ("Ctrl+C") into the window with the keyboard's focus, or into the popup over it.
    void type(const QString& keys) {
        const QKeyCombination combination = QKeySequence(keys)[0];
        QWidget* target = QApplication::activePopupWidget() ? QApplication::activePopupWidget() : window_;
        QTest::keyClick(target->windowHandle(), combination.key(), combination.keyboardModifiers());
    }

    // Time passes on the screens' clock, frame by frame: timers fall due, animations move on.
    void letTimePass(int milliseconds) {
        for (int passed = 0, step = 0; passed < milliseconds; passed += step) {
            // While nothing moves, the timers alone need the clock: it goes on in long strides.
            step = std::min(animations_.isRunning() ? SoakHandsFrame : 10 * SoakHandsFrame, milliseconds - passed);
            ScreenClock::advance(step);
            QCoreApplication::processEvents();
            animations_.advance();
            // What the timers and animations let go is deleted as the app's event loop would.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    void drawWindow() {
        window_->setUpdatesEnabled(true);
        QCoreApplication::processEvents();
        window_->setUpdatesEnabled(false);
    }

private:
    // The animations (slides, fades, a strip settling) run on the screens' clock too.
    class ClockDrivenAnimations : public QAnimationDriver {
    public:
        qint64 elapsed() const override { return ScreenClock::now() - started_; }

    protected:
        void start() override {
            started_ = ScreenClock::now();
            QAnimationDriver::start();
        }

    private:
        qint64 started_ = 0;
    };

    std::mt19937_64 random_;
    QWidget* window_ = nullptr;
    QPointer<QWidget> pressed_;
    ClockDrivenAnimations animations_;
};
