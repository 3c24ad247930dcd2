// Each language the program carries translates every text of the source,
// holds in the windows' fixed controls, and leaves English as designed.
#include "platform/Resources.h"
#include "platform/Translations.h"
#include "support/MainWindowFixture.h"
#include "support/TextFit.h"
#include "ui/ReadOnlyTextBox.h"

#include <QFontDatabase>
#include <QRegularExpression>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QTest>

namespace {

const QStringList languages {"de", "es", "fr", "it", "ja", "nl", "pl", "pt_BR", "ru", "zh_CN"};
const QStringList mayStayEnglish {"Plinkety", "Version %1", "Status", "Overflow"}; // names, shared words

// Every text of the source as lupdate finds it: context, text, and whether it has plural forms.
QList<std::tuple<QString, QString, bool>> sourceTexts()
{
    QTemporaryDir dir;
    QProcess::execute(LUPDATE, {"-silent", "-locations", "none", PLINKETY_SOURCE_DIR "/src", "-ts", dir.filePath("a.ts")});
    QFile ts(dir.filePath("a.ts"));
    ts.open(QIODevice::ReadOnly);
    QList<std::tuple<QString, QString, bool>> texts;
    QString context;
    for (QXmlStreamReader xml(&ts); !xml.atEnd();) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"name")
            context = xml.readElementText();
        else if (xml.isStartElement() && xml.name() == u"message")
            texts.append({context, {}, xml.attributes().hasAttribute("numerus")});
        else if (xml.isStartElement() && xml.name() == u"source")
            std::get<1>(texts.last()) = xml.readElementText();
    }
    return texts;
}

// What a translation keeps of its English: the %1 markers and the blanks at either end.
QString shape(const QString &text)
{
    QStringList marks;
    for (const QRegularExpressionMatch &match : QRegularExpression(QStringLiteral("%\\d")).globalMatch(text))
        marks.append(match.captured());
    marks.sort();
    return marks.join(u',') + (text.startsWith(u' ') ? "<" : "") + (text.endsWith(u' ') ? ">" : "");
}

} // namespace

class TranslationsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Translations::uninstall(); }

    void everyShippedLanguageTranslatesEveryText()
    {
        QCOMPARE(Translations::shipped(), languages);
        const auto texts = sourceTexts();
        QVERIFY(texts.size() > 40);
        const QString notice = Resources::LoadResString(101) + Resources::LoadResString(103);
        for (const QString &language : languages) {
            QTranslator translator;
            QVERIFY(translator.load(":/i18n/plinkety_" + language + ".qm"));
            for (const auto &[context, source, plural] : texts) {
                for (int n : plural ? QList<int> {0, 1, 2, 5, 22} : QList<int> {-1}) {
                    const QString translated = translator.translate(qPrintable(context), qPrintable(source), nullptr, n);
                    const QByteArray where = (language + u' ' + context + u' ' + source).toUtf8();
                    QVERIFY2(!translated.isEmpty() && shape(translated) == shape(source), where);
                    QVERIFY2(translated != source || mayStayEnglish.contains(source), where);
                }
            }
            Resources::setLanguage(language);
            QVERIFY2(Resources::LoadResString(101) + Resources::LoadResString(103) != notice, qPrintable(language));
        }
    }

    void englishAndTheCLocaleKeepTheDesignsTexts()
    {
        QCOMPARE(Translations::install(QLocale::c()), QString());
        QCOMPARE(Translations::install(QLocale("en_GB")), QString());
        QCOMPARE(StatusLabel::plainLine(1) + StatusLabel::firstPop() + StatusLabel::secondPop() + StatusLabel::thirdPop(),
                 "1 bubbles popped!Pop! Pop! Pop! ");
        // A language's variants take the language; one the program lacks stays English.
        QCOMPARE(Translations::choose(QLocale("de_AT")) + Translations::choose(QLocale("sv_SE")), "de");
    }

    void germanStatusLineAndWindows()
    {
        QCOMPARE(Translations::install(QLocale("de_DE")), "de");
        QCOMPARE(StatusLabel::plainLine(10001) + StatusLabel::firstPop() + StatusLabel::thirdPop(),
                 "10001 Blasen geplatzt!Plopp! Plopp! "); // the count never grouped
        MainWindowFixture m;
        m.start();
        m.popNextVisible();
        QCOMPARE(m.status(), "1 Blase geplatzt!");
        frmAbout about(*m.window, 1, {});
        QCOMPARE(about.windowTitle(), "Über Plinkety");
        QVERIFY(about.findChild<ReadOnlyTextBox *>("Text1")->toPlainText().startsWith("Plinkety wurde 1999 von"));
        // Qt's own texts, as in the notice's menu (Debian: qt6-translations-l10n).
        QCOMPARE(QCoreApplication::translate("QWidgetTextControl", "&Copy"), "&Kopieren");
    }

    void noTranslationOverflowsItsFixedControls()
    {
        QVERIFY2(!QFontDatabase::families(QFontDatabase::Japanese).isEmpty(), "no Japanese font (fonts-wqy-microhei)");
        for (const QString &language : languages) {
            QCOMPARE(Translations::install(QLocale(language)), language);
            MainWindowFixture m;
            m.start();
            frmAbout about(*m.window, 1234567, {});
            about.show();
            for (const QPushButton *button : {m.window->button(0), m.window->button(1), m.window->button(2),
                                              about.findChild<QPushButton *>("Command1")})
                QVERIFY2(TextFit::captionFits(*button), qPrintable(language + u' ' + button->text()));
            const QStringList faults = TextFit::aboutFaults(about);
            QVERIFY2(faults.isEmpty(), qPrintable(language + u' ' + faults.join(u';')));
        }
    }
};

QTEST_MAIN(TranslationsTest)
#include "tst_translations.moc"
