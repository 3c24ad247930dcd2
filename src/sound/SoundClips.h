#pragma once

#include "AudioBackend.h"

#include <QByteArray>
#include <array>
#include <functional>

// The clip table and the one clip buffer, and the single rule by which
// every sound is played.
class SoundClips
{
public:
    using Mode = AudioBackend::Mode;

    // Table entries by role.
    enum Entry : int { Pop0 = 0, Pop1, Pop2, Pop3, Unused, Closing, Reset, Cheer };

    explicit SoundClips(AudioBackend &backend);

    // Fills sndIds; done first thing at start-up, before anything can play.
    void FillTable();

    // Lets the back end get ready, before any window exists, for the
    // greeting and the pops, which are all in one format.
    static void PrepareGreeting(AudioBackend &backend);

    // Loads the clip of the entry into sndBuffer and plays it.
    void PlayClip(int entry, Mode mode);

    // Loads the clip of the entry into sndBuffer without playing it.
    void LoadClip(int entry);
    // Plays what sndBuffer holds.
    void PlayBuffer(Mode mode);
    // Plays what sndBuffer holds `times` times in a row, synchronously;
    // `meanwhile` runs while they sound.
    void PlayBufferInARow(int times, const std::function<void()> &meanwhile = {});

    qint16 clipId(int entry) const;
    const QByteArray &buffer() const { return sndBuffer; }

private:
    AudioBackend &m_backend;
    std::array<qint16, 8> sndIds {};
    QByteArray sndBuffer;
};
