#include "IniText.h"

#include <QDataStream>
#include <QIODevice>
#include <QMap>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>

namespace {

bool isHexDigit(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

QString hex(char16_t c)
{
    return QString::number(c, 16);
}

// A key, or a section's name: '/' parts it into '\', the few plain
// characters stay, any other is written as %XX or %UXXXX.
QString escapedKey(const QString &key)
{
    QString text;
    for (const QChar c : key) {
        const char16_t u = c.unicode();
        if (u == u'/')
            text += u'\\';
        else if ((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'_'
                 || u == u'-' || u == u'.')
            text += c;
        else if (u < 0x100)
            text += u'%' + QString::number(u, 16).rightJustified(2, u'0').toUpper();
        else
            text += QStringLiteral("%U") + QString::number(u, 16).rightJustified(4, u'0').toUpper();
    }
    return text;
}

// A value's text, escaped as QSettings escapes it and quoted where a
// separator or an outer blank would otherwise be lost. Texts that stand
// for bytes (@ByteArray, @Variant) escape every character beyond ASCII.
QString escapedValue(const QString &value, bool bytes)
{
    QString text;
    bool quote = !value.isEmpty() && (value.front() == u' ' || value.back() == u' ');
    bool escapeHexDigit = false; // after \x, a hex digit would be read into it
    for (const QChar c : value) {
        const char16_t u = c.unicode();
        if (u == u';' || u == u',' || u == u'=')
            quote = true;
        if (escapeHexDigit && isHexDigit(u)) {
            text += QStringLiteral("\\x") + hex(u);
            continue;
        }
        escapeHexDigit = false;
        switch (u) {
        case u'\a': text += QStringLiteral("\\a"); break;
        case u'\b': text += QStringLiteral("\\b"); break;
        case u'\f': text += QStringLiteral("\\f"); break;
        case u'\n': text += QStringLiteral("\\n"); break;
        case u'\r': text += QStringLiteral("\\r"); break;
        case u'\t': text += QStringLiteral("\\t"); break;
        case u'\v': text += QStringLiteral("\\v"); break;
        case u'"': text += QStringLiteral("\\\""); break;
        case u'\\': text += QStringLiteral("\\\\"); break;
        default:
            if (u <= 0x1f || (bytes && u >= 0x7f)) {
                text += QStringLiteral("\\x") + hex(u);
                escapeHexDigit = true;
            } else {
                text += c;
            }
        }
    }
    return quote ? u'"' + text + u'"' : text;
}

QString escapedText(const QString &value)
{
    // A leading '@' would be read as the start of a typed value.
    const bool typed = value.startsWith(u'@');
    return escapedValue(typed ? u'@' + value : value, false);
}

QString typedValue(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return QStringLiteral("@Invalid()");
    case QMetaType::QByteArray:
        return escapedValue(QStringLiteral("@ByteArray(") + QString::fromLatin1(value.toByteArray()) + u')', true);
    case QMetaType::QRect: {
        const QRect r = value.toRect();
        return QStringLiteral("@Rect(%1 %2 %3 %4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }
    case QMetaType::QSize:
        return QStringLiteral("@Size(%1 %2)").arg(value.toSize().width()).arg(value.toSize().height());
    case QMetaType::QPoint:
        return QStringLiteral("@Point(%1 %2)").arg(value.toPoint().x()).arg(value.toPoint().y());
    default: {
        QByteArray stream;
        QDataStream out(&stream, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_4_0);
        out << value;
        return escapedValue(QStringLiteral("@Variant(") + QString::fromLatin1(stream) + u')', true);
    }
    }
}

QString valueText(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString && !value.toString().contains(QChar(0)))
        return escapedText(value.toString());
    if (value.typeId() != QMetaType::QStringList)
        return typedValue(value);
    const QStringList list = value.toStringList();
    if (list.isEmpty())
        return QStringLiteral("@Invalid()");
    if (list.size() == 1) // one text reads back as a text
        return escapedText(list.front());
    QStringList items;
    for (const QString &item : list)
        items.append(escapedText(item));
    return items.join(QStringLiteral(", "));
}

} // namespace

namespace IniText {

QByteArray render(const QList<Entry> &entries)
{
    // Keys outside any section go under [General]; a section really named
    // so is written as %General.
    QMap<QString, QStringList> sections;
    for (const auto &[name, value] : entries) {
        const qsizetype slash = name.indexOf(u'/');
        const QString section = slash < 0 ? QString() : name.left(slash);
        QString heading = section.isEmpty() ? QStringLiteral("General") : escapedKey(section);
        if (section.compare(QStringLiteral("General"), Qt::CaseInsensitive) == 0)
            heading.prepend(u'%');
        sections[heading].append(escapedKey(name.mid(slash + 1)) + u'=' + valueText(value));
    }
    QString text;
    for (auto section = sections.cbegin(); section != sections.cend(); ++section) {
        if (!text.isEmpty())
            text += u'\n';
        text += u'[' + section.key() + QStringLiteral("]\n") + section->join(u'\n') + u'\n';
    }
    return text.toUtf8();
}

} // namespace IniText
