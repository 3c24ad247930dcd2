#include "SoundClips.h"

#include "platform/Resources.h"

#include <QtGlobal>

SoundClips::SoundClips(AudioBackend &backend)
    : m_backend(backend)
{
}

void SoundClips::FillTable()
{
    sndIds = {103, 104, 101, 105, 106, 107, 102, 108};
}

qint16 SoundClips::clipId(int entry) const
{
    Q_ASSERT(entry >= 0 && entry < int(sndIds.size()));
    return sndIds[size_t(entry)];
}

void SoundClips::Prepare(int entry)
{
    m_backend.prepare(Resources::LoadResData(clipId(entry)));
}

void SoundClips::LoadClip(int entry)
{
    // The backend holds its own reference to the bytes it is playing, so
    // replacing the buffer never pulls them from under a sounding clip.
    sndBuffer = Resources::LoadResData(clipId(entry));
}

void SoundClips::PlayBuffer(Mode mode)
{
    m_backend.play(sndBuffer, mode);
}

void SoundClips::PlayBufferInARow(int times)
{
    m_backend.playInARow(sndBuffer, times);
}

void SoundClips::PlayClip(int entry, Mode mode)
{
    LoadClip(entry);
    PlayBuffer(mode);
}
