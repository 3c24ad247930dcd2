#include "QtSettingsStore.h"

#include "IniText.h"
#include "SettingsKeys.h"
#include "platform/Log.h"
#include "platform/UserFolders.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSettings>
#include <algorithm>
#include <atomic>

namespace {

// A lock names its owner from the moment it is made; one that still names
// none after this long was left by a save that was killed. One whose owner
// has gone is taken away at once.
constexpr int leftEmptyLockMs = 2000;
// A save takes milliseconds; one that holds the lock longer is not waited for.
constexpr int saveTurnWaitMs = 5000;

void say(const QString &text)
{
    qCWarning(lcSettings).noquote() << text;
}

// Why a save failed is told to the user in their language; the lines that
// only go to stderr stay English.
QString translated(const char *text)
{
    return QCoreApplication::translate("QtSettingsStore", text);
}

// Why QSettings must not be given path at all: it waits forever to read
// a pipe, and reads a folder as an empty file it cannot replace. Null where
// nothing stands in the way; in English, to be translated where it is told.
const char *notASettingsFile(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QT_TRANSLATE_NOOP("QtSettingsStore", "it is a folder");
    if (info.exists() && !info.isFile())
        return QT_TRANSLATE_NOOP("QtSettingsStore", "it is not a plain file");
    return nullptr;
}

std::unique_ptr<QSettings> openSettings(const QString &path)
{
    auto settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    // Reads every section now, so that status() tells about all of the file.
    settings->allKeys();
    return settings;
}

// Why the file cannot be read, where it exists and cannot: QSettings reads
// such a file as an empty one and says only that it could not.
QString unreadable(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return {};
    QFile probe(path);
    return probe.open(QIODevice::ReadOnly) ? QString() : probe.errorString();
}

// QLockFile tells only what kind of fault it met; the system's reason is
// asked of a file made and written beside the lock.
QString systemReason(const QString &path)
{
    QFile probe(path + QStringLiteral(".probe"));
    QString reason;
    if (!probe.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return probe.errorString();
    if (probe.write("0", 1) != 1)
        reason = probe.errorString();
    probe.remove();
    return reason;
}

QString lockFailure(const QLockFile &lock, const QString &lockPath)
{
    if (lock.error() == QLockFile::LockFailedError)
        //: %1 is the lock file's path, %2 a number of seconds.
        return QCoreApplication::translate("QtSettingsStore",
                                           "another program has held its lock %1 for over %2 seconds")
            .arg(lockPath, QString::number(saveTurnWaitMs / 1000));
    const QString reason = systemReason(lockPath);
    if (reason.isEmpty())
        return QCoreApplication::translate("QtSettingsStore", "its lock %1 could not be made").arg(lockPath);
    //: %1 is the lock file's path, %2 the system's reason.
    return QCoreApplication::translate("QtSettingsStore", "its lock %1 could not be made: %2").arg(lockPath, reason);
}

// QSettings knows a file it has read by its size and its time to the
// millisecond, and does not read it again while both stay the same: another
// program's save of the same size within that millisecond would go unseen.
// So under the lock the file's time is first moved past every time this
// program can have seen. The new file soon takes its place.
void markChanged(const QString &path)
{
    static std::atomic<qint64> lastMarked = 0;
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadWrite))
        return;
    const qint64 stamp = std::max({QDateTime::currentMSecsSinceEpoch(),
                                   file.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch(),
                                   lastMarked.load()}) + 1;
    lastMarked = stamp;
    file.setFileTime(QDateTime::fromMSecsSinceEpoch(stamp), QFileDevice::FileModificationTime);
}

// A short write says nothing of why; the next one, which writes nothing,
// fails with the system's reason.
bool writeWhole(QSaveFile &file, const QByteArray &bytes)
{
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

} // namespace

QtSettingsStore::QtSettingsStore()
    : m_path(UserFolders::settingsFile(SettingsKeys::application()))
{
}

QtSettingsStore::QtSettingsStore(const QString &fileName)
    : m_path(fileName)
{
}

QtSettingsStore::~QtSettingsStore() = default;

std::unique_ptr<SettingsStore> QtSettingsStore::twin() const
{
    return std::make_unique<QtSettingsStore>(m_path);
}

QSettings *QtSettingsStore::read()
{
    if (m_readTried)
        return m_read.get();
    m_readTried = true;
    const QString cannotRead = QStringLiteral("the settings file %1 could not be read (%2); starting from the defaults.");
    if (const char *obstacle = notASettingsFile(m_path)) {
        say(cannotRead.arg(m_path, QString::fromLatin1(obstacle)));
        return nullptr;
    }
    const QString why = unreadable(m_path);
    m_read = openSettings(m_path);
    if (!why.isEmpty())
        say(cannotRead.arg(m_path, why));
    else if (m_read->status() == QSettings::AccessError)
        say(cannotRead.arg(m_path, QStringLiteral("it could not be opened")));
    else if (m_read->status() == QSettings::FormatError)
        say(QStringLiteral("the settings file %1 holds lines that are not settings; they are skipped.").arg(m_path));
    return m_read.get();
}

QString QtSettingsStore::GetSetting(const QString &, const QString &section, const QString &key,
                                    const QString &defaultText)
{
    const QString name = section + u'/' + key;
    const auto changed = m_changes.constFind(name);
    if (changed != m_changes.cend() && !changed->update)
        return changed->value;
    const QSettings *settings = read();
    const QString stored = settings ? storedText(*settings, name, defaultText) : defaultText;
    return changed == m_changes.cend() ? stored : changed->update(stored);
}

// QSettings reads "1,2" as a list and "@Rect(1 2 3 4)" and the like as
// other types: a list is given back as the text it came from, near enough;
// anything else is not a text the program wrote.
QString QtSettingsStore::storedText(const QSettings &settings, const QString &name, const QString &defaultText) const
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
        say(QStringLiteral("in the settings file %1, %2 %3; it reads as \"%4\".")
                .arg(m_path, name,
                     value.isValid() ? QStringLiteral("holds a %1 rather than text").arg(QString::fromLatin1(value.typeName()))
                                     : QStringLiteral("holds a value that cannot be read"),
                     defaultText));
        return defaultText;
    }
}

void QtSettingsStore::SaveSetting(const QString &, const QString &section, const QString &key, const QString &value)
{
    m_changes.insert(section + u'/' + key, {value, {}, {}});
}

void QtSettingsStore::UpdateSetting(const QString &, const QString &section, const QString &key,
                                    const QString &defaultText, const Update &update)
{
    m_changes.insert(section + u'/' + key, {{}, update, defaultText});
}

bool QtSettingsStore::flush(QString *whyNot)
{
    QString why;
    const bool written = m_changes.isEmpty() || write(why);
    if (whyNot)
        *whyNot = why;
    return written;
}

// The changes are merged into the file as it is now (another program may
// have saved since), and the new file is written whole beside the old one
// before it takes its place: a full disk or a kill leaves the old file.
bool QtSettingsStore::write(QString &whyNot)
{
    const auto cannot = [this](const QString &why) {
        //: %1 is the settings file's path, %2 why, as a clause that starts in lower case.
        return QCoreApplication::translate("QtSettingsStore", "the settings file %1 could not be written: %2")
            .arg(m_path, why);
    };
    const QString lockPath = m_path + QStringLiteral(".lock");
    const QFileInfo info(m_path);
    QString obstacle;
    if (const char *notAFile = notASettingsFile(m_path))
        obstacle = translated(notAFile);
    if (obstacle.isEmpty() && !QDir().mkpath(info.absolutePath()))
        obstacle = translated(QT_TRANSLATE_NOOP("QtSettingsStore", "its folder could not be made"));
    if (obstacle.isEmpty() && notASettingsFile(lockPath))
        obstacle = QCoreApplication::translate("QtSettingsStore", "something that is not a lock file stands at %1")
                       .arg(lockPath);
    if (obstacle.isEmpty() && info.exists() && !unreadable(m_path).isEmpty())
        obstacle = translated(QT_TRANSLATE_NOOP("QtSettingsStore", "it may not be read"));
    // A file marked read-only is kept so, although a new file could take
    // its place.
    constexpr QFileDevice::Permissions anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (obstacle.isEmpty() && info.exists() && !(info.permissions() & anyWrite))
        obstacle = translated(QT_TRANSLATE_NOOP("QtSettingsStore", "it is read-only"));
    if (!obstacle.isEmpty()) {
        whyNot = cannot(obstacle);
        return false;
    }

    QLockFile lock(lockPath);
    lock.setStaleLockTime(leftEmptyLockMs);
    if (!lock.tryLock(saveTurnWaitMs)) {
        whyNot = cannot(lockFailure(lock, lockPath));
        return false;
    }
    markChanged(m_path);
    const std::unique_ptr<QSettings> settings = openSettings(m_path);
    if (settings->status() == QSettings::AccessError) {
        whyNot = cannot(translated(QT_TRANSLATE_NOOP("QtSettingsStore", "it could not be read first")));
        return false;
    }
    QList<IniText::Entry> entries;
    for (const QString &name : settings->allKeys())
        if (!m_changes.contains(name))
            entries.append({name, settings->value(name)});
    for (auto change = m_changes.cbegin(); change != m_changes.cend(); ++change) {
        const QString text = change->update
            ? change->update(storedText(*settings, change.key(), change->defaultText))
            : change->value;
        entries.append({change.key(), text});
    }

    const QByteArray text = IniText::render(entries);
    QSaveFile file(m_path);
    // Unbuffered, so that the disk's refusal of any byte shows at once.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || !writeWhole(file, text) || !file.commit()) {
        whyNot = cannot(file.errorString());
        file.cancelWriting();
        return false;
    }
    m_changes.clear();
    return true;
}
