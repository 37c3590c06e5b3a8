#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

// Calls a save once things have been idle for a moment after a change. Every change restarts
// the wait, but the wait never runs past a ceiling counted from the first change not yet saved:
// typing without a pause still saves about once per ceiling, so a crash never loses more than
// that. Nothing is saved while nothing has changed.
class IdleSaveTimer : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds defaultIdleDelay{1000};
    static constexpr std::chrono::milliseconds defaultLongestDelay{1000};

    explicit IdleSaveTimer(std::function<void()> save, QObject* parent = nullptr);

    // Applies from the next change on.
    void setDelays(std::chrono::milliseconds idleDelay, std::chrono::milliseconds longestDelay);
    void noteChange();
    // A save made another way has covered every change so far.
    void noteSaved();
    bool hasUnsavedChange() const { return firstUnsavedChange_.isValid(); }

signals:
    void aboutToSave();
    void saved();

private:
    void saveNow();

    std::function<void()> save_;
    std::chrono::milliseconds idleDelay_ = defaultIdleDelay;
    std::chrono::milliseconds longestDelay_ = defaultLongestDelay;
    QTimer timer_;
    QElapsedTimer firstUnsavedChange_;
};
