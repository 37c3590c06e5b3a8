#include "app/TestKeyFeed.h"

#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QSocketNotifier>
#include <QTimer>

#include "Classes/IdleSaveTimer.h"
#include "Classes/QuilletAppDelegate.h"
#include "Platform/UI/UIWindow.h"

namespace {

// Straight to the file descriptor, unbuffered, so that a kill never leaves a line unsent.
void report(const QByteArray& line) {
    const QByteArray text = line + '\n';
    for (qsizetype written = 0; written < text.size();) {
        const ssize_t count =
            ::write(STDOUT_FILENO, text.constData() + written, static_cast<size_t>(text.size() - written));
        if (count <= 0) return;
        written += count;
    }
}

}  // namespace

bool TestKeyFeed::isRequested() { return qEnvironmentVariable("QUILLET_TEST_KEY_FEED") == QStringLiteral("1"); }

TestKeyFeed::TestKeyFeed(QuilletAppDelegate& delegate) : delegate_(delegate) {
    IdleSaveTimer& idleSave = delegate_.idleSaveTimer();
    QObject::connect(&idleSave, &IdleSaveTimer::aboutToSave, [] { report("saving"); });
    QObject::connect(&idleSave, &IdleSaveTimer::saved, [] { report("saved"); });
    notifier_ = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read);
    notifier_->setEnabled(false);
    QObject::connect(notifier_, &QSocketNotifier::activated, [this] { readKeys(); });
    // Once the event loop runs, the screen is up and takes keys.
    QTimer::singleShot(0, notifier_, [this] {
        notifier_->setEnabled(true);
        report("ready");
    });
}

TestKeyFeed::~TestKeyFeed() { delete notifier_; }

void TestKeyFeed::readKeys() {
    char buffer[256];
    const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (count <= 0) {
        notifier_->setEnabled(false);
        return;
    }
    pending_.append(buffer, count);
    for (qsizetype end = pending_.indexOf('\n'); end >= 0; end = pending_.indexOf('\n')) {
        const QByteArray name = pending_.left(end);
        pending_.remove(0, end + 1);
        if (!name.isEmpty()) typeKey(name);
    }
}

void TestKeyFeed::typeKey(const QByteArray& name) {
    const QString text = QString::fromUtf8(name);
    const QKeySequence sequence(text);
    const int key = sequence.isEmpty() ? 0 : sequence[0].key();
    const QString typed = text.size() == 1 ? text : QString();
    QWidget* window = delegate_.window();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, typed);
    QApplication::sendEvent(window, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, typed);
    QApplication::sendEvent(window, &release);
    report("key " + QByteArray::number(++keysTyped_));
}
