#include "tst_mainwindow_support.h"

#include <QAccessible>
#include <QFontDatabase>
#include <QFrame>
#include <cmath>

namespace {

// The Quit button's left edge in pixels, from the strip's outer left edge.
int quitLeftFor(int stripWidth)
{
    const float twips = float(stripWidth * 15) - 200.0f - 615.0f;
    return 2 + qRound(twips / 15.0f);
}

// CountVisible for an inner sheet area of this many pixels.
int visibleFor(QSize inner)
{
    const int columns = int(std::floor(inner.width() * 15 / 750.0 + 0.6));
    const int rows = int(std::floor(inner.height() * 15 / 600.0 + 0.65));
    return columns * rows;
}

} // namespace

class MainWindowLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void stripsAndSheetAreaAreDockedWithSunkenFrames();
    void buttonsHaveTheirDesignPlacesTextsAndToolTips();
    void buttonsAreNeitherTabStopsNorDefaultButtons();
    void textIsTheDefaultSansSerifAt825Points();
    void statusLabelSizesItselfToItsOneLine();
    void quitFollowsTheRightEdgeAndTheOthersStay_data();
    void quitFollowsTheRightEdgeAndTheOthersStay();
    void resizingRecountsTheVisibleBubbles_data();
    void resizingRecountsTheVisibleBubbles();
    void changingTheHeightAloneMovesNothingAndRecounts();
    void focusStartsOnTheCommandStripAndTabVisitsTheThreeAreas();
    void accessibleNamesDescribeEveryControl();
};

void MainWindowLayoutTest::stripsAndSheetAreaAreDockedWithSunkenFrames()
{
    MainWindowFixture f;
    frmPlinkety &window = f.start(QSize(292, 210));
    QCOMPARE(window.menuBox()->geometry(), QRect(0, 0, 292, 17));
    QCOMPARE(window.statusBox()->geometry(), QRect(0, 210 - 19, 292, 19));
    QCOMPARE(f.sheetArea().geometry(), QRect(0, 17, 292, 174));
    for (QFrame *area : {window.menuBox(), window.statusBox(), static_cast<QFrame *>(&f.sheetArea())}) {
        QCOMPARE(area->frameWidth(), 2);
        QCOMPARE(area->frameShadow(), QFrame::Sunken);
    }
    // The design's own example: 288 x 170 inner pixels show 6 x 4 bubbles.
    QCOMPARE(f.sheetArea().contentsRect().size(), QSize(288, 170));
    QCOMPARE(f.sheet().numVisible(), 24);
}

void MainWindowLayoutTest::buttonsHaveTheirDesignPlacesTextsAndToolTips()
{
    MainWindowFixture f;
    frmPlinkety &window = f.start(QSize(292, 210));
    const QStringList captions {"Reset", "About", "Quit"};
    const QStringList toolTips {"Click to get more bubbles. Oh Yeah!", "About Plinkety.", "Enough stress relief for now."};
    const QList<int> lefts {2 + 8, 2 + 56, 2 + 238}; // 120, 840 and 3565 twips inside the border
    for (int i = 0; i < 3; ++i) {
        QPushButton *button = window.button(i);
        QCOMPARE(button->parentWidget(), window.menuBox());
        QCOMPARE(button->text(), captions[i]);
        QCOMPARE(button->toolTip(), toolTips[i]);
        QCOMPARE(button->geometry(), QRect(lefts[i], 2, 41, 13));
    }
}

void MainWindowLayoutTest::buttonsAreNeitherTabStopsNorDefaultButtons()
{
    MainWindowFixture f;
    frmPlinkety &window = f.start();
    for (int i = 0; i < 3; ++i) {
        QPushButton *button = window.button(i);
        QVERIFY(!(button->focusPolicy() & Qt::TabFocus));
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
        QVERIFY(!button->text().contains(u'&'));
    }
    // Enter and Escape press no button.
    QTest::keyClick(&window, Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(window.isVisible());
    QCOMPARE(f.audio.plays().size(), 3); // the greeting only
}

void MainWindowLayoutTest::textIsTheDefaultSansSerifAt825Points()
{
    MainWindowFixture f;
    frmPlinkety &window = f.start();
    QCOMPARE(window.font().pointSizeF(), 8.25);
    QCOMPARE(window.button(0)->font().pointSizeF(), 8.25);
    QCOMPARE(window.statusLabel()->font().pointSizeF(), 8.25);
    QCOMPARE(window.font().family(), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    // No colours of its own.
    QVERIFY(!window.testAttribute(Qt::WA_SetPalette));
    QVERIFY(!window.button(0)->testAttribute(Qt::WA_SetPalette));
}

void MainWindowLayoutTest::statusLabelSizesItselfToItsOneLine()
{
    MainWindowFixture f;
    f.store("Popped", "41");
    frmPlinkety &window = f.start();
    PopLabel *label = window.statusLabel();
    QCOMPARE(label->parentWidget(), window.statusBox());
    QCOMPARE(label->pos(), QPoint(2, 2));
    const QSize before = label->size();
    QCOMPARE(before, label->sizeHint());
    f.popNextVisible();
    QCOMPARE(f.status(), QStringLiteral("42 bubbles popped!"));
    QCOMPARE(label->size(), label->sizeHint());
    label->setText(QStringLiteral("1234567 bubbles popped!"));
    QVERIFY(label->width() > before.width());
    QCOMPARE(label->height(), before.height());
}

void MainWindowLayoutTest::quitFollowsTheRightEdgeAndTheOthersStay_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("design width, 3565 twips") << 292;
    QTest::newRow("wider") << 640;
    QTest::newRow("odd width") << 333;
    QTest::newRow("narrower than 2270 twips, over About") << 140;
    QTest::newRow("narrower than 815 twips, left of the border") << 40;
}

void MainWindowLayoutTest::quitFollowsTheRightEdgeAndTheOthersStay()
{
    QFETCH(int, width);
    MainWindowFixture f;
    frmPlinkety &window = f.start(QSize(292, 210));
    f.resizeClient(QSize(width, 210));
    QCOMPARE(window.menuBox()->width(), width);
    QCOMPARE(window.button(2)->x(), quitLeftFor(width));
    QCOMPARE(window.button(0)->x(), 10);
    QCOMPARE(window.button(1)->x(), 58);
    QCOMPARE(f.sheetArea().width(), width);
}

void MainWindowLayoutTest::resizingRecountsTheVisibleBubbles_data()
{
    QTest::addColumn<QSize>("client");
    QTest::newRow("design") << QSize(292, 210);
    QTest::newRow("40 % of a column shows") << QSize(4 + 100 + 20, 210);
    QTest::newRow("39 % of a column shows") << QSize(4 + 100 + 19, 210);
    QTest::newRow("35 % of a row shows") << QSize(292, 40 + 80 + 14);
    QTest::newRow("34 % of a row shows") << QSize(292, 40 + 80 + 13);
    QTest::newRow("large") << QSize(780, 760);
}

void MainWindowLayoutTest::resizingRecountsTheVisibleBubbles()
{
    QFETCH(QSize, client);
    MainWindowFixture f;
    f.start(QSize(200, 150));
    f.resizeClient(client);
    const QSize inner = f.sheetArea().contentsRect().size();
    QCOMPARE(inner, QSize(client.width() - 4, client.height() - 17 - 19 - 4));
    QCOMPARE(f.sheet().numVisible(), visibleFor(inner));
}

void MainWindowLayoutTest::changingTheHeightAloneMovesNothingAndRecounts()
{
    MainWindowFixture f;
    frmPlinkety &window = f.start(QSize(292, 210));
    const QList<QRect> buttons {window.button(0)->geometry(), window.button(1)->geometry(), window.button(2)->geometry()};
    f.resizeClient(QSize(292, 400));
    QCOMPARE(window.button(0)->geometry(), buttons[0]);
    QCOMPARE(window.button(1)->geometry(), buttons[1]);
    QCOMPARE(window.button(2)->geometry(), buttons[2]);
    QCOMPARE(f.sheetArea().width(), 292);
    QCOMPARE(window.statusBox()->y(), 400 - 19);
    QCOMPARE(f.sheet().numVisible(), visibleFor(QSize(288, 400 - 40)));
}

void MainWindowLayoutTest::focusStartsOnTheCommandStripAndTabVisitsTheThreeAreas()
{
    MainWindowFixture f;
    frmPlinkety &window = f.start();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(QApplication::focusWidget(), window.menuBox());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(&f.sheetArea()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window.statusBox());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window.menuBox());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), window.statusBox());
}

void MainWindowLayoutTest::accessibleNamesDescribeEveryControl()
{
    MainWindowFixture f;
    f.store("Popped", "7");
    frmPlinkety &window = f.start();
    auto nameOf = [](QObject *object) { return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name); };
    auto descriptionOf = [](QObject *object) {
        return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Description);
    };
    QCOMPARE(nameOf(window.button(0)), QStringLiteral("Reset"));
    QCOMPARE(descriptionOf(window.button(0)), QStringLiteral("Click to get more bubbles. Oh Yeah!"));
    QCOMPARE(nameOf(window.button(1)), QStringLiteral("About"));
    QCOMPARE(nameOf(window.button(2)), QStringLiteral("Quit"));
    QCOMPARE(nameOf(window.statusLabel()), QStringLiteral("7 bubbles popped!"));
    QVERIFY(!nameOf(&f.sheetArea()).isEmpty());
    QVERIFY(!nameOf(window.menuBox()).isEmpty());
    QVERIFY(!nameOf(window.statusBox()).isEmpty());
    f.popNextVisible();
    QCOMPARE(nameOf(window.statusLabel()), QStringLiteral("8 bubbles popped!"));
}

QTEST_MAIN(MainWindowLayoutTest)
#include "tst_mainwindow_layout.moc"
