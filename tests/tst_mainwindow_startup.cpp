#include "support/MainWindowFixture.h"

#include "support/StderrCapture.h"

class MainWindowStartupTest : public QObject
{
    Q_OBJECT

private slots:
    void firstRunOpensAtDesignPlaceAndSizeWithNoPops();
    void firstRunClosedUntouchedWritesTheDefaultsBack();
    void storedPlacementIsTheOuterFrameAndComesBackUnchanged();
    void placementIsCorrectedIntoTheScreen_data();
    void placementIsCorrectedIntoTheScreen();
    void storedCountShowsInTheStatus();
    void closingAfterTenPopsFrom812Writes822();
    void greetingPlaysThreeSynchronousPopsBeforeTheSheetIsBuiltOrShown();
    void randomSourceIsSeededAfterTheSheetIsBuilt();
    void closingPlaysTheClosingClipBeforeWritingTheSettings();
    void unreadableStoredCountStartsWithWhatCanBeRead_data();
    void unreadableStoredCountStartsWithWhatCanBeRead();
    void validStoredCountsReadExactlyAndSilently_data();
    void validStoredCountsReadExactlyAndSilently();
};

void MainWindowStartupTest::firstRunOpensAtDesignPlaceAndSizeWithNoPops()
{
    MainWindowFixture f;
    frmPlinkety &window = f.start();
    // 200 and 200 twips are 13 pixels; 4500 x 3500 twips are 300 x 233.
    QCOMPARE(window.frameGeometry(), QRect(13, 13, 300, 233));
    QCOMPARE(f.status(), QStringLiteral("0 bubbles popped!"));
    QCOMPARE(window.numPopped(), 0);
    QCOMPARE(window.windowTitle(), QStringLiteral("Plinkety"));
    // Beside the design's 32 x 32 picture, sizes up to the desktop's largest,
    // 256, once the window has been drawn.
    QTRY_VERIFY(window.windowIcon().availableSizes().contains(QSize(256, 256)));
}

void MainWindowStartupTest::firstRunClosedUntouchedWritesTheDefaultsBack()
{
    MainWindowFixture f;
    f.start().close();
    QCOMPARE(f.stored("Top"), QStringLiteral("200"));
    QCOMPARE(f.stored("Left"), QStringLiteral("200"));
    QCOMPARE(f.stored("Height"), QStringLiteral("3500"));
    QCOMPARE(f.stored("Width"), QStringLiteral("4500"));
    QCOMPARE(f.stored("Popped"), QStringLiteral("0"));
}

void MainWindowStartupTest::storedPlacementIsTheOuterFrameAndComesBackUnchanged()
{
    MainWindowFixture f;
    f.store("Top", "1500.5");
    f.store("Left", "3000");
    f.store("Height", "4995");
    f.store("Width", "6000 twips");
    frmPlinkety &window = f.start();
    QCOMPARE(window.frameGeometry(), QRect(200, 100, 400, 333));
    window.close();
    QCOMPARE(f.stored("Top"), QStringLiteral("1500.5"));
    QCOMPARE(f.stored("Left"), QStringLiteral("3000"));
    QCOMPARE(f.stored("Height"), QStringLiteral("4995"));
    QCOMPARE(f.stored("Width"), QStringLiteral("6000"));

    // Moved and resized by the user: the new frame is written.
    MainWindowFixture again;
    again.settings = f.settings;
    frmPlinkety &second = again.start();
    second.move(30, 40);
    second.resize(500, 300);
    QTRY_COMPARE(second.frameGeometry().topLeft(), QPoint(30, 40));
    const QRect frame = second.frameGeometry();
    second.close();
    QCOMPARE(frame, QRect(30, 40, 504, 304)); // the offscreen frame is 2 pixels a side
    QCOMPARE(again.stored("Top"), QStringLiteral("600"));
    QCOMPARE(again.stored("Left"), QStringLiteral("450"));
    QCOMPARE(again.stored("Height"), QStringLiteral("4560"));
    QCOMPARE(again.stored("Width"), QStringLiteral("7560"));
}

void MainWindowStartupTest::placementIsCorrectedIntoTheScreen_data()
{
    // The offscreen screen is 800 x 800 pixels: 12000 x 12000 twips.
    QTest::addColumn<QStringList>("stored"); // Top, Left, Height, Width
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QRect>("frame"); // the written twips in pixels, rounded
    QTest::newRow("top above the screen") << QStringList {"-300", "600", "3000", "4500"}
                                          << QStringList {"200", "600", "3000", "4500"} << QRect(40, 13, 300, 200);
    QTest::newRow("left of the screen") << QStringList {"600", "-15", "3000", "4500"}
                                        << QStringList {"600", "200", "3000", "4500"} << QRect(13, 40, 300, 200);
    QTest::newRow("wider than the screen") << QStringList {"300", "300", "3000", "20000"}
                                           << QStringList {"300", "300", "3000", "11800"} << QRect(20, 20, 787, 200);
    QTest::newRow("taller than the screen") << QStringList {"300", "300", "12001", "4500"}
                                            << QStringList {"300", "300", "11800", "4500"} << QRect(20, 20, 300, 787);
    QTest::newRow("partly beyond the right and bottom edges stays")
        << QStringList {"9000", "9000", "6000", "6000"} << QStringList {"9000", "9000", "6000", "6000"}
        << QRect(600, 600, 400, 400);
    QTest::newRow("wholly off every screen comes back to 200, 200")
        << QStringList {"60000", "45000", "3000", "4500"} << QStringList {"200", "200", "3000", "4500"}
        << QRect(13, 13, 300, 200);
    QTest::newRow("texts without a number read as 0")
        << QStringList {"top", "", "3000", "4500"} << QStringList {"0", "0", "3000", "4500"} << QRect(0, 0, 300, 200);
}

void MainWindowStartupTest::placementIsCorrectedIntoTheScreen()
{
    QFETCH(QStringList, stored);
    QFETCH(QStringList, written);
    QFETCH(QRect, frame);
    const QStringList keys {"Top", "Left", "Height", "Width"};
    MainWindowFixture f;
    for (int i = 0; i < keys.size(); ++i)
        f.store(keys[i], stored[i]);
    frmPlinkety &window = f.start();
    QCOMPARE(window.frameGeometry(), frame);
    window.close();
    for (int i = 0; i < keys.size(); ++i)
        QCOMPARE(f.stored(keys[i]), written[i]);
}

void MainWindowStartupTest::storedCountShowsInTheStatus()
{
    MainWindowFixture f;
    f.store("Popped", "812");
    frmPlinkety &window = f.start();
    QCOMPARE(f.status(), QStringLiteral("812 bubbles popped!"));
    QCOMPARE(window.numPopped(), 812);
}

void MainWindowStartupTest::closingAfterTenPopsFrom812Writes822()
{
    MainWindowFixture f;
    f.store("Popped", "812");
    f.start();
    for (int i = 0; i < 10; ++i)
        f.popNextVisible();
    QCOMPARE(f.status(), QStringLiteral("822 bubbles popped!"));
    f.clickButton(2);
    QVERIFY(!f.window->isVisible());
    QCOMPARE(f.stored("Popped"), QStringLiteral("822"));
}

void MainWindowStartupTest::greetingPlaysThreeSynchronousPopsBeforeTheSheetIsBuiltOrShown()
{
    MainWindowFixture f;
    f.store("Popped", "31");
    f.store("Top", "-300");
    QStringList seen;
    f.audio.onPlay = [&](const RecordingBackend::Play &play) {
        // The window is still being loaded: find it among the top-level widgets.
        frmPlinkety *loading = nullptr;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *candidate = qobject_cast<frmPlinkety *>(widget))
                loading = candidate;
        QVERIFY(loading);
        seen.append(QStringLiteral("%1 %2 bubbles=%3 visible=%4 status=%5 top=%6")
                        .arg(clipOf(play.waveImage))
                        .arg(play.mode == AudioBackend::Mode::Synchronous ? "sync" : "async")
                        .arg(loading->sheet().numBubbles())
                        .arg(loading->isVisible())
                        .arg(loading->statusLabel()->text())
                        .arg(loading->frameGeometry().top()));
    };
    f.load();
    const QString greeting = QStringLiteral("103 sync bubbles=0 visible=0 status=31 bubbles popped! top=13");
    QCOMPARE(seen, QStringList({greeting, greeting, greeting}));
    QVERIFY(f.sheet().numBubbles() > 0);
}

void MainWindowStartupTest::randomSourceIsSeededAfterTheSheetIsBuilt()
{
    MainWindowFixture f;
    qint16 bubblesWhenSeeded = -1;
    f.random.onSeed = [&] {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *loading = qobject_cast<frmPlinkety *>(widget))
                bubblesWhenSeeded = loading->sheet().numBubbles();
    };
    f.load();
    QCOMPARE(f.random.seeds, 1);
    QCOMPARE(bubblesWhenSeeded, f.sheet().numBubbles());
    QVERIFY(bubblesWhenSeeded > 0);
}

void MainWindowStartupTest::closingPlaysTheClosingClipBeforeWritingTheSettings()
{
    MainWindowFixture f;
    f.start();
    bool settingsWrittenBeforeClip = true;
    f.audio.onPlay = [&](const RecordingBackend::Play &play) {
        if (clipOf(play.waveImage) == 107)
            settingsWrittenBeforeClip = f.holds("Top") || f.holds("Popped");
    };
    f.window->close();
    QCOMPARE(f.playsOf(107, AudioBackend::Mode::Asynchronous), 1);
    QVERIFY(!settingsWrittenBeforeClip);
    QVERIFY(f.holds("Popped"));
    QVERIFY(!f.window->isVisible());
}

void MainWindowStartupTest::unreadableStoredCountStartsWithWhatCanBeRead_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("count");
    QTest::newRow("a word") << "lots" << 0;
    QTest::newRow("a number and a word") << "812 pops" << 812;
    QTest::newRow("a fraction") << "12.75" << 12;
    QTest::newRow("a negative fraction") << "-3.5" << -3;
    QTest::newRow("beyond 32 bits") << "2147483648" << 0;
    QTest::newRow("far beyond 32 bits") << "-99999999999" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("group separators") << "1,234" << 1;
}

void MainWindowStartupTest::unreadableStoredCountStartsWithWhatCanBeRead()
{
    QFETCH(QString, stored);
    QFETCH(int, count);
    MainWindowFixture f;
    f.store("Popped", stored);
    StderrCapture err;
    frmPlinkety &window = f.start();
    const QString said = err.text();
    QCOMPARE(window.numPopped(), count);
    QCOMPARE(f.status(), QStringLiteral("%1 bubbles popped!").arg(count));
    QVERIFY2(said.contains(QStringLiteral("stored pop count")) && said.contains(QStringLiteral("unreadable")),
             qPrintable(said));

    // The next close repairs the store with the count it started from.
    f.popNextVisible();
    window.close();
    QCOMPARE(f.stored("Popped"), QString::number(count + 1));
}

void MainWindowStartupTest::validStoredCountsReadExactlyAndSilently_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("count");
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("largest") << "2147483647" << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << int(-2147483647 - 1);
    QTest::newRow("blanks around") << " 42 " << 42;
    QTest::newRow("a plus sign") << "+7" << 7;
}

void MainWindowStartupTest::validStoredCountsReadExactlyAndSilently()
{
    QFETCH(QString, stored);
    QFETCH(int, count);
    MainWindowFixture f;
    f.store("Popped", stored);
    StderrCapture err;
    frmPlinkety &window = f.load();
    QCOMPARE(err.text(), QString());
    QCOMPARE(window.numPopped(), count);
}

QTEST_MAIN(MainWindowStartupTest)
#include "tst_mainwindow_startup.moc"
