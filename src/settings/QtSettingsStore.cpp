#include "QtSettingsStore.h"

QSettings &QtSettingsStore::settingsFor(const QString &application)
{
    if (!m_settings || m_application != application) {
        if (m_settings)
            m_settings->sync();
        m_application = application;
        m_settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                 application, application);
    }
    return *m_settings;
}

QString QtSettingsStore::GetSetting(const QString &application, const QString &section, const QString &key,
                                    const QString &defaultText)
{
    const QVariant value = settingsFor(application).value(section + u'/' + key);
    if (!value.isValid())
        return defaultText;
    return value.toString();
}

void QtSettingsStore::SaveSetting(const QString &application, const QString &section, const QString &key,
                                  const QString &value)
{
    settingsFor(application).setValue(section + u'/' + key, value);
}

bool QtSettingsStore::flush(QString *whyNot)
{
    if (!m_settings)
        return true;
    m_settings->sync();
    if (m_settings->status() == QSettings::NoError)
        return true;
    if (whyNot)
        *whyNot = m_settings->status() == QSettings::AccessError
            ? QStringLiteral("the settings file %1 could not be written").arg(m_settings->fileName())
            : QStringLiteral("the settings file %1 is not in the expected format").arg(m_settings->fileName());
    return false;
}
