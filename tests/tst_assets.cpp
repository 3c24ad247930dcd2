#include "platform/Resources.h"
#include "support/ClipFormats.h"
#include "sound/WaveImage.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtEndian>
#include <QTest>

#include <algorithm>
#include <cmath>

namespace {

QByteArray resourceBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint16 le16(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 le32(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

// The samples of a clip in [-1, 1], channels interleaved.
QList<double> samplesOf(const QByteArray &image, const WaveImage &wave)
{
    QList<double> samples;
    const char *data = image.constData() + wave.dataOffset;
    if (wave.bitsPerSample == 8) {
        for (qsizetype i = 0; i < wave.dataSize; ++i)
            samples.append((quint8(data[i]) - 128) / 128.0);
    } else {
        for (qsizetype i = 0; i + 1 < wave.dataSize; i += 2)
            samples.append(qFromLittleEndian<qint16>(data + i) / 32768.0);
    }
    return samples;
}

double peakOf(const QList<double> &samples, qsizetype from, qsizetype to)
{
    double peak = 0.0;
    for (qsizetype i = std::max<qsizetype>(from, 0); i < std::min(to, samples.size()); ++i)
        peak = std::max(peak, std::fabs(samples[i]));
    return peak;
}

const QStringList kPictures{QStringLiteral("unpopped"), QStringLiteral("popped0"), QStringLiteral("popped1"),
                            QStringLiteral("popped2"), QStringLiteral("popped3")};

int strayEdgePixels(const QImage &image)
{
    int stray = 0;
    for (int x = 0; x < image.width(); ++x)
        for (int y : {0, image.height() - 1})
            stray += qGray(image.pixel(x, y)) != 123;
    for (int y = 1; y < image.height() - 1; ++y)
        for (int x : {0, image.width() - 1})
            stray += qGray(image.pixel(x, y)) != 123;
    return stray;
}

// The share of the pixels within 14 pixels (at scale 1) of the centre that are not plain sheet.
double shadedShareOfMiddle(const QImage &image, int scale)
{
    int shaded = 0, all = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int dx = x - 25 * scale, dy = y - 20 * scale;
            if (dx * dx + dy * dy > 14 * 14 * scale * scale)
                continue;
            ++all;
            shaded += qGray(image.pixel(x, y)) != 123;
        }
    }
    return double(shaded) / all;
}

// The brightest grey in the given part of the picture.
int brightestIn(const QImage &image, const QRect &part)
{
    int brightest = 0;
    for (int y = part.top(); y <= part.bottom(); ++y)
        for (int x = part.left(); x <= part.right(); ++x)
            brightest = std::max(brightest, qGray(image.pixel(x, y)));
    return brightest;
}

// How far, in grey levels on average, each pixel of `small` is from the
// mean of the pixels of `large` that cover the same spot.
double meanDifference(const QImage &small, const QImage &large)
{
    const QImage averaged = large.convertToFormat(QImage::Format_RGB32).scaled(small.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double sum = 0;
    for (int y = 0; y < small.height(); ++y)
        for (int x = 0; x < small.width(); ++x)
            sum += std::abs(qGray(small.pixel(x, y)) - qGray(averaged.pixel(x, y)));
    return sum / (small.width() * small.height());
}

bool hasColour(const QImage &image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 255 && (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                return true;
    return false;
}

} // namespace

class TestAssets : public QObject
{
    Q_OBJECT

private slots:
    void generatorReproducesTheCommittedFilesByteForByte();
    void everyClipHasItsFormat_data();
    void everyClipHasItsFormat();
    void everyClipStartsAndEndsInSilenceAndNeverClips_data();
    void everyClipStartsAndEndsInSilenceAndNeverClips();
    void everyPictureIsAFourBitGreyBitmapOnSheetGrey_data();
    void everyPictureIsAFourBitGreyBitmapOnSheetGrey();
    void theFivePicturesAreAllDifferent();
    void theUnpoppedBubbleShinesAtItsUpperRight();
    void theProgramIconIsOneSixteenColourImageWithAMask();
    void theAboutIconHasThreeImagesOfTheirDepths();
    void theAboutIconIsDrawnAtTwiceAndThreeTimesItsSize();
    void everyHicolorIconIsDrawnSmoothlyAtItsSize_data();
    void everyHicolorIconIsDrawnSmoothlyAtItsSize();
    void theScalableIconIsWellFormedSvgInTheIconsColours();
    void theAboutTextsAreSingleSentencesNamingProgramYearAndMaker();
};

void TestAssets::generatorReproducesTheCommittedFilesByteForByte()
{
    QTemporaryDir out;
    QVERIFY(out.isValid());
    QProcess generator;
    generator.start(QStringLiteral(PLINKETY_ASSETGEN), {out.path()});
    QVERIFY(generator.waitForFinished(120000));
    QCOMPARE(generator.exitStatus(), QProcess::NormalExit);
    QCOMPARE(generator.exitCode(), 0);

    const QDir committed(QStringLiteral(PLINKETY_RESOURCES_DIR));
    int compared = 0;
    QDirIterator it(out.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString generated = it.next();
        const QString relative = QDir(out.path()).relativeFilePath(generated);
        QFile mine(committed.filePath(relative));
        QVERIFY2(mine.open(QIODevice::ReadOnly), qPrintable(relative + QStringLiteral(" is not committed")));
        QVERIFY2(mine.readAll() == resourceBytes(generated),
                 qPrintable(relative + QStringLiteral(" differs from what the generator makes")));
        ++compared;
    }
    // 8 clips, 5 pictures at 3 scales, 2 icons, the About icon at 2 more scales,
    // the application icon at 8 sizes and as SVG, 2 texts.
    QCOMPARE(compared, 38);

    // Nor is anything committed that the generator no longer makes.
    QDirIterator kept(committed.path(), QDir::Files, QDirIterator::Subdirectories);
    while (kept.hasNext()) {
        const QString relative = committed.relativeFilePath(kept.next());
        QVERIFY2(relative == QStringLiteral("CMakeLists.txt") || QFile::exists(QDir(out.path()).filePath(relative)),
                 qPrintable(relative + QStringLiteral(" is committed but no longer generated")));
    }
}

void TestAssets::everyClipHasItsFormat_data()
{
    addClipFormatRows();
}

void TestAssets::everyClipHasItsFormat()
{
    QFETCH(int, id);
    QFETCH(int, channels);
    QFETCH(int, rate);
    QFETCH(int, bits);
    QFETCH(int, dataBytes);
    QFETCH(int, frames);
    QFETCH(bool, hasFact);

    const QByteArray image = Resources::LoadResData(qint16(id));
    QCOMPARE(le32(image, 4), quint32(image.size() - 8));
    const auto wave = WaveImage::parse(image);
    QVERIFY(wave);
    QCOMPARE(wave->formatTag, quint16(1));
    QCOMPARE(wave->fmtChunkSize, 18u);
    QCOMPARE(wave->extraSize, quint16(0));
    QCOMPARE(wave->channels, quint16(channels));
    QCOMPARE(wave->sampleRate, quint32(rate));
    QCOMPARE(wave->bitsPerSample, quint16(bits));
    QCOMPARE(wave->dataSize, qsizetype(dataBytes));
    QCOMPARE(wave->frames(), qsizetype(frames));
    const QList<QByteArray> order = hasFact ? QList<QByteArray>{"fmt ", "fact", "data"}
                                            : QList<QByteArray>{"fmt ", "data"};
    QCOMPARE(wave->chunkIds, order);
    if (hasFact)
        QCOMPARE(wave->factFrames, std::optional<quint32>(quint32(frames)));
    else
        QVERIFY(!wave->factFrames);
}

void TestAssets::everyClipStartsAndEndsInSilenceAndNeverClips_data()
{
    QTest::addColumn<int>("id");
    for (int id = 101; id <= 108; ++id)
        QTest::newRow(qPrintable(QString::number(id))) << id;
}

void TestAssets::everyClipStartsAndEndsInSilenceAndNeverClips()
{
    QFETCH(int, id);
    const QByteArray image = Resources::LoadResData(qint16(id));
    const auto wave = WaveImage::parse(image);
    QVERIFY(wave);
    const QList<double> samples = samplesOf(image, *wave);
    const qsizetype edge = 2 * wave->channels; // the first and last two frames
    const double peak = peakOf(samples, 0, samples.size());
    QVERIFY2(peak < 0.99, qPrintable(QStringLiteral("peak %1").arg(peak)));
    QVERIFY2(peak > 0.4, qPrintable(QStringLiteral("peak %1: hardly audible").arg(peak)));
    QVERIFY(peakOf(samples, 0, edge) <= 1.0 / 128);
    QVERIFY(peakOf(samples, samples.size() - edge, samples.size()) <= 1.0 / 128);
}

void TestAssets::everyPictureIsAFourBitGreyBitmapOnSheetGrey_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("scale");
    for (const QString &name : kPictures) {
        QTest::newRow(qPrintable(name)) << QStringLiteral(":/pictures/%1.bmp").arg(name) << 1;
        for (int scale : {2, 3}) {
            const QString scaled = QStringLiteral("%1@%2x").arg(name).arg(scale);
            QTest::newRow(qPrintable(scaled)) << QStringLiteral(":/pictures/%1.bmp").arg(scaled) << scale;
        }
    }
}

void TestAssets::everyPictureIsAFourBitGreyBitmapOnSheetGrey()
{
    QFETCH(QString, path);
    QFETCH(int, scale);
    const QByteArray bmp = resourceBytes(path);
    QVERIFY(bmp.size() > 54);
    QCOMPARE(bmp.first(2), QByteArray("BM"));
    QCOMPARE(le32(bmp, 2), quint32(bmp.size()));
    QCOMPARE(le32(bmp, 14), 40u); // BITMAPINFOHEADER
    QCOMPARE(qint32(le32(bmp, 18)), 50 * scale);
    QCOMPARE(std::abs(qint32(le32(bmp, 22))), 40 * scale);
    QCOMPARE(le16(bmp, 28), quint16(4));
    QCOMPARE(le32(bmp, 30), 0u); // uncompressed
    const quint32 colours = le32(bmp, 46) ? le32(bmp, 46) : 16;
    QCOMPARE(colours, 16u);
    bool sheetGrey = false;
    for (int i = 0; i < 16; ++i) {
        const qsizetype at = 54 + 4 * i;
        QVERIFY2(bmp[at] == bmp[at + 1] && bmp[at + 1] == bmp[at + 2], "palette entry is not a grey");
        sheetGrey = sheetGrey || quint8(bmp[at]) == 123;
    }
    QVERIFY(sheetGrey);

    const QImage image(path);
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), QSize(50, 40) * scale);
    QCOMPARE(image.colorCount(), 16);
    QVERIFY(image.allGray());
    // One palette for all: the sheet shows the same sixteen greys at any ratio.
    QCOMPARE(image.colorTable(), QImage(QStringLiteral(":/pictures/unpopped.bmp")).colorTable());
    QVERIFY(strayEdgePixels(image) <= 3 * scale);
    QVERIFY2(shadedShareOfMiddle(image, scale) > 1.0 / 3, "no bubble in the middle");
    // Drawn larger, the same bubble: about 1.5 grey levels from its 50 x 40 picture, two bubbles 7 or more.
    const QImage small(QString(path).remove(QStringLiteral("@%1x").arg(scale)));
    QVERIFY2(meanDifference(small, image) < 3, qPrintable(QString::number(meanDifference(small, image))));
}

void TestAssets::theFivePicturesAreAllDifferent()
{
    QList<QImage> images;
    for (const QString &name : kPictures)
        images.append(QImage(QStringLiteral(":/pictures/%1.bmp").arg(name)));
    for (qsizetype i = 0; i < images.size(); ++i)
        for (qsizetype j = i + 1; j < images.size(); ++j)
            QVERIFY2(images[i] != images[j], qPrintable(kPictures[i] + QStringLiteral(" = ") + kPictures[j]));
}

void TestAssets::theUnpoppedBubbleShinesAtItsUpperRight()
{
    const QImage image(QStringLiteral(":/pictures/unpopped.bmp"));
    const int upperRight = brightestIn(image, QRect(25, 0, 25, 20));
    QVERIFY(upperRight >= 230);
    QVERIFY(brightestIn(image, QRect(0, 0, 25, 40)) < upperRight);
    QVERIFY(brightestIn(image, QRect(25, 20, 25, 20)) < upperRight);
}

void TestAssets::theProgramIconIsOneSixteenColourImageWithAMask()
{
    const QByteArray ico = resourceBytes(QStringLiteral(":/icons/plinkety.ico"));
    QVERIFY(ico.size() > 22);
    QCOMPARE(le16(ico, 0), quint16(0));
    QCOMPARE(le16(ico, 2), quint16(1));
    QCOMPARE(le16(ico, 4), quint16(1));
    QCOMPARE(quint8(ico[6]), quint8(32));
    QCOMPARE(quint8(ico[7]), quint8(32));
    const quint32 offset = le32(ico, 18);
    QCOMPARE(le32(ico, 14), quint32(40 + 16 * 4 + 32 * 16 + 32 * 4)); // header, palette, colours, mask
    QCOMPARE(le32(ico, offset), 40u);
    QCOMPARE(qint32(le32(ico, offset + 8)), 64); // colour bitmap and mask
    QCOMPARE(le16(ico, offset + 14), quint16(4));

    QImageReader reader(QStringLiteral(":/icons/plinkety.ico"));
    QCOMPARE(reader.imageCount(), 1);
    const QImage image = reader.read();
    QCOMPARE(image.size(), QSize(32, 32));
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);   // the mask leaves the corners out
    QCOMPARE(qAlpha(image.pixel(16, 16)), 255);
    for (const QRgb colour : {qRgb(255, 255, 0), qRgb(255, 0, 0), qRgb(0, 0, 255)})
        QVERIFY(hasColour(image, colour));
}

void TestAssets::theAboutIconHasThreeImagesOfTheirDepths()
{
    const QByteArray ico = resourceBytes(QStringLiteral(":/icons/about.ico"));
    QVERIFY(ico.size() > 6 + 3 * 16);
    QCOMPARE(le16(ico, 4), quint16(3));
    const quint16 depths[3] = {4, 1, 4};
    for (int i = 0; i < 3; ++i) {
        const qsizetype entry = 6 + 16 * i;
        QCOMPARE(quint8(ico[entry]), quint8(32));
        QCOMPARE(quint8(ico[entry + 1]), quint8(32));
        QCOMPARE(le16(ico, entry + 6), depths[i]);
        const quint32 offset = le32(ico, entry + 12);
        QCOMPARE(le32(ico, offset), 40u);
        QCOMPARE(le16(ico, offset + 14), depths[i]);
    }

    QImageReader reader(QStringLiteral(":/icons/about.ico"));
    QCOMPARE(reader.imageCount(), 3);
    const QRgb discs[3] = {qRgb(255, 255, 255), qRgb(255, 255, 255), qRgb(0, 128, 0)};
    const QRgb marks[3] = {qRgb(255, 0, 0), qRgb(0, 0, 0), qRgb(255, 255, 255)};
    for (int i = 0; i < 3; ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage image = reader.read();
        QCOMPARE(image.size(), QSize(32, 32));
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QVERIFY2(hasColour(image, discs[i]), qPrintable(QString::number(i)));
        QVERIFY2(hasColour(image, marks[i]), qPrintable(QString::number(i)));
    }
}

void TestAssets::theAboutIconIsDrawnAtTwiceAndThreeTimesItsSize()
{
    for (int scale : {2, 3}) {
        const QImage image(QStringLiteral(":/icons/about@%1x.png").arg(scale));
        QCOMPARE(image.size(), QSize(32, 32) * scale);
        // The colour image: a red question mark on a white disc, nothing around it.
        QVERIFY(qAlpha(image.pixel(0, 0)) == 0 && hasColour(image, qRgb(255, 255, 255)) && hasColour(image, qRgb(255, 0, 0)));
    }
}

void TestAssets::everyHicolorIconIsDrawnSmoothlyAtItsSize_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        QTest::newRow(qPrintable(QString::number(size))) << size;
}

void TestAssets::everyHicolorIconIsDrawnSmoothlyAtItsSize()
{
    QFETCH(int, size);
    const QImage image(QStringLiteral(PLINKETY_RESOURCES_DIR "/icons/hicolor/%1x%1/plinkety.png").arg(size));
    QCOMPARE(image.size(), QSize(size, size));
    QVERIFY(image.hasAlphaChannel());
    const int last = size - 1;
    for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
        QCOMPARE(qAlpha(image.pixel(corner)), 0);
    QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
    for (const QRgb colour : {qRgb(255, 255, 0), qRgb(255, 0, 0), qRgb(0, 0, 255)})
        QVERIFY(hasColour(image, colour));
    // Drawn at its size, the soft edge is a pixel wide, about 5.5 pixels per pixel
    // of width; enlarging the 32 px picture would widen it as much as the picture.
    int soft = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            soft += qAlpha(image.pixel(x, y)) > 0 && qAlpha(image.pixel(x, y)) < 255;
    QVERIFY2(soft > 5 * size && soft < 6 * size, qPrintable(QStringLiteral("%1 soft pixels").arg(soft)));
}

void TestAssets::theScalableIconIsWellFormedSvgInTheIconsColours()
{
    QXmlStreamReader svg(resourceBytes(QStringLiteral(PLINKETY_RESOURCES_DIR "/icons/hicolor/scalable/plinkety.svg")));
    QVERIFY(svg.readNextStartElement());
    QCOMPARE(svg.name(), QStringLiteral("svg"));
    const QXmlStreamAttributes box = svg.attributes();
    QCOMPARE(box.value(QStringLiteral("viewBox")), QStringLiteral("0 0 32 32"));
    QVERIFY(box.value(QStringLiteral("width")) == u"32" && box.value(QStringLiteral("height")) == u"32");
    QStringList fills;
    while (!svg.atEnd())
        if (svg.readNext() == QXmlStreamReader::StartElement && svg.attributes().hasAttribute(QStringLiteral("fill")))
            fills.append(svg.name().toString() + u' ' + svg.attributes().value(QStringLiteral("fill")).toString());
    QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
    // Back to front: the rimmed red star, the yellow star, the exclamation bar and dot.
    QCOMPARE(fills, QStringList({QStringLiteral("polygon #800000"), QStringLiteral("polygon #FF0000"),
                                 QStringLiteral("polygon #FFFF00"), QStringLiteral("polygon #0000FF"),
                                 QStringLiteral("circle #0000FF")}));
}

void TestAssets::theAboutTextsAreSingleSentencesNamingProgramYearAndMaker()
{
    const QString notice = Resources::LoadResString(101);
    const QString contact = Resources::LoadResString(103);
    static const QRegularExpression oneSentence(QStringLiteral("^[A-Z][^.!?\\r\\n]*[.!?]$"));
    for (const QString &text : {notice, contact}) {
        QVERIFY2(oneSentence.match(text).hasMatch(), qPrintable(text));
        QVERIFY2(text.size() <= 160, qPrintable(text)); // fits the About window's text box
    }
    QVERIFY(notice.contains(QStringLiteral("Plinkety")));
    QVERIFY(notice.contains(QStringLiteral("1999")));
    QVERIFY(notice.contains(QStringLiteral("Veltrano Computing Services")));
    QVERIFY(contact.contains(QStringLiteral("write to Veltrano Computing Services")));
}

QTEST_MAIN(TestAssets)
#include "tst_assets.moc"
