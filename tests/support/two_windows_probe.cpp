// One Plinkety window on the settings file FILE, as a second program would
// have it: it pops POPS bubbles, says "popped", and closes as a user would
// once it reads a line. Until then its events run, as a program's do.
//   two_windows_probe FILE POPS
#include "platform/RandomSource.h"
#include "settings/QtSettingsStore.h"
#include "sound/SilentBackend.h"
#include "ui/SheetArea.h"
#include "ui/frmPlinkety.h"

#include <QApplication>
#include <QSocketNotifier>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    QtSettingsStore settings(QString::fromLocal8Bit(argv[1]));
    SilentBackend audio;
    ClockRandomSource random;
    frmPlinkety window(audio, settings, random);
    window.show();
    for (qint16 k = 1; k <= qint16(std::atoi(argv[2])); ++k)
        emit window.sheetArea()->bubblePressed(k);
    std::puts("popped");
    std::fflush(stdout);
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &window, [&] {
        char line[16];
        if (!std::fgets(line, sizeof line, stdin))
            QCoreApplication::exit(3);
        else
            window.close();
    });
    return app.exec();
}
