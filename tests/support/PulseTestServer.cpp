#include "PulseTestServer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

#include <csignal>

#ifndef PLINKETY_TEST_SERVER_SCRIPT
#error "PLINKETY_TEST_SERVER_SCRIPT must name pulse_test_server.sh"
#endif

PulseTestServer::PulseTestServer()
    : m_dir(QDir::tempPath() + QStringLiteral("/plinkety-pulse-XXXXXX"))
{
}

PulseTestServer::~PulseTestServer()
{
    stop();
    if (m_dir.isValid())
        runScript({QStringLiteral("end"), m_dir.path()}, nullptr);
}

bool PulseTestServer::isPipeWire()
{
    return qgetenv("PLINKETY_TEST_SERVER") == "pipewire";
}

QString PulseTestServer::fifoPath() const
{
    return m_dir.filePath(QStringLiteral("capture.fifo"));
}

QString PulseTestServer::runtimeDir() const
{
    return m_dir.filePath(QStringLiteral("run"));
}

bool PulseTestServer::runScript(const QStringList &arguments, QString *output)
{
    QProcess script;
    script.start(QStringLiteral("bash"),
                 QStringList {QStringLiteral(PLINKETY_TEST_SERVER_SCRIPT)} + arguments);
    if (!script.waitForFinished(40000)) {
        script.kill();
        script.waitForFinished();
        m_error = QStringLiteral("pulse_test_server.sh did not finish");
        return false;
    }
    if (output)
        *output = QString::fromLocal8Bit(script.readAllStandardOutput()).trimmed();
    if (script.exitStatus() != QProcess::NormalExit || script.exitCode() != 0) {
        m_error = QString::fromLocal8Bit(script.readAllStandardError()).trimmed();
        return false;
    }
    return true;
}

bool PulseTestServer::start()
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary directory: ") + m_dir.errorString();
        return false;
    }
    QString pid;
    const QStringList arguments {QStringLiteral("start"), m_dir.path(),
                                 QString::number(QCoreApplication::applicationPid())};
    if (!runScript(arguments, &pid))
        return false;
    m_pid = pid.toLongLong();
    if (m_pid <= 0) {
        m_error = QStringLiteral("no server pid in \"%1\"").arg(pid);
        return false;
    }
    qputenv("XDG_RUNTIME_DIR", runtimeDir().toLocal8Bit());
    if (isPipeWire()) {
        // Found as a desktop's server is: at its usual place, announced on the session bus.
        qunsetenv("PULSE_SERVER");
        qputenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + runtimeDir() + QStringLiteral("/bus")).toLocal8Bit());
    } else {
        qputenv("PULSE_SERVER", ("unix:" + runtimeDir() + QStringLiteral("/pulse/native")).toLocal8Bit());
    }
    return true;
}

bool PulseTestServer::isRunning() const
{
    return m_pid > 0 && ::kill(pid_t(m_pid), 0) == 0;
}

void PulseTestServer::stop()
{
    if (m_pid <= 0)
        return;
    ::kill(pid_t(m_pid), SIGTERM);
    QDeadlineTimer deadline(5000);
    while (isRunning() && !deadline.hasExpired())
        QThread::msleep(20);
    if (isRunning())
        ::kill(pid_t(m_pid), SIGKILL);
    m_pid = 0;
}
