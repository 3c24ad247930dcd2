#pragma once

#include <QTest>

// The eight clips as designed, one data row each, with the columns id,
// channels, rate, bits, dataBytes, frames, hasFact and durationMs.
inline void addClipFormatRows()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("dataBytes");
    QTest::addColumn<int>("frames");
    QTest::addColumn<bool>("hasFact");
    QTest::addColumn<double>("durationMs");
    QTest::newRow("101 pop") << 101 << 2 << 44100 << 8 << 1264 << 632 << true << 14.3;
    QTest::newRow("102 reset") << 102 << 2 << 44100 << 8 << 22000 << 11000 << true << 249.4;
    QTest::newRow("103 pop and greeting") << 103 << 2 << 44100 << 8 << 612 << 306 << true << 6.9;
    QTest::newRow("104 pop") << 104 << 2 << 44100 << 8 << 342 << 171 << true << 3.9;
    QTest::newRow("105 pop") << 105 << 2 << 44100 << 8 << 300 << 150 << false << 3.4;
    QTest::newRow("106 never played") << 106 << 2 << 44100 << 8 << 3052 << 1526 << true << 34.6;
    QTest::newRow("107 closing") << 107 << 2 << 44100 << 16 << 96760 << 24190 << true << 548.5;
    QTest::newRow("108 cheer") << 108 << 1 << 11025 << 8 << 33072 << 33072 << true << 2999.7;
}
