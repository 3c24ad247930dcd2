#pragma once

#include <QByteArray>
#include <functional>

// Plays a whole RIFF/WAVE image held in memory, one clip at a time. A clip
// that cannot be played stays silent: nothing else is sounded in its place.
class AudioBackend
{
public:
    enum class Mode { Synchronous, Asynchronous };

    virtual ~AudioBackend() = default;

    // Every play first stops whatever is still sounding. Synchronous returns
    // once the clip has been heard to its end, asynchronous once it has been
    // handed over to be played. A clip that cannot be played (no sound
    // server, a malformed image) is silent and the call does not wait for it.
    // The backend keeps its own reference to the bytes for as long as it
    // plays them.
    virtual void play(const QByteArray &waveImage, Mode mode) = 0;

    // Plays the image `times` times in a row, synchronously: returns once
    // the last has been heard. A back end that can hand them over together
    // plays them without a gap between them, and runs `meanwhile` (if any)
    // on the caller's thread while they sound, rather than have it wait
    // idle; one that cannot runs it after them. It runs once in any case.
    virtual void playInARow(const QByteArray &waveImage, int times, const std::function<void()> &meanwhile = {})
    {
        for (int i = 0; i < times; ++i)
            play(waveImage, Mode::Synchronous);
        if (meanwhile)
            meanwhile();
    }

    // Gets ready, without a sound, to play images in this one's format soon.
    virtual void prepare(const QByteArray &waveImage) { Q_UNUSED(waveImage); }

    // Waits, at most timeoutMs, until nothing sounds any more.
    virtual void waitUntilSilent(int timeoutMs) { Q_UNUSED(timeoutMs); }
};
