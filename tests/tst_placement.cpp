#include "support/MainWindowFixture.h"

#include "platform/TextConvert.h"
#include "settings/WindowPlacement.h"

#include <QScreen>

// Runs on two offscreen screens side by side: 1280 x 1024 on the left,
// the primary one, and 1024 x 768 on the right.
class PlacementTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void storedTextReadsBackAsTheSameSingle_data();
    void storedTextReadsBackAsTheSameSingle();
    void cornerAboveOrLeftOfTheScreenGoesTo200();
    void sizeLargerThanTheScreenIs200Smaller();
    void aFrameOnAnyScreenStaysWhereItIs_data();
    void aFrameOnAnyScreenStaysWhereItIs();
    void aFrameOffEveryScreenComesBackTo200_data();
    void aFrameOffEveryScreenComesBackTo200();
    void aWindowOnTheSecondScreenOpensThere();
    void farAwayStoredValuesStillOpenAReachableWindow();
    void aStoredSizeTooSmallOpensAndSavesTheDesignSize_data();
    void aStoredSizeTooSmallOpensAndSavesTheDesignSize();
};

void PlacementTest::initTestCase()
{
    QCOMPARE(QGuiApplication::screens().size(), 2);
    QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1280, 1024));
}

void PlacementTest::storedTextReadsBackAsTheSameSingle_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 3500.0f << "3500";
    QTest::newRow("negative") << -300.0f << "-300";
    QTest::newRow("a fraction") << 1500.5f << "1500.5";
    QTest::newRow("not exact in binary") << 200.1f << "200.1";
    QTest::newRow("large") << 16777216.0f << "16777216";
}

void PlacementTest::storedTextReadsBackAsTheSameSingle()
{
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(PlacementText::fromSingle(value), text);
    QCOMPARE(float(TextConvert::leadingNumber(text)), value);
}

void PlacementTest::cornerAboveOrLeftOfTheScreenGoesTo200()
{
    WindowPlacement placement {-0.5f, -300.0f, 3000.0f, 4000.0f};
    placement.correctCorner();
    QCOMPARE(placement, (WindowPlacement {200.0f, 200.0f, 3000.0f, 4000.0f}));
    WindowPlacement onEdge {0.0f, 0.0f, 3000.0f, 4000.0f};
    onEdge.correctCorner();
    QCOMPARE(onEdge, (WindowPlacement {0.0f, 0.0f, 3000.0f, 4000.0f}));
}

void PlacementTest::sizeLargerThanTheScreenIs200Smaller()
{
    const QSizeF screen(19200, 15360);
    WindowPlacement larger {100.0f, 100.0f, 15361.0f, 19201.0f};
    larger.correctSize(screen);
    QCOMPARE(larger, (WindowPlacement {100.0f, 100.0f, 15160.0f, 19000.0f}));
    WindowPlacement exact {100.0f, 100.0f, 15360.0f, 19200.0f};
    exact.correctSize(screen);
    QCOMPARE(exact, (WindowPlacement {100.0f, 100.0f, 15360.0f, 19200.0f}));
}

void PlacementTest::aFrameOnAnyScreenStaysWhereItIs_data()
{
    QTest::addColumn<float>("top");
    QTest::addColumn<float>("left");
    QTest::newRow("on the left screen") << 3000.0f << 3000.0f;
    QTest::newRow("on the right screen") << 9000.0f << 25000.0f;
    QTest::newRow("one pixel still on the left screen") << 15345.0f << 0.0f;
    QTest::newRow("below the right screen but on the left one's height") << 11600.0f << 19000.0f;
}

void PlacementTest::aFrameOnAnyScreenStaysWhereItIs()
{
    QFETCH(float, top);
    QFETCH(float, left);
    const QList<QRectF> screens {QRectF(0, 0, 19200, 15360), QRectF(19200, 0, 15360, 11520)};
    WindowPlacement placement {top, left, 3000.0f, 4500.0f};
    placement.bringOntoScreen(screens);
    QCOMPARE(placement, (WindowPlacement {top, left, 3000.0f, 4500.0f}));
}

void PlacementTest::aFrameOffEveryScreenComesBackTo200_data()
{
    QTest::addColumn<float>("top");
    QTest::addColumn<float>("left");
    QTest::newRow("right of both screens") << 3000.0f << 34560.0f;
    QTest::newRow("below the shorter right screen") << 11520.0f << 20000.0f;
    QTest::newRow("below both screens") << 15360.0f << 0.0f;
}

void PlacementTest::aFrameOffEveryScreenComesBackTo200()
{
    QFETCH(float, top);
    QFETCH(float, left);
    const QList<QRectF> screens {QRectF(0, 0, 19200, 15360), QRectF(19200, 0, 15360, 11520)};
    WindowPlacement placement {top, left, 3000.0f, 4500.0f};
    placement.bringOntoScreen(screens);
    QCOMPARE(placement, (WindowPlacement {200.0f, 200.0f, 3000.0f, 4500.0f}));
}

void PlacementTest::aWindowOnTheSecondScreenOpensThere()
{
    MainWindowFixture f;
    f.store("Top", "1500");
    f.store("Left", "22500");
    frmPlinkety &window = f.start();
    QCOMPARE(window.frameGeometry().topLeft(), QPoint(1500, 100));
    QCOMPARE(window.screen()->name(), QStringLiteral("right"));
    window.close();
    QCOMPARE(f.stored("Left"), QStringLiteral("22500"));

    // The right screen is gone: the same values now open on the left one.
    MainWindowFixture gone;
    gone.store("Top", "1500");
    gone.store("Left", "40000");
    QCOMPARE(gone.start().frameGeometry().topLeft(), QPoint(13, 13));
}

void PlacementTest::farAwayStoredValuesStillOpenAReachableWindow()
{
    MainWindowFixture f;
    f.store("Top", "1e7");
    f.store("Left", "9000000");
    f.store("Height", "300000");
    f.store("Width", "inf");
    frmPlinkety &window = f.start();
    // Top and left off every screen; taller than the primary screen.
    QCOMPARE(window.frameGeometry().topLeft(), QPoint(13, 13));
    QCOMPARE(window.frameGeometry().height(), 1024 - 13);
    // "inf" has no leading number: a width of 0 opens at the design width.
    QCOMPARE(window.frameGeometry().width(), 300);
}

void PlacementTest::aStoredSizeTooSmallOpensAndSavesTheDesignSize_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::newRow("no width") << "0" << "3500";
    QTest::newRow("a negative height") << "4500" << "-20";
    QTest::newRow("not a number") << "abc" << "nan";
    QTest::newRow("just too narrow") << "1499" << "3500";
}

void PlacementTest::aStoredSizeTooSmallOpensAndSavesTheDesignSize()
{
    QFETCH(QString, width);
    QFETCH(QString, height);
    MainWindowFixture f;
    f.store(QStringLiteral("Width"), width);
    f.store(QStringLiteral("Height"), height);
    f.start();
    QCOMPARE(f.window->frameGeometry().size(), QSize(300, 233)); // 4500 x 3500 twips
    f.window->close();
    QCOMPARE(f.stored(QStringLiteral("Width")), QStringLiteral("4500"));
    QCOMPARE(f.stored(QStringLiteral("Height")), QStringLiteral("3500"));
}

QTEST_MAIN(PlacementTest)
#include "tst_placement.moc"
