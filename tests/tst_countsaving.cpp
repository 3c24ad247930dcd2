#include "support/MainWindowFixture.h"

#include "settings/CountSaver.h"
#include "settings/QtSettingsStore.h"
#include "settings/StoredCount.h"
#include "support/Files.h"

#include <QDir>
#include <QLockFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

namespace {

bool saysPopped(QProcess &window)
{
    return QTest::qWaitFor([&] { return window.canReadLine() || window.waitForReadyRead(100); }, 20000)
        && window.readLine().trimmed() == "popped";
}

} // namespace

class CountSavingTest : public QObject
{
    Q_OBJECT

private slots:
    void twoWindowsOnOneStoreAddUpTheirPops_data();
    void twoWindowsOnOneStoreAddUpTheirPops();
    void programsSavingTheCountAtOnceTakeTurns();
    void aCommitDataRequestSavesWithoutClosingAndTheCloseAddsNothingTwice();
    void aKilledProgramKeepsEveryPopMadeTwoSecondsBefore();
    void anAutosaveThatFailsIsTriedAgainAtTheNextPause();
    void theCloseWaitsForAnotherProgramsLockWithItsEventLoopRunning();
};

void CountSavingTest::twoWindowsOnOneStoreAddUpTheirPops_data()
{
    QTest::addColumn<QList<int>>("closings"); // which window is told to close, in turn
    QTest::addColumn<bool>("waitBetween");
    QTest::newRow("the one with 5 pops closes first") << QList<int> {0, 1} << true;
    QTest::newRow("the one with 7 pops closes first") << QList<int> {1, 0} << true;
    QTest::newRow("both close at the same instant") << QList<int> {0, 1} << false;
}

void CountSavingTest::twoWindowsOnOneStoreAddUpTheirPops()
{
    QFETCH(QList<int>, closings);
    QFETCH(bool, waitBetween);
    // Closing at once is a race: it is run a few times.
    for (int round = 0; round < (waitBetween ? 1 : 4); ++round) {
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("Plinkety.conf"));
        QSettings(file, QSettings::IniFormat).setValue(QStringLiteral("Defaults/Popped"), QStringLiteral("100"));

        QProcess windows[2];
        windows[0].start(QStringLiteral(TWO_WINDOWS_PROBE), {file, QStringLiteral("5")});
        windows[1].start(QStringLiteral(TWO_WINDOWS_PROBE), {file, QStringLiteral("7")});
        QVERIFY(saysPopped(windows[0]) && saysPopped(windows[1]));
        for (int which : closings) {
            windows[which].write("close\n");
            if (waitBetween)
                QVERIFY(windows[which].waitForFinished(20000));
        }
        for (QProcess &window : windows) {
            QVERIFY(window.state() == QProcess::NotRunning || window.waitForFinished(20000));
            QCOMPARE(window.exitCode(), 0);
        }
        QCOMPARE(QSettings(file, QSettings::IniFormat).value(QStringLiteral("Defaults/Popped")).toString(),
                 QStringLiteral("112"));
    }
}

// Without a turn from reading what is there to writing it back, two
// programs that save at once both read the same count and one save is lost.
void CountSavingTest::programsSavingTheCountAtOnceTakeTurns()
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("Plinkety.conf"));
    QProcess savers[2];
    for (QProcess &saver : savers)
        saver.start(QStringLiteral(SAVE_PROBE), {file, QStringLiteral("add"), QStringLiteral("150")});
    for (QProcess &saver : savers) {
        QVERIFY(saver.waitForFinished(60000));
        QCOMPARE(saver.exitCode(), 0);
    }
    QCOMPARE(QSettings(file, QSettings::IniFormat).value(QStringLiteral("Defaults/Popped")).toString(),
             QStringLiteral("300"));
}

void CountSavingTest::aCommitDataRequestSavesWithoutClosingAndTheCloseAddsNothingTwice()
{
    MainWindowFixture f;
    f.store(QStringLiteral("Popped"), QStringLiteral("100"));
    f.start();
    for (int i = 0; i < 3; ++i)
        f.popNextVisible();
    const qsizetype playsBefore = f.audio.plays().size();

    f.window->commitData();
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.stored(QStringLiteral("Popped")), QStringLiteral("103"));
    QCOMPARE(f.audio.plays().size(), playsBefore);

    for (int i = 0; i < 2; ++i)
        f.popNextVisible();
    f.window->close();
    QCOMPARE(f.stored(QStringLiteral("Popped")), QStringLiteral("105"));
    QCOMPARE(f.window->numPopped(), 105);
}

void CountSavingTest::aKilledProgramKeepsEveryPopMadeTwoSecondsBefore()
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("Plinkety.conf"));
    QSettings(file, QSettings::IniFormat).setValue(QStringLiteral("Defaults/Popped"), QStringLiteral("100"));
    QProcess window;
    window.start(QStringLiteral(TWO_WINDOWS_PROBE), {file, QStringLiteral("20")});
    QVERIFY(saysPopped(window));
    QTest::qWait(2000);
    window.kill();
    QVERIFY(window.waitForFinished(20000));
    QCOMPARE(QSettings(file, QSettings::IniFormat).value(QStringLiteral("Defaults/Popped")).toString(),
             QStringLiteral("120"));
}

void CountSavingTest::anAutosaveThatFailsIsTriedAgainAtTheNextPause()
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("Plinkety.conf"));
    QtSettingsStore store(file);
    StoredCount::write(store, 7);
    QVERIFY(store.flush());
    CountSaver saver(store);
    QCOMPARE(saver.load(), 7);
    QVERIFY(QDir().mkpath(file + QStringLiteral(".lock"))); // no lock can be taken
    saver.popped(8);
    QTRY_VERIFY_WITH_TIMEOUT(saver.failure().contains(QStringLiteral("not a lock file")), 2000);
    QCOMPARE(saver.saved(), 7);

    QVERIFY(QDir().rmdir(file + QStringLiteral(".lock")));
    saver.popped(9);
    QTRY_COMPARE_WITH_TIMEOUT(saver.saved(), 9, 2000);
    QVERIFY(saver.failure().isEmpty());
    QCOMPARE(readFile(file), QByteArray("[Defaults]\nPopped=9\n"));
}

void CountSavingTest::theCloseWaitsForAnotherProgramsLockWithItsEventLoopRunning()
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("Plinkety.conf"));
    QtSettingsStore store(file);
    CountSaver saver(store);
    QCOMPARE(saver.load(), 0);
    QLockFile other(file + QStringLiteral(".lock"));
    QVERIFY(other.tryLock(0));
    // Only this thread's event loop lets the lock go: a save that blocked
    // the thread would fail after its five seconds.
    QTimer::singleShot(300, this, [&other] { other.unlock(); });
    QString whyNot;
    const auto writeLeft = [](SettingsStore &to) {
        to.SaveSetting(QStringLiteral("Plinkety"), QStringLiteral("Defaults"), QStringLiteral("Left"),
                       QStringLiteral("90"));
    };
    QVERIFY2(saver.saveNow(4, writeLeft, &whyNot), qPrintable(whyNot));
    QCOMPARE(saver.saved(), 4);
    QCOMPARE(readFile(file), QByteArray("[Defaults]\nLeft=90\nPopped=4\n"));
}

QTEST_MAIN(CountSavingTest)
#include "tst_countsaving.moc"
