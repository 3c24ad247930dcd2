// Saves two different sets of settings by turns through the program's
// settings store, as fast as it can, until it is killed: for the test that
// a kill in the middle of a save leaves either the old or the new file.
//   settings_save_probe FILE
#include "settings/QtSettingsStore.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QString application = QStringLiteral("Plinkety");
    const QString section = QStringLiteral("Defaults");
    for (qint64 i = 0;; ++i) {
        const bool even = i % 2 == 0;
        QtSettingsStore store(path);
        store.SaveSetting(application, section, QStringLiteral("Popped"), even ? QStringLiteral("1") : QStringLiteral("2"));
        store.SaveSetting(application, section, QStringLiteral("Padding"), QString(256 * 1024, even ? u'a' : u'b'));
        QString whyNot;
        if (!store.flush(&whyNot)) {
            std::fprintf(stderr, "%s\n", qPrintable(whyNot));
            return 1;
        }
        if (i == 0) {
            std::puts("saving");
            std::fflush(stdout);
        }
    }
}
