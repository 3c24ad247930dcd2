#pragma once

#include <QString>
#include <functional>
#include <memory>

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

    // Makes the text to save from the text the store holds.
    using Update = std::function<QString(const QString &stored)>;
    // Saves what update makes of the key's text (or of defaultText, where
    // it holds nothing) as the store holds it when the save is written,
    // under the store's lock: what another program saved there meanwhile
    // is built on, not overwritten.
    virtual void UpdateSetting(const QString &application, const QString &section, const QString &key,
                               const QString &defaultText, const Update &update) = 0;

    // Puts what was saved on disk; false, with a reason, where it could not.
    virtual bool flush(QString *whyNot = nullptr)
    {
        Q_UNUSED(whyNot);
        return true;
    }

    // A store of its own on the same values, for a save made on another
    // thread; null where there is none, and saves stay on this store.
    virtual std::unique_ptr<SettingsStore> twin() const { return nullptr; }
};
