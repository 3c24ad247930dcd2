#pragma once

#include "platform/Resources.h"
#include "sound/AudioBackend.h"

#include <QList>
#include <functional>

// Remembers every play instead of sounding it, for the tests.
class RecordingBackend : public AudioBackend
{
public:
    struct Play
    {
        QByteArray waveImage;
        Mode mode;
    };

    void play(const QByteArray &waveImage, Mode mode) override
    {
        m_plays.append({waveImage, mode});
        if (onPlay)
            onPlay(m_plays.last());
    }

    const QList<Play> &plays() const { return m_plays; }
    void clear() { m_plays.clear(); }

    // Called at each play, so a test can see what else was true at that moment.
    std::function<void(const Play &)> onPlay;

private:
    QList<Play> m_plays;
};

// The identifier of the clip whose bytes were played; 0 for bytes of no clip.
inline int clipOf(const QByteArray &waveImage)
{
    for (qint16 id = 101; id <= 108; ++id)
        if (Resources::LoadResData(id) == waveImage)
            return id;
    return 0;
}
