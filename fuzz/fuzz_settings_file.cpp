// Any bytes as the settings file: the program reads its five settings from
// it without harm, and what it then writes on closing it reads back alike.
#include "SettingsReading.h"
#include "settings/QtSettingsStore.h"

#include <QFile>
#include <cstdint>

// QSettings reads "@Variant(...)" values with QDataStream, which reserves
// room for as many list items as the bytes claim: gigabytes the system
// only promises and never hands out, as nothing is written there. The
// sanitizer's allocator marks every byte it hands out, so here a
// reservation beyond half a gigabyte is refused, as a system with less
// memory refuses it, and QDataStream gives up on the value.
extern "C" const char *__asan_default_options()
{
    return "allocator_may_return_null=1:max_allocation_size_mb=512";
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
