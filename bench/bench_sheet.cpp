// Builds the sheet for a 7680 x 4320 screen and pops every bubble through
// the model, in silence, and prints the time per build and per pop.
#include "Percentile.h"
#include "platform/RandomSource.h"
#include "sheet/BubbleSheet.h"
#include "sheet/SheetWindow.h"
#include "sheet/StatusLabel.h"
#include "sound/SilentBackend.h"
#include "sound/SoundClips.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class HeadlessWindow : public SheetWindow, public StatusLabel
{
public:
    QSizeF screenSizeTwips() const override { return {7680 * 15, 4320 * 15}; }
    QSizeF cellSizeTwips() const override { return {750, 600}; }
    QSizeF sheetInnerSizeTwips() const override { return {7680 * 15, 4260 * 15}; }
    void bubblesCreated() override {}
    void RepaintBubble(qint16) override {}
    void bubblesRestored() override {}
    QString text() const override { return m_text; }
    void setText(const QString &text) override { m_text = text; }

private:
    QString m_text;
};

double median(const std::vector<double> &values)
{
    return percentile(values, 50);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    HeadlessWindow window;
    SilentBackend silence;
    SoundClips clips(silence);
    clips.FillTable();
    ClockRandomSource random;
    random.seedFromClock();
    BubbleSheet sheet(window, window, clips, random);

    std::vector<double> builds;
    QElapsedTimer timer;
    for (int i = 0; i < 200; ++i) {
        timer.start();
        sheet.BuildSheet();
        builds.push_back(timer.nsecsElapsed() / 1e6);
    }
    sheet.CountVisible();

    std::vector<double> rounds;
    const int bubbles = sheet.numBubbles();
    for (int round = 0; round < 20; ++round) {
        timer.start();
        for (qint16 k = 1; k <= bubbles; ++k)
            sheet.PopBubble(k);
        rounds.push_back(double(timer.nsecsElapsed()) / bubbles / 1e3);
        sheet.ResetSheet();
        sheet.setNumSheetPops(0);
    }

    std::printf("sheet: %d bubbles (%d x %d), %zu bytes of bubble state\n", bubbles, sheet.columns(),
                sheet.rows(), size_t(bubbles));
    std::printf("BuildSheet: median %.4f ms, best %.4f ms over %zu builds (goal <= 1 ms)\n", median(builds),
                *std::min_element(builds.begin(), builds.end()), builds.size());
    std::printf("PopBubble: median %.3f us, best %.3f us per pop over %zu rounds of %d pops (goal <= 2 us)\n",
                median(rounds), *std::min_element(rounds.begin(), rounds.end()), rounds.size(), bubbles);
    std::printf("pops made: %d\n", sheet.numPopped());
    return 0;
}
