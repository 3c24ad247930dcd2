#pragma once

#include <QObject>

class QSocketNotifier;

// On Linux, turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the event
// loop, so the program ends through its ordinary close instead of dying
// with its pops unsaved. The handler only writes a byte to a pipe; a second
// signal of the same kind ends the program the default way. On Windows,
// where such requests come to the window as messages, it does nothing.
class ExitSignals : public QObject
{
    Q_OBJECT

public:
    explicit ExitSignals(QObject *parent = nullptr);
    ~ExitSignals() override;

    ExitSignals(const ExitSignals &) = delete;
    ExitSignals &operator=(const ExitSignals &) = delete;

signals:
    void closeRequested(int signalNumber);

private:
    void readPipe();

    QSocketNotifier *m_notifier = nullptr;
};
