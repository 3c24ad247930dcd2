// Renders pictures of the program's windows offscreen, for the README:
//   plinkety-screenshot [directory]     (default: docs)
// Each picture has one function below; add a line to pictures() for another.
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
#include <QMouseEvent>
#include <QPixmap>
#include <array>
#include <cstdio>
#include <exception>
#include <functional>

namespace {

bool renderMainWindow(const QString &path)
{
    SilentBackend audio;
    MemorySettingsStore settings;
    settings.SaveSetting(QStringLiteral("Plinkety"), QStringLiteral("Defaults"), QStringLiteral("Popped"),
                         QStringLiteral("41"));
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
    return window.grab().save(path);
}

bool renderAboutWindow(const QString &path)
{
    SilentBackend audio;
    MemorySettingsStore settings;
    settings.SaveSetting(QStringLiteral("Plinkety"), QStringLiteral("Defaults"), QStringLiteral("Popped"),
                         QStringLiteral("812"));
    FakeRandom random;
    frmPlinkety window(audio, settings, random);
    frmAbout about(window);
    about.show();
    return about.grab().save(path);
}

struct Picture
{
    const char *fileName;
    std::function<bool(const QString &)> render;
};

std::array<Picture, 2> pictures()
{
    return {{
        {"screenshot.png", renderMainWindow},
        {"about.png", renderAboutWindow},
    }};
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir directory(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs"));
    if (!directory.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "plinkety-screenshot: cannot create %s\n", qPrintable(directory.path()));
        return 1;
    }
    try {
        for (const Picture &picture : pictures()) {
            const QString path = directory.filePath(QString::fromLatin1(picture.fileName));
            if (!picture.render(path)) {
                std::fprintf(stderr, "plinkety-screenshot: cannot write %s\n", qPrintable(path));
                return 1;
            }
            std::printf("%s\n", qPrintable(path));
        }
    } catch (const std::exception &error) {
        ErrorReport::report(error);
    }
    return 0;
}
