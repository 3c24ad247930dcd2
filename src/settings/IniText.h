#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>
#include <utility>

// The settings file's text, made here rather than by QSettings so that a
// save can write it under the program's own lock and see every byte of it
// reach the disk. QSettings reads it back as the same keys and values.
namespace IniText {

// A key as QSettings names it ("Defaults/Popped", or "Popped" for one
// outside any section) with its value as QSettings read it.
using Entry = std::pair<QString, QVariant>;

QByteArray render(const QList<Entry> &entries);

} // namespace IniText
