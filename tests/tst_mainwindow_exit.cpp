#include "support/MainWindowFixture.h"

#include "platform/ExitSignals.h"
#include "support/ProcessProbes.h"

#include <QDir>
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

// The system's environment with no display named and the settings under home.
QProcessEnvironment withoutDisplay(const QTemporaryDir &home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    return environment;
}

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
    void settingsThatCannotBeSavedAreReportedOnStderr_data();
    void settingsThatCannotBeSavedAreReportedOnStderr();
    void withNoDisplayTheProgramSaysSoInOneLineAndEndsWithStatusOne_data();
    void withNoDisplayTheProgramSaysSoInOneLineAndEndsWithStatusOne();
    void theCommonOptionsAreAnsweredWithNothingStarted_data();
    void theCommonOptionsAreAnsweredWithNothingStarted();
    void aPlatformOnTheCommandLineIsADisplay();
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

void MainWindowExitTest::settingsThatCannotBeSavedAreReportedOnStderr_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("told");
    QTest::newRow("English") << QString() << QStringLiteral("could not be saved: The settings file %1 could not be written: it is a folder.");
    // The program takes the user's language as it starts.
    QTest::newRow("German") << QStringLiteral("de_DE.UTF-8")
                            << QStringLiteral("konnten nicht gespeichert werden: Die Einstellungsdatei %1 konnte nicht "
                                              "geschrieben werden: sie ist ein Ordner.");
}

void MainWindowExitTest::settingsThatCannotBeSavedAreReportedOnStderr()
{
    QFETCH(QString, language);
    QFETCH(QString, told);
    QTemporaryDir home;
    // A directory where the settings file should be: nothing can be written there.
    QVERIFY(QDir(home.path()).mkpath(QStringLiteral("Plinkety/Plinkety.conf")));
    QProcess program;
    QVERIFY(startProgram(program, QStringLiteral(PLINKETY_PROGRAM), home.path(), language));
    ::kill(pid_t(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(10000));
    const QString said = QString::fromUtf8(program.readAllStandardError());
    QVERIFY2(said.contains(told.arg(confPath(home))), qPrintable(said));
}

void MainWindowExitTest::theCommonOptionsAreAnsweredWithNothingStarted_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("output"); // how stdout begins
    QTest::addColumn<QByteArray>("said");   // stderr, whole
    QTest::newRow("--version") << QStringList {"--version"} << 0 << QByteArray("Plinkety 1.1\n") << QByteArray();
    QTest::newRow("-h") << QStringList {"-h"} << 0 << QByteArray("Usage: ") << QByteArray();
    QTest::newRow("an unknown option") << QStringList {"--frobnicate"} << 2 << QByteArray()
                                       << QByteArray("Plinkety: Unknown option 'frobnicate'.\n");
    QTest::newRow("an argument") << QStringList {"-platform", "offscreen", "stray"} << 2 << QByteArray()
                                 << QByteArray("Plinkety: Unexpected argument 'stray'.\n");
}

void MainWindowExitTest::theCommonOptionsAreAnsweredWithNothingStarted()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QByteArray, output);
    QFETCH(QByteArray, said);
    QTemporaryDir home;
    QProcess program;
    program.setProcessEnvironment(withoutDisplay(home));
    program.start(QStringLiteral(PLINKETY_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitCode(), status);
    const QByteArray printed = program.readAllStandardOutput();
    QVERIFY2(output.isEmpty() ? printed.isEmpty() : printed.startsWith(output), printed.constData());
    QCOMPARE(program.readAllStandardError(), said);
    QCOMPARE(QDir(home.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void MainWindowExitTest::aPlatformOnTheCommandLineIsADisplay()
{
    QTemporaryDir home;
    QProcess program;
    program.setProcessEnvironment(withoutDisplay(home));
    program.start(QStringLiteral(PLINKETY_PROGRAM), {QStringLiteral("-platform"), QStringLiteral("offscreen")});
    QVERIFY(QTest::qWaitFor([&] { return catches(program.processId(), SIGTERM); }, 10000));
    ::kill(pid_t(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(QFile::exists(confPath(home)));
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
