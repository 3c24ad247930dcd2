#include "platform/Resources.h"
#include "support/ClipFormats.h"
#include "sound/WaveImage.h"

#include <QtEndian>
#include <QTest>

#include <memory>

namespace {

QByteArray le16(quint16 value)
{
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray le32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

struct Format
{
    quint16 tag = 1;
    quint16 channels = 2;
    quint32 rate = 44100;
    quint16 bits = 8;
    int blockAlign = -1; // -1: the right one
    qint64 byteRate = -1;
};

QByteArray fmtBody(const Format &f, int extra = 0)
{
    const quint16 align = f.blockAlign >= 0 ? quint16(f.blockAlign) : quint16(f.channels * f.bits / 8);
    const quint32 byteRate = f.byteRate >= 0 ? quint32(f.byteRate) : f.rate * align;
    QByteArray body = le16(f.tag) + le16(f.channels) + le32(f.rate) + le32(byteRate) + le16(align) + le16(f.bits);
    if (extra >= 0)
        body += le16(quint16(extra)) + QByteArray(extra, 'x');
    return body;
}

// A chunk as it stands in the image, with the pad byte after an odd body.
QByteArray chunk(const QByteArray &id, const QByteArray &body, bool pad = true)
{
    QByteArray bytes = id + le32(quint32(body.size())) + body;
    if (pad && body.size() % 2)
        bytes += '\0';
    return bytes;
}

QByteArray chunkClaiming(const QByteArray &id, quint32 size, const QByteArray &body)
{
    return id + le32(size) + body;
}

QByteArray riff(const QByteArray &chunks)
{
    return "RIFF" + le32(quint32(chunks.size() + 4)) + "WAVE" + chunks;
}

QByteArray samples(int count)
{
    QByteArray bytes(count, '\0');
    for (int i = 0; i < count; ++i)
        bytes[i] = char(128 + (i % 7) * 9);
    return bytes;
}

// An image in the clips' own layout: an 18-byte "fmt ", "fact", "data".
QByteArray clipLike(int dataBytes = 40)
{
    return riff(chunk("fmt ", fmtBody({})) + chunk("fact", le32(quint32(dataBytes / 2)))
                + chunk("data", samples(dataBytes)));
}

// Parses from a heap block of exactly the image's size, so a read past the
// end hits memory the sanitizer build watches.
std::optional<WaveImage> parseExact(const QByteArray &image)
{
    const auto block = std::make_unique<char[]>(size_t(image.size()));
    std::copy(image.cbegin(), image.cend(), block.get());
    return WaveImage::parse(QByteArrayView(block.get(), image.size()));
}

} // namespace

class TestWaveImage : public QObject
{
    Q_OBJECT

private slots:
    void everyClipReadsWithItsFormatAndLength_data();
    void everyClipReadsWithItsFormatAndLength();
    void everyTruncationOfAClipIsRejected();
    void theRiffLengthBoundsTheImage();
    void aHeaderClaimingMoreThanTheBytesIsRejected();
    void formatChunkSizesOtherThanSixteenOrEighteenUpAreRejected();
    void formatsWeCannotPlayAreRejected_data();
    void formatsWeCannotPlayAreRejected();
    void oddChunksArePaddedToEvenOffsets();
    void hugeChunkLengthsAreRejected_data();
    void hugeChunkLengthsAreRejected();
    void imagesLackingPartsAreRejected_data();
    void imagesLackingPartsAreRejected();
    void aPartialFrameAtTheEndIsNotCounted();
};

void TestWaveImage::everyClipReadsWithItsFormatAndLength_data()
{
    addClipFormatRows();
}

void TestWaveImage::everyClipReadsWithItsFormatAndLength()
{
    QFETCH(int, id);
    QFETCH(int, channels);
    QFETCH(int, rate);
    QFETCH(int, bits);
    QFETCH(int, dataBytes);
    QFETCH(int, frames);
    QFETCH(bool, hasFact);
    QFETCH(double, durationMs);

    const QByteArray image = Resources::LoadResData(qint16(id));
    const auto wave = parseExact(image);
    QVERIFY(wave);
    const QList<QByteArray> layout = hasFact ? QList<QByteArray>{"fmt ", "fact", "data"}
                                             : QList<QByteArray>{"fmt ", "data"};
    QCOMPARE(wave->chunkIds, layout);
    QCOMPARE(wave->fmtChunkSize, 18u);
    QCOMPARE(int(wave->extraSize), 0);
    QCOMPARE(int(wave->formatTag), 1);
    QCOMPARE(int(wave->channels), channels);
    QCOMPARE(wave->sampleRate, quint32(rate));
    QCOMPARE(int(wave->bitsPerSample), bits);
    QCOMPARE(int(wave->dataSize), dataBytes);
    QCOMPARE(int(wave->frames()), frames);
    QVERIFY2(qAbs(wave->durationMs() - durationMs) < 0.1, qPrintable(QString::number(wave->durationMs())));
    QCOMPARE(wave->factFrames.has_value(), hasFact);
    if (wave->factFrames)
        QCOMPARE(*wave->factFrames, quint32(frames));
    QCOMPARE(image.sliced(wave->dataOffset - 8, 4), QByteArray("data"));
    QCOMPARE(wave->dataOffset + wave->dataSize, image.size());
}

void TestWaveImage::everyTruncationOfAClipIsRejected()
{
    for (const qint16 id : {103, 105}) {
        const QByteArray image = Resources::LoadResData(id);
        QVERIFY(parseExact(image));
        for (qsizetype length = 0; length < image.size(); ++length) {
            QByteArray cut = image.first(length);
            if (parseExact(cut))
                QFAIL(qPrintable(QStringLiteral("clip %1 cut to %2 bytes was accepted").arg(id).arg(length)));
            // The same cut with a header that agrees with it.
            if (length >= 8)
                qToLittleEndian(quint32(length - 8), cut.data() + 4);
            if (parseExact(cut))
                QFAIL(qPrintable(QStringLiteral("clip %1 cut to %2 bytes with its header fitted was accepted")
                                     .arg(id).arg(length)));
        }
    }
}

void TestWaveImage::theRiffLengthBoundsTheImage()
{
    const QByteArray image = clipLike(40);
    const auto wave = parseExact(image + QByteArray(13, '\x7f'));
    QVERIFY(wave);
    QCOMPARE(wave->dataSize, 40);
    QCOMPARE(wave->chunkIds.size(), 3);

    // A header that ends the image inside the data chunk cuts the chunk short.
    QByteArray shortened = image;
    qToLittleEndian(quint32(image.size() - 8 - 10), shortened.data() + 4);
    QVERIFY(!parseExact(shortened));
}

void TestWaveImage::aHeaderClaimingMoreThanTheBytesIsRejected()
{
    for (const quint32 more : {1u, 2u, 1000u}) {
        QByteArray image = clipLike(40);
        qToLittleEndian(quint32(image.size() - 8) + more, image.data() + 4);
        QVERIFY(!parseExact(image));
    }
    // Also when the only missing byte is the pad of an odd last chunk.
    QByteArray image = riff(chunk("fmt ", fmtBody({})) + chunk("data", samples(7), false));
    qToLittleEndian(quint32(image.size() - 8 + 1), image.data() + 4);
    QVERIFY(!parseExact(image));
}

void TestWaveImage::formatChunkSizesOtherThanSixteenOrEighteenUpAreRejected()
{
    const QByteArray data = chunk("data", samples(8));
    QVERIFY(parseExact(riff(chunk("fmt ", fmtBody({}, -1)) + data)));
    QVERIFY(parseExact(riff(chunk("fmt ", fmtBody({}, 0)) + data)));
    QVERIFY(parseExact(riff(chunk("fmt ", fmtBody({}, 4)) + data)));
    QVERIFY(!parseExact(riff(chunk("fmt ", fmtBody({}, -1).first(14)) + data)));
    QVERIFY(!parseExact(riff(chunk("fmt ", fmtBody({}, -1) + 'x') + data)));
    QVERIFY(!parseExact(riff(chunk("fmt ", QByteArray()) + data)));
    // An extra size that runs past the chunk.
    QVERIFY(!parseExact(riff(chunk("fmt ", fmtBody({}, 4).first(20)) + data)));
}

void TestWaveImage::formatsWeCannotPlayAreRejected_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("blockAlign");
    QTest::addColumn<qint64>("byteRate");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("8-bit stereo") << 1 << 2 << 44100 << 8 << -1 << qint64(-1) << true;
    QTest::newRow("16-bit stereo") << 1 << 2 << 44100 << 16 << -1 << qint64(-1) << true;
    QTest::newRow("8-bit mono 11025") << 1 << 1 << 11025 << 8 << -1 << qint64(-1) << true;
    QTest::newRow("16-bit mono 8000") << 1 << 1 << 8000 << 16 << -1 << qint64(-1) << true;
    QTest::newRow("float") << 3 << 2 << 44100 << 16 << -1 << qint64(-1) << false;
    QTest::newRow("extensible") << 0xFFFE << 2 << 44100 << 16 << -1 << qint64(-1) << false;
    QTest::newRow("no channels") << 1 << 0 << 44100 << 8 << 0 << qint64(0) << false;
    QTest::newRow("three channels") << 1 << 3 << 44100 << 8 << -1 << qint64(-1) << false;
    QTest::newRow("12 bits") << 1 << 2 << 44100 << 12 << 3 << qint64(-1) << false;
    QTest::newRow("24 bits") << 1 << 2 << 44100 << 24 << -1 << qint64(-1) << false;
    QTest::newRow("rate 0") << 1 << 2 << 0 << 8 << -1 << qint64(-1) << false;
    QTest::newRow("rate far too high") << 1 << 2 << 4000000 << 8 << -1 << qint64(-1) << false;
    QTest::newRow("block align too small") << 1 << 2 << 44100 << 16 << 2 << qint64(-1) << false;
    QTest::newRow("block align zero") << 1 << 2 << 44100 << 8 << 0 << qint64(-1) << false;
    QTest::newRow("byte rate wrong") << 1 << 2 << 44100 << 8 << -1 << qint64(44100) << false;
    QTest::newRow("byte rate wraps") << 1 << 2 << 384000 << 16 << -1 << qint64(0) << false;
}

void TestWaveImage::formatsWeCannotPlayAreRejected()
{
    QFETCH(int, tag);
    QFETCH(int, channels);
    QFETCH(int, rate);
    QFETCH(int, bits);
    QFETCH(int, blockAlign);
    QFETCH(qint64, byteRate);
    QFETCH(bool, accepted);

    const Format format {quint16(tag), quint16(channels), quint32(rate), quint16(bits), blockAlign, byteRate};
    const auto wave = parseExact(riff(chunk("fmt ", fmtBody(format)) + chunk("data", samples(24))));
    QCOMPARE(bool(wave), accepted);
}

void TestWaveImage::oddChunksArePaddedToEvenOffsets()
{
    const QByteArray fmt = chunk("fmt ", fmtBody({}));
    const auto padded = parseExact(riff(fmt + chunk("LIST", "abc") + chunk("data", samples(6))));
    QVERIFY(padded);
    QCOMPARE(padded->chunkIds, (QList<QByteArray>{"fmt ", "LIST", "data"}));
    QCOMPARE(padded->dataOffset, 12 + 26 + 12 + 8);
    QCOMPARE(padded->dataSize, 6);

    // Without its pad byte the chunk after it is read from the wrong place.
    QVERIFY(!parseExact(riff(fmt + chunk("LIST", "abc", false) + chunk("data", samples(6)))));

    // Odd data at the end, with or without its pad byte.
    const auto lastPadded = parseExact(riff(fmt + chunk("data", samples(7))));
    QVERIFY(lastPadded);
    QCOMPARE(lastPadded->dataSize, 7);
    const auto lastUnpadded = parseExact(riff(fmt + chunk("data", samples(7), false)));
    QVERIFY(lastUnpadded);
    QCOMPARE(lastUnpadded->dataSize, 7);
    QCOMPARE(lastUnpadded->frames(), 3);
}

void TestWaveImage::hugeChunkLengthsAreRejected_data()
{
    QTest::addColumn<QByteArray>("image");
    const QByteArray fmt = chunk("fmt ", fmtBody({}));
    const QByteArray body = samples(16);
    for (const quint32 size : {0xFFFFFFFFu, 0xFFFFFFF8u, 0x80000000u, 0x7FFFFFFFu, 0x10000u}) {
        const QByteArray name = QByteArray::number(size, 16);
        QTest::newRow("data " + name) << riff(fmt + chunkClaiming("data", size, body));
        QTest::newRow("fmt " + name) << riff(chunkClaiming("fmt ", size, fmtBody({})) + chunk("data", body));
        QTest::newRow("other chunk " + name)
            << riff(fmt + chunkClaiming("junk", size, body) + chunk("data", body));
    }
    QByteArray huge = riff(fmt + chunk("data", body));
    qToLittleEndian(0xFFFFFFFFu, huge.data() + 4);
    QTest::newRow("riff ffffffff") << huge;
    qToLittleEndian(0xFFFFFFF8u, huge.data() + 4);
    QTest::newRow("riff fffffff8") << huge;
}

void TestWaveImage::hugeChunkLengthsAreRejected()
{
    QFETCH(QByteArray, image);
    QVERIFY(!parseExact(image));
}

void TestWaveImage::imagesLackingPartsAreRejected_data()
{
    QTest::addColumn<QByteArray>("image");
    const QByteArray fmt = chunk("fmt ", fmtBody({}));
    const QByteArray data = chunk("data", samples(8));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("only the header") << riff({});
    QTest::newRow("no format") << riff(data);
    QTest::newRow("no data") << riff(fmt + chunk("fact", le32(4)));
    QTest::newRow("data before format") << riff(data + fmt);
    QTest::newRow("two formats") << riff(fmt + fmt + data);
    QTest::newRow("two data chunks") << riff(fmt + data + data);
    QTest::newRow("short fact") << riff(fmt + chunk("fact", "ab") + data);
    QTest::newRow("stray bytes after data") << riff(fmt + data + "LIST");
    QTest::newRow("not RIFF") << "RIFX" + riff(fmt + data).sliced(4);
    QTest::newRow("not WAVE") << riff(fmt + data).replace("WAVE", "AVI ");
    QTest::newRow("riff length below WAVE") << "RIFF" + le32(2) + "WAVE" + fmt + data;
}

void TestWaveImage::imagesLackingPartsAreRejected()
{
    QFETCH(QByteArray, image);
    QVERIFY(!parseExact(image));
}

void TestWaveImage::aPartialFrameAtTheEndIsNotCounted()
{
    const Format format {1, 2, 44100, 16};
    const auto wave = parseExact(riff(chunk("fmt ", fmtBody(format)) + chunk("data", samples(10))));
    QVERIFY(wave);
    QCOMPARE(wave->dataSize, 10);
    QCOMPARE(wave->frames(), 2);
    QCOMPARE(wave->durationMs(), 2000.0 / 44100);
}

QTEST_GUILESS_MAIN(TestWaveImage)
#include "tst_waveimage.moc"
