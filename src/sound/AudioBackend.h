#pragma once

#include <QByteArray>

// Plays a whole RIFF/WAVE image held in memory, like the Windows
// sndPlaySound call with SND_MEMORY | SND_NODEFAULT.
class AudioBackend
{
public:
    enum class Mode { Synchronous, Asynchronous };

    virtual ~AudioBackend() = default;

    // Every play first stops whatever is still sounding. Synchronous returns
    // once the clip has been heard to its end, asynchronous once it has
    // started. A clip that cannot be played (no device, a malformed image)
    // is silent and the call returns at once. The backend keeps its own
    // reference to the bytes for as long as it plays them.
    virtual void play(const QByteArray &waveImage, Mode mode) = 0;

    // Silences whatever sounds, for the program's own end.
    virtual void stop() {}

    // Waits, at most timeoutMs, until nothing sounds any more.
    virtual void waitUntilSilent(int timeoutMs) { Q_UNUSED(timeoutMs); }
};
