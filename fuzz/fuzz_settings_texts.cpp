// Any texts as the five stored values: the program reads them without
// harm, a whole 32-bit count exactly, and what it then writes on closing
// the settings file keeps and gives back alike.
#include "SettingsReading.h"
#include "platform/RuntimeError.h"
#include "platform/TextConvert.h"
#include "support/MemorySettingsStore.h"
#include "settings/QtSettingsStore.h"

#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

QString nextText(FuzzedDataProvider &input)
{
    const bool utf8 = input.ConsumeBool();
    const std::string raw = input.ConsumeRandomLengthString(80);
    return utf8 ? QString::fromUtf8(raw.data(), qsizetype(raw.size()))
                : QString(reinterpret_cast<const QChar *>(raw.data()), qsizetype(raw.size() / 2));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    MemorySettingsStore stored;
    const QString application = QStringLiteral("Plinkety");
    const QString section = QStringLiteral("Defaults");
    QString poppedText = QStringLiteral("0");
    for (const char *key : {"Top", "Left", "Height", "Width", "Popped"}) {
        if (!input.ConsumeBool())
            continue;
        const QString text = nextText(input);
        stored.SaveSetting(application, section, QString::fromLatin1(key), text);
        if (qstrcmp(key, "Popped") == 0)
            poppedText = text;
    }

    const SettingsReading first = SettingsReading::of(stored);
    first.checkUsable();
    try {
        FUZZ_CHECK(first.count == TextConvert::toInt32(poppedText));
    } catch (const RuntimeError &) {
        // not a whole 32-bit number: the program starts with what it could read
    }

    const QString path = scratchSettingsFile();
    {
        QtSettingsStore file(path);
        first.write(file);
        FUZZ_CHECK(file.flush());
    }
    FUZZ_CHECK(readingAtNextStart(path) == first);
    return 0;
}
