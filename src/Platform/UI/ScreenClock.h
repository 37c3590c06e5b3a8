#pragma once

#include <QtGlobal>

class OneShotTimer;

// The clock the screens' delays run on: their one-shot timers (holds, the delayed creation of
// pages, refreshes, the flash of a key typed) and the pace of a swipe. In the app it is the
// wall clock. A test can take it over and move it on itself: a hold then takes no time, and the
// same keys see the same delays fall due in the same order on every run.
class ScreenClock {
public:
    // Milliseconds on the clock: since its first use, or since it was taken over.
    static qint64 now();
    static bool isManual();
    // From now on the clock stands still until advance() moves it.
    static void takeOver();
    // Moves the clock on, firing the one-shot timers that fall due on the way, in the order
    // they fall due (those started together, in the order they were started).
    static void advance(qint64 milliseconds);

private:
    friend class OneShotTimer;
    static void schedule(OneShotTimer* timer, qint64 due);
    static void cancel(OneShotTimer* timer);
};
