#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM and SIGINT into an orderly quit of the event loop, so that the application's
// terminate step (saving the engine, closing the store) runs as when the window is closed.
// The signal handler only writes one byte into a socket pair; everything else happens on the
// main thread when the event loop reads it.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested(int signalNumber);

private:
    void readSignal();

    QSocketNotifier* notifier_ = nullptr;
};
