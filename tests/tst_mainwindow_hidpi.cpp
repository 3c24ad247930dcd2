#include "tst_mainwindow_support.h"

#include <QImage>

// Runs at a device pixel ratio of 2 (QT_SCALE_FACTOR=2).
class MainWindowHiDpiTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(qApp->devicePixelRatio(), 2.0); }
    void twipsAreFifteenToALogicalPixel();
    void bubblesAreScaledByWholePixelsWithoutSmoothing();
    void aPressPopsTheBubbleUnderIt();
};

void MainWindowHiDpiTest::twipsAreFifteenToALogicalPixel()
{
    MainWindowFixture f;
    frmPlinkety &window = f.start();
    QCOMPARE(window.frameGeometry(), QRect(13, 13, 300, 233));
    QCOMPARE(window.menuBox()->height(), 17);
    QCOMPARE(window.button(0)->size(), QSize(41, 13));
    QCOMPARE(f.sheetArea().cellRect(1).size(), QSize(50, 40));
}

void MainWindowHiDpiTest::bubblesAreScaledByWholePixelsWithoutSmoothing()
{
    MainWindowFixture f;
    f.start();
    f.random.values = {0.8f};
    f.click(f.sheet().bubbleIndex(2, 1));
    const QList<std::pair<qint16, QString>> cells {{f.sheet().bubbleIndex(1, 1), "unpopped"},
                                                    {f.sheet().bubbleIndex(2, 1), "popped3"}};
    for (const auto &[k, name] : cells) {
        const QImage picture = QImage(QStringLiteral(":/pictures/%1.bmp").arg(name)).convertToFormat(QImage::Format_RGB32);
        const QImage shown = f.sheetArea().grab(f.sheetArea().cellRect(k)).toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), picture.size() * 2);
        // Every picture pixel becomes a block of 2 x 2 device pixels of exactly its colour.
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (shown.pixel(x, y) != picture.pixel(x / 2, y / 2))
                    QFAIL(qPrintable(QStringLiteral("%1: device pixel %2, %3 differs").arg(name).arg(x).arg(y)));
    }
}

void MainWindowHiDpiTest::aPressPopsTheBubbleUnderIt()
{
    MainWindowFixture f;
    frmPlinkety &window = f.start();
    const qint16 k = f.sheet().bubbleIndex(3, 2);
    const QRect cell = f.sheetArea().cellRect(k);
    QTest::mousePress(&f.sheetArea(), Qt::LeftButton, {}, cell.topLeft());
    QTest::mousePress(&f.sheetArea(), Qt::LeftButton, {}, cell.bottomRight() + QPoint(1, 0));
    QVERIFY(!f.sheet().isUnpopped(k));
    QVERIFY(!f.sheet().isUnpopped(f.sheet().bubbleIndex(4, 2)));
    QCOMPARE(window.numPopped(), 2);
}

QTEST_MAIN(MainWindowHiDpiTest)
#include "tst_mainwindow_hidpi.moc"
