#include "support/SheetFixture.h"

#include "support/ErrorCode.h"

#include <QTest>

class TestBubbleSheet : public QObject
{
    Q_OBJECT

private slots:
    void sheetCoversTheWholeScreen_data()
    {
        QTest::addColumn<QSize>("screenPixels");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::newRow("640 x 480") << QSize(640, 480) << 13 << 13;
        QTest::newRow("800 x 600, an exact fit still adds a row") << QSize(800, 600) << 17 << 16;
        QTest::newRow("7680 x 4320") << QSize(7680, 4320) << 154 << 109;
    }

    void sheetCoversTheWholeScreen()
    {
        QFETCH(QSize, screenPixels);
        QFETCH(int, columns);
        QFETCH(int, rows);
        SheetFixture f;
        f.window.screen = QSizeF(screenPixels) * 15;
        f.sheet.BuildSheet();
        QCOMPARE(f.sheet.columns(), columns);
        QCOMPARE(f.sheet.rows(), rows);
        QCOMPARE(f.sheet.numBubbles(), columns * rows);
        QCOMPARE(f.window.created, 1);
        for (qint16 k = 1; k <= f.sheet.numBubbles(); ++k)
            QVERIFY(f.sheet.isUnpopped(k));
    }

    void bubblesAreNumberedDownTheColumns()
    {
        SheetFixture f;
        f.sheet.BuildSheet();
        QCOMPARE(f.sheet.numBubbles(), 272);
        QCOMPARE(f.sheet.bubbleRect(16), QRectF(0, 15 * 600, 750, 600));
        QCOMPARE(f.sheet.bubbleRect(17), QRectF(750, 0, 750, 600));
        QCOMPARE(f.sheet.bubbleRect(272), QRectF(16 * 750, 15 * 600, 750, 600));
        QCOMPARE(f.sheet.bubbleAt(QPointF(10, 15 * 600 + 599)), qint16(16));
        QCOMPARE(f.sheet.bubbleAt(QPointF(750, 0)), qint16(17));
        QCOMPARE(f.sheet.bubbleAt(QPointF(749.9, 599.9)), qint16(1));
        QCOMPARE(f.sheet.bubbleAt(QPointF(17 * 750, 0)), qint16(0));
        QCOMPARE(f.sheet.bubbleAt(QPointF(-1, 10)), qint16(0));
    }

    void aSheetTooLargeForItsCountersIsAnOverflow()
    {
        SheetFixture f;
        f.window.screen = QSizeF(200000, 200000) * 15; // 4001 x 5001 cells
        QCOMPARE(errorCodeOf([&] { f.sheet.BuildSheet(); }), RuntimeError::Overflow);
    }

    void visibleCountFollowsTheSheetArea_data()
    {
        QTest::addColumn<QSizeF>("innerPixels");
        QTest::addColumn<int>("visible");
        QTest::newRow("the designed window") << QSizeF(288, 170) << 24;
        QTest::newRow("40 % of a column counts") << QSizeF(20, 40) << 1;
        QTest::newRow("less than 40 % does not") << QSizeF(19.9, 40) << 0;
        QTest::newRow("35 % of a row counts") << QSizeF(50, 14) << 1;
        QTest::newRow("less than 35 % does not") << QSizeF(50, 13.9) << 0;
        QTest::newRow("nothing shown") << QSizeF(0, 0) << 0;
        QTest::newRow("a large window") << QSizeF(1900, 1000) << 38 * 25;
    }

    void visibleCountFollowsTheSheetArea()
    {
        QFETCH(QSizeF, innerPixels);
        QFETCH(int, visible);
        SheetFixture f;
        f.sheet.BuildSheet();
        f.window.inner = innerPixels * 15;
        f.sheet.CountVisible();
        QCOMPARE(f.sheet.numVisible(), visible);
    }

    void visibleCountOverflowsPastSixteenBits()
    {
        SheetFixture f;
        f.window.inner = QSizeF(12000, 6000) * 15; // 240 x 150 cells
        QCOMPARE(errorCodeOf([&] { f.sheet.CountVisible(); }), RuntimeError::Overflow);
    }

    void popShowsThePictureBeforeItsClipAndCount()
    {
        SheetFixture f;
        f.sheet.BuildSheet();
        f.random.values = {0.99f};
        f.sheet.PopBubble(5);
        QCOMPARE(f.sheet.poppedVariant(5), 3);
        QCOMPARE(f.sheet.numPopped(), 1);
        QCOMPARE(f.log, QStringList({"repaint 5", "play 105", "label 1 bubbles popped!"}));
        QCOMPARE(f.audio.plays().first().mode, AudioBackend::Mode::Asynchronous);
    }

    void eachPoppedPictureComesWithItsOwnClip()
    {
        SheetFixture f;
        f.sheet.BuildSheet();
        f.random.values = {0.0f, 0.25f, 0.5f, 0.75f, 0.2499f};
        for (qint16 k = 1; k <= 5; ++k)
            f.sheet.PopBubble(k);
        QCOMPARE(f.playedClips(), QList<int>({103, 104, 101, 105, 103}));
        QCOMPARE(f.sheet.poppedVariant(1), 0);
        QCOMPARE(f.sheet.poppedVariant(4), 3);
        QCOMPARE(f.sheet.poppedVariant(5), 0);
    }

    void clickOnAPoppedBubbleOnlyDrawsItsNumber()
    {
        SheetFixture f;
        f.sheet.BuildSheet();
        f.random.values = {0.0f, 0.9f};
        f.sheet.PopBubble(7);
        f.log.clear();
        f.sheet.PopBubble(7);
        QCOMPARE(f.random.draws, 2);
        QVERIFY(f.log.isEmpty());
        QCOMPARE(f.sheet.poppedVariant(7), 0);
        QCOMPARE(f.sheet.numPopped(), 1);
        QCOMPARE(f.sheet.numSheetPops(), 1);
    }

    void bubblesOutsideTheVisibleAreaCanBePopped()
    {
        SheetFixture f;
        f.sheet.BuildSheet();
        f.sheet.PopBubble(272);
        QCOMPARE(f.sheet.numPopped(), 1);
        QVERIFY(!f.sheet.isUnpopped(272));
    }

    void resetPlaysItsClipThenRestoresEveryBubble()
    {
        SheetFixture f;
        f.sheet.BuildSheet();
        f.sheet.PopBubble(1);
        f.sheet.PopBubble(272);
        f.log.clear();
        f.sheet.ResetSheet();
        QCOMPARE(f.log, QStringList({"play 102"}));
        QCOMPARE(f.window.restored, 1);
        for (qint16 k = 1; k <= f.sheet.numBubbles(); ++k)
            QVERIFY(f.sheet.isUnpopped(k));
        QCOMPARE(f.sheet.numPopped(), 2);
    }

    void resetOfAnUntouchedSheetStillPlaysItsClip()
    {
        SheetFixture f;
        f.sheet.BuildSheet();
        f.sheet.ResetSheet();
        QCOMPARE(f.playedClips(), QList<int>({102}));
    }

    void lifetimeCountOverflowIsARunTimeError()
    {
        SheetFixture f;
        f.sheet.BuildSheet();
        f.sheet.setNumPopped(2147483647);
        QCOMPARE(errorCodeOf([&] { f.sheet.PopBubble(1); }), RuntimeError::Overflow);
    }
};

QTEST_MAIN(TestBubbleSheet)
#include "tst_bubblesheet.moc"
