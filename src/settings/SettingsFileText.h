#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The text of a settings file: "[Section]" lines, each followed by its
// "Key=Value" lines, the way the per-user settings file of the program has
// always been laid out. Every value is kept as the exact text after the
// "=", never turned into a list or any other type. Reading never fails:
// what is not a setting is skipped and named in problems().
class SettingsFileText
{
public:
    struct Entry
    {
        QString key;
        QString value;
    };
    struct Section
    {
        QString name; // "" for keys that stand before any section line
        QList<Entry> entries;
    };

    static SettingsFileText parse(QByteArrayView bytes);
    QByteArray format() const;

    std::optional<QString> value(const QString &section, const QString &key) const;
    // False, and nothing changes, for a name or value the file could not
    // give back as it was (a line break, a key with "=", blanks around a name).
    bool set(const QString &section, const QString &key, const QString &value);

    const QList<Section> &sections() const { return m_sections; }
    // What could not be read, one short sentence each.
    const QStringList &problems() const { return m_problems; }

    static bool canHoldSection(QStringView name);
    static bool canHoldKey(QStringView key);
    static bool canHoldValue(QStringView value);

private:
    enum class LineKind { Blank, Setting, NotASetting };
    LineKind readLine(QStringView line, QString &section);
    void store(const QString &section, const QString &key, const QString &value);
    Section &sectionNamed(const QString &name);

    QList<Section> m_sections;
    QHash<QString, qsizetype> m_sectionIndex;
    QHash<QString, qsizetype> m_entryIndex; // section + '\n' + key -> position in its section
    QStringList m_problems;
};
