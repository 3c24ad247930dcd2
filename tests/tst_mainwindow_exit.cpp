#include "support/MainWindowFixture.h"

#include "platform/ExitSignals.h"
#include "support/ProcessProbes.h"

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>

namespace {

QString confPath(const QTemporaryDir &home)
{
    return home.filePath(QStringLiteral("Plinkety/Plinkety.conf"));
}

// Starts the program offscreen with its settings under home.
} // namespace

class MainWindowExitTest : public QObject
{
    Q_OBJECT

private slots:
    void eachEndingSignalClosesThroughTheUnload_data();
    void eachEndingSignalClosesThroughTheUnload();
    void aSignalWhileAboutIsOpenClosesAboutAndThenTheWindow();
    void theEventLoopEndingUnloadsAWindowStillOpen();
    void theProgramEndedWithSigtermSavesItsSettingsAndEndsCleanly();
    void settingsThatCannotBeSavedAreReportedOnStderr();
    void withNoDisplayTheProgramSaysSoInOneLineAndEndsWithStatusOne_data();
    void withNoDisplayTheProgramSaysSoInOneLineAndEndsWithStatusOne();
};

void MainWindowExitTest::eachEndingSignalClosesThroughTheUnload_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGHUP") << SIGHUP;
}

void MainWindowExitTest::eachEndingSignalClosesThroughTheUnload()
{
    QFETCH(int, signalNumber);
    MainWindowFixture f;
    f.store("Popped", "40");
    frmPlinkety &window = f.start();
    ExitSignals exitSignals;
    connect(&exitSignals, &ExitSignals::closeRequested, &window, &frmPlinkety::requestClose);
    for (int i = 0; i < 3; ++i)
        f.popNextVisible();
    std::raise(signalNumber);
    QTRY_VERIFY(!window.isVisible());
    QCOMPARE(f.stored("Popped"), QStringLiteral("43"));
    QCOMPARE(f.stored("Top"), QStringLiteral("200"));
    QCOMPARE(f.playsOf(107, AudioBackend::Mode::Asynchronous), 1);
}

void MainWindowExitTest::aSignalWhileAboutIsOpenClosesAboutAndThenTheWindow()
{
    MainWindowFixture f;
    frmPlinkety &window = f.start();
    ExitSignals exitSignals;
    connect(&exitSignals, &ExitSignals::closeRequested, &window, &frmPlinkety::requestClose);
    f.popNextVisible();
    bool aboutWasOpen = false;
    QTimer::singleShot(0, [&] {
        aboutWasOpen = QApplication::activeModalWidget() != nullptr;
        std::raise(SIGTERM);
    });
    f.clickButton(1); // returns once the About window has gone
    QVERIFY(aboutWasOpen);
    QTRY_VERIFY(!window.isVisible());
    QCOMPARE(f.stored("Popped"), QStringLiteral("1"));
}

void MainWindowExitTest::theEventLoopEndingUnloadsAWindowStillOpen()
{
    MainWindowFixture f;
    f.start();
    f.popNextVisible();
    f.popNextVisible();
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    QCOMPARE(f.stored("Popped"), QStringLiteral("2"));
    QCOMPARE(f.playsOf(107, AudioBackend::Mode::Asynchronous), 1);
}

void MainWindowExitTest::theProgramEndedWithSigtermSavesItsSettingsAndEndsCleanly()
{
    QTemporaryDir home;
    {
        QSettings seed(confPath(home), QSettings::IniFormat);
        seed.setValue("Defaults/Popped", "812");
        seed.setValue("Defaults/Top", "1500");
    }
    QProcess program;
    QVERIFY(startProgram(program, QStringLiteral(PLINKETY_PROGRAM), home.path()));
    ::kill(pid_t(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);

    QSettings saved(confPath(home), QSettings::IniFormat);
    QCOMPARE(saved.value("Defaults/Popped").toString(), QStringLiteral("812"));
    QCOMPARE(saved.value("Defaults/Top").toString(), QStringLiteral("1500"));
    QCOMPARE(saved.value("Defaults/Left").toString(), QStringLiteral("200"));
    QCOMPARE(saved.value("Defaults/Width").toString(), QStringLiteral("4500"));
}

void MainWindowExitTest::settingsThatCannotBeSavedAreReportedOnStderr()
{
    QTemporaryDir home;
    // A directory where the settings file should be: nothing can be written there.
    QVERIFY(QDir(home.path()).mkpath(QStringLiteral("Plinkety/Plinkety.conf")));
    QProcess program;
    QVERIFY(startProgram(program, QStringLiteral(PLINKETY_PROGRAM), home.path()));
    ::kill(pid_t(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(10000));
    const QString said = QString::fromLocal8Bit(program.readAllStandardError());
    QVERIFY2(said.contains(QStringLiteral("could not be saved")), qPrintable(said));
}

QTEST_MAIN(MainWindowExitTest)
void MainWindowExitTest::withNoDisplayTheProgramSaysSoInOneLineAndEndsWithStatusOne_data()
{
    QTest::addColumn<QString>("display");
    QTest::newRow("none named") << QString();
    QTest::newRow("one that is not there") << QStringLiteral(":97");
}

void MainWindowExitTest::withNoDisplayTheProgramSaysSoInOneLineAndEndsWithStatusOne()
{
    QFETCH(QString, display);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    if (!display.isEmpty())
        environment.insert(QStringLiteral("DISPLAY"), display);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(PLINKETY_PROGRAM), QStringList());
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    const QByteArray said = program.readAllStandardError();
    QVERIFY2(said.startsWith("Plinkety: cannot show a window: ") && said.count('\n') == 1, said.constData());
}

#include "tst_mainwindow_exit.moc"
