#pragma once

#include "AudioBackend.h"
#include "PulseConnection.h"

#include <pulse/sample.h>

#include <memory>
#include <cstdint>
#include <optional>

struct pa_operation;
struct pa_stream;
struct WaveImage;

// Plays wave images through the sound server (PulseAudio, or PipeWire's
// PulseAudio service). One 16-bit stream is kept open at the rate and
// channels of the clip played last, so that a pop needs nothing but its
// samples sent; a clip at another rate opens one of its own. After a second
// of silence the stream is corked, so that the sound device can go idle.
// Waiting never runs the caller's event loop: nothing else is handled while
// a synchronous clip sounds. Without a server plays are silent and return at
// once; a server that stops answering holds up one play by a second at most.
class PulseAudioBackend : public AudioBackend
{
public:
    PulseAudioBackend();
    ~PulseAudioBackend() override;
    PulseAudioBackend(const PulseAudioBackend &) = delete;
    PulseAudioBackend &operator=(const PulseAudioBackend &) = delete;

    void play(const QByteArray &waveImage, Mode mode) override;
    void playInARow(const QByteArray &waveImage, int times, const std::function<void()> &meanwhile = {}) override;
    void prepare(const QByteArray &waveImage) override;
    void waitUntilSilent(int timeoutMs) override;

private:
    using Clock = PulseConnection::Clock;

    // All "Locked" members run with the main loop's lock held.
    bool startLocked(const QByteArray &image, int times, bool drain);
    bool streamForLocked(const pa_sample_spec &format);
    void openStreamLocked(const pa_sample_spec &format);
    void openPreparedLocked();
    void closeStreamLocked();
    void stopLocked();
    void askWhenHeardLocked(bool drain);
    void heardAfterLocked(pa_usec_t delayUs);
    void heardLocked();
    void waitHeardLocked(Clock::time_point deadline);
    void dropTimersLocked();

    // Called by libpulse on its own thread, with the lock held.
    static void onStreamState(pa_stream *stream, void *self);
    static void onAnswered(pa_stream *stream, int success, void *self);
    static void onDrained(pa_stream *stream, int success, void *self);
    static void onTimingUpdated(pa_stream *stream, int success, void *self);
    static void onHeard(pa_mainloop_api *, pa_time_event *, const struct timeval *, void *self);
    static void onIdle(pa_mainloop_api *, pa_time_event *, const struct timeval *, void *self);
    void watchProgressLocked();
    static void onProgressCheck(pa_mainloop_api *, pa_time_event *, const struct timeval *, void *self);
    static void onProgress(pa_stream *stream, int success, void *self);

    std::unique_ptr<PulseConnection> m_connection;

    // The kept stream: prebuffer 0, so a clip written at its read position
    // starts at once; nothing is queued in it once a clip has been heard.
    pa_stream *m_stream = nullptr;
    pa_sample_spec m_format {};
    std::optional<pa_sample_spec> m_prepared; // the format to keep a stream open in
    pa_time_event *m_idleTimer = nullptr; // corks the stream after a while of silence
    // While samples wait in the stream, whether the server goes on reading them.
    pa_time_event *m_progressTimer = nullptr;
    pa_operation *m_progressAsked = nullptr;
    std::int64_t m_readIndexSeen = -1;

    // The clip now sounding, reset as a whole when it has been heard or is
    // cut off.
    struct Playback
    {
        bool sounding = false;
        bool drained = false; // the server was asked to tell when it is played out
        Clock::time_point endsBy {};           // by when a working server has played it
        pa_operation *answer = nullptr;  // anything the server answers at once, to know it is alive
        pa_operation *pending = nullptr; // the drain, then how long the sink takes to sound what it has
        pa_time_event *heardTimer = nullptr; // set for the moment the last sample is heard
        std::optional<Clock::time_point> heardAt; // that moment, once known
    };
    Playback m_playback;
};
