#pragma once

#include <QString>
#include <QTemporaryDir>

// A private PulseAudio server whose only sink writes into a FIFO, started
// by pulse_test_server.sh; with PLINKETY_TEST_SERVER=pipewire,
// PipeWire's PulseAudio service instead. start() also points this process
// at it (XDG_RUNTIME_DIR, and PULSE_SERVER or the session bus), so sound
// back ends made afterwards play into the FIFO. The server is stopped by
// its pid at stop() or when this object goes, and by the script's watcher
// if the test dies.
class PulseTestServer
{
public:
    PulseTestServer();
    ~PulseTestServer();
    PulseTestServer(const PulseTestServer &) = delete;
    PulseTestServer &operator=(const PulseTestServer &) = delete;

    // False, with the reason in error(), if the server could not be started.
    bool start();
    void stop();
    bool isRunning() const;

    // The process that serves the clients.
    qint64 pid() const { return m_pid; }
    static bool isPipeWire();
    QString fifoPath() const;
    QString runtimeDir() const;
    QString error() const { return m_error; }

private:
    bool runScript(const QStringList &arguments, QString *output);

    QTemporaryDir m_dir;
    qint64 m_pid = 0;
    QString m_error;
};
