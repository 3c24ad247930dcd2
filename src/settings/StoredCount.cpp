#include "StoredCount.h"

#include "SettingsKeys.h"
#include "platform/CheckedInt.h"
#include "platform/RuntimeError.h"
#include "platform/Log.h"
#include "platform/TextConvert.h"
#include "SettingsStore.h"

#include <cmath>
#include <limits>

namespace {

QString key()
{
    return QStringLiteral("Popped");
}

} // namespace

namespace StoredCount {

Reading fromText(const QString &text)
{
    try {
        return {TextConvert::toInt32(text), true};
    } catch (const RuntimeError &) {
        const double leading = std::trunc(TextConvert::leadingNumber(text));
        const bool fits = leading >= double(std::numeric_limits<qint32>::min())
            && leading <= double(std::numeric_limits<qint32>::max());
        return {fits ? qint32(leading) : 0, false};
    }
}

qint32 read(SettingsStore &store)
{
    const QString text = store.GetSetting(SettingsKeys::application(), SettingsKeys::section(), key(),
                                          QString::number(0));
    const Reading reading = fromText(text);
    if (!reading.readable) {
        qCWarning(lcSettings).noquote() << QStringLiteral("the stored pop count \"%1\" was unreadable; counting on from %2.")
                                               .arg(SettingsKeys::printable(text))
                                               .arg(reading.value);
    }
    return reading.value;
}

void write(SettingsStore &store, qint32 count)
{
    store.SaveSetting(SettingsKeys::application(), SettingsKeys::section(), key(), QString::number(count));
}

void add(SettingsStore &store, qint32 pops)
{
    store.UpdateSetting(SettingsKeys::application(), SettingsKeys::section(), key(), QString::number(0),
                        [pops](const QString &stored) {
                            return QString::number(Checked::add(fromText(stored).value, pops));
                        });
}

} // namespace StoredCount
