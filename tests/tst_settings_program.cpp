// The program itself with bad settings and with a settings store that
// cannot be read or written: it starts, logs what it could not read, closes
// normally, and says (with status 1) when its settings were not saved.
#include "support/Files.h"

#include <QDir>
#include <QMap>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <functional>
#include <optional>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString defaults = QStringLiteral("Defaults");
const QStringList allKeys {"Top", "Left", "Height", "Width", "Popped"};

struct Closed
{
    int status = -1;                 // the exit code; -1 when it did not exit by itself
    QString said;                    // what it wrote on stderr
    std::optional<QByteArray> saved; // the settings file it left, if any
};

// The values of a settings file as QSettings reads them, under a name it
// has not read before; nothing where it finds a fault.
std::optional<QMap<QString, QVariant>> settingsIn(const QByteArray &bytes)
{
    static QTemporaryDir dir;
    static int files = 0;
    const QString path = dir.filePath(QStringLiteral("%1.conf").arg(++files));
    writeFile(path, bytes);
    QSettings settings(path, QSettings::IniFormat);
    QMap<QString, QVariant> values;
    for (const QString &key : settings.allKeys())
        values.insert(key, settings.value(key));
    if (settings.status() != QSettings::NoError)
        return std::nullopt;
    return values;
}

// What QSettings writes for values.
QByteArray fileOf(const QMap<QString, QString> &values)
{
    static QTemporaryDir dir;
    static int files = 0;
    const QString path = dir.filePath(QStringLiteral("%1.conf").arg(++files));
    {
        QSettings settings(path, QSettings::IniFormat);
        for (auto value = values.cbegin(); value != values.cend(); ++value)
            settings.setValue(value.key(), value.value());
    }
    return readFile(path);
}

bool isPlainNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("\\A-?[0-9]+(\\.[0-9]+)?(e[+-][0-9]+)?\\z"));
    return number.match(text).hasMatch();
}

// In the child, before the program runs: no file may grow beyond `bytes`,
// as on a full disk; not even root is exempt.
std::function<void()> fileSizeLimit(rlim_t bytes)
{
    return [bytes] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit {};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    };
}

} // namespace

class TestSettingsInTheProgram : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;    // the program's XDG_CONFIG_HOME
    QTemporaryDir m_work;
    QTemporaryDir m_runtime; // its XDG_RUNTIME_DIR

    QString folder() const { return m_home.filePath(QStringLiteral("Plinkety")); }
    QString settingsFile() const { return folder() + QStringLiteral("/Plinkety.conf"); }

    Closed runAndClose(const QString &mode = QStringLiteral("plain"), const QString &home = {},
                       const std::function<void()> &inChild = {})
    {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        program.setProcessEnvironment(environment);
        if (inChild)
            program.setChildProcessModifier(inChild);
        const QString copy = m_work.filePath(QStringLiteral("left.conf"));
        QFile::remove(copy);
        program.start(QStringLiteral("sh"), {QStringLiteral(RUN_AND_CLOSE), mode, home.isEmpty() ? m_home.path() : home,
                                             copy, QStringLiteral(PLINKETY_BINARY)});
        Closed closed;
        if (!program.waitForFinished(180000)) {
            program.kill();
            program.waitForFinished();
        } else if (program.exitStatus() == QProcess::NormalExit) {
            closed.status = program.exitCode();
        }
        closed.said = QString::fromLocal8Bit(program.readAllStandardError());
        // A private mount is gone with the program: there only the copy tells.
        const QString left = mode == u"plain" ? QDir(home.isEmpty() ? m_home.path() : home)
                                                    .filePath(QStringLiteral("Plinkety/Plinkety.conf"))
                                              : copy;
        if (QFileInfo(left).isFile())
            closed.saved = readFile(left);
        return closed;
    }

    // The program got through its start and its close with no run-time
    // error; its status is 1 where it told that its pops were not saved.
    static void checkClosedNormally(const Closed &closed)
    {
        const int status = closed.said.contains(QStringLiteral("could not be saved")) ? 1 : 0;
        QVERIFY2(closed.status == status, qPrintable(closed.said));
        QVERIFY2(!closed.said.contains(QStringLiteral("Run-time error")), qPrintable(closed.said));
    }

private slots:
    void init()
    {
        QDir(m_home.path()).removeRecursively();
        QVERIFY(QDir().mkpath(folder()));
    }

    void theProgramStartsWithBadValuesInEveryKeyAndSavesGoodOnes_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QString>("popped"); // as saved at the close
        QTest::addColumn<QString>("width");  // as saved, where it is certain

        const QStringList eachValue {"\"Top\" value", "\"Left\" value", "\"Height\" value", "\"Width\" value",
                                     "stored pop count"};
        QTest::newRow("garbage") << QByteArray("[Defaults]\nTop=abc\nLeft=@Rect(1 2 3 4)\nHeight=1,5\nWidth=x9\nPopped=lots\n")
                                 << QStringList {"\"Top\" value", "Defaults/Left holds a QRect rather than text",
                                                 "\"Height\" value", "\"Width\" value", "stored pop count"}
                                 << "0" << "";
        QTest::newRow("empty texts") << QByteArray("[Defaults]\nTop=\nLeft=\nHeight=\nWidth=\nPopped=\n")
                                     << eachValue << "0" << "";
        QTest::newRow("huge numbers")
            << QByteArray("[Defaults]\nTop=1e400\nLeft=-1e400\nHeight=1e400\nWidth=1e39\nPopped=99999999999\n")
            << eachValue << "0" << "11800";
        QTest::newRow("a width of 400 digits and a small exponent")
            << "[Defaults]\nWidth=" + QByteArray(400, '9') + "e-1\nPopped=3\n"
            << QStringList {"\"Width\" value"} << "3" << "11800";
        QTest::newRow("negative and zero sizes")
            << QByteArray("[Defaults]\nTop=-50\nLeft=-50\nHeight=0\nWidth=-3000\nPopped=5\n") << QStringList() << "5" << "";
        QTest::newRow("bytes that are not UTF-8")
            << QByteArray("[Defaults]\nTop=\xff""300\nLeft=\xfe\nHeight=\xc3\nWidth=\x80\x80\nPopped=\xc3\x28\n")
            << eachValue << "0" << "";
        QByteArray junk;
        for (int i = 0; i < 2048; ++i)
            junk += char((i * 31 + i / 256) & 0xff);
        QTest::newRow("binary junk") << junk << QStringList {"holds lines that are not settings"} << "0" << "";
    }

    void theProgramStartsWithBadValuesInEveryKeyAndSavesGoodOnes()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QStringList, said);
        QFETCH(QString, popped);
        QFETCH(QString, width);
        writeFile(settingsFile(), stored);

        const Closed closed = runAndClose();
        checkClosedNormally(closed);
        for (const QString &words : said)
            QVERIFY2(closed.said.contains(words), qPrintable(QStringLiteral("no \"%1\" in: %2").arg(words, closed.said)));
        QVERIFY2(!closed.said.contains(QStringLiteral("could not be saved")), qPrintable(closed.said));

        QVERIFY(closed.saved);
        const auto saved = settingsIn(*closed.saved);
        QVERIFY2(saved, closed.saved->constData());
        for (const QString &key : allKeys) {
            const QVariant value = saved->value(defaults + u'/' + key);
            QVERIFY2(value.typeId() == QMetaType::QString && isPlainNumber(value.toString()), qPrintable(key));
        }
        QCOMPARE(saved->value(QStringLiteral("Defaults/Popped")).toString(), popped);
        if (!width.isEmpty())
            QCOMPARE(saved->value(QStringLiteral("Defaults/Width")).toString(), width);
    }

    void anUnreadableSettingsFileIsLoggedAndTheProgramStarts_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("replaced"); // whether the close puts a good file in its place
        QTest::newRow("a folder") << "folder" << "(it is a folder)" << false;
        QTest::newRow("a link to itself") << "loop" << "(Too many levels of symbolic links)" << true;
        if (geteuid() != 0) // root reads a file whatever its mode says
            QTest::newRow("no read permission") << "mode000" << "(Permission denied)" << false;
    }

    void anUnreadableSettingsFileIsLoggedAndTheProgramStarts()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QFETCH(bool, replaced);
        const QByteArray name = QFile::encodeName(settingsFile());
        if (kind == u"folder") {
            QVERIFY(QDir().mkpath(settingsFile()));
        } else if (kind == u"loop") {
            QCOMPARE(symlink(name.constData(), name.constData()), 0);
        } else {
            writeFile(settingsFile(), "[Defaults]\nPopped=7\n");
            QVERIFY(QFile::setPermissions(settingsFile(), {}));
        }

        const Closed closed = runAndClose();
        checkClosedNormally(closed);
        QVERIFY2(closed.said.contains(QStringLiteral("could not be read ") + reason), qPrintable(closed.said));
        QCOMPARE(closed.said.contains(QStringLiteral("could not be saved")), !replaced);
        if (replaced) {
            QVERIFY(closed.saved && settingsIn(*closed.saved));
        } else if (kind == u"folder") {
            QVERIFY(QFileInfo(settingsFile()).isDir());
        } else { // left as it was
            QVERIFY(QFile::setPermissions(settingsFile(), QFile::ReadOwner | QFile::WriteOwner));
            QCOMPARE(readFile(settingsFile()), QByteArray("[Defaults]\nPopped=7\n"));
        }
    }

    void aStoreThatCannotBeWrittenIsReportedAndTheProgramClosesWithStatus1_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<QString>("reason");
        QTest::newRow("the settings folder cannot be made") << "parent is a file" << "its folder could not be made";
        QTest::newRow("no file may grow beyond 1 KiB") << "size limit" << "File too large";
        QTest::newRow("the folder is a read-only mount") << "readonly" << "Read-only file system";
        QTest::newRow("the disk is full") << "full" << "No space left on device";
        if (geteuid() != 0)
            QTest::newRow("the folder is read-only") << "mode555" << "Permission denied";
    }

    void aStoreThatCannotBeWrittenIsReportedAndTheProgramClosesWithStatus1()
    {
        QFETCH(QString, obstacle);
        QFETCH(QString, reason);
        // What was saved before, with more of its own than a lock file holds.
        const QByteArray old = "[Defaults]\nPopped=41\n\n[Notes]\nKept=" + QByteArray(2000, 'n') + "\n";
        writeFile(settingsFile(), old);

        Closed closed;
        if (obstacle == u"parent is a file") {
            const QString notAFolder = m_work.filePath(QStringLiteral("not-a-folder"));
            writeFile(notAFolder, "a file where the settings folder's parent belongs");
            closed = runAndClose(QStringLiteral("plain"), notAFolder);
        } else if (obstacle == u"size limit") {
            closed = runAndClose(QStringLiteral("plain"), {}, fileSizeLimit(1024));
        } else if (obstacle == u"mode555") {
            QVERIFY(QFile::setPermissions(folder(), QFile::ReadOwner | QFile::ExeOwner));
            closed = runAndClose();
            QFile::setPermissions(folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        } else {
            closed = runAndClose(obstacle);
            if (closed.status == 77)
                QSKIP("this machine does not let the test mount a file system");
        }

        checkClosedNormally(closed);
        QVERIFY2(closed.said.contains(QStringLiteral("could not be saved")) && closed.said.contains(reason),
                 qPrintable(closed.said));
        if (obstacle != u"parent is a file")
            QCOMPARE(closed.saved.value_or("<none>"), old);
    }

    void aKillInTheMiddleOfASaveLeavesEitherTheOldOrTheNewFile()
    {
        QByteArray expected[2];
        for (int i = 0; i < 2; ++i)
            expected[i] = fileOf({{QStringLiteral("Defaults/Popped"), QString::number(i + 1)},
                                  {QStringLiteral("Defaults/Padding"), QString(256 * 1024, i == 0 ? u'a' : u'b')}});

        int found[2] = {0, 0};
        constexpr int kills = 40;
        for (int round = 0; round < kills; ++round) {
            QProcess probe;
            probe.start(QStringLiteral(SAVE_PROBE), {settingsFile()});
            QVERIFY2(probe.waitForReadyRead(60000), probe.readAllStandardError().constData()); // its first save is done
            QTest::qSleep(1 + QRandomGenerator::global()->bounded(40));
            ::kill(pid_t(probe.processId()), SIGKILL);
            QVERIFY(probe.waitForFinished(60000));
            QCOMPARE(probe.exitStatus(), QProcess::CrashExit);

            const QByteArray left = readFile(settingsFile());
            QVERIFY2(left == expected[0] || left == expected[1],
                     qPrintable(QStringLiteral("a file of %1 bytes, neither whole save").arg(left.size())));
            ++found[left == expected[1]];
        }
        qInfo("after %d kills: the first save %d times, the second %d times", kills, found[0], found[1]);
        // Besides the file, at most what a killed save leaves: its locks, which
        // the next save takes over, and a new file that never took the name.
        static const QRegularExpression leftOver(QStringLiteral("\\APlinkety\\.conf\\.(lock|save\\.lock|[A-Za-z0-9]{6})\\z"));
        for (const QString &name : QDir(folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System))
            QVERIFY2(name == u"Plinkety.conf" || leftOver.match(name).hasMatch(), qPrintable(name));
    }
};

QTEST_MAIN(TestSettingsInTheProgram)
#include "tst_settings_program.moc"
