#pragma once

#include "SettingsStore.h"

#include <QMap>
#include <QString>
#include <memory>
#include <vector>

class QSettings;

// The per-user store on disk, kept by QSettings in its INI format: the
// application name is both organisation and application, so on Linux the
// values of "Plinkety" live in ~/.config/Plinkety/Plinkety.conf. Every
// value is text. The file is read when its first value is asked for; what
// cannot be read is logged on stderr and the defaults take its place.
// Saved values wait in memory until flush(), which hands them to QSettings
// for an atomic save only once the folder is known to take the whole file.
// A save holds a lock file beside the settings file from reading what is
// there to writing it back, so programs saving at once take turns.
class QtSettingsStore : public SettingsStore
{
public:
    QtSettingsStore();
    // Keeps the values of every application in the one file given.
    explicit QtSettingsStore(const QString &fileName);
    ~QtSettingsStore() override;

    QString GetSetting(const QString &application, const QString &section, const QString &key,
                       const QString &defaultText) override;
    void SaveSetting(const QString &application, const QString &section, const QString &key,
                     const QString &value) override;
    void UpdateSetting(const QString &application, const QString &section, const QString &key,
                       const QString &defaultText, const Update &update) override;
    bool flush(QString *whyNot = nullptr) override;

    // Where the values of application are kept.
    QString fileName(const QString &application) const;

private:
    struct StoredFile;

    StoredFile &fileOf(const QString &application);
    static bool write(StoredFile &file, QString &whyNot);
    static void applyChanges(StoredFile &file, QSettings &settings);
    // The key's text as settings hold it, or defaultText where it holds none.
    static QString storedText(const StoredFile &file, const QSettings &settings, const QString &name,
                              const QString &defaultText);

    QString m_fixedFileName;
    std::vector<std::unique_ptr<StoredFile>> m_files;
};
