// Start-up of the main window against a bare QWidget window, measured in the
// same run: from constructing the application to the window's first frame
// (painted and flushed), with the greeting on the silent back end, and the
// resident memory at that moment. Each sample is a fresh process. A bare
// window never loads the font configuration, which any window with text
// does first, so a bare window showing one line of text is measured too.
//   bench_mainwindow_startup [runs]      (offscreen unless QT_QPA_PLATFORM is set)
#include "platform/RandomSource.h"
#include "support/MemorySettingsStore.h"
#include "support/ProcessProbes.h"
#include "sound/SilentBackend.h"
#include "ui/frmPlinkety.h"

#include <QApplication>
#include <QLabel>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Ends the event loop right after the first paint of the window has been flushed.
class FirstFrame : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

enum class Window { Bare, BareWithText, Plinkety };

int child(int argc, char **argv, Window kind)
{
    const Clock::time_point start = Clock::now();
    QApplication app(argc, argv);
    SilentBackend audio;
    MemorySettingsStore settings;
    ClockRandomSource random;
    std::unique_ptr<QWidget> window;
    if (kind == Window::Plinkety) {
        window = std::make_unique<frmPlinkety>(audio, settings, random);
    } else {
        window = std::make_unique<QWidget>();
        window->setWindowTitle(QStringLiteral("Bare"));
        window->resize(296, 229);
        if (kind == Window::BareWithText)
            (new QLabel(QStringLiteral("0 bubbles popped!"), window.get()))->move(2, 212);
    }
    FirstFrame firstFrame;
    window->installEventFilter(&firstFrame);
    window->show();
    QApplication::exec();
    const double ms = msBetween(start, Clock::now());
    std::printf("%.3f %lld\n", ms, residentKiB());
    return 0;
}

struct Sample
{
    double ms = 0;
    long kib = 0;
};

Sample runChild(const QString &self, const QString &mode)
{
    QProcess process;
    process.start(self, {mode});
    process.waitForFinished(60000);
    const QList<QByteArray> fields = process.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 2) {
        std::fprintf(stderr, "the %s run failed: %s\n", qPrintable(mode), process.readAllStandardError().constData());
        std::exit(1);
    }
    return {fields[0].toDouble(), fields[1].toLong()};
}

template <typename T>
T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}


void report(const char *what, const std::vector<Sample> &samples, const std::vector<Sample> *plinkety)
{
    auto msOf = [](const std::vector<Sample> &v) {
        std::vector<double> ms;
        for (const Sample &s : v)
            ms.push_back(s.ms);
        return median(ms);
    };
    auto mibOf = [](const std::vector<Sample> &v) {
        std::vector<long> kib;
        for (const Sample &s : v)
            kib.push_back(s.kib);
        return median(kib) / 1024.0;
    };
    std::printf("  %-28s %6.1f ms %6.1f MiB", what, msOf(samples), mibOf(samples));
    if (plinkety)
        std::printf("   frmPlinkety takes %.2fx the time and %+.1f MiB", msOf(*plinkety) / msOf(samples),
                    mibOf(*plinkety) - mibOf(samples));
    std::printf("\n");
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (mode == "bare")
        return child(argc, argv, Window::Bare);
    if (mode == "bare-text")
        return child(argc, argv, Window::BareWithText);
    if (mode == "plinkety")
        return child(argc, argv, Window::Plinkety);

    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    const QString self = QCoreApplication::applicationFilePath();
    runChild(self, QStringLiteral("plinkety")); // warm the file cache
    std::vector<Sample> bare, bareText, plinkety;
    for (int i = 0; i < runs; ++i) {
        bare.push_back(runChild(self, QStringLiteral("bare")));
        bareText.push_back(runChild(self, QStringLiteral("bare-text")));
        plinkety.push_back(runChild(self, QStringLiteral("plinkety")));
    }
    std::printf("start-up to first frame and resident memory then (%s, medians of %d runs each)\n",
                qgetenv("QT_QPA_PLATFORM").constData(), runs);
    report("frmPlinkety", plinkety, nullptr);
    report("bare QWidget", bare, &plinkety);
    report("bare QWidget with one label", bareText, &plinkety);
    std::printf("goals against the bare QWidget: <= 1.20x the time, <= +8 MiB\n");
    return 0;
}
