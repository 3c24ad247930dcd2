#include "settings/QtSettingsStore.h"
#include "settings/SettingsFileText.h"
#include "support/StderrCapture.h"
#include "ui/WindowPlacement.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cfloat>
#include <csignal>
#include <limits>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString app = QStringLiteral("Plinkety");
const QString defaults = QStringLiteral("Defaults");

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
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

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(QStringLiteral("Plinkety/Plinkety.conf")); }

    QString storedValueOf(const QByteArray &file, const QString &key)
    {
        QDir().mkpath(QFileInfo(path()).absolutePath());
        writeFile(path(), file);
        QtSettingsStore store(path());
        return store.GetSetting(app, defaults, key, QStringLiteral("<none>"));
    }

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    void everyStoredTextIsReadExactlyAsItStands_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("text");
        QTest::newRow("a number") << QByteArray("812") << "812";
        QTest::newRow("commas are no list") << QByteArray("1,234") << "1,234";
        QTest::newRow("no byte array") << QByteArray("@ByteArray(812)") << "@ByteArray(812)";
        QTest::newRow("no variant") << QByteArray("@Variant(\\0\\0\\0\\x7f)") << "@Variant(\\0\\0\\0\\x7f)";
        QTest::newRow("no rectangle") << QByteArray("@Rect(1 2 3 4)") << "@Rect(1 2 3 4)";
        QTest::newRow("quotes stay") << QByteArray("\"12\"") << "\"12\"";
        QTest::newRow("blanks around stay") << QByteArray(" 42 ") << " 42 ";
        QTest::newRow("a second equals sign") << QByteArray("b=c") << "b=c";
        QTest::newRow("semicolon and backslash") << QByteArray("5;x\\n") << "5;x\\n";
        QTest::newRow("empty") << QByteArray("") << "";
        QTest::newRow("UTF-8") << QByteArray("\xc2\xbd \xe2\x82\xac") << QString::fromUtf8("\xc2\xbd \xe2\x82\xac");
        QTest::newRow("a NUL byte") << QByteArray("7\0 8", 4) << QString::fromUtf8("7\0 8", 4);
    }

    void everyStoredTextIsReadExactlyAsItStands()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, text);
        QCOMPARE(storedValueOf("[Defaults]\nPopped=" + stored + "\n", QStringLiteral("Popped")), text);
    }

    void whatTheProgramWritesComesBackUnchanged()
    {
        const float singles[] {200.0f, 1500.5f, -300.0f, -0.0f, FLT_MAX, -FLT_MAX, FLT_TRUE_MIN, 1.0f / 3.0f};
        const qint32 counts[] {0, 822, std::numeric_limits<qint32>::max(), std::numeric_limits<qint32>::min()};
        QStringList written;
        for (float value : singles)
            written.append(PlacementText::fromSingle(value));
        for (qint32 count : counts)
            written.append(QString::number(count));

        {
            QtSettingsStore store(path());
            for (int i = 0; i < written.size(); ++i)
                store.SaveSetting(app, defaults, QStringLiteral("Key%1").arg(i), written[i]);
            QVERIFY(store.flush());
        }
        StderrCapture err;
        QtSettingsStore again(path());
        for (int i = 0; i < written.size(); ++i)
            QCOMPARE(again.GetSetting(app, defaults, QStringLiteral("Key%1").arg(i), {}), written[i]);
        QCOMPARE(err.text(), QString());
        QVERIFY(readFile(path()).startsWith("[Defaults]\nKey0=200\nKey1=1500.5\n"));
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

    void linesThatAreNotSettingsAreSkippedAndNamedInTheLog()
    {
        const QByteArray file = "[Defaults]\nTop=300\n\x01\x02 junk\nLeft=\xff\xfe 5\n[Broken\n=7\nPopped=812\n";
        StderrCapture err;
        QCOMPARE(storedValueOf(file, QStringLiteral("Top")), QStringLiteral("300"));
        QtSettingsStore store(path());
        QCOMPARE(store.GetSetting(app, defaults, QStringLiteral("Popped"), {}), QStringLiteral("812"));
        QCOMPARE(store.GetSetting(app, defaults, QStringLiteral("Left"), {}), QString::fromUtf8("\xef\xbf\xbd\xef\xbf\xbd 5"));
        const QString said = err.text();
        QVERIFY2(said.contains(QStringLiteral("line 4 holds bytes that are not UTF-8 text")), qPrintable(said));
        QVERIFY2(said.contains(QStringLiteral("lines 3, 5 and 6 are not settings")), qPrintable(said));
        QVERIFY2(said.startsWith(QStringLiteral("Plinkety: in the settings file ") + path()), qPrintable(said));
    }

    void lineEndsOfEveryKindCommentsAndAByteOrderMarkAreRead()
    {
        const QByteArray file = "\xef\xbb\xbf; made by hand\r\n[Defaults]\r\nTop=1\rLeft=2\n# note\nHeight=3\r\n\r\nWidth=4";
        const SettingsFileText text = SettingsFileText::parse(file);
        QCOMPARE(text.problems(), QStringList());
        const QStringList keys {"Top", "Left", "Height", "Width"};
        for (int i = 0; i < keys.size(); ++i)
            QCOMPARE(text.value(defaults, keys[i]), QString::number(i + 1));
    }

    void aKeyGivenTwiceCountsByItsLastValueAndSectionsMerge()
    {
        const SettingsFileText text =
            SettingsFileText::parse("[Defaults]\nPopped=1\n[Other]\nX=y\n[ Defaults ]\nPopped=2\nTop=5\n");
        QCOMPARE(text.value(defaults, QStringLiteral("Popped")), QStringLiteral("2"));
        QCOMPARE(text.value(defaults, QStringLiteral("Top")), QStringLiteral("5"));
        QCOMPARE(text.format(), QByteArray("[Defaults]\nPopped=2\nTop=5\n\n[Other]\nX=y\n"));
    }

    void keysOutsideAnySectionAreWrittenWhereNoSectionClaimsThem()
    {
        SettingsFileText text = SettingsFileText::parse("[Defaults]\nTop=1\n");
        QVERIFY(text.set(QString(), QStringLiteral("Loose"), QStringLiteral("x")));
        const QByteArray formatted = text.format();
        QCOMPARE(formatted, QByteArray("Loose=x\n\n[Defaults]\nTop=1\n"));
        const SettingsFileText again = SettingsFileText::parse(formatted);
        QCOMPARE(again.value(QString(), QStringLiteral("Loose")), QStringLiteral("x"));
        QCOMPARE(again.value(defaults, QStringLiteral("Loose")), std::nullopt);
    }

    void textsTheFileCouldNotGiveBackAreRefusedAndReportedAtTheFlush()
    {
        QtSettingsStore store(path());
        store.SaveSetting(app, defaults, QStringLiteral("Top"), QStringLiteral("two\nlines"));
        store.SaveSetting(app, defaults, QStringLiteral("Bad=Key"), QStringLiteral("1"));
        store.SaveSetting(app, defaults, QStringLiteral("Popped"), QStringLiteral("5"));
        QString whyNot;
        QVERIFY(!store.flush(&whyNot));
        QVERIFY2(whyNot.contains(QStringLiteral("Defaults/Top, Defaults/Bad=Key")), qPrintable(whyNot));
        QCOMPARE(readFile(path()), QByteArray("[Defaults]\nPopped=5\n"));
        QVERIFY(store.flush()); // reported once; nothing else waits
    }

    void anUnreadableFileGivesTheDefaultsAndIsNamedInTheLog_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a folder") << "folder" << "it is a folder";
        QTest::newRow("a link to itself") << "loop" << "Too many levels of symbolic links";
        QTest::newRow("a pipe") << "pipe" << "it is not a plain file";
        QTest::newRow("far too large") << "large" << "far more than settings take";
        if (geteuid() != 0) // root reads a file whatever its mode says
            QTest::newRow("no read permission") << "mode000" << "Permission denied";
    }

    void anUnreadableFileGivesTheDefaultsAndIsNamedInTheLog()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QDir().mkpath(QFileInfo(path()).absolutePath());
        const QByteArray name = QFile::encodeName(path());
        if (kind == u"folder")
            QVERIFY(QDir().mkpath(path()));
        else if (kind == u"loop")
            QCOMPARE(symlink(name.constData(), name.constData()), 0);
        else if (kind == u"pipe")
            QCOMPARE(mkfifo(name.constData(), 0600), 0);
        else if (kind == u"large")
            writeFile(path(), "[Defaults]\nPopped=5\n" + QByteArray(QtSettingsStore::largestFile, ';'));
        else if (kind == u"mode000") {
            writeFile(path(), "[Defaults]\nPopped=5\n");
            QVERIFY(QFile::setPermissions(path(), {}));
        }

        StderrCapture err;
        QtSettingsStore store(path());
        QCOMPARE(store.GetSetting(app, defaults, QStringLiteral("Popped"), QStringLiteral("0")), QStringLiteral("0"));
        const QString said = err.text();
        QVERIFY2(said.contains(QStringLiteral("the settings file %1 could not be read").arg(path())), qPrintable(said));
        QVERIFY2(said.contains(reason), qPrintable(said));
        QVERIFY2(said.contains(QStringLiteral("starting from the defaults")), qPrintable(said));
    }

    void aFileOfJunkIsReplacedByAWholeOneAtTheFlush()
    {
        QByteArray junk;
        for (int i = 0; i < 4096; ++i)
            junk += char((i * 7919) & 0xff);
        QDir().mkpath(QFileInfo(path()).absolutePath());
        writeFile(path(), junk);
        StderrCapture err;
        QtSettingsStore store(path());
        QCOMPARE(store.GetSetting(app, defaults, QStringLiteral("Popped"), QStringLiteral("0")), QStringLiteral("0"));
        store.SaveSetting(app, defaults, QStringLiteral("Popped"), QStringLiteral("3"));
        QVERIFY(store.flush());
        QVERIFY(err.text().contains(QStringLiteral("are not settings")));
        const SettingsFileText written = SettingsFileText::parse(readFile(path()));
        QCOMPARE(written.problems(), QStringList());
        QCOMPARE(written.value(defaults, QStringLiteral("Popped")), QStringLiteral("3"));
    }

    void aFlushKeepsWhatOthersWroteSinceAndPutsANewFileInPlace()
    {
        QDir().mkpath(QFileInfo(path()).absolutePath());
        writeFile(path(), "[Defaults]\nPopped=1\nTop=10\n");
        QtSettingsStore store(path());
        QCOMPARE(store.GetSetting(app, defaults, QStringLiteral("Popped"), {}), QStringLiteral("1"));
        // Another instance closes in the meantime.
        writeFile(path(), "[Defaults]\nPopped=50\nTop=20\n[Other]\nKept=yes\n");
        const ino_t before = inodeOf(path());

        store.SaveSetting(app, defaults, QStringLiteral("Popped"), QStringLiteral("2"));
        QVERIFY(store.flush());
        QCOMPARE(readFile(path()), QByteArray("[Defaults]\nPopped=2\nTop=20\n\n[Other]\nKept=yes\n"));
        QVERIFY(inodeOf(path()) != before); // a new file took the old one's place
        const QStringList leftOver = QDir(QFileInfo(path()).absolutePath()).entryList(QDir::Files | QDir::NoDotAndDotDot);
        QCOMPARE(leftOver, QStringList {QStringLiteral("Plinkety.conf")});
    }

    void aSaveThatCannotFinishLeavesTheOldFileWholeAndTheChangesWaiting_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::newRow("no lock file can be made") << "lock";
        QTest::newRow("the disk takes no more bytes") << "full";
    }

    void aSaveThatCannotFinishLeavesTheOldFileWholeAndTheChangesWaiting()
    {
        QFETCH(QString, obstacle);
        QDir().mkpath(QFileInfo(path()).absolutePath());
        const QByteArray old = "[Defaults]\nPopped=1\n";
        writeFile(path(), old);
        QtSettingsStore store(path());
        store.SaveSetting(app, defaults, QStringLiteral("Popped"), QStringLiteral("2"));
        store.SaveSetting(app, defaults, QStringLiteral("Padding"), QString(8192, u'x'));

        QString whyNot;
        if (obstacle == u"lock") {
            // A folder where the lock file goes: real for root as well.
            QVERIFY(QDir().mkpath(path() + QStringLiteral(".lock")));
            QVERIFY(!store.flush(&whyNot));
            QDir(path() + QStringLiteral(".lock")).removeRecursively();
        } else {
            FileSizeLimit limit(4096);
            QVERIFY(!store.flush(&whyNot));
        }
        QVERIFY2(whyNot.startsWith(QStringLiteral("the settings file %1 could not be written: ").arg(path())),
                 qPrintable(whyNot));
        QCOMPARE(readFile(path()), old);

        QVERIFY(store.flush()); // the obstacle gone, the waiting changes are written
        const SettingsFileText written = SettingsFileText::parse(readFile(path()));
        QCOMPARE(written.value(defaults, QStringLiteral("Popped")), QStringLiteral("2"));
        QCOMPARE(written.value(defaults, QStringLiteral("Padding"))->size(), 8192);
    }

    void anEmptyLockThatAKilledSaveLeftHoldsTheNextSaveBackOnlyAMoment()
    {
        QDir().mkpath(QFileInfo(path()).absolutePath());
        writeFile(path() + QStringLiteral(".lock"), QByteArray()); // killed before it could name its owner
        QtSettingsStore store(path());
        store.SaveSetting(app, defaults, QStringLiteral("Popped"), QStringLiteral("9"));
        QString whyNot;
        QVERIFY2(store.flush(&whyNot), qPrintable(whyNot));
        QCOMPARE(readFile(path()), QByteArray("[Defaults]\nPopped=9\n"));
    }

    void aStoreWhoseFolderCannotBeMadeSaysSo()
    {
        writeFile(m_dir.filePath(QStringLiteral("Plinkety")), "a file where the folder belongs");
        QtSettingsStore store(path());
        store.SaveSetting(app, defaults, QStringLiteral("Popped"), QStringLiteral("2"));
        QString whyNot;
        QVERIFY(!store.flush(&whyNot));
        QCOMPARE(whyNot, QStringLiteral("the settings file %1 could not be written: its folder could not be made").arg(path()));
    }

    void thePerUserFileIsWhereQSettingsWouldKeepIt()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));
        QCOMPARE(QtSettingsStore().fileName(app), m_dir.path() + QStringLiteral("/Plinkety/Plinkety.conf"));
        qunsetenv("XDG_CONFIG_HOME");
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
