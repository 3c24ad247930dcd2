#include "support/SheetFixture.h"

#include <QTest>

// The status line, the "Pop!" build-up around each hundred and the cheers.
class TestPopCounting : public QObject
{
    Q_OBJECT

private:
    // A sheet far larger than any run of pops here, so no sheet cheer interferes.
    static void useLargeSheet(SheetFixture &f)
    {
        f.window.screen = QSizeF(3000, 2000) * 15;
        f.window.inner = QSizeF(2000, 1500) * 15;
        f.sheet.BuildSheet();
        f.sheet.CountVisible();
    }

    static void popUpTo(SheetFixture &f, qint32 count)
    {
        while (f.sheet.numPopped() < count)
            f.popNext();
    }

private slots:
    void firstPopShowsTheCountWithoutMakingItSingular()
    {
        SheetFixture f;
        useLargeSheet(f);
        f.popNext();
        QCOMPARE(f.window.text(), QStringLiteral("1 bubbles popped!"));
    }

    void labelRunsTheBuildUpAroundAHundred()
    {
        SheetFixture f;
        useLargeSheet(f);
        f.sheet.setNumPopped(94);
        const QStringList expected {
            "95 bubbles popped!",                           // 95
            "95 bubbles popped!",                           // 96: unchanged
            "Pop!",                                         // 97
            "Pop! Pop!",                                    // 98
            "Pop! Pop! Pop! ",                              // 99
            "Pop! Pop! Pop! 100 bubbles popped!",           // 100
            "Pop! Pop! Pop! 100 bubbles popped!",           // 101
            "Pop! Pop! Pop! 100 bubbles popped!",           // 102
            "Pop! Pop! Pop! 100 bubbles popped!",           // 103
            "Pop! Pop! Pop! 100 bubbles popped!",           // 104
            "Pop! Pop! Pop! 100 bubbles popped!",           // 105
            "106 bubbles popped!",                          // 106
            "107 bubbles popped!",                          // 107
        };
        for (const QString &text : expected) {
            f.popNext();
            QCOMPARE(f.window.text(), text);
        }
        QVERIFY(!f.sheet.blnCountdown());
        QVERIFY(!f.playedClips().contains(108));
    }

    void everyCountEndingInNinetySixStartsABuildUp_data()
    {
        QTest::addColumn<int>("start");
        QTest::newRow("196") << 195;
        QTest::newRow("296") << 295;
        QTest::newRow("1096") << 1095;
    }

    void everyCountEndingInNinetySixStartsABuildUp()
    {
        QFETCH(int, start);
        SheetFixture f;
        useLargeSheet(f);
        f.sheet.setNumPopped(start);
        popUpTo(f, start + 1);
        QVERIFY(f.sheet.blnCountdown());
        QCOMPARE(f.sheet.numPhase(), qint16(1));
        popUpTo(f, start + 5);
        QCOMPARE(f.window.text(), QStringLiteral("Pop! Pop! Pop! %1 bubbles popped!").arg(start + 5));
    }

    void restoredCountPastNinetySixShowsPlainLines()
    {
        SheetFixture f;
        useLargeSheet(f);
        f.sheet.setNumPopped(397);
        popUpTo(f, 400);
        QCOMPARE(f.window.text(), QStringLiteral("400 bubbles popped!"));
        QVERIFY(!f.sheet.blnCountdown());
    }

    void fiveHundredthPopSetsTheLabelThenCheers()
    {
        SheetFixture f;
        useLargeSheet(f);
        f.sheet.setNumPopped(495);
        popUpTo(f, 499);
        f.log.clear();
        f.popNext();
        QCOMPARE(f.log.mid(1), QStringList({"play 103", "label Pop! Pop! Pop! 500 bubbles popped!",
                                            "play 108 sync"}));
        popUpTo(f, 1000);
        QCOMPARE(f.playedClips().count(108), 2);
    }

    void popThatClearsTheSheetAndReachesFiveHundredCheersTwice()
    {
        SheetFixture f;
        f.sheet.BuildSheet();
        f.sheet.CountVisible();
        QCOMPARE(f.sheet.numVisible(), 24);
        f.sheet.setNumPopped(476);
        for (int i = 0; i < 23; ++i)
            f.popNext();
        f.log.clear();
        f.popNext();
        QCOMPARE(f.sheet.numPopped(), 500);
        QCOMPARE(f.log.mid(1), QStringList({"play 103", "play 108 sync",
                                            "label Pop! Pop! Pop! 500 bubbles popped!", "play 108 sync"}));
    }

    void sheetCheersAtExactlyTheVisibleCountUntilReset()
    {
        SheetFixture f;
        f.sheet.BuildSheet();
        f.window.inner = QSizeF(250, 160) * 15; // 5 x 4 cells
        f.sheet.CountVisible();
        QCOMPARE(f.sheet.numVisible(), 20);
        for (int i = 0; i < 19; ++i)
            f.popNext();
        QVERIFY(!f.playedClips().contains(108));
        f.log.clear();
        f.popNext();
        QCOMPARE(f.log.mid(1, 2), QStringList({"play 103", "play 108 sync"}));
        QCOMPARE(f.log.last(), QStringLiteral("label 20 bubbles popped!"));
        f.popNext();
        QCOMPARE(f.playedClips().count(108), 1);

        f.sheet.ResetSheet();
        f.sheet.setNumSheetPops(0);
        for (int i = 0; i < 20; ++i)
            f.popNext();
        QCOMPARE(f.playedClips().count(108), 2);
    }

    void shrinkingBelowThePopsMadeSilencesTheCheerUntilEnlarged()
    {
        SheetFixture f;
        f.sheet.BuildSheet();
        f.sheet.CountVisible(); // 24
        for (int i = 0; i < 10; ++i)
            f.popNext();
        f.window.inner = QSizeF(100, 80) * 15; // 2 x 2
        f.sheet.CountVisible();
        for (int i = 0; i < 5; ++i)
            f.popNext();
        QVERIFY(!f.playedClips().contains(108));
        f.window.inner = QSizeF(288, 170) * 15;
        f.sheet.CountVisible();
        while (f.sheet.numSheetPops() < 24)
            f.popNext();
        QCOMPARE(f.playedClips().count(108), 1);
    }

    void resetDuringABuildUpLetsItGoOn()
    {
        SheetFixture f;
        useLargeSheet(f);
        f.sheet.setNumPopped(95);
        popUpTo(f, 97);
        QCOMPARE(f.window.text(), QStringLiteral("Pop!"));
        f.sheet.ResetSheet();
        f.sheet.setNumSheetPops(0);
        QVERIFY(f.sheet.blnCountdown());
        QCOMPARE(f.sheet.numPhase(), qint16(2));
        f.popNext();
        QCOMPARE(f.window.text(), QStringLiteral("Pop! Pop!"));
    }
};

QTEST_MAIN(TestPopCounting)
#include "tst_popcounting.moc"
