#pragma once

// What the tests and benchmarks read about a process from /proc, the time
// between two moments, and the program started for a test to end it.

#include <QFile>
#include <QProcess>
#include <QTest>
#include <chrono>
#include <csignal>

// True once process pid has a handler installed for signalNumber.
inline bool catches(qint64 pid, int signalNumber)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signalNumber - 1)) & 1;
    return false;
}

// The resident memory of this process in KiB, or -1 where it cannot be read.
inline qint64 residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}

inline double msBetween(std::chrono::steady_clock::time_point from, std::chrono::steady_clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Starts the program at binary offscreen, its settings under configHome, in
// the language named (the tests' own, English, where none), and waits until
// it catches SIGTERM. False where it gets no further: then the
// test must not signal it, for a process id of 0 would be its own group.
inline bool startProgram(QProcess &program, const QString &binary, const QString &configHome,
                         const QString &language = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!language.isEmpty())
        environment.insert(QStringLiteral("LC_ALL"), language);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.start(binary, QStringList());
    return program.waitForStarted() && QTest::qWaitFor([&] { return catches(program.processId(), SIGTERM); }, 10000);
}
