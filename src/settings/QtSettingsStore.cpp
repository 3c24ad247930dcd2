#include "QtSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// How long a save waits for another instance that is saving the same file,
// and after how long a lock counts as left behind: a save takes milliseconds,
// and a lock that a killed save left empty names no owner to ask about.
constexpr int lockWaitMs = 3000;
constexpr int staleLockMs = 2000;

struct FileReading
{
    QByteArray bytes;
    QString error; // why the file that is there could not be read
};

// Reads the whole file; a file that is not there reads as empty.
FileReading readWhole(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return {};
    if (info.isDir())
        return {{}, QStringLiteral("it is a folder")};
    if (info.exists() && !info.isFile())
        return {{}, QStringLiteral("it is not a plain file")};
    if (info.size() > QtSettingsStore::largestFile)
        return {{}, QStringLiteral("it is %1 bytes long, far more than settings take").arg(info.size())};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, file.errorString()};
    FileReading reading {file.readAll(), {}};
    if (file.error() != QFileDevice::NoError)
        return {{}, file.errorString()};
    if (reading.bytes.size() > QtSettingsStore::largestFile)
        return {{}, QStringLiteral("it is far longer than settings take")};
    return reading;
}

QString lockFailure(const QLockFile &lock, int error)
{
    if (lock.error() == QLockFile::LockFailedError)
        return QStringLiteral("another program kept it locked");
    return QStringLiteral("no lock file could be made beside it")
        + (error ? QStringLiteral(" (%1)").arg(QString::fromLocal8Bit(std::strerror(error))) : QString());
}

// Writes a new file beside path and puts it in path's place in one step:
// a save that fails or is cut off leaves the old file as it was.
bool replaceFile(const QString &path, const QByteArray &bytes, QString &error)
{
    QSaveFile out(path);
    out.setDirectWriteFallback(false); // never write over the old file in place
    // Unbuffered, so that a write the disk cuts short shows here: a commit
    // of buffered bytes does not notice and would put a cut-off file in place.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error = out.errorString();
        return false;
    }
    errno = 0;
    const qint64 written = out.write(bytes);
    if (written != bytes.size()) {
        const int cause = errno;
        error = written < 0 || cause == 0 ? out.errorString() : QString::fromLocal8Bit(std::strerror(cause));
        out.cancelWriting();
        return false;
    }
    if (!out.commit()) {
        error = out.errorString();
        return false;
    }
    return true;
}

void say(const QString &application, const QString &text)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(application), qPrintable(text));
    std::fflush(stderr);
}

} // namespace

QtSettingsStore::QtSettingsStore(const QString &fileName)
    : m_fixedFileName(fileName)
{
}

QString QtSettingsStore::fileName(const QString &application) const
{
    if (!m_fixedFileName.isEmpty())
        return m_fixedFileName;
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return QStringLiteral("%1/%2/%2.conf").arg(base, application);
}

QtSettingsStore::StoredFile &QtSettingsStore::fileOf(const QString &application)
{
    for (StoredFile &file : m_files)
        if (file.application == application)
            return file;

    StoredFile &file = m_files.emplaceBack();
    file.application = application;
    file.path = fileName(application);
    const FileReading reading = readWhole(file.path);
    if (!reading.error.isEmpty()) {
        say(application, QStringLiteral("the settings file %1 could not be read (%2); starting from the defaults.")
                             .arg(file.path, reading.error));
        return file;
    }
    file.text = SettingsFileText::parse(reading.bytes);
    if (!file.text.problems().isEmpty())
        say(application, QStringLiteral("in the settings file %1, %2: ignored.")
                             .arg(file.path, file.text.problems().join(QStringLiteral("; "))));
    return file;
}

QString QtSettingsStore::GetSetting(const QString &application, const QString &section, const QString &key,
                                    const QString &defaultText)
{
    return fileOf(application).text.value(section, key).value_or(defaultText);
}

void QtSettingsStore::SaveSetting(const QString &application, const QString &section, const QString &key,
                                  const QString &value)
{
    StoredFile &file = fileOf(application);
    if (file.text.set(section, key, value))
        file.changes.append({section, key, value});
    else
        file.unsaveable.append(section + u'/' + key);
}

bool QtSettingsStore::flush(QString *whyNot)
{
    QStringList reasons;
    for (StoredFile &file : m_files) {
        QString why;
        if (!file.changes.isEmpty() && !write(file, why))
            reasons.append(why);
        if (!file.unsaveable.isEmpty())
            reasons.append(QStringLiteral("the values of %1 cannot be kept in a settings file")
                               .arg(file.unsaveable.join(QStringLiteral(", "))));
        file.unsaveable.clear();
    }
    if (whyNot)
        *whyNot = reasons.join(QStringLiteral("; "));
    return reasons.isEmpty();
}

// Merges the changes into the file as it is now (another instance may have
// written it since) and puts the result in its place in one step.
bool QtSettingsStore::write(StoredFile &file, QString &whyNot)
{
    const QString cannot = QStringLiteral("the settings file %1 could not be written: ").arg(file.path);
    if (!QDir().mkpath(QFileInfo(file.path).absolutePath())) {
        whyNot = cannot + QStringLiteral("its folder could not be made");
        return false;
    }
    QLockFile lock(file.path + QStringLiteral(".lock"));
    lock.setStaleLockTime(staleLockMs);
    errno = 0;
    if (!lock.tryLock(lockWaitMs)) {
        whyNot = cannot + lockFailure(lock, errno);
        return false;
    }

    const FileReading now = readWhole(file.path);
    SettingsFileText merged = now.error.isEmpty() ? SettingsFileText::parse(now.bytes) : SettingsFileText();
    for (const Change &change : std::as_const(file.changes))
        merged.set(change.section, change.key, change.value);
    QString error;
    if (!replaceFile(file.path, merged.format(), error)) {
        whyNot = cannot + error;
        return false;
    }
    file.text = merged;
    file.changes.clear();
    return true;
}
