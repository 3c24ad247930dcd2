#pragma once

#include "AudioBackend.h"
#include "MixFormat.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

// Plays wave images through Windows' audio engine (WASAPI, shared mode). One
// 16-bit stream is kept open on the default output device, at the rate and
// channels of the clip played last, so that a pop needs nothing but its
// samples written; after a second of silence it is stopped, so that the
// device can go idle. When the default device changes, or goes and comes
// back, the stream follows it. A render thread of the back end's own does
// all the work with the device, so that opening one never holds up a play;
// a synchronous play waits for it without running the caller's event loop,
// at most about a second beyond the clip's length. Without a device plays
// are silent and return at once.
class WasapiBackend : public AudioBackend
{
public:
    // Where the device's samples are made: by Windows wherever it will,
    // or always here (as where Windows will not convert).
    enum class Conversion { ByWindows, Here };

    explicit WasapiBackend(Conversion conversion = Conversion::ByWindows);
    ~WasapiBackend() override;
    WasapiBackend(const WasapiBackend &) = delete;
    WasapiBackend &operator=(const WasapiBackend &) = delete;

    void play(const QByteArray &waveImage, Mode mode) override;
    void playInARow(const QByteArray &waveImage, int times, const std::function<void()> &meanwhile = {}) override;
    void prepare(const QByteArray &waveImage) override;
    void waitUntilSilent(int timeoutMs) override;

private:
    using Clock = std::chrono::steady_clock;
    class Renderer;

    // Beyond its own length, how long a clip may take to be heard before it
    // is given up: a device that stopped playing.
    static constexpr std::chrono::milliseconds kEndMargin {1000};

    // A play for the render thread; one without samples (an image that
    // cannot be played) only stops what sounds.
    struct Request
    {
        Pcm16 clip;
        std::uint64_t id = 0;
    };

    // What the caller's thread and the render thread share, under `mutex`.
    // Every request has an id, and each one settles those before it. Where
    // the render thread is stuck in a device that does not answer when the
    // back end goes, it is left behind with this.
    struct Shared
    {
        ~Shared();
        void wakeRenderer();

        std::mutex mutex;
        std::condition_variable changed;
        std::optional<Request> request; // the latest, not yet taken
        std::optional<Pcm16> prepared;  // the format to open a stream in, without samples
        std::uint64_t issued = 0;             // the last id handed out
        std::uint64_t started = 0;            // requests up to here are sounding, or settled
        std::uint64_t settled = 0;            // requests up to here have been heard, cut off or found silent
        std::uint64_t heardId = 0;            // the sounding request whose end is known...
        Clock::time_point heardAt {};   // ...and when its last sample has been heard
        Clock::time_point endsBy {};    // by when the last play is over, heard or not
        bool unanswered = false;        // the render thread is stuck in a device that does not answer
        bool quitting = false;
        bool finished = false;          // the render thread has let go of everything
        void *wake = nullptr;           // the render thread's event (a HANDLE)
    };

    void start(const QByteArray &waveImage, int times, bool wait, const std::function<void()> &meanwhile = {});
    // These run with the mutex held.
    std::uint64_t postLocked(Pcm16 clip, Clock::duration length);
    bool waitStartedLocked(std::unique_lock<std::mutex> &lock, std::uint64_t id, Clock::time_point deadline);
    void waitHeardLocked(std::unique_lock<std::mutex> &lock, std::uint64_t id, Clock::time_point deadline);

    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
};
