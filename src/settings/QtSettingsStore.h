#pragma once

#include "SettingsFileText.h"
#include "SettingsStore.h"

#include <QHash>
#include <QList>
#include <QString>

// The per-user store on disk: one settings file per application, where
// QSettings would keep it (~/.config/Plinkety/Plinkety.conf on Linux). The
// file is read once, when its first value is asked for; what it cannot
// read is logged on stderr and the defaults take its place. A flush writes
// a new file beside the old one and puts it in the old one's place in one
// step, so a save that fails or is cut off leaves the old file whole.
class QtSettingsStore : public SettingsStore
{
public:
    QtSettingsStore() = default;
    // Keeps the values of every application in the one file given.
    explicit QtSettingsStore(const QString &fileName);

    QString GetSetting(const QString &application, const QString &section, const QString &key,
                       const QString &defaultText) override;
    void SaveSetting(const QString &application, const QString &section, const QString &key,
                     const QString &value) override;
    bool flush(QString *whyNot = nullptr) override;

    // Where the values of application are kept.
    QString fileName(const QString &application) const;

    // Settings files of the program are small; anything far larger is not one.
    static constexpr qint64 largestFile = 1 << 20;

private:
    struct Change
    {
        QString section;
        QString key;
        QString value;
    };
    struct StoredFile
    {
        QString application;
        QString path;
        SettingsFileText text;     // as read, with the values saved since
        QList<Change> changes;     // saved since the last successful flush
        QStringList unsaveable;    // values the file could not hold
    };

    StoredFile &fileOf(const QString &application);
    static bool write(StoredFile &file, QString &whyNot);

    QString m_fixedFileName;
    QList<StoredFile> m_files;
};
