#include "platform/CheckedInt.h"
#include "platform/FontWarmUp.h"
#include "platform/RandomSource.h"
#include "platform/Resources.h"
#include "platform/RuntimeError.h"
#include "support/ErrorCode.h"
#include "platform/TextConvert.h"
#include "platform/Twips.h"

#include <QGuiApplication>
#include <QProcess>
#include <QTest>
#include <limits>

class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    void countersRaiseOverflowInsteadOfWrapping()
    {
        QCOMPARE(Checked::add<qint16>(32766, 1), qint16(32767));
        QCOMPARE(errorCodeOf([] { Checked::add<qint16>(32767, 1); }), RuntimeError::Overflow);
        QCOMPARE(errorCodeOf([] { Checked::mul<qint16>(182, 181); }), RuntimeError::Overflow);
        QCOMPARE(Checked::mul<qint16>(181, 181), qint16(32761));
        QCOMPARE(errorCodeOf([] { Checked::add<qint32>(2147483647, 1); }), RuntimeError::Overflow);
        QCOMPARE(errorCodeOf([] { Checked::sub<qint16>(-32768, 1); }), RuntimeError::Overflow);
        QCOMPARE(Checked::floorTo<qint16>(32767.9), qint16(32767));
        QCOMPARE(errorCodeOf([] { Checked::floorTo<qint16>(32768.0); }), RuntimeError::Overflow);
        QCOMPARE(errorCodeOf([] { Checked::floorTo<qint16>(std::numeric_limits<double>::infinity()); }),
                 RuntimeError::Overflow);
        QCOMPARE(errorCodeOf([] { Checked::floorTo<qint16>(std::numeric_limits<double>::quiet_NaN()); }),
                 RuntimeError::Overflow);
    }

    void runtimeErrorsNameThemselves()
    {
        QCOMPARE(RuntimeError::overflow().message(), QStringLiteral("Overflow"));
        QCOMPARE(RuntimeError::typeMismatch().message(), QStringLiteral("Type mismatch"));
        QVERIFY(RuntimeError::resourceNotFound(999).message().contains(u"999"));
    }

    void leadingNumberReadsTheNumberATextStartsWith_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << "3565" << 3565.0;
        QTest::newRow("negative") << "-300" << -300.0;
        QTest::newRow("fraction") << "1234.5" << 1234.5;
        QTest::newRow("leading blanks") << "  \t42" << 42.0;
        QTest::newRow("trailing text") << "812 twips" << 812.0;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("sign only") << "-" << 0.0;
        QTest::newRow("point only") << "." << 0.0;
        QTest::newRow("exponent") << "1.5e3" << 1500.0;
        QTest::newRow("bare exponent letter") << "7e" << 7.0;
        QTest::newRow("huge saturates") << QString(400, u'9') << std::numeric_limits<double>::max();
        QTest::newRow("huge exponent") << "1e999" << std::numeric_limits<double>::max();
        QTest::newRow("tiny exponent") << "1e-999" << 0.0;
    }

    void leadingNumberReadsTheNumberATextStartsWith()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(TextConvert::leadingNumber(text), expected);
    }

    void leadingNumberIgnoresTheLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German));
        std::setlocale(LC_ALL, "de_DE.UTF-8");
        QCOMPARE(TextConvert::leadingNumber(u"12.5"), 12.5);
        std::setlocale(LC_ALL, "C");
        QLocale::setDefault(QLocale::c());
    }

    void integersOfTextAcceptOnlyWholeNumbers()
    {
        QCOMPARE(TextConvert::toInt32(u"812"), 812);
        QCOMPARE(TextConvert::toInt32(u" -2147483648 "), std::numeric_limits<qint32>::min());
        QCOMPARE(TextConvert::toInt32(u"+7"), 7);
        QCOMPARE(TextConvert::toInt16(u"96"), qint16(96));
        QCOMPARE(TextConvert::toInt16(u"-5"), qint16(-5));
        QCOMPARE(TextConvert::toInt16(u"-32768"), qint16(-32768));
        for (const char16_t *bad : {u"", u" ", u"-", u"12a", u"1.5", u"abc", u"1 2", u"0x10"})
            QCOMPARE(errorCodeOf([bad] { TextConvert::toInt32(bad); }), RuntimeError::TypeMismatch);
        QCOMPARE(errorCodeOf([] { TextConvert::toInt32(u"2147483648"); }), RuntimeError::Overflow);
        QCOMPARE(errorCodeOf([] { TextConvert::toInt32(u"99999999999999999999999"); }), RuntimeError::Overflow);
        QCOMPARE(errorCodeOf([] { TextConvert::toInt16(u"32768"); }), RuntimeError::Overflow);
        QCOMPARE(errorCodeOf([] { TextConvert::toInt16(u"-32769"); }), RuntimeError::Overflow);
    }

    void randomNumbersStayBelowOne()
    {
        QCOMPARE(ClockRandomSource::toUnit(0), 0.0f);
        QVERIFY(ClockRandomSource::toUnit(0xffffffffu) < 1.0f);
        QVERIFY(int(ClockRandomSource::toUnit(0xffffffffu) * 4.0f) == 3);

        ClockRandomSource random;
        random.seedFromClock();
        int counts[4] = {};
        for (int i = 0; i < 40000; ++i) {
            const float value = random.next();
            QVERIFY(value >= 0.0f && value < 1.0f);
            ++counts[int(value * 4.0f)];
        }
        for (int count : counts)
            QVERIFY2(count > 9000 && count < 11000, "each quarter is drawn about equally often");
    }

    void missingResourcesAreRunTimeErrors()
    {
        QCOMPARE(errorCodeOf([] { Resources::LoadResData(999); }), RuntimeError::ResourceNotFound);
        QCOMPARE(errorCodeOf([] { Resources::LoadResString(102); }), RuntimeError::ResourceNotFound);
        QVERIFY(Resources::LoadResData(101).startsWith("RIFF"));
        QVERIFY(!Resources::LoadResString(101).isEmpty());
    }

    // Told or not that the application exists, the warm-up ends (a hang
    // would hold the program's exit), and telling it twice does no harm.
    void fontWarmUpEndsWhetherOrNotTheApplicationStarted()
    {
        FontWarmUp untold;
        QVERIFY_THROWS_NO_EXCEPTION(untold.wait());
        QVERIFY_THROWS_NO_EXCEPTION(untold.applicationStarted());
        FontWarmUp told;
        QVERIFY_THROWS_NO_EXCEPTION(told.applicationStarted());
        QVERIFY_THROWS_NO_EXCEPTION(told.applicationStarted());
        QVERIFY_THROWS_NO_EXCEPTION(told.wait());
    }

    void twipsAreFifteenToAPixel()
    {
        QCOMPARE(Twips::fromPixels(292), 4380.0);
        QCOMPARE(Twips::toPixelsRounded(615), 41);
        QCOMPARE(Twips::toPixelsRounded(3565), 238);
        // Each edge and length on its own, as the About window's labels.
        QCOMPARE(Twips::toPixels(QRectF(960, 120, 3375, 375)), QRect(64, 8, 225, 25));
        QCOMPARE(Twips::toPixels(QRectF(4560, 3120, 3565, 7)), QRect(304, 208, 238, 0));
        QCOMPARE(Twips::fromPixels(QRect(-3, 2, 41, 238)), QRectF(-45, 30, 615, 3570));
    }

    void errorReportEndsAHeadlessRunWithTheErrorNamed_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("in an event handler") << "event";
        QTest::newRow("at start-up") << "startup";
    }

    void errorReportEndsAHeadlessRunWithTheErrorNamed()
    {
        QFETCH(QString, where);
        QProcess probe;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // Headless as this test is: offscreen on Linux, minimal under Wine.
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QGuiApplication::platformName());
        probe.setProcessEnvironment(environment);
        probe.start(QStringLiteral(ERROR_PROBE), {where});
        QVERIFY2(probe.waitForFinished(20000), "the report must not hang a headless run");
        QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
        QCOMPARE(probe.exitCode(), 1);
        const QString errors = QString::fromLocal8Bit(probe.readAllStandardError());
        QVERIFY2(errors.contains(u"Overflow"), qPrintable(errors));
        QVERIFY2(!probe.readAllStandardOutput().contains("after the error"), "nothing runs after the error");
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
