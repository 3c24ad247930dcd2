#pragma once

// What the program reads of its five settings at start-up, through its own
// reading code, and the checks both settings fuzzers make of it.
#include "FuzzCheck.h"
#include "settings/SettingsStore.h"
#include "ui/StoredCount.h"
#include "ui/WindowPlacement.h"

#include <QDir>
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

// A settings file of the fuzzer's own, in memory where the system has a
// memory file system: the fuzzer writes it many thousand times a second.
inline QString scratchSettingsFile()
{
    static QTemporaryDir dir((QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm")
                                                                          : QDir::tempPath())
                             + QStringLiteral("/plinkety-fuzz-XXXXXX"));
    return dir.path() + QStringLiteral("/Plinkety.conf");
}
