#include "PulseAudioBackend.h"

#include "WaveImage.h"

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/operation.h>
#include <pulse/rtclock.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

#include <algorithm>

namespace {

using namespace std::chrono_literals;

// How long a server may take to answer before we treat it as gone.
constexpr auto kServerTimeout = 1000ms;
// After a failed connection, plays stay silent this long before the next try,
// doubling with every failure in a row, so that a server that hangs cannot
// slow down every click.
constexpr auto kRetryDelay = 1000ms;
constexpr int kMaxRetryDoublings = 4;
// Beyond its own length, how long a clip may take to be heard before a
// synchronous play gives up waiting for it (a server that hangs mid-clip).
constexpr auto kEndMargin = 2000ms;
// The buffering we ask of the sound server for each clip.
constexpr pa_usec_t kTargetLatencyUs = 10000;
// The first write hands over up to this much of a clip, or more where the
// server has room for it; the rest goes as the server asks for it.
constexpr qsizetype kFirstWrite = 1 << 20;
// The longest a sink may still be sounding a clip it has mixed.
constexpr pa_usec_t kMaxTailUs = 2000000;

class LoopLock
{
public:
    explicit LoopLock(pa_threaded_mainloop *loop) : m_loop(loop) { pa_threaded_mainloop_lock(m_loop); }
    ~LoopLock() { pa_threaded_mainloop_unlock(m_loop); }
    LoopLock(const LoopLock &) = delete;
    LoopLock &operator=(const LoopLock &) = delete;

private:
    pa_threaded_mainloop *m_loop;
};

void wakeWaiter(pa_mainloop_api *, pa_time_event *, const struct timeval *, void *loop)
{
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop *>(loop), 0);
}

// Asks for little buffering, so that a clip starts at once and a new one
// cuts off the old one without delay.
pa_buffer_attr lowLatency(const pa_sample_spec &sampleFormat)
{
    pa_buffer_attr attr {};
    attr.maxlength = quint32(-1);
    attr.tlength = quint32(pa_usec_to_bytes(kTargetLatencyUs, &sampleFormat));
    attr.prebuf = quint32(-1);
    attr.minreq = quint32(-1);
    attr.fragsize = quint32(-1);
    return attr;
}

bool isGood(pa_context *context)
{
    return context && PA_CONTEXT_IS_GOOD(pa_context_get_state(context));
}

} // namespace

PulseAudioBackend::PulseAudioBackend()
    : m_loop(pa_threaded_mainloop_new())
{
    if (!m_loop)
        return;
    pa_threaded_mainloop_set_name(m_loop, "plinkety-sound");
    if (pa_threaded_mainloop_start(m_loop) < 0) {
        pa_threaded_mainloop_free(m_loop);
        m_loop = nullptr;
        return;
    }
    // Start connecting now, so that the first clip need not wait for it.
    LoopLock lock(m_loop);
    startConnectingLocked();
}

PulseAudioBackend::~PulseAudioBackend()
{
    if (!m_loop)
        return;
    {
        LoopLock lock(m_loop);
        dropContextLocked();
    }
    pa_threaded_mainloop_stop(m_loop);
    pa_threaded_mainloop_free(m_loop);
}

void PulseAudioBackend::play(const QByteArray &waveImage, Mode mode)
{
    if (!m_loop)
        return;
    LoopLock lock(m_loop);
    stopLocked();
    const auto wave = WaveImage::parse(waveImage);
    if (!wave || wave->frames() == 0 || !connectedLocked() || !startStreamLocked(waveImage, *wave))
        return;
    if (mode == Mode::Synchronous)
        waitLocked(m_playback.endsBy, [this] { return !soundingLocked(); });
}

void PulseAudioBackend::stop()
{
    if (!m_loop)
        return;
    LoopLock lock(m_loop);
    stopLocked();
}

void PulseAudioBackend::waitUntilSilent(int timeoutMs)
{
    if (!m_loop)
        return;
    LoopLock lock(m_loop);
    const auto deadline = std::min(Clock::now() + std::chrono::milliseconds(timeoutMs), m_playback.endsBy);
    waitLocked(deadline, [this] { return !soundingLocked(); });
}

bool PulseAudioBackend::startConnectingLocked()
{
    if (m_context && !isGood(m_context))
        dropContextLocked();
    if (m_context)
        return true;
    if (Clock::now() < m_retryAfter)
        return false;
    m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), "Plinkety");
    if (!m_context)
        return false;
    pa_context_set_state_callback(m_context, &PulseAudioBackend::onContextState, this);
    // No autospawn: a desktop without a running server stays silent
    // rather than have us start one.
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        giveUpLocked();
        return false;
    }
    return true;
}

bool PulseAudioBackend::connectedLocked()
{
    if (!startConnectingLocked())
        return false;
    waitLocked(Clock::now() + kServerTimeout, [this] {
        return pa_context_get_state(m_context) == PA_CONTEXT_READY || !isGood(m_context);
    });
    if (pa_context_get_state(m_context) == PA_CONTEXT_READY) {
        m_failures = 0;
        return true;
    }
    giveUpLocked();
    return false;
}

void PulseAudioBackend::giveUpLocked()
{
    dropContextLocked();
    m_retryAfter = Clock::now() + kRetryDelay * (1 << std::min(m_failures, kMaxRetryDoublings));
    ++m_failures;
}

void PulseAudioBackend::dropContextLocked()
{
    stopLocked();
    if (!m_context)
        return;
    pa_context_set_state_callback(m_context, nullptr, nullptr);
    pa_context_disconnect(m_context);
    pa_context_unref(m_context);
    m_context = nullptr;
}

bool PulseAudioBackend::startStreamLocked(const QByteArray &image, const WaveImage &wave)
{
    if (!openStreamLocked(wave))
        return false;
    Playback &clip = m_playback;
    clip.bytes = image;
    clip.frameBytes = wave.blockAlign;
    clip.next = wave.dataOffset;
    clip.end = wave.dataOffset + wave.frames() * wave.blockAlign;
    const auto length = std::chrono::microseconds(wave.frames() * 1000000 / wave.sampleRate);
    clip.endsBy = Clock::now() + length + kEndMargin;
    writeLocked(std::max(qsizetype(pa_stream_writable_size(clip.stream)), kFirstWrite));
    return true;
}

bool PulseAudioBackend::openStreamLocked(const WaveImage &wave)
{
    pa_sample_spec sampleFormat {};
    sampleFormat.format = wave.bitsPerSample == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE;
    sampleFormat.rate = wave.sampleRate;
    sampleFormat.channels = quint8(wave.channels);
    if (!pa_sample_spec_valid(&sampleFormat))
        return false;
    m_playback.stream = pa_stream_new(m_context, "Clip", &sampleFormat, nullptr);
    if (!m_playback.stream)
        return false;
    pa_stream_set_state_callback(m_playback.stream, &PulseAudioBackend::onStreamState, this);
    pa_stream_set_write_callback(m_playback.stream, &PulseAudioBackend::onWritable, this);
    const pa_buffer_attr attr = lowLatency(sampleFormat);
    if (pa_stream_connect_playback(m_playback.stream, nullptr, &attr, PA_STREAM_ADJUST_LATENCY, nullptr, nullptr) < 0) {
        stopLocked();
        return false;
    }
    waitLocked(Clock::now() + kServerTimeout, [this] {
        return pa_stream_get_state(m_playback.stream) != PA_STREAM_CREATING;
    });
    if (pa_stream_get_state(m_playback.stream) == PA_STREAM_READY)
        return true;
    // A stream the server refused is this clip's failure; a server that
    // has gone or does not answer is everyone's.
    const bool serverLost = pa_stream_get_state(m_playback.stream) == PA_STREAM_CREATING || !isGood(m_context);
    stopLocked();
    if (serverLost)
        giveUpLocked();
    return false;
}

void PulseAudioBackend::writeLocked(qsizetype room)
{
    Playback &clip = m_playback;
    qsizetype bytes = std::min(room, clip.end - clip.next);
    bytes -= bytes % std::max(clip.frameBytes, 1);
    if (!clip.stream || bytes <= 0)
        return;
    // libpulse copies what it is given; clip.bytes holds the rest until the
    // server asks for it.
    if (pa_stream_write(clip.stream, clip.bytes.constData() + clip.next, size_t(bytes), nullptr, 0, PA_SEEK_RELATIVE) < 0) {
        pa_stream_disconnect(clip.stream); // a clip that cannot be handed over ends here
        return;
    }
    clip.next += bytes;
    if (clip.next < clip.end)
        return;
    // Everything is with the server. The drain also starts a clip shorter
    // than the server's prebuffer.
    if (pa_operation *drain = pa_stream_drain(clip.stream, &PulseAudioBackend::onDrained, this))
        pa_operation_unref(drain);
}

void PulseAudioBackend::stopLocked()
{
    if (pa_time_event *timer = m_playback.quietTimer)
        pa_threaded_mainloop_get_api(m_loop)->time_free(timer);
    if (pa_stream *stream = m_playback.stream) {
        pa_stream_set_state_callback(stream, nullptr, nullptr);
        pa_stream_set_write_callback(stream, nullptr, nullptr);
        if (PA_STREAM_IS_GOOD(pa_stream_get_state(stream)))
            pa_stream_disconnect(stream);
        pa_stream_unref(stream);
    }
    // Its end time now lies in the past: nothing is left to wait for.
    m_playback = {};
}

bool PulseAudioBackend::soundingLocked() const
{
    // The stream is closed once its last sample has been heard, and fails
    // with the server.
    return m_playback.stream && PA_STREAM_IS_GOOD(pa_stream_get_state(m_playback.stream));
}

bool PulseAudioBackend::waitLocked(Clock::time_point deadline, const std::function<bool()> &done)
{
    while (!done()) {
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
        if (left.count() <= 0 || !m_context)
            return false;
        // The main loop's wait has no timeout of its own: a timer wakes us.
        pa_time_event *timer = pa_context_rttime_new(m_context, pa_rtclock_now() + pa_usec_t(left.count()),
                                                     &wakeWaiter, m_loop);
        pa_threaded_mainloop_wait(m_loop);
        if (timer)
            pa_threaded_mainloop_get_api(m_loop)->time_free(timer);
    }
    return true;
}

void PulseAudioBackend::onContextState(pa_context *, void *self)
{
    pa_threaded_mainloop_signal(static_cast<PulseAudioBackend *>(self)->m_loop, 0);
}

void PulseAudioBackend::onStreamState(pa_stream *, void *self)
{
    pa_threaded_mainloop_signal(static_cast<PulseAudioBackend *>(self)->m_loop, 0);
}

void PulseAudioBackend::onWritable(pa_stream *stream, size_t bytes, void *self)
{
    auto *backend = static_cast<PulseAudioBackend *>(self);
    if (stream == backend->m_playback.stream)
        backend->writeLocked(qsizetype(bytes));
}

void PulseAudioBackend::onDrained(pa_stream *stream, int, void *self)
{
    // The server has mixed the last sample; it is heard once the sink's own
    // latency has passed, which a fresh timing report tells.
    auto *backend = static_cast<PulseAudioBackend *>(self);
    if (stream != backend->m_playback.stream)
        return;
    if (pa_operation *update = pa_stream_update_timing_info(stream, &PulseAudioBackend::onTimingUpdated, self))
        pa_operation_unref(update);
    else
        backend->closeAfterLocked(0);
}

void PulseAudioBackend::onTimingUpdated(pa_stream *stream, int success, void *self)
{
    auto *backend = static_cast<PulseAudioBackend *>(self);
    if (stream != backend->m_playback.stream)
        return;
    pa_usec_t latency = 0;
    int negative = 0;
    if (!success || pa_stream_get_latency(stream, &latency, &negative) < 0 || negative)
        latency = 0;
    backend->closeAfterLocked(std::min<pa_usec_t>(latency, kMaxTailUs));
}

void PulseAudioBackend::closeAfterLocked(quint64 delayUs)
{
    if (!m_playback.quietTimer && m_context)
        m_playback.quietTimer = pa_context_rttime_new(m_context, pa_rtclock_now() + delayUs, &PulseAudioBackend::onQuiet, this);
    if (!m_playback.quietTimer)
        onQuiet(nullptr, nullptr, nullptr, this);
}

void PulseAudioBackend::onQuiet(pa_mainloop_api *, pa_time_event *, const struct timeval *, void *self)
{
    // Closing the stream once it has been heard lets the sound device go idle.
    auto *backend = static_cast<PulseAudioBackend *>(self);
    Playback &clip = backend->m_playback;
    if (clip.quietTimer) {
        pa_threaded_mainloop_get_api(backend->m_loop)->time_free(clip.quietTimer);
        clip.quietTimer = nullptr;
    }
    if (backend->soundingLocked())
        pa_stream_disconnect(clip.stream);
    pa_threaded_mainloop_signal(backend->m_loop, 0);
}
