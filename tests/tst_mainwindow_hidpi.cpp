#include "support/MainWindowFixture.h"

#include "ui/frmAbout.h"

#include <QImage>
#include <QLabel>

// Runs at a device pixel ratio of 2 and again at 3 (QT_SCALE_FACTOR).
class MainWindowHiDpiTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(ratio() == 2 || ratio() == 3); }
    void twipsAreFifteenToALogicalPixel();
    void bubblesAreDrawnFromTheirOwnArtPixelForPixel();
    void aPressPopsTheBubbleUnderIt();

private:
    static int ratio() { return int(qApp->devicePixelRatio()); }
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

void MainWindowHiDpiTest::bubblesAreDrawnFromTheirOwnArtPixelForPixel()
{
    MainWindowFixture f;
    f.start();
    f.random.values = {0.8f};
    f.click(f.sheet().bubbleIndex(2, 1));
    const QList<std::pair<qint16, QString>> cells {{f.sheet().bubbleIndex(1, 1), "unpopped"},
                                                    {f.sheet().bubbleIndex(2, 1), "popped3"}};
    for (const auto &[k, name] : cells) {
        const QImage art = QImage(QStringLiteral(":/pictures/%1@%2x.bmp").arg(name).arg(ratio()))
                               .convertToFormat(QImage::Format_RGB32);
        const QImage shown = f.sheetArea().grab(f.sheetArea().cellRect(k)).toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), QSize(50, 40) * ratio());
        QVERIFY2(shown == art, qPrintable(name));
    }
    // The About window's pictures alike.
    frmAbout about(*f.window, f.window->numPopped(), [] {});
    about.show();
    const QImage art = QImage(QStringLiteral(":/pictures/unpopped@%1x.bmp").arg(ratio())).convertToFormat(QImage::Format_RGB32);
    for (int k = 0; k < frmAbout::pictureCount; ++k)
        QCOMPARE(about.findChild<QLabel *>(QStringLiteral("imgUnPopped%1").arg(k))->grab().toImage().convertToFormat(QImage::Format_RGB32), art);
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
