#include "tst_mainwindow_support.h"
#include "ui/frmAbout.h"

#include <QImage>
#include <QLabel>
#include <QSet>

// Runs at device pixel ratios of 1.5 and 1.25 (QT_SCALE_FACTOR), where a
// cell is not a whole number of device pixels of any picture.
class MainWindowFractionalRatioTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void theSheetShowsOnlyPaletteGreysWithoutSeams();
    void theAboutPicturesShowOnlyPaletteGreys();

private:
    // The greys of the pictures' palette that are not in `image`.
    static QString strayGreys(const QImage &image);
    // How far apart, in device pixels, the unpopped sheet repeats itself.
    QSize m_repeat;
};

void MainWindowFractionalRatioTest::initTestCase()
{
    const qreal ratio = qApp->devicePixelRatio();
    QVERIFY(ratio == 1.5 || ratio == 1.25);
    // At 1.5 a cell is 75 x 60 device pixels; at 1.25 two cells are 125 wide, one is 50 high.
    m_repeat = ratio == 1.5 ? QSize(75, 60) : QSize(125, 50);
}

QString MainWindowFractionalRatioTest::strayGreys(const QImage &image)
{
    const QList<QRgb> greys = QImage(QStringLiteral(":/pictures/unpopped.bmp")).colorTable();
    const QSet<QRgb> palette(greys.begin(), greys.end());
    QSet<QString> stray;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!palette.contains(image.pixel(x, y) | 0xFF000000))
                stray.insert(QColor(image.pixel(x, y)).name());
    return QStringList(stray.begin(), stray.end()).join(u' ');
}

void MainWindowFractionalRatioTest::theSheetShowsOnlyPaletteGreysWithoutSeams()
{
    MainWindowFixture f;
    f.start(QSize(400, 300));
    SheetArea &area = f.sheetArea();
    const QImage sheet = area.grab(area.contentsRect()).toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(sheet.width() > 2 * m_repeat.width() && sheet.height() > 2 * m_repeat.height());
    QCOMPARE(strayGreys(sheet), QString());
    // Every cell's edges on the same device pixels of its picture: no seam, no gap, no drift.
    for (int y = 0; y + m_repeat.height() < sheet.height(); ++y)
        for (int x = 0; x + m_repeat.width() < sheet.width(); ++x)
            if (sheet.pixel(x, y) != sheet.pixel(x + m_repeat.width(), y)
                || sheet.pixel(x, y) != sheet.pixel(x, y + m_repeat.height()))
                QFAIL(qPrintable(QStringLiteral("the sheet does not repeat at device pixel %1, %2").arg(x).arg(y)));

    for (int column = 1; column <= 4; ++column)
        f.click(f.sheet().bubbleIndex(qint16(column), 1));
    QCOMPARE(strayGreys(area.grab(area.contentsRect()).toImage()), QString());
}

void MainWindowFractionalRatioTest::theAboutPicturesShowOnlyPaletteGreys()
{
    MainWindowFixture f;
    frmAbout about(f.load());
    about.show();
    const QImage pictures = about.grab(QRect(0, 0, 50, 240)).toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(strayGreys(pictures), QString());
    const QImage first = about.findChild<QLabel *>(QStringLiteral("imgUnPopped0"))->grab().toImage();
    const QImage last = about.findChild<QLabel *>(QStringLiteral("imgUnPopped5"))->grab().toImage();
    QCOMPARE(last, first);
}

QTEST_MAIN(MainWindowFractionalRatioTest)
#include "tst_mainwindow_fractional.moc"
