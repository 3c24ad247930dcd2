#include "platform/RandomSource.h"
#include "platform/Resources.h"
#include "support/MemorySettingsStore.h"
#include "support/RecordingBackend.h"
#include "support/TextFit.h"
#include "ui/ReadOnlyTextBox.h"
#include "ui/SheetArea.h"
#include "ui/frmAbout.h"
#include "ui/frmPlinkety.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTest>
#include <functional>
#include <memory>

namespace {

// The design rectangles of the labels, in pixels (twips / 15).
struct LabelDesign
{
    const char *name;
    QString text;
    QRect rect;
};

QString notice101() { return Resources::LoadResString(101); }
QString notice103() { return Resources::LoadResString(103); }

} // namespace

class AboutWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void countShowsZeroOnFirstRunAndAStoredCount();
    void reopeningAfterMorePopsShowsTheNewCount();
    void windowIsCentredModalAndOfDesignSize();
    void labelsSitAtTheirDesignPlacesWithExactTexts();
    void noTextIsClippedAndNoControlsOverlap();
    void picturesRunDownTheLeftEdge();
    void eachPicturePlaysTheClosingClipAndLeavesTheWindowOpen();
    void noticeTextIsExactWithOneEmptyLineShown();
    void typingIntoTheNoticeChangesNothingButCopyWorks();
    void escapeNeverClosesAndEnterClosesOnlyOnClose();
    void focusStartsInTheNoticeAndTabMovesToClose();
    void closeButtonAndCloseControlBothUnload();
    void mainWindowTakesNoInputWhileAboutIsOpen();
    void labelsAndButtonAreReadableByAssistiveTechnology();

private:
    void startMain(const QString &storedCount = QString());
    // Clicks About and runs check on the open About window; whatever check
    // leaves open is closed afterwards. False if no About window came up.
    bool withAbout(const std::function<void(frmAbout &)> &check);
    void popBubbles(int count);
    static QList<LabelDesign> labelDesigns(const QString &count);
    template <typename T> static T *child(frmAbout &about, const char *name);

    std::unique_ptr<RecordingBackend> m_audio;
    std::unique_ptr<MemorySettingsStore> m_settings;
    std::unique_ptr<ClockRandomSource> m_random;
    std::unique_ptr<frmPlinkety> m_main;
};

void AboutWindowTest::init()
{
    m_audio = std::make_unique<RecordingBackend>();
    m_settings = std::make_unique<MemorySettingsStore>();
    m_random = std::make_unique<ClockRandomSource>();
}

void AboutWindowTest::cleanup()
{
    m_main.reset();
}

void AboutWindowTest::startMain(const QString &storedCount)
{
    if (!storedCount.isNull())
        m_settings->SaveSetting(QStringLiteral("Plinkety"), QStringLiteral("Defaults"), QStringLiteral("Popped"),
                                storedCount);
    m_main = std::make_unique<frmPlinkety>(*m_audio, *m_settings, *m_random);
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    m_audio->clear();
}

bool AboutWindowTest::withAbout(const std::function<void(frmAbout &)> &check)
{
    bool opened = false;
    QTimer::singleShot(0, this, [&] {
        QPointer about = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
        if (!about)
            return;
        opened = true;
        // Not qWaitForWindowActive: it counts a dialog as active while its parent is.
        if (QTest::qWaitFor([&] { return !about || QApplication::activeWindow() == about; }) && about)
            check(*about);
        else
            QTest::qFail("the About window never became active", __FILE__, __LINE__);
        if (about && about->isVisible())
            about->close();
    });
    QTest::mouseClick(m_main->button(1), Qt::LeftButton);
    return opened;
}

void AboutWindowTest::popBubbles(int count)
{
    SheetArea *sheet = m_main->sheetArea();
    for (qint16 k = 1; k <= count; ++k)
        QTest::mouseClick(sheet, Qt::LeftButton, {}, sheet->cellRect(k).center());
}

QList<LabelDesign> AboutWindowTest::labelDesigns(const QString &count)
{
    return {
        {"Label1", QStringLiteral("\"Plinkety\""), QRect(64, 8, 225, 25)},
        {"Label2", QStringLiteral("The greatest stuff on earth!"), QRect(64, 40, 217, 17)},
        {"Label4", QStringLiteral("Veltrano Computing Services"), QRect(56, 208, 193, 17)},
        {"Label5", QStringLiteral("www.veltrano.example"), QRect(56, 224, 153, 17)},
        {"lblPopped", count, QRect(304, 80, 57, 17)},
        {"Label7", QStringLiteral("Bubbles Popped!"), QRect(304, 96, 57, 25)},
        {"Label3", QStringLiteral("Version 1.1"), QRect(304, 168, 57, 17)},
        {"Label6", QStringLiteral("July 1999"), QRect(304, 184, 57, 17)},
    };
}

template <typename T>
T *AboutWindowTest::child(frmAbout &about, const char *name)
{
    return about.findChild<T *>(QLatin1String(name));
}

void AboutWindowTest::countShowsZeroOnFirstRunAndAStoredCount()
{
    startMain();
    QVERIFY(withAbout([](frmAbout &about) { QCOMPARE(child<QLabel>(about, "lblPopped")->text(), "0"); }));
    m_main.reset();
    startMain(QStringLiteral("812"));
    QVERIFY(withAbout([](frmAbout &about) { QCOMPARE(child<QLabel>(about, "lblPopped")->text(), "812"); }));
}

void AboutWindowTest::reopeningAfterMorePopsShowsTheNewCount()
{
    startMain(QStringLiteral("9998"));
    QVERIFY(withAbout([](frmAbout &about) { QTest::mouseClick(child<QPushButton>(about, "Command1"), Qt::LeftButton); }));
    popBubbles(3);
    QCOMPARE(m_main->numPopped(), 10001);
    // Plain digits: no grouping, whatever the locale.
    QVERIFY(withAbout([](frmAbout &about) { QCOMPARE(child<QLabel>(about, "lblPopped")->text(), "10001"); }));
}

void AboutWindowTest::windowIsCentredModalAndOfDesignSize()
{
    startMain();
    QVERIFY(withAbout([this](frmAbout &about) {
        QCOMPARE(about.windowTitle(), "About Plinkety");
        QCOMPARE(about.size(), QSize(364, 240));
        QVERIFY(about.isModal());
        QCOMPARE(about.parentWidget(), m_main.get());
        QCOMPARE(about.frameGeometry().center(), m_main->screen()->geometry().center());
        // The design's 32 x 32 images, and the colour one drawn twice and three times as large.
        QCOMPARE(about.windowIcon().availableSizes(), QList<QSize>({QSize(32, 32), QSize(64, 64), QSize(96, 96)}));
    }));
}

void AboutWindowTest::labelsSitAtTheirDesignPlacesWithExactTexts()
{
    startMain(QStringLiteral("812"));
    QVERIFY(withAbout([](frmAbout &about) {
        for (const LabelDesign &design : labelDesigns(QStringLiteral("812"))) {
            auto *label = child<QLabel>(about, design.name);
            QVERIFY2(label, design.name);
            QCOMPARE(label->text(), design.text);
            // A label the stand-in font needs more room for may be wider or
            // taller, but it still covers its design place.
            QVERIFY2(label->geometry().contains(design.rect), design.name);
            if (label->alignment() & Qt::AlignHCenter)
                QVERIFY2(qAbs(label->geometry().center().x() - design.rect.center().x()) <= 1, design.name);
        }
        QCOMPARE(child<QLabel>(about, "Label1")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(child<QLabel>(about, "Label2")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(child<QLabel>(about, "Label5")->palette().color(QPalette::WindowText), QColor(0, 0, 192));
        QCOMPARE(child<QLabel>(about, "Label1")->font().pointSizeF(), 13.5);
        for (const char *bold : {"Label1", "Label4", "lblPopped"})
            QVERIFY2(child<QLabel>(about, bold)->font().bold(), bold);
        QCOMPARE(child<QLabel>(about, "Label7")->font().pointSizeF(), 8.25);
        QVERIFY(!child<QLabel>(about, "Label7")->font().bold());
        QCOMPARE(child<QWidget>(about, "Text1")->geometry(), QRect(56, 72, 241, 129));
        QCOMPARE(child<QPushButton>(about, "Command1")->geometry(), QRect(304, 208, 57, 25));
        QCOMPARE(child<QPushButton>(about, "Command1")->text(), "Close");
    }));
}

void AboutWindowTest::noTextIsClippedAndNoControlsOverlap()
{
    startMain(QStringLiteral("1234567"));
    QVERIFY(withAbout([](frmAbout &about) {
        QCOMPARE(TextFit::aboutFaults(about), QStringList());
        QVERIFY(TextFit::captionFits(*child<QPushButton>(about, "Command1")));
        auto *label7 = child<QLabel>(about, "Label7");
        QCOMPARE(label7->fontMetrics().boundingRect(label7->rect(), Qt::TextWordWrap, label7->text()).height(),
                 2 * label7->fontMetrics().lineSpacing());
    }));
}

void AboutWindowTest::picturesRunDownTheLeftEdge()
{
    startMain();
    const QImage unpopped = QImage(QStringLiteral(":/pictures/unpopped.bmp")).convertToFormat(QImage::Format_RGB32);
    QVERIFY(withAbout([&](frmAbout &about) {
        for (int k = 0; k < frmAbout::pictureCount; ++k) {
            auto *image = child<QLabel>(about, qPrintable(QStringLiteral("imgUnPopped%1").arg(k)));
            QVERIFY(image);
            QCOMPARE(image->geometry(), QRect(0, 40 * k, 50, 40));
            QCOMPARE(image->grab().toImage().convertToFormat(QImage::Format_RGB32), unpopped);
        }
    }));
}

void AboutWindowTest::eachPicturePlaysTheClosingClipAndLeavesTheWindowOpen()
{
    startMain();
    const QByteArray closingClip = Resources::LoadResData(107);
    QVERIFY(withAbout([&](frmAbout &about) {
        for (int k = 0; k < frmAbout::pictureCount; ++k) {
            auto *image = child<QLabel>(about, qPrintable(QStringLiteral("imgUnPopped%1").arg(k)));
            QTest::mouseClick(image, Qt::LeftButton);
            QVERIFY(about.isVisible());
            QCOMPARE(m_audio->plays().size(), k + 1);
            QCOMPARE(m_audio->plays().last().waveImage, closingClip);
            QCOMPARE(m_audio->plays().last().mode, AudioBackend::Mode::Asynchronous);
        }
        // A second click on the same picture plays the clip again from its start.
        QTest::mouseClick(child<QLabel>(about, "imgUnPopped0"), Qt::LeftButton);
        QCOMPARE(m_audio->plays().size(), 7);
        QTest::mouseClick(child<QLabel>(about, "imgUnPopped0"), Qt::RightButton);
        QCOMPARE(m_audio->plays().size(), 7);
    }));
    QCOMPARE(m_main->numPopped(), 0);
}

void AboutWindowTest::noticeTextIsExactWithOneEmptyLineShown()
{
    startMain();
    QVERIFY(withAbout([](frmAbout &about) {
        auto *text = child<ReadOnlyTextBox>(about, "Text1");
        QVERIFY(!notice101().isEmpty() && !notice103().isEmpty());
        QCOMPARE(text->text(), notice101() + "\r\n\r\n" + notice103());
        QCOMPARE(text->toPlainText(), notice101() + "\n\n" + notice103());
        QCOMPARE(text->document()->blockCount(), 3);
        QCOMPARE(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    }));
}

void AboutWindowTest::typingIntoTheNoticeChangesNothingButCopyWorks()
{
    startMain();
    QVERIFY(withAbout([](frmAbout &about) {
        auto *text = child<ReadOnlyTextBox>(about, "Text1");
        const QString exact = text->text();
        QApplication::clipboard()->setText(QStringLiteral("pasted"));
        QTest::keyClicks(text, QStringLiteral("typed"));
        for (int key : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return, Qt::Key_Tab})
            QTest::keyClick(text, Qt::Key(key));
        text->setFocus();
        QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(text, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(text->text(), exact);
        QCOMPARE(text->toPlainText(), notice101() + "\n\n" + notice103());
        QCOMPARE(QApplication::clipboard()->text(), "pasted");
        QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), notice101() + "\n\n" + notice103());
    }));
}

void AboutWindowTest::escapeNeverClosesAndEnterClosesOnlyOnClose()
{
    startMain();
    bool closedByEnter = false;
    QVERIFY(withAbout([&](frmAbout &about) {
        auto *close = child<QPushButton>(about, "Command1");
        QVERIFY(!close->isDefault() && !close->autoDefault());
        QWidget *text = child<QWidget>(about, "Text1");
        for (QWidget *focus : {text, static_cast<QWidget *>(close)}) {
            focus->setFocus();
            QTest::keyClick(focus, Qt::Key_Escape);
            QVERIFY(about.isVisible());
        }
        text->setFocus();
        QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClick(text, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(about.isVisible());
        close->setFocus();
        QTest::keyClick(close, Qt::Key_Return);
        closedByEnter = !about.isVisible();
    }));
    QVERIFY(closedByEnter);
}

void AboutWindowTest::focusStartsInTheNoticeAndTabMovesToClose()
{
    startMain();
    QVERIFY(withAbout([](frmAbout &about) {
        QWidget *text = child<QWidget>(about, "Text1");
        QCOMPARE(QApplication::focusWidget(), text);
        QTest::keyClick(text, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), child<QWidget>(about, "Command1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), text);
    }));
}

void AboutWindowTest::closeButtonAndCloseControlBothUnload()
{
    startMain();
    QPointer<frmAbout> first;
    QVERIFY(withAbout([&](frmAbout &about) {
        first = &about;
        QTest::mouseClick(child<QPushButton>(about, "Command1"), Qt::LeftButton);
        QVERIFY(!about.isVisible());
    }));
    QVERIFY(!first);
    QPointer<frmAbout> second;
    QVERIFY(withAbout([&](frmAbout &about) {
        second = &about;
        about.windowHandle()->close(); // what the window's close control asks
        QVERIFY(!about.isVisible());
    }));
    QVERIFY(!second);
    QVERIFY(m_audio->plays().isEmpty());
}

void AboutWindowTest::mainWindowTakesNoInputWhileAboutIsOpen()
{
    startMain();
    QVERIFY(withAbout([this](frmAbout &about) {
        // Through the window system, as a user's click comes.
        SheetArea *sheet = m_main->sheetArea();
        const QPoint bubble = sheet->mapTo(m_main.get(), sheet->cellRect(1).center());
        QTest::mouseClick(m_main->windowHandle(), Qt::LeftButton, {}, bubble);
        const QPoint aboutButton = m_main->button(1)->mapTo(m_main.get(), m_main->button(1)->rect().center());
        QTest::mouseClick(m_main->windowHandle(), Qt::LeftButton, {}, aboutButton);
        QCOMPARE(QApplication::activeModalWidget(), &about);
    }));
    QCOMPARE(m_main->numPopped(), 0);
    QVERIFY(m_audio->plays().isEmpty());
}

void AboutWindowTest::labelsAndButtonAreReadableByAssistiveTechnology()
{
    startMain(QStringLiteral("812"));
    QVERIFY(withAbout([](frmAbout &about) {
        for (const LabelDesign &design : labelDesigns(QStringLiteral("812"))) {
            QAccessibleInterface *label = QAccessible::queryAccessibleInterface(child<QLabel>(about, design.name));
            QVERIFY2(label, design.name);
            QCOMPARE(label->role(), QAccessible::StaticText);
            QCOMPARE(label->text(QAccessible::Name), design.text);
        }
        QAccessibleInterface *close = QAccessible::queryAccessibleInterface(child<QWidget>(about, "Command1"));
        QCOMPARE(close->role(), QAccessible::Button);
        QCOMPARE(close->text(QAccessible::Name), "Close");
        QAccessibleInterface *notice = QAccessible::queryAccessibleInterface(child<QWidget>(about, "Text1"));
        QVERIFY(notice->textInterface());
        QCOMPARE(notice->textInterface()->text(0, notice->textInterface()->characterCount()),
                 notice101() + "\n\n" + notice103());
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(&about);
        QCOMPARE(window->text(QAccessible::Name), "About Plinkety");
    }));
}

QTEST_MAIN(AboutWindowTest)
#include "tst_about.moc"
