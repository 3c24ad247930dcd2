#include "QtSettingsStore.h"

#include "platform/UserFolders.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryFile>
#include <QThread>
#include <cstdio>

namespace {

// A lock file holds its owner's process id from the moment it is made; one
// that is still empty after this long was left by a save that was killed.
constexpr qint64 leftEmptyLockMs = 2000;
// A save takes milliseconds; one that holds its turn longer is not waited for.
constexpr int saveTurnWaitMs = 5000;

void say(const QString &application, const QString &text)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(application), qPrintable(text));
    std::fflush(stderr);
}

// Why QSettings must not be given path at all: it waits forever to read
// a pipe, and reads a folder as an empty file it cannot replace.
QString notASettingsFile(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("it is a folder");
    if (info.exists() && !info.isFile())
        return QStringLiteral("it is not a plain file");
    return {};
}

std::unique_ptr<QSettings> openSettings(const QString &path)
{
    auto settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    // The default, said here because a save must never leave half a file.
    settings->setAtomicSyncRequired(true);
    // Reads every section now, so that status() tells about all of the file.
    settings->allKeys();
    return settings;
}

// QSettings saves through QSaveFile, which does not notice when the disk
// takes only part of the last bytes of the file: it puts the shortened
// file in place of the old one and reports success. So before a save, as
// many bytes as the file can take must fit beside it. QSettings writes at
// most six bytes for each character it read from the file or is given.
template<typename Changes>
qint64 mostBytesOfSave(const QString &path, const Changes &changes)
{
    // An updated value is a number: its text is short.
    constexpr qsizetype updatedValueChars = 32;
    qint64 bytes = 64 + 6 * QFileInfo(path).size();
    for (auto change = changes.cbegin(); change != changes.cend(); ++change)
        bytes += 6 * (change.key().size() + change->value.size() + updatedValueChars) + 8;
    return bytes;
}

bool roomFor(const QString &path, qint64 bytes, QString &error)
{
    QTemporaryFile scratch(path + QStringLiteral(".XXXXXX"));
    if (!scratch.open()) {
        error = scratch.errorString();
        return false;
    }
    // Each block is flushed at once, so that the disk's refusal shows.
    const QByteArray block(qMin<qint64>(bytes, 64 * 1024), '\n');
    for (qint64 left = bytes; left > 0;) {
        const qint64 written = scratch.write(block.constData(), qMin<qint64>(left, block.size()));
        if (written <= 0 || !scratch.flush()) {
            error = scratch.errorString();
            return false;
        }
        left -= written;
    }
    return true;
}

// QSettings takes a lock file that names no owner for one that is in use
// until it is half a minute old. An empty one that stays empty for a
// moment was left by a killed save and is taken away.
void clearLockLeftEmpty(const QString &lockPath)
{
    for (int waited = 0;; waited += 50) {
        const QFileInfo lock(lockPath);
        if (!lock.isFile() || lock.size() != 0)
            return;
        if (lock.lastModified().msecsTo(QDateTime::currentDateTime()) >= leftEmptyLockMs) {
            QFile::remove(lockPath);
            return;
        }
        if (waited > leftEmptyLockMs)
            return;
        QThread::msleep(50);
    }
}

} // namespace

struct QtSettingsStore::StoredFile
{
    struct Change
    {
        QString value;        // the text to save, or
        Update update;        // what to make of the text there when saving
        QString defaultText;  // what update is given where the key holds nothing
    };

    QString application;
    QString path;
    std::unique_ptr<QSettings> read; // null where the path is no settings file
    QMap<QString, Change> changes;   // "section/key" -> change, saved since the last flush
};

QtSettingsStore::QtSettingsStore() = default;

QtSettingsStore::QtSettingsStore(const QString &fileName)
    : m_fixedFileName(fileName)
{
}

QtSettingsStore::~QtSettingsStore() = default;

QString QtSettingsStore::fileName(const QString &application) const
{
    if (!m_fixedFileName.isEmpty())
        return m_fixedFileName;
    return UserFolders::settingsFile(application);
}

QtSettingsStore::StoredFile &QtSettingsStore::fileOf(const QString &application)
{
    const QString path = fileName(application);
    for (const std::unique_ptr<StoredFile> &file : m_files)
        if (file->path == path)
            return *file;

    StoredFile &file = *m_files.emplace_back(std::make_unique<StoredFile>());
    file.application = application;
    file.path = path;
    const QString cannotRead = QStringLiteral("the settings file %1 could not be read (%2); starting from the defaults.");
    const QString obstacle = notASettingsFile(path);
    if (!obstacle.isEmpty()) {
        say(application, cannotRead.arg(path, obstacle));
        return file;
    }
    // QSettings reads a file it cannot open as an empty one, and says only
    // that it could not; the reason is asked here.
    bool said = false;
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink()) {
        QFile probe(path);
        if (!probe.open(QIODevice::ReadOnly)) {
            say(application, cannotRead.arg(path, probe.errorString()));
            said = true;
        }
    }
    file.read = openSettings(path);
    if (said)
        return file;
    if (file.read->status() == QSettings::AccessError)
        say(application, cannotRead.arg(path, QStringLiteral("it could not be opened")));
    else if (file.read->status() == QSettings::FormatError)
        say(application, QStringLiteral("the settings file %1 holds lines that are not settings; they are skipped.").arg(path));
    return file;
}

QString QtSettingsStore::GetSetting(const QString &application, const QString &section, const QString &key,
                                    const QString &defaultText)
{
    StoredFile &file = fileOf(application);
    const QString name = section + u'/' + key;
    const auto changed = file.changes.constFind(name);
    if (changed != file.changes.cend() && !changed->update)
        return changed->value;
    const QString read = file.read ? storedText(file, *file.read, name, defaultText) : defaultText;
    return changed == file.changes.cend() ? read : changed->update(read);
}

// QSettings reads "1,2" as a list and "@Rect(1 2 3 4)" and the like as
// other types: a list is given back as the text it came from, near enough;
// anything else is not a text the program wrote.
QString QtSettingsStore::storedText(const StoredFile &file, const QSettings &settings, const QString &name,
                                    const QString &defaultText)
{
    if (!settings.contains(name))
        return defaultText;
    const QVariant value = settings.value(name);
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QStringList:
        return value.toStringList().join(u',');
    default:
        say(file.application, QStringLiteral("in the settings file %1, %2 %3; it reads as \"%4\".")
                             .arg(file.path, name,
                                  value.isValid()
                                      ? QStringLiteral("holds a %1 rather than text").arg(QString::fromLatin1(value.typeName()))
                                      : QStringLiteral("holds a value that cannot be read"),
                                  defaultText));
        return defaultText;
    }
}

void QtSettingsStore::SaveSetting(const QString &application, const QString &section, const QString &key,
                                  const QString &value)
{
    fileOf(application).changes.insert(section + u'/' + key, {value, {}, {}});
}

void QtSettingsStore::UpdateSetting(const QString &application, const QString &section, const QString &key,
                                    const QString &defaultText, const Update &update)
{
    fileOf(application).changes.insert(section + u'/' + key, {{}, update, defaultText});
}

bool QtSettingsStore::flush(QString *whyNot)
{
    QStringList reasons;
    for (const std::unique_ptr<StoredFile> &file : m_files) {
        QString why;
        if (!file->changes.isEmpty() && !write(*file, why))
            reasons.append(why);
    }
    if (whyNot)
        *whyNot = reasons.join(QStringLiteral("; "));
    return reasons.isEmpty();
}

// QSettings merges the changes into the file as it is now (another
// instance may have written it since) and puts a new file in its place.
bool QtSettingsStore::write(StoredFile &file, QString &whyNot)
{
    const QString cannot = QStringLiteral("the settings file %1 could not be written: ").arg(file.path);
    const QString lockPath = file.path + QStringLiteral(".lock");
    QString obstacle = notASettingsFile(file.path);
    if (obstacle.isEmpty() && !QDir().mkpath(QFileInfo(file.path).absolutePath()))
        obstacle = QStringLiteral("its folder could not be made");
    // QSettings would wait forever for a lock that cannot be taken away.
    if (obstacle.isEmpty() && !notASettingsFile(lockPath).isEmpty())
        obstacle = QStringLiteral("something that is not a lock file stands at %1").arg(lockPath);
    if (obstacle.isEmpty())
        roomFor(file.path, mostBytesOfSave(file.path, file.changes), obstacle);
    if (!obstacle.isEmpty()) {
        whyNot = cannot + obstacle;
        return false;
    }
    clearLockLeftEmpty(lockPath);
    // QSettings' own lock is held only while it writes; this one spans the
    // read of what is there as well. A lock left by a killed save is stale
    // at once, its process being gone.
    QLockFile turn(file.path + QStringLiteral(".save.lock"));
    turn.setStaleLockTime(leftEmptyLockMs);
    turn.tryLock(saveTurnWaitMs);

    // Once QSettings has found a fault its status stays, and would hide how
    // the save went. A second QSettings on a file that has not changed
    // since starts clean: QSettings keeps what it read of it.
    std::unique_ptr<QSettings> settings = openSettings(file.path);
    if (settings->status() != QSettings::NoError)
        settings = openSettings(file.path);
    const bool readFirst = settings->status() == QSettings::NoError;
    applyChanges(file, *settings);
    settings->sync();
    if (readFirst && settings->status() == QSettings::NoError) {
        file.changes.clear();
        return true;
    }
    const QFileInfo info(file.path);
    if (info.exists() && !info.isReadable())
        whyNot = cannot + QStringLiteral("it may not be read");
    else if (info.exists() && !info.isWritable())
        whyNot = cannot + QStringLiteral("it is read-only");
    else
        whyNot = cannot + (readFirst ? QStringLiteral("it could not be replaced") : QStringLiteral("it could not be read first"));
    return false;
}

void QtSettingsStore::applyChanges(StoredFile &file, QSettings &settings)
{
    for (auto change = file.changes.cbegin(); change != file.changes.cend(); ++change) {
        if (!change->update) {
            settings.setValue(change.key(), change->value);
            continue;
        }
        settings.setValue(change.key(), change->update(storedText(file, settings, change.key(), change->defaultText)));
    }
}
