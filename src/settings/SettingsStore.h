#pragma once

#include <QString>

// A per-user store of text values addressed by application, section and key.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // The stored text, or defaultText where the key holds nothing.
    virtual QString GetSetting(const QString &application, const QString &section, const QString &key,
                               const QString &defaultText) = 0;
    virtual void SaveSetting(const QString &application, const QString &section, const QString &key,
                             const QString &value) = 0;

    // Puts what was saved on disk; false, with a reason, where it could not.
    virtual bool flush(QString *whyNot = nullptr)
    {
        Q_UNUSED(whyNot);
        return true;
    }
};
