// Any bytes as the settings file: the program reads its five settings from
// it without harm, and what it then writes on closing it reads back alike.
#include "SettingsReading.h"
#include "settings/QtSettingsStore.h"
#include "settings/SettingsFileText.h"

#include <QFile>
#include <cstdint>

namespace {

// The file text: formatting what was read is a fixed point that holds
// every value that was read.
void checkFileText(const QByteArray &bytes)
{
    const SettingsFileText text = SettingsFileText::parse(bytes);
    const QByteArray formatted = text.format();
    const SettingsFileText again = SettingsFileText::parse(formatted);
    FUZZ_CHECK(again.problems().isEmpty());
    FUZZ_CHECK(again.format() == formatted);
    for (const SettingsFileText::Section &section : text.sections())
        for (const SettingsFileText::Entry &entry : section.entries)
            FUZZ_CHECK(again.value(section.name, entry.key) == entry.value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = scratchSettingsFile();
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(bytes) == bytes.size());
    }

    QtSettingsStore store(path);
    const SettingsReading first = SettingsReading::of(store);
    first.checkUsable();
    checkFileText(bytes);

    first.write(store);
    QString whyNot;
    FUZZ_CHECK(store.flush(&whyNot));
    QtSettingsStore next(path);
    FUZZ_CHECK(SettingsReading::of(next) == first);
    return 0;
}
