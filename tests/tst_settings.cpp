#include "settings/QtSettingsStore.h"
#include "support/Files.h"
#include "support/StderrCapture.h"
#include "settings/WindowPlacement.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSettings>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cfloat>
#include <limits>
#ifdef Q_OS_UNIX
#include <csignal>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QString app = QStringLiteral("Plinkety");
const QString defaults = QStringLiteral("Defaults");

#ifdef Q_OS_UNIX
// Root reads and writes a file whatever its mode says.
bool modesHold()
{
    return geteuid() != 0;
}

ino_t inodeOf(const QString &path)
{
    struct stat status = {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_ino : 0;
}

// Lowers the largest file this process may write while it lives, as a
// full disk would stop a write; not even root is exempt.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit lowered {bytes, m_saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_saved {};
    void (*m_handler)(int) = nullptr;
};
#endif

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_run = 0;

    // A new file for every test: QSettings keeps what it read of a file for
    // as long as the process lives, and would not notice a file of the same
    // size written again in the same millisecond.
    QString path() const { return m_dir.filePath(QStringLiteral("run%1/Plinkety/Plinkety.conf").arg(m_run)); }

    void writeSettingsFile(const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path()).absolutePath());
        writeFile(path(), bytes);
    }

    // The file as it is on disk, read under a name QSettings has not seen.
    QString copyOfFile()
    {
        static int copies = 0;
        const QString copy = m_dir.filePath(QStringLiteral("copy%1.conf").arg(++copies));
        [&] { QVERIFY(QFile::copy(path(), copy)); }();
        return copy;
    }

private slots:
    void initTestCase()
    {
        // Where the default store keeps its file: set before QSettings first looks.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
    }

    void init() { ++m_run; }

    void eachStoredValueIsGivenAsText_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("text"); // "<default>" where the default takes its place
        QTest::addColumn<QString>("said"); // logged, where anything is
        QTest::newRow("a number") << QByteArray("812") << "812" << "";
        QTest::newRow("empty") << QByteArray("") << "" << "";
        QTest::newRow("UTF-8") << QByteArray("\xc2\xbd \xe2\x82\xac") << QString::fromUtf8("\xc2\xbd \xe2\x82\xac") << "";
        QTest::newRow("bytes that are not UTF-8") << QByteArray("\xff""300") << QString::fromUtf8("\xef\xbf\xbd""300") << "";
        QTest::newRow("a list, as it was") << QByteArray("1,234") << "1,234" << "";
        QTest::newRow("a list, blanks gone") << QByteArray("a, b") << "a,b" << "";
        QTest::newRow("a list of empty texts") << QByteArray(",") << "," << "";
        QTest::newRow("a quoted comma is no list") << QByteArray("\"1,2\"") << "1,2" << "";
        QTest::newRow("a byte array") << QByteArray("@ByteArray(812)") << "<default>" << "holds a QByteArray rather than text";
        QTest::newRow("a rectangle") << QByteArray("@Rect(1 2 3 4)") << "<default>" << "holds a QRect rather than text";
        QTest::newRow("a broken variant") << QByteArray("@Variant(\\0\\0\\0\\x7f)") << "<default>"
                                          << "holds a value that cannot be read";
        QTest::newRow("no value at all") << QByteArray("@Invalid()") << "<default>" << "holds a value that cannot be read";
    }

    void eachStoredValueIsGivenAsText()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, text);
        QFETCH(QString, said);
        writeSettingsFile("[Defaults]\nPopped=" + stored + "\nTop=1\n");
        StderrCapture err;
        QtSettingsStore store(path());
        QCOMPARE(store.GetSetting(app, defaults, QStringLiteral("Popped"), QStringLiteral("<default>")), text);
        QCOMPARE(store.GetSetting(app, defaults, QStringLiteral("Top"), {}), QStringLiteral("1"));
        const QString log = err.text();
        if (said.isEmpty())
            QCOMPARE(log, QString());
        else
            QVERIFY2(log.contains(QStringLiteral("Plinkety: in the settings file %1, Defaults/Popped %2; it reads as \"<default>\".")
                                      .arg(path(), said)),
                     qPrintable(log));
    }

    void whatTheProgramWritesIsPlainTextThatComesBackUnchanged()
    {
        const float singles[] {200.0f, 1500.5f, -300.0f, -0.0f, FLT_MAX, -FLT_MAX, FLT_TRUE_MIN, 1.0f / 3.0f};
        const qint32 counts[] {0, 822, std::numeric_limits<qint32>::max(), std::numeric_limits<qint32>::min()};
        QStringList written;
        for (float value : singles)
            written.append(PlacementText::fromSingle(value));
        for (qint32 count : counts)
            written.append(QString::number(count));
        written.append(QStringLiteral("3.4028235E+38")); // as a number may also be written

        {
            QtSettingsStore store(path());
            for (int i = 0; i < written.size(); ++i)
                store.SaveSetting(app, defaults, QStringLiteral("Key%1").arg(i), written[i]);
            QVERIFY(store.flush());
        }
        // Lines end as the system's do: CRLF on Windows.
        const QByteArray file = readFile(path()).replace("\r\n", "\n");
        QVERIFY2(file.startsWith("[Defaults]\n"), file.constData());
        for (int i = 0; i < written.size(); ++i)
            QVERIFY2(file.contains(QStringLiteral("\nKey%1=%2\n").arg(i).arg(written[i]).toUtf8()), file.constData());

        StderrCapture err;
        QtSettingsStore again(copyOfFile());
        for (int i = 0; i < written.size(); ++i)
            QCOMPARE(again.GetSetting(app, defaults, QStringLiteral("Key%1").arg(i), {}), written[i]);
        QCOMPARE(err.text(), QString());
    }

    void missingKeysAndAMissingFileGiveTheDefaultsSilentlyAndWriteNothing()
    {
        StderrCapture err;
        QtSettingsStore store(path());
        QCOMPARE(store.GetSetting(app, defaults, QStringLiteral("Top"), QStringLiteral("200")), QStringLiteral("200"));
        QVERIFY(store.flush());
        QCOMPARE(err.text(), QString());
        QVERIFY(!QFileInfo::exists(path()));
    }

    void aFileMadeByHandIsRead()
    {
        writeSettingsFile("; made by hand\r\n[Defaults]\r\nTop = 1\rLeft=2\n\n  Height=3\r\nWidth=4");
        StderrCapture err;
        QtSettingsStore store(path());
        const QStringList keys {"Top", "Left", "Height", "Width"};
        for (int i = 0; i < keys.size(); ++i)
            QCOMPARE(store.GetSetting(app, defaults, keys[i], {}), QString::number(i + 1));
        QCOMPARE(err.text(), QString());
    }

    void linesThatAreNotSettingsAreSkippedAndLogged()
    {
        writeSettingsFile("[Defaults]\nTop=300\n\x01\x02 junk\nLeft=\xff\xfe 5\n[Broken\n=7\nPopped=812\n");
        StderrCapture err;
        QtSettingsStore store(path());
        QCOMPARE(store.GetSetting(app, defaults, QStringLiteral("Top"), {}), QStringLiteral("300"));
        QCOMPARE(store.GetSetting(app, defaults, QStringLiteral("Left"), {}), QString::fromUtf8("\xef\xbf\xbd\xef\xbf\xbd 5"));
        // Under the section that was not closed.
        QCOMPARE(store.GetSetting(app, defaults, QStringLiteral("Popped"), QStringLiteral("0")), QStringLiteral("0"));
        QCOMPARE(err.text(), QStringLiteral("Plinkety: the settings file %1 holds lines that are not settings; they are skipped.\n")
                                 .arg(path()));
    }

    void anUnreadableFileGivesTheDefaultsAndIsNamedInTheLog_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("whyNotSaved"); // "" where the save puts a good file in its place
        QTest::newRow("a folder") << "folder" << "it is a folder" << "it is a folder";
#ifdef Q_OS_UNIX
        QTest::newRow("a pipe") << "pipe" << "it is not a plain file" << "it is not a plain file";
        QTest::newRow("a link to itself") << "loop" << "Too many levels of symbolic links" << "";
        if (modesHold())
            QTest::newRow("no permission") << "mode000" << "Permission denied" << "it may not be read";
#endif
    }

    void anUnreadableFileGivesTheDefaultsAndIsNamedInTheLog()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QFETCH(QString, whyNotSaved);
        QDir().mkpath(QFileInfo(path()).absolutePath());
        const QByteArray name = QFile::encodeName(path());
        if (kind == u"folder") {
            QVERIFY(QDir().mkpath(path()));
#ifdef Q_OS_UNIX
        } else if (kind == u"loop") {
            QCOMPARE(symlink(name.constData(), name.constData()), 0);
        } else if (kind == u"pipe") {
            QCOMPARE(mkfifo(name.constData(), 0600), 0);
        } else {
            writeFile(path(), "[Defaults]\nPopped=5\n");
            QVERIFY(QFile::setPermissions(path(), {}));
#endif
        }

        StderrCapture err;
        QtSettingsStore store(path());
        QCOMPARE(store.GetSetting(app, defaults, QStringLiteral("Popped"), QStringLiteral("0")), QStringLiteral("0"));
        QCOMPARE(err.text(), QStringLiteral("Plinkety: the settings file %1 could not be read (%2); starting from the defaults.\n")
                                 .arg(path(), reason));

        store.SaveSetting(app, defaults, QStringLiteral("Popped"), QStringLiteral("3"));
        QString whyNot;
        QCOMPARE(store.flush(&whyNot), whyNotSaved.isEmpty());
        if (whyNotSaved.isEmpty()) {
            QCOMPARE(QtSettingsStore(copyOfFile()).GetSetting(app, defaults, QStringLiteral("Popped"), {}), QStringLiteral("3"));
        } else {
            QCOMPARE(whyNot, QStringLiteral("the settings file %1 could not be written: %2").arg(path(), whyNotSaved));
            QCOMPARE(QFileInfo(path()).isFile(), kind == u"mode000");
        }
    }

    void aFileOfJunkIsReplacedByAWholeOneAtTheFlush()
    {
        QByteArray junk;
        for (int i = 0; i < 4096; ++i)
            junk += char((i * 7919) & 0xff);
        writeSettingsFile(junk);
        StderrCapture err;
        QtSettingsStore store(path());
        QCOMPARE(store.GetSetting(app, defaults, QStringLiteral("Popped"), QStringLiteral("0")), QStringLiteral("0"));
        QVERIFY(err.text().contains(QStringLiteral("holds lines that are not settings")));

        store.SaveSetting(app, defaults, QStringLiteral("Popped"), QStringLiteral("3"));
        QString whyNot;
        QVERIFY2(store.flush(&whyNot), qPrintable(whyNot)); // the fault in what was read does not count against the save
        StderrCapture none;
        QCOMPARE(QtSettingsStore(copyOfFile()).GetSetting(app, defaults, QStringLiteral("Popped"), {}), QStringLiteral("3"));
        QCOMPARE(none.text(), QString());
    }

    // The store writes the file itself: every value there, of whatever kind,
    // and every text saved, reads back through QSettings as it was.
    void aSaveKeepsEveryValueOfTheFileAsQSettingsReadsIt()
    {
        writeSettingsFile("[General]\nloose=1\n[%General]\nreal=2\n[Defaults]\nPopped=4\nlist=a, \"b,c\"\n"
                          "ba=@ByteArray(a\\0\\xff)\nr=@Rect(1 2 3 4)\nat=@@x\nsub\\key=3\n"
                          "[D%E9]\n%U20AC=e\nk%20y%25%3D=z\n");
        QMap<QString, QVariant> before;
        {
            QSettings settings(copyOfFile(), QSettings::IniFormat);
            for (const QString &key : settings.allKeys())
                before.insert(key, settings.value(key));
        }
        QCOMPARE(before.size(), 10);
        const QStringList texts {QString::fromUtf8("\x01""1b\tc\nd\"e\\f;g=h,i"), QStringLiteral(" lead "), QStringLiteral("@at"),
                                 QString::fromUtf8("\xc2\xbd\xe2\x82\xac\x7f\xf0\x9f\x98\x80"), QString(), QStringLiteral("a b")};
        QtSettingsStore store(path());
        for (int i = 0; i < texts.size(); ++i)
            store.SaveSetting(app, QStringLiteral("Saved"), QStringLiteral("t%1").arg(i), texts[i]);
        QVERIFY(store.flush());

        QSettings written(copyOfFile(), QSettings::IniFormat);
        QCOMPARE(written.status(), QSettings::NoError);
        QCOMPARE(written.allKeys().size(), before.size() + texts.size());
        for (auto value = before.cbegin(); value != before.cend(); ++value)
            QCOMPARE(written.value(value.key()), value.value());
        for (int i = 0; i < texts.size(); ++i)
            QCOMPARE(written.value(QStringLiteral("Saved/t%1").arg(i)).toString(), texts[i]);
    }

    void aFlushKeepsWhatOthersWroteSinceAndPutsANewFileInPlace()
    {
        writeSettingsFile("[Defaults]\nPopped=1\nTop=10\n");
        QtSettingsStore store(path());
        QCOMPARE(store.GetSetting(app, defaults, QStringLiteral("Popped"), {}), QStringLiteral("1"));
        // Another instance closes in the meantime.
        writeFile(path(), "[Defaults]\nPopped=50\nTop=20\n[Other]\nKept=yes\n");
#ifdef Q_OS_UNIX
        const ino_t before = inodeOf(path());
#endif

        store.SaveSetting(app, defaults, QStringLiteral("Popped"), QStringLiteral("2"));
        QVERIFY(store.flush());
        QtSettingsStore written(copyOfFile());
        QCOMPARE(written.GetSetting(app, defaults, QStringLiteral("Popped"), {}), QStringLiteral("2"));
        QCOMPARE(written.GetSetting(app, defaults, QStringLiteral("Top"), {}), QStringLiteral("20"));
        QCOMPARE(written.GetSetting(app, QStringLiteral("Other"), QStringLiteral("Kept"), {}), QStringLiteral("yes"));
#ifdef Q_OS_UNIX
        QVERIFY(inodeOf(path()) != before); // a new file took the old one's place
#endif
        const QStringList leftOver = QDir(QFileInfo(path()).absolutePath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QCOMPARE(leftOver, QStringList {QStringLiteral("Plinkety.conf")});
    }

    void aSaveThatCannotFinishLeavesTheOldFileWholeAndTheChangesWaiting_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<QString>("reason");
        // A folder where the lock file goes: real for root as well.
        QTest::newRow("no lock file can be made") << "lock" << "something that is not a lock file stands at";
#ifdef Q_OS_UNIX
        QTest::newRow("the disk takes no more bytes") << "full" << "File too large";
        if (modesHold()) {
            QTest::newRow("the folder is read-only") << "mode555" << "Permission denied";
            QTest::newRow("the file is read-only") << "mode444" << "it is read-only";
        }
#endif
    }

    void aSaveThatCannotFinishLeavesTheOldFileWholeAndTheChangesWaiting()
    {
        QFETCH(QString, obstacle);
        QFETCH(QString, reason);
        const QByteArray old = "[Defaults]\nPopped=1\n";
        writeSettingsFile(old);
        const QString folder = QFileInfo(path()).absolutePath();
        QtSettingsStore store(path());
        store.SaveSetting(app, defaults, QStringLiteral("Popped"), QStringLiteral("2"));
        store.SaveSetting(app, defaults, QStringLiteral("Padding"), QString(8192, u'x'));

        QString whyNot;
        if (obstacle == u"lock") {
            QVERIFY(QDir().mkpath(path() + QStringLiteral(".lock")));
            QVERIFY(!store.flush(&whyNot)); // rather than wait for it forever
            QDir(path() + QStringLiteral(".lock")).removeRecursively();
#ifdef Q_OS_UNIX
        } else if (obstacle == u"full") {
            FileSizeLimit limit(4096);
            QVERIFY(!store.flush(&whyNot));
#endif
        } else {
            const QString blocked = obstacle == u"mode555" ? folder : path();
            const auto permissions = QFile::permissions(blocked);
            QVERIFY(QFile::setPermissions(blocked, QFile::ReadOwner | QFile::ExeOwner));
            QVERIFY(!store.flush(&whyNot));
            QVERIFY(QFile::setPermissions(blocked, permissions));
        }
        QVERIFY2(whyNot.startsWith(QStringLiteral("the settings file %1 could not be written: ").arg(path()))
                     && whyNot.contains(reason),
                 qPrintable(whyNot));
        QCOMPARE(readFile(path()), old);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList {QStringLiteral("Plinkety.conf")});

        QVERIFY(store.flush()); // the obstacle gone, the waiting changes are written
        QtSettingsStore written(copyOfFile());
        QCOMPARE(written.GetSetting(app, defaults, QStringLiteral("Popped"), {}), QStringLiteral("2"));
        QCOMPARE(written.GetSetting(app, defaults, QStringLiteral("Padding"), {}).size(), 8192);
    }

    void anEmptyLockThatAKilledSaveLeftHoldsTheNextSaveBackOnlyAMoment()
    {
        writeSettingsFile("[Defaults]\nPopped=1\n");
        writeFile(path() + QStringLiteral(".lock"), QByteArray()); // killed before it could name its owner
        QtSettingsStore store(path());
        store.SaveSetting(app, defaults, QStringLiteral("Popped"), QStringLiteral("9"));
        QString whyNot;
        QElapsedTimer saving;
        saving.start();
        QVERIFY2(store.flush(&whyNot), qPrintable(whyNot));
        // Left to itself, QSettings waits until such a lock is half a minute old.
        QVERIFY2(saving.elapsed() < 10000, qPrintable(QString::number(saving.elapsed())));
        QCOMPARE(QtSettingsStore(copyOfFile()).GetSetting(app, defaults, QStringLiteral("Popped"), {}), QStringLiteral("9"));
    }

    void aStoreWhoseFolderCannotBeMadeSaysSo()
    {
        QDir().mkpath(QFileInfo(QFileInfo(path()).absolutePath()).absolutePath());
        writeFile(QFileInfo(path()).absolutePath(), "a file where the folder belongs");
        QtSettingsStore store(path());
        store.SaveSetting(app, defaults, QStringLiteral("Popped"), QStringLiteral("2"));
        QString whyNot;
        QVERIFY(!store.flush(&whyNot));
        QCOMPARE(whyNot, QStringLiteral("the settings file %1 could not be written: its folder could not be made").arg(path()));
    }

#ifdef Q_OS_WIN
    void theDefaultStoreKeepsItsFileInTheRoamingApplicationData()
    {
        const QString expected = QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA")) + "/Plinkety/Plinkety.ini";
        QtSettingsStore store;
        QCOMPARE(store.fileName(), expected);
        store.SaveSetting(app, defaults, QStringLiteral("Popped"), QStringLiteral("31"));
        QVERIFY(store.flush());
        QCOMPARE(QSettings(expected, QSettings::IniFormat).value(QStringLiteral("Defaults/Popped")), QVariant(QStringLiteral("31")));
        QVERIFY(QFile::remove(expected));
    }
#else
    void theDefaultStoreKeepsItsFileWhereQSettingsDoes()
    {
        const QString expected = m_dir.filePath(QStringLiteral("config/Plinkety/Plinkety.conf"));
        QSettings native(QSettings::NativeFormat, QSettings::UserScope, app, app);
        QCOMPARE(native.fileName(), expected);
        QtSettingsStore store;
        QCOMPARE(store.fileName(), expected);
        store.SaveSetting(app, defaults, QStringLiteral("Popped"), QStringLiteral("31"));
        QVERIFY(store.flush());
        native.sync();
        QCOMPARE(native.value(QStringLiteral("Defaults/Popped")), QVariant(QStringLiteral("31")));
    }

    // After the XDG base directory rules: a relative XDG_CONFIG_HOME is
    // ignored, and without HOME the account's home directory is used.
    void theSettingsFileFollowsTheXdgRules()
    {
        const QByteArray xdg = qgetenv("XDG_CONFIG_HOME");
        const QByteArray home = qgetenv("HOME");
        const QString accountHome = QFile::decodeName(getpwuid(geteuid())->pw_dir);
        qputenv("XDG_CONFIG_HOME", "relative/config");
        qputenv("HOME", "/home/someone");
        const QString relativeIgnored = QtSettingsStore().fileName();
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("HOME");
        const QString noHome = QtSettingsStore().fileName();
        qputenv("XDG_CONFIG_HOME", xdg);
        qputenv("HOME", home);
        QCOMPARE(relativeIgnored, QStringLiteral("/home/someone/.config/Plinkety/Plinkety.conf"));
        QCOMPARE(noHome, QDir::cleanPath(accountHome + QStringLiteral("/.config/Plinkety/Plinkety.conf")));
    }
#endif
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
