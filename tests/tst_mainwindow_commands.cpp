#include "support/MainWindowFixture.h"

#include <QImage>
#include <QTimer>

namespace {

constexpr auto Sync = AudioBackend::Mode::Synchronous;
constexpr auto Async = AudioBackend::Mode::Asynchronous;

// The unpopped picture as the sheet area shows it.
QImage unpoppedPicture()
{
    return QImage(QStringLiteral(":/pictures/unpopped.bmp")).convertToFormat(QImage::Format_RGB32);
}

// The part of bubble k that shows.
QImage shownPicture(SheetArea &area, qint16 k)
{
    return area.grab(area.cellRect(k) & area.contentsRect()).toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class MainWindowCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void aPopActsOnThePressNotTheRelease();
    void thePictureChangesBeforeTheClipAndTheStatus();
    void pressingAPoppedBubbleDrawsANumberAndDoesNothingElse();
    void aPartlyShownBubbleCanBePopped();
    void pressesOnTheBorderOrStripsPopNothing();
    void resetMovesTheFocusRestoresEveryBubbleAndStartsANewSheet();
    void aboutMovesTheFocusAndShowsTheAboutWindowModally();
    void theCheerPlaysAtExactlyNumVisibleClicks();
    void clicksDuringTheCheerAreHandledAfterIt();
    void closingDuringTheCheerClosesAfterIt();
    void quitAndTheCloseControlEndTheSameWay();
};

void MainWindowCommandsTest::aPopActsOnThePressNotTheRelease()
{
    MainWindowFixture f;
    frmPlinkety &window = f.start(QSize(292, 210));
    const qint16 k = f.sheet().bubbleIndex(2, 3);
    f.press(k);
    QVERIFY(!f.sheet().isUnpopped(k));
    QCOMPARE(window.numPopped(), 1);
    QCOMPARE(f.status(), QStringLiteral("1 bubbles popped!"));
    QTest::mouseRelease(&f.sheetArea(), Qt::LeftButton, {}, f.centreOf(k));
    QCOMPARE(window.numPopped(), 1);

    // A quick second press on the next bubble is a press too, not a lost double click.
    const qint16 next = f.sheet().bubbleIndex(3, 3);
    QTest::mouseDClick(&f.sheetArea(), Qt::LeftButton, {}, f.centreOf(next));
    QVERIFY(!f.sheet().isUnpopped(next));
    QCOMPARE(window.numPopped(), 2);

    // Other buttons pop nothing.
    QTest::mousePress(&f.sheetArea(), Qt::RightButton, {}, f.centreOf(1));
    QVERIFY(f.sheet().isUnpopped(1));
}

void MainWindowCommandsTest::thePictureChangesBeforeTheClipAndTheStatus()
{
    MainWindowFixture f;
    f.store("Popped", "9");
    f.start(QSize(292, 210));
    const qint16 k = f.sheet().bubbleIndex(1, 2);
    QCOMPARE(shownPicture(f.sheetArea(), k), unpoppedPicture());

    bool pictureShown = false;
    QString statusAtClip;
    f.audio.onPlay = [&](const RecordingBackend::Play &) {
        pictureShown = shownPicture(f.sheetArea(), k) != unpoppedPicture();
        statusAtClip = f.status();
    };
    f.random.values = {0.55f}; // popped picture 2, clip 101
    f.press(k);
    QVERIFY(pictureShown);
    QCOMPARE(statusAtClip, QStringLiteral("9 bubbles popped!"));
    QCOMPARE(f.sheet().poppedVariant(k), 2);
    const QImage popped2 = QImage(QStringLiteral(":/pictures/popped2.bmp")).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shownPicture(f.sheetArea(), k), popped2);
    QCOMPARE(clipOf(f.audio.plays().last().waveImage), 101);
    QCOMPARE(f.status(), QStringLiteral("10 bubbles popped!"));
}

void MainWindowCommandsTest::pressingAPoppedBubbleDrawsANumberAndDoesNothingElse()
{
    MainWindowFixture f;
    frmPlinkety &window = f.start(QSize(292, 210));
    f.click(5);
    const int draws = f.random.draws;
    const auto plays = f.audio.plays().size();
    const QImage shown = shownPicture(f.sheetArea(), 5);
    f.click(5);
    QCOMPARE(f.random.draws, draws + 1);
    QCOMPARE(f.audio.plays().size(), plays);
    QCOMPARE(window.numPopped(), 1);
    QCOMPARE(f.sheet().numSheetPops(), 1);
    QCOMPARE(shownPicture(f.sheetArea(), 5), shown);
}

void MainWindowCommandsTest::aPartlyShownBubbleCanBePopped()
{
    MainWindowFixture f;
    frmPlinkety &window = f.start(QSize(292, 210));
    // Column 6 shows 38 of its 50 pixels, row 5 10 of its 40.
    const qint16 k = f.sheet().bubbleIndex(6, 5);
    const QRect shown = f.sheetArea().cellRect(k) & f.sheetArea().contentsRect();
    QCOMPARE(shown.size(), QSize(38, 10));
    QTest::mousePress(&f.sheetArea(), Qt::LeftButton, {}, shown.bottomRight());
    QVERIFY(!f.sheet().isUnpopped(k));
    QCOMPARE(window.numPopped(), 1);
}

void MainWindowCommandsTest::pressesOnTheBorderOrStripsPopNothing()
{
    MainWindowFixture f;
    frmPlinkety &window = f.start(QSize(292, 210));
    QTest::mousePress(&f.sheetArea(), Qt::LeftButton, {}, QPoint(1, 1));
    QTest::mousePress(&f.sheetArea(), Qt::LeftButton, {}, QPoint(f.sheetArea().width() - 1, 30));
    QTest::mouseClick(window.menuBox(), Qt::LeftButton, {}, QPoint(150, 8));
    QTest::mouseClick(window.statusLabel(), Qt::LeftButton);
    QCOMPARE(window.numPopped(), 0);
    QCOMPARE(f.audio.plays().size(), 3);
}

void MainWindowCommandsTest::resetMovesTheFocusRestoresEveryBubbleAndStartsANewSheet()
{
    MainWindowFixture f;
    frmPlinkety &window = f.start(QSize(292, 210));
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    for (int i = 0; i < 5; ++i)
        f.popNextVisible();
    QCOMPARE(f.sheet().numSheetPops(), 5);

    bool bubblesStillPoppedAtClip = false;
    f.audio.onPlay = [&](const RecordingBackend::Play &) { bubblesStillPoppedAtClip = !f.sheet().isUnpopped(1); };
    f.clickButton(0);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(&f.sheetArea()));
    QVERIFY(bubblesStillPoppedAtClip);
    QCOMPARE(clipOf(f.audio.plays().last().waveImage), 102);
    for (qint16 k = 1; k <= f.sheet().numBubbles(); ++k)
        QVERIFY(f.sheet().isUnpopped(k));
    QCOMPARE(shownPicture(f.sheetArea(), 1), unpoppedPicture());
    QCOMPARE(f.sheet().numSheetPops(), 0);
    QCOMPARE(window.numPopped(), 5);
    QCOMPARE(f.status(), QStringLiteral("5 bubbles popped!"));
}

void MainWindowCommandsTest::aboutMovesTheFocusAndShowsTheAboutWindowModally()
{
    MainWindowFixture f;
    frmPlinkety &window = f.start();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QWidget *modalParent = nullptr;
    QWidget *focusWhileOpen = nullptr;
    QTimer::singleShot(0, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        focusWhileOpen = window.focusWidget();
        if (!modal)
            return;
        modalParent = modal->parentWidget();
        modal->close();
    });
    f.clickButton(1);
    QCOMPARE(modalParent, &window);
    QCOMPARE(focusWhileOpen, static_cast<QWidget *>(&f.sheetArea()));
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(window.isVisible());
}

void MainWindowCommandsTest::theCheerPlaysAtExactlyNumVisibleClicks()
{
    MainWindowFixture f;
    f.start(QSize(292, 210));
    QCOMPARE(f.sheet().numVisible(), 24);
    for (int i = 1; i < 24; ++i)
        f.popNextVisible();
    QCOMPARE(f.playsOf(108, Sync), 0);
    f.popNextVisible();
    QCOMPARE(f.playsOf(108, Sync), 1);
    f.popNextVisible();
    QCOMPARE(f.playsOf(108, Sync), 1);

    // After Reset the sheet can cheer again.
    f.clickButton(0);
    for (int i = 0; i < 24; ++i)
        f.popNextVisible();
    QCOMPARE(f.playsOf(108, Sync), 2);
}

void MainWindowCommandsTest::clicksDuringTheCheerAreHandledAfterIt()
{
    MainWindowFixture f;
    frmPlinkety &window = f.start(QSize(292, 210));
    for (int i = 1; i < 24; ++i)
        f.popNextVisible();
    const qint16 later = f.sheet().bubbleIndex(6, 1);
    QVERIFY(f.sheet().isUnpopped(later));

    // Presses and a Reset that reach the window while the cheer still sounds.
    QString duringCheer;
    f.audio.onPlay = [&](const RecordingBackend::Play &play) {
        if (clipOf(play.waveImage) != 108)
            return;
        f.press(later);
        f.clickButton(0);
        duringCheer = QStringLiteral("%1 %2 %3").arg(window.numPopped()).arg(f.sheet().isUnpopped(later)).arg(f.status());
    };
    f.popNextVisible();
    // At the cheer the 24th pop had not yet reached the status, and nothing else ran.
    QCOMPARE(duringCheer, QStringLiteral("24 1 23 bubbles popped!"));
    // Afterwards, in order: the status of the 24th pop, the 25th pop, then Reset.
    QCOMPARE(window.numPopped(), 25);
    QCOMPARE(f.status(), QStringLiteral("25 bubbles popped!"));
    QVERIFY(f.sheet().isUnpopped(later));
    QCOMPARE(f.sheet().numSheetPops(), 0);
    QCOMPARE(f.playsOf(102, Async), 1);
}

void MainWindowCommandsTest::closingDuringTheCheerClosesAfterIt()
{
    MainWindowFixture f;
    frmPlinkety &window = f.start(QSize(292, 210));
    for (int i = 1; i < 24; ++i)
        f.popNextVisible();
    bool closedDuringCheer = true;
    f.audio.onPlay = [&](const RecordingBackend::Play &play) {
        if (clipOf(play.waveImage) != 108)
            return;
        window.close(); // the close control, pressed while the cheer sounds
        closedDuringCheer = !window.isVisible() || f.holds("Popped");
    };
    f.popNextVisible();
    QVERIFY(!closedDuringCheer);
    QVERIFY(!window.isVisible());
    // The pop that cheered reached the status and the store before the close.
    QCOMPARE(f.status(), QStringLiteral("24 bubbles popped!"));
    QCOMPARE(f.stored("Popped"), QStringLiteral("24"));
}

void MainWindowCommandsTest::quitAndTheCloseControlEndTheSameWay()
{
    QList<QStringList> endings;
    for (const bool byQuit : {true, false}) {
        MainWindowFixture f;
        f.store("Popped", "100");
        f.store("Top", "900");
        frmPlinkety &window = f.start();
        f.popNextVisible();
        f.audio.clear();
        if (byQuit)
            f.clickButton(2);
        else
            QVERIFY(window.close());
        QVERIFY(!window.isVisible());
        QCOMPARE(f.audio.plays().size(), 1);
        QCOMPARE(clipOf(f.audio.plays().first().waveImage), 107);
        QCOMPARE(f.audio.plays().first().mode, Async);
        endings.append({f.stored("Top"), f.stored("Left"), f.stored("Height"), f.stored("Width"), f.stored("Popped")});
        // Closing twice unloads once.
        window.close();
        QCOMPARE(f.audio.plays().size(), 1);
    }
    QCOMPARE(endings[0], endings[1]);
    QCOMPARE(endings[0], QStringList({"900", "200", "3500", "4500", "101"}));
}

QTEST_MAIN(MainWindowCommandsTest)
#include "tst_mainwindow_commands.moc"
