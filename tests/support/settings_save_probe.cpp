// Saves through the program's settings store, as fast as it can:
//   settings_save_probe FILE          two different sets of settings by
//       turns, until it is killed: a kill in the middle of a save leaves
//       either the old or the new file;
//   settings_save_probe FILE add N    one pop added to the count N times,
//       each in a save of its own, beside another probe doing the same.
#include "settings/QtSettingsStore.h"
#include "settings/StoredCount.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

namespace {

int addOnePopTimes(const QString &path, int times)
{
    for (int i = 0; i < times; ++i) {
        QtSettingsStore store(path);
        StoredCount::add(store, 1);
        if (!store.flush())
            return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    if (argc == 4 && QByteArrayView(argv[2]) == "add")
        return addOnePopTimes(path, std::atoi(argv[3]));
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
