#pragma once

#include "SettingsStore.h"

#include <QSettings>
#include <memory>

// The per-user store on disk through QSettings: the application name is
// both organisation and application, so on Linux the values of "Plinkety"
// live in ~/.config/Plinkety/Plinkety.conf.
class QtSettingsStore : public SettingsStore
{
public:
    QString GetSetting(const QString &application, const QString &section, const QString &key,
                       const QString &defaultText) override;
    void SaveSetting(const QString &application, const QString &section, const QString &key,
                     const QString &value) override;
    bool flush(QString *whyNot = nullptr) override;

private:
    QSettings &settingsFor(const QString &application);

    QString m_application;
    std::unique_ptr<QSettings> m_settings;
};
