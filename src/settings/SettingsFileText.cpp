#include "SettingsFileText.h"

#include <QStringDecoder>

namespace {

constexpr qsizetype shownLines = 3;

bool hasLineBreak(QStringView text)
{
    return text.contains(u'\n') || text.contains(u'\r');
}

// Text that UTF-8 gives back unchanged: no unpaired surrogate halves.
bool survivesUtf8(QStringView text)
{
    return QString::fromUtf8(text.toUtf8()) == text;
}

// "line 3" or "lines 3, 8, 12 and 4 more", for the log.
QString lineList(const QList<int> &lines)
{
    if (lines.size() == 1)
        return QStringLiteral("line %1").arg(lines.first());
    QStringList shown;
    for (qsizetype i = 0; i < std::min(lines.size(), shownLines); ++i)
        shown.append(QString::number(lines.at(i)));
    const qsizetype more = lines.size() - shown.size();
    if (more > 0)
        return QStringLiteral("lines %1 and %2 more").arg(shown.join(QStringLiteral(", "))).arg(more);
    const QString last = shown.takeLast();
    return QStringLiteral("lines %1 and %2").arg(shown.join(QStringLiteral(", ")), last);
}

// The next line from pos on, without its line break; pos moves past it.
// A line ends at "\n", "\r\n" or a lone "\r".
QByteArrayView nextLine(QByteArrayView bytes, qsizetype &pos)
{
    qsizetype end = pos;
    while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
        ++end;
    const QByteArrayView line = bytes.sliced(pos, end - pos);
    pos = end;
    if (pos < bytes.size() && bytes[pos] == '\r')
        ++pos;
    if (pos < bytes.size() && bytes[pos] == '\n' && (pos == end || bytes[pos - 1] == '\r'))
        ++pos;
    return line;
}

} // namespace

SettingsFileText SettingsFileText::parse(QByteArrayView bytes)
{
    SettingsFileText text;
    if (bytes.startsWith("\xef\xbb\xbf"))
        bytes = bytes.sliced(3);

    QList<int> notSettings;
    QList<int> notUtf8;
    QString section;
    qsizetype pos = 0;
    for (int lineNumber = 1; pos < bytes.size(); ++lineNumber) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString line = decoder(nextLine(bytes, pos));
        if (decoder.hasError())
            notUtf8.append(lineNumber);
        if (text.readLine(line, section) == LineKind::NotASetting)
            notSettings.append(lineNumber);
    }

    if (!notUtf8.isEmpty())
        text.m_problems.append(QStringLiteral("%1 %2 bytes that are not UTF-8 text")
                                   .arg(lineList(notUtf8), notUtf8.size() == 1 ? "holds" : "hold"));
    if (!notSettings.isEmpty())
        text.m_problems.append(QStringLiteral("%1 %2").arg(
            lineList(notSettings), notSettings.size() == 1 ? "is not a setting" : "are not settings"));
    return text;
}

SettingsFileText::LineKind SettingsFileText::readLine(QStringView line, QString &section)
{
    const QStringView trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(u';') || trimmed.startsWith(u'#'))
        return LineKind::Blank;
    if (trimmed.startsWith(u'[')) {
        if (trimmed.size() < 2 || !trimmed.endsWith(u']'))
            return LineKind::NotASetting;
        section = trimmed.sliced(1, trimmed.size() - 2).trimmed().toString();
        return LineKind::Blank;
    }
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return LineKind::NotASetting;
    const QStringView key = line.first(equals).trimmed();
    if (key.isEmpty())
        return LineKind::NotASetting;
    // The value is the exact text after "=": blanks and all.
    store(section, key.toString(), line.sliced(equals + 1).toString());
    return LineKind::Setting;
}

QByteArray SettingsFileText::format() const
{
    QByteArray out;
    auto writeEntries = [&out](const Section &section) {
        for (const Entry &entry : section.entries)
            out += entry.key.toUtf8() + '=' + entry.value.toUtf8() + '\n';
    };
    // Keys outside any section come first, where no section line claims them.
    for (const Section &section : m_sections)
        if (section.name.isEmpty())
            writeEntries(section);
    for (const Section &section : m_sections) {
        if (section.name.isEmpty())
            continue;
        if (!out.isEmpty())
            out += '\n';
        out += '[' + section.name.toUtf8() + "]\n";
        writeEntries(section);
    }
    return out;
}

std::optional<QString> SettingsFileText::value(const QString &section, const QString &key) const
{
    if (hasLineBreak(section) || hasLineBreak(key))
        return std::nullopt;
    const auto section_ = m_sectionIndex.constFind(section);
    const auto entry = m_entryIndex.constFind(section + u'\n' + key);
    if (section_ == m_sectionIndex.cend() || entry == m_entryIndex.cend())
        return std::nullopt;
    return m_sections.at(*section_).entries.at(*entry).value;
}

bool SettingsFileText::set(const QString &section, const QString &key, const QString &value)
{
    if (!canHoldSection(section) || !canHoldKey(key) || !canHoldValue(value))
        return false;
    store(section, key, value);
    return true;
}

void SettingsFileText::store(const QString &section, const QString &key, const QString &value)
{
    Section &target = sectionNamed(section);
    const QString path = section + u'\n' + key;
    const auto found = m_entryIndex.constFind(path);
    if (found != m_entryIndex.cend()) {
        target.entries[*found].value = value; // a key given twice: the last one counts
        return;
    }
    m_entryIndex.insert(path, target.entries.size());
    target.entries.append({key, value});
}

SettingsFileText::Section &SettingsFileText::sectionNamed(const QString &name)
{
    auto found = m_sectionIndex.constFind(name);
    if (found == m_sectionIndex.cend()) {
        found = m_sectionIndex.insert(name, m_sections.size());
        m_sections.append({name, {}});
    }
    return m_sections[*found];
}

bool SettingsFileText::canHoldSection(QStringView name)
{
    return !hasLineBreak(name) && name.trimmed().size() == name.size() && survivesUtf8(name);
}

bool SettingsFileText::canHoldKey(QStringView key)
{
    return !key.isEmpty() && canHoldSection(key) && !key.contains(u'=') && !key.startsWith(u'[')
        && !key.startsWith(u';') && !key.startsWith(u'#');
}

bool SettingsFileText::canHoldValue(QStringView value)
{
    return !hasLineBreak(value) && survivesUtf8(value);
}
