#pragma once

#include <QByteArrayView>
#include <QList>
#include <QtGlobal>
#include <optional>

// The layout of a RIFF/WAVE image of plain PCM, read without copying.
// The length in the RIFF header bounds the image; a truncated or malformed
// image gives no result and is never read past its end.
struct WaveImage
{
    QList<QByteArray> chunkIds;     // in the order they stand, e.g. "fmt ", "fact", "data"
    quint32 fmtChunkSize = 0;       // 16, or 18 and more
    quint16 extraSize = 0;          // of the format extension, in a fmt chunk of 18 bytes or more
    quint16 formatTag = 0;          // 1: PCM
    quint16 channels = 0;
    quint32 sampleRate = 0;
    quint32 byteRate = 0;
    quint16 blockAlign = 0;
    quint16 bitsPerSample = 0;
    std::optional<quint32> factFrames; // the frame count of a "fact" chunk
    qsizetype dataOffset = 0;       // of the first sample byte in the image
    qsizetype dataSize = 0;         // sample bytes

    qsizetype frames() const { return blockAlign ? dataSize / blockAlign : 0; }
    double durationMs() const { return sampleRate ? 1000.0 * double(frames()) / sampleRate : 0.0; }

    static std::optional<WaveImage> parse(QByteArrayView image);
};
