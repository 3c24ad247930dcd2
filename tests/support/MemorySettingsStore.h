#pragma once

#include "settings/SettingsStore.h"

#include <QMap>

// Keeps the values in memory only: for tests and benchmarks.
class MemorySettingsStore : public SettingsStore
{
public:
    QString GetSetting(const QString &application, const QString &section, const QString &key,
                       const QString &defaultText) override
    {
        return m_values.value(path(application, section, key), defaultText);
    }

    void SaveSetting(const QString &application, const QString &section, const QString &key,
                     const QString &value) override
    {
        m_values.insert(path(application, section, key), value);
    }

    void UpdateSetting(const QString &application, const QString &section, const QString &key,
                       const QString &defaultText, const Update &update) override
    {
        SaveSetting(application, section, key, update(GetSetting(application, section, key, defaultText)));
    }

    bool contains(const QString &application, const QString &section, const QString &key) const
    {
        return m_values.contains(path(application, section, key));
    }

private:
    static QString path(const QString &application, const QString &section, const QString &key)
    {
        return application + u'/' + section + u'/' + key;
    }

    QMap<QString, QString> m_values;
};
