// Renders pictures of the program's windows offscreen, for the README:
//   plinkety-screenshot [directory]     (default: docs)
// Each picture has one function below; add a line to pictures() for another.
// Pictures at a device pixel ratio other than 1 are rendered by this tool
// started again at that ratio, which a process fixes when it starts:
//   plinkety-screenshot --ratio N directory
#include "ui/ErrorReport.h"
#include "support/FakeRandom.h"
#include "support/MemorySettingsStore.h"
#include "sheet/BubbleSheet.h"
#include "sound/SilentBackend.h"
#include "ui/SheetArea.h"
#include "ui/frmAbout.h"
#include "ui/frmPlinkety.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>

namespace {

// The main window after a few pops, at its stored size or at width x
// height twips.
QPixmap mainWindowPicture(float width = 0, float height = 0)
{
    SilentBackend audio;
    MemorySettingsStore settings;
    const auto store = [&settings](const char *key, const QString &value) {
        settings.SaveSetting(QStringLiteral("Plinkety"), QStringLiteral("Defaults"), QLatin1String(key), value);
    };
    store("Popped", QStringLiteral("41"));
    if (width > 0) {
        store("Width", QString::number(width));
        store("Height", QString::number(height));
    }
    FakeRandom random({0.1f, 0.6f, 0.3f, 0.9f}); // the same popped pictures on every run
    frmPlinkety window(audio, settings, random);
    window.show();

    // A few pops, pressed where a user would press them.
    const BubbleSheet &sheet = window.sheet();
    SheetArea *sheetArea = window.sheetArea();
    for (const auto &[column, row] : {std::pair(2, 2), std::pair(3, 1), std::pair(4, 3), std::pair(1, 4)}) {
        const QPointF centre = QRectF(sheetArea->cellRect(sheet.bubbleIndex(qint16(column), qint16(row)))).center();
        QMouseEvent press(QEvent::MouseButtonPress, centre, sheetArea->mapToGlobal(centre), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(sheetArea, &press);
    }
    return window.grab();
}

bool renderMainWindow(const QString &path)
{
    return mainWindowPicture().save(path);
}

// For software centres, which want 16:9 pictures at least 624 pixels wide:
// the window enlarged to 640 x 360, alone and with the About window open
// over it (the offscreen screen is 800 x 600).
// The stored size is the outer frame: the offscreen window's is 2 pixels wide.
constexpr float storeWidth = (640 + 4) * 15;
constexpr float storeHeight = (360 + 4) * 15;

bool renderStoreMainWindow(const QString &path)
{
    return mainWindowPicture(storeWidth, storeHeight).save(path);
}

QPixmap aboutWindowPicture(QWidget &owner)
{
    frmAbout about(owner, 812, [] {});
    about.show();
    return about.grab();
}

bool renderStoreAboutWindow(const QString &path)
{
    QPixmap picture = mainWindowPicture(storeWidth, storeHeight);
    QWidget owner;
    const QPixmap about = aboutWindowPicture(owner);
    const QSizeF logical = about.deviceIndependentSize();
    const QRectF place(QPointF((640 - logical.width()) / 2, (360 - logical.height()) / 2), logical);
    QPainter painter(&picture);
    painter.drawPixmap(place.topLeft(), about);
    // The frame a window manager would draw round it.
    painter.setPen(QColor(64, 64, 64));
    painter.drawRect(place.adjusted(-1, -1, 0, 0));
    painter.end();
    return picture.save(path);
}

bool renderAboutWindow(const QString &path)
{
    SilentBackend audio;
    MemorySettingsStore settings;
    settings.SaveSetting(QStringLiteral("Plinkety"), QStringLiteral("Defaults"), QStringLiteral("Popped"),
                         QStringLiteral("812"));
    FakeRandom random;
    frmPlinkety window(audio, settings, random);
    return aboutWindowPicture(window).save(path);
}

struct Picture
{
    const char *fileName;
    std::function<bool(const QString &)> render;
    int ratio;
};

std::array<Picture, 5> pictures()
{
    return {{
        {"screenshot.png", renderMainWindow, 1},
        {"about.png", renderAboutWindow, 1},
        {"screenshot@2x.png", renderMainWindow, 2},
        {"store-sheet.png", renderStoreMainWindow, 1},
        {"store-about.png", renderStoreAboutWindow, 1},
    }};
}

bool renderAtRatio(const QDir &directory, int ratio)
{
    for (const Picture &picture : pictures()) {
        if (picture.ratio != ratio)
            continue;
        const QString path = directory.filePath(QString::fromLatin1(picture.fileName));
        if (!picture.render(path)) {
            std::fprintf(stderr, "plinkety-screenshot: cannot write %s\n", qPrintable(path));
            return false;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return true;
}

// The pictures at the other ratios, each ratio by a process of its own.
bool renderAtOtherRatios(const QDir &directory)
{
    QList<int> ratios;
    for (const Picture &picture : pictures())
        if (picture.ratio != 1 && !ratios.contains(picture.ratio))
            ratios.append(picture.ratio);
    for (int ratio : ratios) {
        QProcess tool;
        tool.setProcessChannelMode(QProcess::ForwardedChannels);
        tool.start(QCoreApplication::applicationFilePath(),
                   {QStringLiteral("--ratio"), QString::number(ratio), directory.path()});
        if (!tool.waitForFinished(-1) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    const bool atRatio = argc > 2 && qstrcmp(argv[1], "--ratio") == 0;
    const int ratio = atRatio ? std::max(1, std::atoi(argv[2])) : 1;
    const int directoryArg = atRatio ? 3 : 1;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (atRatio)
        qputenv("QT_SCALE_FACTOR", QByteArray::number(ratio));
    QApplication app(argc, argv);
    const QDir directory(argc > directoryArg ? QString::fromLocal8Bit(argv[directoryArg]) : QStringLiteral("docs"));
    if (!directory.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "plinkety-screenshot: cannot create %s\n", qPrintable(directory.path()));
        return 1;
    }
    try {
        if (!renderAtRatio(directory, ratio))
            return 1;
        std::fflush(stdout);
        if (!atRatio && !renderAtOtherRatios(directory))
            return 1;
    } catch (const std::exception &error) {
        ErrorReport::report(error);
    }
    return 0;
}
