#pragma once

// What the program reads of its five settings at start-up, through its own
// reading code, and the checks both settings fuzzers make of it.
#include "FuzzCheck.h"
#include "settings/QtSettingsStore.h"
#include "settings/SettingsStore.h"
#include "settings/StoredCount.h"
#include "settings/WindowPlacement.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <cmath>

struct SettingsReading
{
    WindowPlacement placement;
    qint32 count = 0;

    static SettingsReading of(SettingsStore &store)
    {
        return {WindowPlacement::read(store), StoredCount::read(store)};
    }

    bool operator==(const SettingsReading &) const = default;

    void checkUsable() const
    {
        for (float value : {placement.top, placement.left, placement.height, placement.width})
            FUZZ_CHECK(std::isfinite(value));
        // The start-up's corrections always give a corner on the screen.
        WindowPlacement corrected = placement;
        corrected.correctCorner();
        corrected.correctSize(QSizeF(12000, 9000));
        corrected.bringOntoScreen({QRectF(0, 0, 12000, 9000)});
        FUZZ_CHECK(corrected.top >= 0 && corrected.left >= 0);
        FUZZ_CHECK(corrected.height <= 9000 && corrected.width <= 12000);
    }

    void write(SettingsStore &store) const
    {
        placement.write(store);
        StoredCount::write(store, count);
    }
};

// The settings files of the fuzzer's own, one or two at a time, in memory
// where the system has a memory file system: the fuzzer writes them many
// thousand times a second.
inline QString scratchSettingsFile(int which = 0)
{
    static QTemporaryDir dir((QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm")
                                                                          : QDir::tempPath())
                             + QStringLiteral("/plinkety-fuzz-XXXXXX"));
    return dir.path() + QStringLiteral("/%1.conf").arg(which);
}

// QSettings keeps what it read of a file for as long as the process lives,
// and would not notice a file of the same size written again in the same
// millisecond; a file that is not there it does not keep. Forgetting also
// keeps the fuzzer's count of allocations level, which spares it a search
// for leaks after every input.
inline void removeAndForget(const QString &path)
{
    QFile::remove(path);
    const QSettings forget(path, QSettings::IniFormat);
}

// What the program reads of the file at path at its next start, read from
// the disk afresh; the file is gone afterwards.
inline SettingsReading readingAtNextStart(const QString &path)
{
    const QString fresh = scratchSettingsFile(1);
    FUZZ_CHECK(QFile::rename(path, fresh));
    removeAndForget(path);
    SettingsReading reading;
    {
        QtSettingsStore next(fresh);
        reading = SettingsReading::of(next);
    }
    removeAndForget(fresh);
    return reading;
}
