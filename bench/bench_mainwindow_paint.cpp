// The main window's painting, offscreen on a 3900 x 2300 screen:
// - a press on a bubble until its cell has been repainted (the press event
//   returns only after the cell is drawn), for many different bubbles;
// - a full repaint of a sheet area of 3840 x 2160 logical pixels, at device
//   pixel ratios 1 and 2.
//   bench_mainwindow_paint
#include "platform/RandomSource.h"
#include "support/MemorySettingsStore.h"
#include "support/ProcessProbes.h"
#include "sheet/BubbleSheet.h"
#include "sound/SilentBackend.h"
#include "ui/SheetArea.h"
#include "ui/frmPlinkety.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTemporaryFile>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Figures
{
    double median = 0;
    double p95 = 0;
    double max = 0;
};

Figures figuresOf(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[ms.size() * 95 / 100], ms.back()};
}

// Presses every bubble of the visible sheet once, in a scattered order.
Figures pressToRepaint(frmPlinkety &window)
{
    SheetArea &area = *window.sheetArea();
    const BubbleSheet &sheet = window.sheet();
    std::vector<double> ms;
    const int columns = 3840 / 50, rows = 2160 / 40;
    for (int i = 0; i < columns * rows; ++i) {
        const int cell = (i * 37) % (columns * rows);
        const qint16 k = sheet.bubbleIndex(qint16(cell / rows + 1), qint16(cell % rows + 1));
        const QPointF at = QRectF(area.cellRect(k)).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, area.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, area.mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        const Clock::time_point start = Clock::now();
        QApplication::sendEvent(&area, &press);
        ms.push_back(msBetween(start, Clock::now()));
        QApplication::sendEvent(&area, &release);
        if (i % 64 == 0)
            QApplication::processEvents(); // the status line's own repaint, outside the measured press
    }
    return figuresOf(ms);
}

Figures fullRepaint(frmPlinkety &window, int times)
{
    SheetArea &area = *window.sheetArea();
    std::vector<double> ms;
    for (int i = 0; i < times; ++i) {
        const Clock::time_point start = Clock::now();
        area.repaint();
        ms.push_back(msBetween(start, Clock::now()));
    }
    return figuresOf(ms);
}

void print(const char *what, const Figures &figures, double goal)
{
    std::printf("  %-44s median %7.3f ms, 95th %7.3f ms, max %7.3f ms (goal <= %g ms)\n", what, figures.median,
                figures.p95, figures.max, goal);
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryFile screens(QDir::tempPath() + QStringLiteral("/plinkety-bench-XXXXXX.json"));
    const bool hiDpi = argc > 1 && qstrcmp(argv[1], "--dpr2") == 0;
    if (!screens.open())
        return 1;
    screens.write(QStringLiteral(R"({"screens": [{"name": "big", "x": 0, "y": 0, "width": %1, "height": %2,
                                     "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                      .arg(hiDpi ? 7800 : 3900).arg(hiDpi ? 4600 : 2300).toUtf8());
    screens.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    if (hiDpi)
        qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);

    SilentBackend audio;
    MemorySettingsStore settings;
    ClockRandomSource random;
    frmPlinkety window(audio, settings, random);
    window.show();
    // A sheet area whose inside is 3840 x 2160: the strips and borders come on top.
    window.resize(3840 + 4, 2160 + 4 + 17 + 19);
    QApplication::processEvents();
    const QSize inner = window.sheetArea()->contentsRect().size();
    std::printf("sheet area %d x %d logical pixels at a device pixel ratio of %g, %d bubbles\n", inner.width(),
                inner.height(), window.devicePixelRatioF(), window.sheet().numBubbles());

    fullRepaint(window, 5); // warm up
    print("full repaint of the sheet area", fullRepaint(window, 60), 8);
    print("press to the cell repainted", pressToRepaint(window), 1);
    print("full repaint with popped bubbles", fullRepaint(window, 60), 8);
    return 0;
}
