#pragma once

#include "AudioBackend.h"

#include <chrono>
#include <functional>

struct pa_context;
struct pa_mainloop_api;
struct pa_stream;
struct pa_threaded_mainloop;
struct pa_time_event;
struct WaveImage;

// Plays wave images through the sound server (PulseAudio, or PipeWire's
// PulseAudio service) with libpulse's threaded main loop. Every clip gets
// a stream of its own, on one connection that is kept open and made anew
// only once it has failed. Waiting never runs the caller's event loop, so
// nothing else is handled while a synchronous clip sounds.
// Without a server plays are silent and return at once. A server that stops
// answering holds up a play by about a second (a synchronous one by at most
// two seconds beyond its clip); the plays after it are silent at once until
// the next try, which comes later after every failure in a row.
class PulseAudioBackend : public AudioBackend
{
public:
    PulseAudioBackend();
    ~PulseAudioBackend() override;
    PulseAudioBackend(const PulseAudioBackend &) = delete;
    PulseAudioBackend &operator=(const PulseAudioBackend &) = delete;

    void play(const QByteArray &waveImage, Mode mode) override;
    void stop() override;
    void waitUntilSilent(int timeoutMs) override;

private:
    using Clock = std::chrono::steady_clock;

    // All "Locked" members run with the main loop's lock held.
    // Makes a new connection where there is none or it has failed, unless
    // the last failure is too recent; false if there is none to wait for.
    bool startConnectingLocked();
    // Connects where need be and waits, a second at most, until the server
    // has answered; false if it has not, which counts as a failed connection.
    bool connectedLocked();
    void giveUpLocked();
    void dropContextLocked();
    bool startStreamLocked(const QByteArray &image, const WaveImage &wave);
    bool openStreamLocked(const WaveImage &wave);
    void writeLocked(qsizetype room);
    void closeAfterLocked(quint64 delayUs);
    void stopLocked();
    bool soundingLocked() const;
    bool waitLocked(Clock::time_point deadline, const std::function<bool()> &done);

    // Called by libpulse on its own thread, with the lock held.
    static void onContextState(pa_context *context, void *self);
    static void onStreamState(pa_stream *stream, void *self);
    static void onWritable(pa_stream *stream, size_t bytes, void *self);
    static void onDrained(pa_stream *stream, int success, void *self);
    static void onTimingUpdated(pa_stream *stream, int success, void *self);
    static void onQuiet(pa_mainloop_api *api, pa_time_event *timer, const struct timeval *, void *self);

    pa_threaded_mainloop *m_loop = nullptr;
    pa_context *m_context = nullptr;
    Clock::time_point m_retryAfter {};
    int m_failures = 0; // connections given up in a row

    // The clip now sounding, or the last one, which may have ended by itself.
    // stopLocked() releases its stream and timer and resets it as a whole.
    struct Playback
    {
        pa_stream *stream = nullptr;
        QByteArray bytes; // our own reference: the caller may replace its buffer meanwhile
        int frameBytes = 0;
        qsizetype next = 0; // the first byte not yet handed to the server
        qsizetype end = 0;  // one past the last whole frame
        Clock::time_point endsBy {};         // by when a working server has played it
        pa_time_event *quietTimer = nullptr; // closes the stream once it has been heard
    };
    Playback m_playback;
};
