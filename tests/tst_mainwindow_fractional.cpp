#include "support/MainWindowFixture.h"
#include "ui/frmAbout.h"

#include <QImage>
#include <QSet>

// Runs at device pixel ratios of 1.5 and 1.25 (QT_SCALE_FACTOR), where a
// cell is not a whole number of device pixels of any picture.
class MainWindowFractionalRatioTest : public QObject
{
    Q_OBJECT

private slots:
    void theSheetShowsOnlyPaletteGreysWithoutSeams();
    void theAboutPicturesShowOnlyPaletteGreys();
};

namespace {

// The greys in `image` that are not in the pictures' palette.
QSet<QRgb> strayGreys(const QImage &image)
{
    const QList<QRgb> palette = QImage(QStringLiteral(":/pictures/unpopped.bmp")).colorTable();
    QSet<QRgb> stray;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!palette.contains(image.pixel(x, y) | 0xFF000000))
                stray.insert(image.pixel(x, y));
    return stray;
}

} // namespace

void MainWindowFractionalRatioTest::theSheetShowsOnlyPaletteGreysWithoutSeams()
{
    // How far apart in device pixels the unpopped sheet repeats: at 1.5 a cell is
    // 75 x 60; at 1.25 two cells are 125 wide and one is 50 high.
    const QSize repeat = qApp->devicePixelRatio() == 1.5 ? QSize(75, 60) : QSize(125, 50);
    MainWindowFixture f;
    f.start(QSize(400, 300));
    SheetArea &area = f.sheetArea();
    const QImage sheet = area.grab(area.contentsRect()).toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(sheet.width() > 2 * repeat.width() && sheet.height() > 2 * repeat.height());
    QCOMPARE(strayGreys(sheet), QSet<QRgb>());
    // Every cell's edges on the same device pixels of its picture: no seam, no gap, no drift.
    for (int y = 0; y + repeat.height() < sheet.height(); ++y)
        for (int x = 0; x + repeat.width() < sheet.width(); ++x)
            if (sheet.pixel(x, y) != sheet.pixel(x + repeat.width(), y) || sheet.pixel(x, y) != sheet.pixel(x, y + repeat.height()))
                QFAIL(qPrintable(QStringLiteral("the sheet does not repeat at device pixel %1, %2").arg(x).arg(y)));

    for (int column = 1; column <= 4; ++column)
        f.click(f.sheet().bubbleIndex(qint16(column), 1));
    QCOMPARE(strayGreys(area.grab(area.contentsRect()).toImage()), QSet<QRgb>());
}

void MainWindowFractionalRatioTest::theAboutPicturesShowOnlyPaletteGreys()
{
    MainWindowFixture f;
    frmAbout about(f.load(), 0, [] {});
    about.show();
    QCOMPARE(strayGreys(about.grab(QRect(0, 0, 50, 240)).toImage()), QSet<QRgb>());
}

QTEST_MAIN(MainWindowFractionalRatioTest)
#include "tst_mainwindow_fractional.moc"
