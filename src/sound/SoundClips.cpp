#include "SoundClips.h"

#include "platform/Resources.h"
#include "platform/RuntimeError.h"

#include <QtGlobal>

namespace {

constexpr std::array<qint16, 8> kClipIds {103, 104, 101, 105, 106, 107, 102, 108};

} // namespace

SoundClips::SoundClips(AudioBackend &backend)
    : m_backend(backend)
{
}

void SoundClips::FillTable()
{
    sndIds = kClipIds;
}

qint16 SoundClips::clipId(int entry) const
{
    Q_ASSERT(entry >= 0 && entry < int(sndIds.size()));
    return sndIds[size_t(entry)];
}

void SoundClips::PrepareGreeting(AudioBackend &backend)
{
    try {
        backend.prepare(Resources::LoadResData(kClipIds[Pop0]));
    } catch (const RuntimeError &) {
        // A build without the clip says so when the greeting loads it.
    }
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

void SoundClips::PlayBufferInARow(int times, const std::function<void()> &meanwhile)
{
    m_backend.playInARow(sndBuffer, times, meanwhile);
}

void SoundClips::PlayClip(int entry, Mode mode)
{
    LoadClip(entry);
    PlayBuffer(mode);
}
