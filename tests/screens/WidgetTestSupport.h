#pragma once

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QString>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <vector>

#include "Platform/UI/Accessibility.h"
#include "Platform/UI/ImageStore.h"
#include "Platform/UI/NavigationController.h"

// Widget tests save what they draw when QUILLET_SNAPSHOT_DIR names a folder, so that a person
// can look at it.
inline void saveSnapshot(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("QUILLET_SNAPSHOT_DIR");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    widget.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// The hands on the screen. Every event goes to the target's window, which finds the widget under
// the point, or the one that took the press, as a finger's would. Points are in the target's
// pixels when the finger comes down; the finger stays put on the screen while the target moves
// under it.
class Finger {
public:
    // Pressed on the point (the target's centre by default), wobbling a little, and lifted.
    static void tap(QWidget* target, QPoint at = QPoint(-1, -1)) {
        at = at.x() < 0 ? target->rect().center() : at;
        drag(target, at, at + QPoint(2, 1), 5, 0);
    }

    // Pressed, moved to another point in even steps with a pause before each, lifted there.
    static void drag(QWidget* target, QPoint from, QPoint to, int steps = 8, int millisecondsPerStep = 15) {
        const QPoint start = inWindow(target, from);
        press(target, from);
        moveInWindow(target, start, start + to - from, steps, millisecondsPerStep);
        QTest::mouseRelease(target->window()->windowHandle(), Qt::LeftButton, {}, start + to - from);
    }

    // Pressed on the target's centre, held there for the given time, lifted.
    static void hold(QWidget* target, int milliseconds) {
        press(target, target->rect().center());
        QTest::qWait(milliseconds);
        release(target, target->rect().center());
    }

    static void press(QWidget* target, QPoint at) {
        QTest::mousePress(target->window()->windowHandle(), Qt::LeftButton, {}, inWindow(target, at));
    }
    static void move(QWidget* target, QPoint from, QPoint to, int steps = 8, int millisecondsPerStep = 15) {
        moveInWindow(target, inWindow(target, from), inWindow(target, to), steps, millisecondsPerStep);
    }
    static void release(QWidget* target, QPoint at) {
        QTest::mouseRelease(target->window()->windowHandle(), Qt::LeftButton, {}, inWindow(target, at));
    }

    // Types into whatever has the keyboard focus in the widget's window.
    static void type(QWidget* anyInWindow, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(anyInWindow->window()->windowHandle(), key, modifiers);
    }
    static void type(QWidget* anyInWindow, const QString& text) {
        for (QChar character : text) QTest::keyClick(anyInWindow->window()->windowHandle(), character.toLatin1());
    }

private:
    static QPoint inWindow(QWidget* target, QPoint at) { return target->mapTo(target->window(), at); }
    static void moveInWindow(QWidget* target, QPoint from, QPoint to, int steps, int millisecondsPerStep) {
        for (int step = 1; step <= steps; ++step) {
            if (millisecondsPerStep > 0) QTest::qWait(millisecondsPerStep);
            QTest::mouseMove(target->window()->windowHandle(), from + (to - from) * step / steps);
        }
    }
};

inline bool settles(NavigationController& stack) {
    return QTest::qWaitFor([&] { return !stack.isTransitioning(); }, 3000);
}

// Every announcement made to a screen reader while it lives.
class Announcements {
public:
    Announcements()
        : previous_(Accessibility::setObserver([this](AccessibilityNotification kind, QWidget* widget) {
              if (kind == AccessibilityNotification::ScreenChanged) screenChanges.push_back(widget);
              if (kind == AccessibilityNotification::LayoutChanged) ++layoutChanges;
          })) {}
    ~Announcements() { Accessibility::setObserver(previous_); }
    Announcements(const Announcements&) = delete;
    Announcements& operator=(const Announcements&) = delete;

    std::vector<QWidget*> screenChanges;
    int layoutChanges = 0;

private:
    Accessibility::Observer previous_;
};

// The alpha of the most opaque pixel of an image, 0 to 255.
inline int largestAlpha(const QImage& image) {
    int alpha = 0;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) alpha = std::max(alpha, qAlpha(argb.pixel(x, y)));
    }
    return alpha;
}

// The opaque pixel of least brightness: the ink of text drawn on a light ground.
inline QColor darkestPixel(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QColor darkest = Qt::white;
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb pixel = argb.pixel(x, y);
            if (qAlpha(pixel) == 255 && qGray(pixel) < qGray(darkest.rgb())) darkest = QColor(pixel);
        }
    }
    return darkest;
}
