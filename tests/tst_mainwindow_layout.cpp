#include "support/MainWindowFixture.h"

#include <QAccessible>
#include <QFontDatabase>
#include <QFrame>

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
    // Quit's left edge is the strip's width - 200 - 615 twips inside the 2-pixel border.
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("quitLeft");
    QTest::newRow("design width, 3565 twips") << 292 << 240;
    QTest::newRow("wider, 8785 twips") << 640 << 588;
    QTest::newRow("odd width, 4180 twips") << 333 << 281;
    QTest::newRow("narrower than 2270 twips, over About") << 140 << 88; // 1285 twips
    QTest::newRow("narrower than 815 twips, left of the border") << 40 << -12; // -215 twips
}

void MainWindowLayoutTest::quitFollowsTheRightEdgeAndTheOthersStay()
{
    QFETCH(int, width);
    QFETCH(int, quitLeft);
    MainWindowFixture f;
    frmPlinkety &window = f.start(QSize(292, 210));
    f.resizeClient(QSize(width, 210));
    QCOMPARE(window.menuBox()->width(), width);
    QCOMPARE(window.button(2)->x(), quitLeft);
    QCOMPARE(window.button(0)->x(), 10);
    QCOMPARE(window.button(1)->x(), 58);
    QCOMPARE(f.sheetArea().width(), width);
}

void MainWindowLayoutTest::resizingRecountsTheVisibleBubbles_data()
{
    // Cells of 50 x 40 pixels; a column counts from 40 % in view, a row from 35 %.
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QSize>("inner");
    QTest::addColumn<int>("visible");
    QTest::newRow("design") << QSize(292, 210) << QSize(288, 170) << 24; // 6 x 4
    QTest::newRow("40 % of a column shows") << QSize(124, 210) << QSize(120, 170) << 12; // 3 x 4
    QTest::newRow("39 % of a column shows") << QSize(123, 210) << QSize(119, 170) << 8; // 2 x 4
    QTest::newRow("35 % of a row shows") << QSize(292, 134) << QSize(288, 94) << 18; // 6 x 3
    QTest::newRow("34 % of a row shows") << QSize(292, 133) << QSize(288, 93) << 12; // 6 x 2
    QTest::newRow("large") << QSize(780, 760) << QSize(776, 720) << 288; // 16 x 18
}

void MainWindowLayoutTest::resizingRecountsTheVisibleBubbles()
{
    QFETCH(QSize, client);
    QFETCH(QSize, inner);
    QFETCH(int, visible);
    MainWindowFixture f;
    f.start(QSize(200, 150));
    f.resizeClient(client);
    QCOMPARE(f.sheetArea().contentsRect().size(), inner);
    QCOMPARE(f.sheet().numVisible(), visible);
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
    QCOMPARE(f.sheet().numVisible(), 54); // 288 x 360 inner pixels, 6 x 9
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
