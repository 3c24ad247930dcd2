// Any bytes as the settings file: the program reads its five settings from
// it without harm, and what it then writes on closing it reads back alike.
#include "SettingsReading.h"
#include "settings/QtSettingsStore.h"

#include <QFile>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = scratchSettingsFile();
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(bytes) == bytes.size());
    }

    SettingsReading first;
    {
        QtSettingsStore store(path);
        first = SettingsReading::of(store);
        first.checkUsable();
        first.write(store);
        QString whyNot;
        FUZZ_CHECK(store.flush(&whyNot));
    }
    FUZZ_CHECK(readingAtNextStart(path) == first);
    return 0;
}
