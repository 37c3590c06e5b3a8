#include "Platform/UI/ScreenClock.h"

#include <QElapsedTimer>
#include <algorithm>
#include <vector>

#include "Platform/UI/OneShotTimer.h"

namespace {

struct Pending {
    OneShotTimer* timer;
    qint64 due;
    quint64 order;
};

struct ManualClock {
    bool isOn = false;
    qint64 now = 0;
    quint64 started = 0;
    std::vector<Pending> pending;
};

ManualClock& manualClock() {
    static ManualClock clock;
    return clock;
}

const QElapsedTimer& wallClock() {
    static const QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return clock;
}

}  // namespace

qint64 ScreenClock::now() { return manualClock().isOn ? manualClock().now : wallClock().elapsed(); }

bool ScreenClock::isManual() { return manualClock().isOn; }

void ScreenClock::takeOver() { manualClock().isOn = true; }

void ScreenClock::advance(qint64 milliseconds) {
    ManualClock& clock = manualClock();
    const qint64 until = clock.now + std::max<qint64>(milliseconds, 0);
    for (;;) {
        const auto next = std::min_element(
            clock.pending.begin(), clock.pending.end(),
            [](const Pending& a, const Pending& b) { return a.due != b.due ? a.due < b.due : a.order < b.order; });
        if (next == clock.pending.end() || next->due > until) break;
        clock.now = next->due;
        OneShotTimer* timer = next->timer;
        clock.pending.erase(next);
        // The action may start timers again, stop others or destroy its owner.
        timer->fire();
    }
    clock.now = until;
}

void ScreenClock::schedule(OneShotTimer* timer, qint64 due) {
    cancel(timer);
    manualClock().pending.push_back({timer, due, manualClock().started++});
}

void ScreenClock::cancel(OneShotTimer* timer) {
    std::erase_if(manualClock().pending, [timer](const Pending& pending) { return pending.timer == timer; });
}
