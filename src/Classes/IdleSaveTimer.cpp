#include "Classes/IdleSaveTimer.h"

#include <algorithm>

IdleSaveTimer::IdleSaveTimer(std::function<void()> save, QObject* parent) : QObject(parent), save_(std::move(save)) {
    timer_.setSingleShot(true);
    // Precise: a coarse timer may fire 5% late, past the ceiling.
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &IdleSaveTimer::saveNow);
}

void IdleSaveTimer::setDelays(std::chrono::milliseconds idleDelay, std::chrono::milliseconds longestDelay) {
    idleDelay_ = idleDelay;
    longestDelay_ = longestDelay;
}

void IdleSaveTimer::noteChange() {
    if (!firstUnsavedChange_.isValid()) firstUnsavedChange_.start();
    const std::chrono::milliseconds waited(firstUnsavedChange_.elapsed());
    timer_.start(std::clamp(longestDelay_ - waited, std::chrono::milliseconds(0), idleDelay_));
}

void IdleSaveTimer::noteSaved() {
    timer_.stop();
    firstUnsavedChange_.invalidate();
}

void IdleSaveTimer::saveNow() {
    emit aboutToSave();
    // The changes a save covers are those made before it starts.
    noteSaved();
    save_();
    emit saved();
}
