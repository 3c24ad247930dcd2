// The wave-image reader, given any bytes: it never reads past the image,
// and what it accepts describes samples that lie wholly inside it.
#include "FuzzCheck.h"
#include "sound/WaveImage.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView image(data, qsizetype(size));
    const std::optional<WaveImage> wave = WaveImage::parse(image);
    if (!wave)
        return 0;

    const qint64 riffEnd = qint64(quint32(data[4] | data[5] << 8 | data[6] << 16 | quint32(data[7]) << 24)) + 8;
    FUZZ_CHECK(wave->dataOffset >= 20);
    FUZZ_CHECK(wave->dataSize >= 0);
    FUZZ_CHECK(wave->dataOffset + wave->dataSize <= riffEnd);
    FUZZ_CHECK(riffEnd <= qint64(size));
    FUZZ_CHECK(wave->formatTag == 1);
    FUZZ_CHECK(wave->channels == 1 || wave->channels == 2);
    FUZZ_CHECK(wave->bitsPerSample == 8 || wave->bitsPerSample == 16);
    FUZZ_CHECK(wave->blockAlign == wave->channels * wave->bitsPerSample / 8);
    FUZZ_CHECK(wave->frames() * wave->blockAlign <= wave->dataSize);
    FUZZ_CHECK(wave->durationMs() >= 0.0);
    for (const QByteArray &id : wave->chunkIds)
        FUZZ_CHECK(id.size() == 4);

    // Every sample byte the player would hand on is really there.
    unsigned sum = 0;
    for (qsizetype i = 0; i < wave->dataSize; ++i)
        sum += data[wave->dataOffset + i];
    volatile unsigned keep = sum;
    (void)keep;
    return 0;
}
