#pragma once

#include <QString>
#include <QtGlobal>

class SettingsStore;

// The lifetime pop count as the settings store keeps it under "Popped".
namespace StoredCount {

struct Reading
{
    qint32 value = 0;
    bool readable = true; // false: value came from a text that was not a whole number
};

// A whole 32-bit number is read exactly. Any other text would stop every
// later start, so it gives its leading number if that fits in 32 bits,
// else 0, and says it was unreadable.
Reading fromText(const QString &text);

qint32 read(SettingsStore &store);
void write(SettingsStore &store, qint32 count);
// Adds pops to the count the store holds when it saves, so that programs
// that save the count at once each add their own pops. A count there that
// is no whole number counts as its leading number, as when it is read.
void add(SettingsStore &store, qint32 pops);

} // namespace StoredCount
