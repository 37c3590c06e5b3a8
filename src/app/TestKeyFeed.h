#pragma once

#include <QByteArray>

class QuilletAppDelegate;
class QSocketNotifier;

// Built into the app for the tests only, and switched on by QUILLET_TEST_KEY_FEED=1: each line
// read from standard input is one key typed on the keyboard into the calculator window ("7",
// "+", "Esc", "Return": a character, or a key name as QKeySequence reads it). Standard output
// tells the test driver what happened, one line each, as it happens: "ready" once keys are
// taken, "key N" once the N-th key has been handled (what it completed has been saved), and
// "saving" / "saved" around each save of an idle calculation.
class TestKeyFeed {
public:
    static bool isRequested();
    explicit TestKeyFeed(QuilletAppDelegate& delegate);
    ~TestKeyFeed();
    TestKeyFeed(const TestKeyFeed&) = delete;
    TestKeyFeed& operator=(const TestKeyFeed&) = delete;

private:
    void readKeys();
    void typeKey(const QByteArray& name);

    QuilletAppDelegate& delegate_;
    QSocketNotifier* notifier_ = nullptr;
    QByteArray pending_;
    int keysTyped_ = 0;
};
