// The main window's painting, offscreen on a screen of 3900 x 2300 logical
// pixels, at device pixel ratios 1, 2 and 3, each in a process of its own
// (the ratio is fixed when the application starts):
// - a full repaint of a sheet area of 3840 x 2160 logical pixels;
// - a press on a bubble until its cell has been repainted (the press event
//   returns only after the cell is drawn), for many different bubbles.
//   bench_mainwindow_paint              all three ratios, side by side
//   bench_mainwindow_paint --ratio N    one ratio, figures as plain numbers
#include "Percentile.h"
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
#include <QProcess>
#include <QTemporaryFile>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Figures
{
    double median = 0;
    double p90 = 0;
    double max = 0;
};

Figures figuresOf(const std::vector<double> &ms)
{
    return {percentile(ms, 50), percentile(ms, 90), percentile(ms, 100)};
}

// What is measured, in the order a ratio's process prints it.
constexpr std::array<const char *, 3> kMeasures {"full repaint of the sheet area", "press to the cell repainted",
                                                 "full repaint with popped bubbles"};
constexpr std::array<int, 3> kRatios {1, 2, 3};

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

// One ratio's figures, one measure a line: median, 90th percentile, maximum.
int measureAtRatio(int argc, char **argv, int ratio)
{
    QTemporaryFile screens(QDir::tempPath() + QStringLiteral("/plinkety-bench-XXXXXX.json"));
    if (!screens.open())
        return 1;
    screens.write(QStringLiteral(R"({"screens": [{"name": "big", "x": 0, "y": 0, "width": %1, "height": %2,
                                     "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                      .arg(3900 * ratio).arg(2300 * ratio).toUtf8());
    screens.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    qputenv("QT_SCALE_FACTOR", QByteArray::number(ratio));
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
    std::printf("%d %d %d\n", inner.width(), inner.height(), int(window.sheet().numBubbles()));

    fullRepaint(window, 5); // warm up
    for (const Figures &f : {fullRepaint(window, 60), pressToRepaint(window), fullRepaint(window, 60)})
        std::printf("%.3f %.3f %.3f\n", f.median, f.p90, f.max);
    return 0;
}

struct RatioRun
{
    int width = 0, height = 0, bubbles = 0;
    std::array<Figures, kMeasures.size()> figures {};
};

bool runAtRatio(const QString &program, int ratio, RatioRun &run)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(program, {QStringLiteral("--ratio"), QString::number(ratio)});
    if (!child.waitForFinished(-1) || child.exitCode() != 0)
        return false;
    const QByteArray out = child.readAllStandardOutput();
    const char *at = out.constData();
    int used = 0;
    if (std::sscanf(at, "%d %d %d\n%n", &run.width, &run.height, &run.bubbles, &used) != 3)
        return false;
    for (Figures &f : run.figures) {
        at += used;
        if (std::sscanf(at, "%lf %lf %lf\n%n", &f.median, &f.p90, &f.max, &used) != 3)
            return false;
    }
    return true;
}

void printSideBySide(const std::array<RatioRun, kRatios.size()> &runs)
{
    std::printf("sheet area %d x %d logical pixels, %d bubbles; median / 90th percentile in ms\n", runs[0].width,
                runs[0].height, runs[0].bubbles);
    std::printf("  %-34s", "");
    for (int ratio : kRatios)
        std::printf("   %-17s", qPrintable(QStringLiteral("ratio %1").arg(ratio)));
    std::printf("\n");
    for (size_t m = 0; m < kMeasures.size(); ++m) {
        std::printf("  %-34s", kMeasures[m]);
        for (const RatioRun &run : runs)
            std::printf("   %7.3f / %7.3f", run.figures[m].median, run.figures[m].p90);
        std::printf("\n");
    }
    const double full1 = runs[0].figures[0].median, full2 = runs[1].figures[0].median;
    std::printf("full repaint at ratio 2: %.2f x ratio 1 (goal <= 4)\n", full2 / full1);
    double worstPress = 0;
    for (const RatioRun &run : runs)
        worstPress = std::max(worstPress, run.figures[1].p90);
    std::printf("press to the cell repainted, worst 90th percentile: %.3f ms (goal <= 1 ms)\n", worstPress);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 2 && qstrcmp(argv[1], "--ratio") == 0)
        return measureAtRatio(argc, argv, std::max(1, std::atoi(argv[2])));

    QCoreApplication app(argc, argv);
    std::array<RatioRun, kRatios.size()> runs;
    for (size_t i = 0; i < kRatios.size(); ++i) {
        if (!runAtRatio(QCoreApplication::applicationFilePath(), kRatios[i], runs[i])) {
            std::fprintf(stderr, "bench_mainwindow_paint: the run at ratio %d failed\n", kRatios[i]);
            return 1;
        }
    }
    printSideBySide(runs);
    return 0;
}
