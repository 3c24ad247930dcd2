#pragma once

#include "SettingsStore.h"

#include <QMap>
#include <QString>
#include <memory>

class QSettings;

// The per-user store on disk: one INI file that QSettings reads, by default
// ~/.config/Plinkety/Plinkety.conf on Linux and %APPDATA%\Plinkety\Plinkety.ini
// on Windows. Every value is text. The file is read when its first value
// is asked for; what cannot be read is logged on stderr and the defaults
// take its place. Saved values wait in memory until flush(), which holds
// the file's lock from reading what is there to putting the new file in
// its place, so that programs saving at once take turns and each builds on
// the other's values.
class QtSettingsStore : public SettingsStore
{
public:
    // The file where this user's settings of the program live.
    QtSettingsStore();
    // Keeps every application's values in the one file given.
    explicit QtSettingsStore(const QString &fileName);
    ~QtSettingsStore() override;

    QString GetSetting(const QString &application, const QString &section, const QString &key,
                       const QString &defaultText) override;
    void SaveSetting(const QString &application, const QString &section, const QString &key,
                     const QString &value) override;
    void UpdateSetting(const QString &application, const QString &section, const QString &key,
                       const QString &defaultText, const Update &update) override;
    bool flush(QString *whyNot = nullptr) override;
    std::unique_ptr<SettingsStore> twin() const override;

    QString fileName() const { return m_path; }

private:
    struct Change
    {
        QString value;       // the text to save, or
        Update update;       // what to make of the text there when saving
        QString defaultText; // what update is given where the key holds nothing
    };

    QSettings *read();
    bool write(QString &whyNot);
    // The key's text as settings hold it, or defaultText where it holds none.
    QString storedText(const QSettings &settings, const QString &name, const QString &defaultText) const;

    QString m_path;
    bool m_readTried = false;
    std::unique_ptr<QSettings> m_read; // null where the path is no settings file
    QMap<QString, Change> m_changes;   // "section/key" -> change, saved since the last flush
};
