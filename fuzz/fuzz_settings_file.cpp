// Any bytes as the settings file: the program reads its five settings from
// it without harm, and what it then writes on closing it reads back alike.
#include "SettingsReading.h"
#include "settings/QtSettingsStore.h"

#include <QFile>
#include <cstdint>

// QSettings reads "@Variant(...)" values with QDataStream, which reserves
// room for as many list items as the bytes claim. The system's allocator
// refuses a reservation of many gigabytes and QDataStream gives up on the
// value; AddressSanitizer's would end the process instead. Here it refuses
// as the system's does.
extern "C" const char *__asan_default_options()
{
    return "allocator_may_return_null=1";
}

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
