#include "WaveImage.h"

#include <algorithm>

namespace {

constexpr qsizetype kChunkHeader = 8;
constexpr quint32 kMinRate = 1000;
constexpr quint32 kMaxRate = 384000; // the highest rate the sound server takes

quint16 le16(QByteArrayView bytes, qsizetype at)
{
    return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8);
}

quint32 le32(QByteArrayView bytes, qsizetype at)
{
    return quint32(le16(bytes, at)) | quint32(le16(bytes, at + 2)) << 16;
}

// Reads a "fmt " chunk body into the image's format fields; false if it is
// not plain PCM we can play.
bool readFormat(QByteArrayView body, WaveImage &wave)
{
    const qsizetype size = body.size();
    if (size != 16 && size < 18)
        return false;
    wave.fmtChunkSize = quint32(size);
    wave.formatTag = le16(body, 0);
    wave.channels = le16(body, 2);
    wave.sampleRate = le32(body, 4);
    wave.byteRate = le32(body, 8);
    wave.blockAlign = le16(body, 12);
    wave.bitsPerSample = le16(body, 14);
    if (size >= 18) {
        wave.extraSize = le16(body, 16);
        if (wave.extraSize > size - 18)
            return false;
    }
    if (wave.formatTag != 1 || wave.channels < 1 || wave.channels > 2)
        return false;
    if (wave.bitsPerSample != 8 && wave.bitsPerSample != 16)
        return false;
    if (wave.sampleRate < kMinRate || wave.sampleRate > kMaxRate)
        return false;
    return wave.blockAlign == wave.channels * wave.bitsPerSample / 8
        && quint64(wave.byteRate) == quint64(wave.sampleRate) * wave.blockAlign;
}

// Takes in one chunk; false if it breaks the image.
bool readChunk(QByteArrayView id, QByteArrayView body, qsizetype bodyOffset, WaveImage &wave)
{
    const bool haveFormat = wave.fmtChunkSize != 0;
    const bool haveData = wave.dataOffset != 0;
    if (id == "fmt ")
        return !haveFormat && !haveData && readFormat(body, wave);
    if (id == "fact") {
        if (body.size() < 4 || wave.factFrames)
            return false;
        wave.factFrames = le32(body, 0);
    } else if (id == "data") {
        if (!haveFormat || haveData)
            return false;
        wave.dataOffset = bodyOffset;
        wave.dataSize = body.size();
    }
    return true;
}

} // namespace

std::optional<WaveImage> WaveImage::parse(QByteArrayView image)
{
    if (image.size() < 12 || image.first(4) != "RIFF" || image.sliced(8, 4) != "WAVE")
        return std::nullopt;
    // The header's length bounds the image; one that claims more bytes than
    // there are is a truncated image.
    const quint32 riffSize = le32(image, 4);
    if (riffSize < 4 || riffSize > quint64(image.size()) - 8)
        return std::nullopt;
    const qsizetype end = qsizetype(riffSize) + 8;

    WaveImage wave;
    qsizetype pos = 12;
    while (pos < end) {
        if (end - pos < kChunkHeader)
            return std::nullopt;
        const QByteArrayView id = image.sliced(pos, 4);
        const quint32 size = le32(image, pos + 4);
        const qsizetype bodyOffset = pos + kChunkHeader;
        if (size > quint64(end - bodyOffset))
            return std::nullopt;
        wave.chunkIds.append(id.toByteArray());
        if (!readChunk(id, image.sliced(bodyOffset, size), bodyOffset, wave))
            return std::nullopt;
        // Chunks start on even offsets; the last one may lack its pad byte.
        pos = std::min(end, bodyOffset + qsizetype(size) + qsizetype(size & 1));
    }
    if (wave.fmtChunkSize == 0 || wave.dataOffset == 0)
        return std::nullopt;
    return wave;
}
