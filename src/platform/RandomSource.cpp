#include "RandomSource.h"

#include <QDateTime>

void ClockRandomSource::seedFromClock()
{
    m_generator.seed(quint32(QDateTime::currentMSecsSinceEpoch() ^ (QDateTime::currentMSecsSinceEpoch() >> 32)));
}

float ClockRandomSource::next()
{
    return toUnit(m_generator.generate());
}
