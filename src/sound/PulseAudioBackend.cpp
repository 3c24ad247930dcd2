#include "PulseAudioBackend.h"

#include "WaveImage.h"
#include "platform/Log.h"

#include <pulse/operation.h>
#include <pulse/proplist.h>
#include <pulse/stream.h>

#include <algorithm>

namespace {

using namespace std::chrono_literals;

// Beyond its own length, how long a clip may take to be heard before a
// synchronous play gives up waiting for it (a server that hangs mid-clip).
constexpr auto kEndMargin = 2000ms;
// The buffering we ask of the server: as little as a stream kept fed with
// silence would get, so a clip starts at once.
constexpr pa_usec_t kTargetLatencyUs = 2000;
// The longest a sink may still be sounding a clip it has mixed.
constexpr pa_usec_t kMaxTailUs = 2000000;
// A clip of a rate below any sound card's goes through the server's
// resampler, whose delay the latency it reports leaves out.
constexpr quint32 kCardRates = 44100;
constexpr pa_usec_t kResamplerDelayUs = 8000;
// Silence after which the kept stream is corked, so that the sound device
// can go idle. Pops in quick succession keep it running: uncorking costs
// nothing on PulseAudio, but about a millisecond on PipeWire.
constexpr pa_usec_t kIdleUs = 1000000;
// How often the server is asked whether it still reads what waits in the
// stream: PipeWire, on a busy machine, now and then leaves a stream that
// takes every write and plays none of them. One that has read nothing of
// it between two asks is replaced.
constexpr pa_usec_t kProgressCheckUs = 400000;

pa_buffer_attr lowLatency(const pa_sample_spec &format)
{
    pa_buffer_attr attr {};
    attr.maxlength = quint32(-1);
    attr.tlength = quint32(pa_usec_to_bytes(kTargetLatencyUs, &format));
    // Written at the read position, a clip needs no prebuffer to start.
    attr.prebuf = 0;
    attr.minreq = quint32(-1);
    attr.fragsize = quint32(-1);
    return attr;
}

// The kept stream is always 16-bit: PipeWire's PulseAudio service fills a
// stream that has run dry with zero bytes, which for 8-bit samples is not
// silence but the lowest level, a thump at each clip's start and end.
std::optional<pa_sample_spec> formatOf(const WaveImage &wave)
{
    pa_sample_spec format {};
    format.format = PA_SAMPLE_S16LE;
    format.rate = wave.sampleRate;
    format.channels = quint8(wave.channels);
    if (!pa_sample_spec_valid(&format))
        return std::nullopt;
    return format;
}

// The clip's samples as the kept stream takes them, `times` over.
QByteArray samplesOf(const QByteArray &image, const WaveImage &wave, int times)
{
    const QByteArrayView data(image.constData() + wave.dataOffset, wave.frames() * wave.blockAlign);
    QByteArray once;
    if (wave.bitsPerSample == 16) {
        once = data.toByteArray();
    } else {
        // Widened as the server itself would: 128 is silence.
        once.resize(data.size() * 2);
        auto *out = reinterpret_cast<uchar *>(once.data());
        for (const char byte : data) {
            *out++ = 0;
            *out++ = uchar(byte) ^ 0x80;
        }
    }
    return once.repeated(times);
}

} // namespace

PulseAudioBackend::PulseAudioBackend()
    : m_connection(std::make_unique<PulseConnection>([this] { openPreparedLocked(); }, [this] { closeStreamLocked(); }))
{
    // Connecting starts here, on the loop's thread, while the program goes on.
    m_connection->start();
}

PulseAudioBackend::~PulseAudioBackend()
{
    if (!m_connection->hasLoop())
        return;
    LoopLock lock(*m_connection);
    closeStreamLocked();
}

void PulseAudioBackend::play(const QByteArray &waveImage, Mode mode)
{
    if (!m_connection->hasLoop())
        return;
    LoopLock lock(*m_connection);
    if (startLocked(waveImage, 1, mode == Mode::Synchronous) && mode == Mode::Synchronous)
        waitHeardLocked(m_playback.endsBy);
}

void PulseAudioBackend::playInARow(const QByteArray &waveImage, int times, const std::function<void()> &meanwhile)
{
    // All of them are handed over at once, so that each follows the one
    // before it without a gap.
    bool started = false;
    if (m_connection->hasLoop() && times > 0) {
        LoopLock lock(*m_connection);
        started = startLocked(waveImage, times, true);
    }
    // The loop goes on with the clips meanwhile.
    if (meanwhile)
        meanwhile();
    if (!started)
        return;
    LoopLock lock(*m_connection);
    waitHeardLocked(m_playback.endsBy);
}

void PulseAudioBackend::waitUntilSilent(int timeoutMs)
{
    if (!m_connection->hasLoop())
        return;
    LoopLock lock(*m_connection);
    // A pop's end is only reckoned from the latency; the wait for the last
    // clip asks the server to tell when it has played it out.
    if (m_playback.sounding && !m_playback.drained) {
        dropTimersLocked();
        m_playback.heardAt.reset();
        askWhenHeardLocked(true);
    }
    waitHeardLocked(std::min(Clock::now() + std::chrono::milliseconds(timeoutMs), m_playback.endsBy));
}

bool PulseAudioBackend::startLocked(const QByteArray &image, int times, bool drain)
{
    stopLocked();
    const auto wave = WaveImage::parse(image);
    const auto format = wave ? formatOf(*wave) : std::nullopt;
    if (!format || wave->frames() == 0 || !m_connection->ready() || !streamForLocked(*format))
        return false;
    m_connection->freeTimer(m_idleTimer);
    if (pa_stream_is_corked(m_stream) == 1) {
        if (pa_operation *uncork = pa_stream_cork(m_stream, 0, nullptr, nullptr))
            pa_operation_unref(uncork);
    }
    // libpulse copies the samples. They go where the server reads next, all
    // copies at once, so that each follows the one before without a gap.
    const QByteArray samples = samplesOf(image, *wave, times);
    if (pa_stream_write(m_stream, samples.constData(), size_t(samples.size()), nullptr, 0, PA_SEEK_RELATIVE_ON_READ) < 0) {
        stopLocked();
        return false;
    }
    const auto length = std::chrono::microseconds(times * wave->frames() * 1000000 / wave->sampleRate);
    m_playback.sounding = true;
    m_playback.endsBy = Clock::now() + length + kEndMargin;
    askWhenHeardLocked(drain);
    watchProgressLocked();
    return true;
}

void PulseAudioBackend::prepare(const QByteArray &waveImage)
{
    if (!m_connection->hasLoop())
        return;
    LoopLock lock(*m_connection);
    const auto wave = WaveImage::parse(waveImage);
    m_prepared = wave ? formatOf(*wave) : std::nullopt;
    if (m_connection->isReady())
        openPreparedLocked();
}

void PulseAudioBackend::openPreparedLocked()
{
    // Also when the server has come back: its first pop need not wait either.
    if (m_prepared && !m_stream)
        openStreamLocked(*m_prepared);
}

bool PulseAudioBackend::streamForLocked(const pa_sample_spec &format)
{
    const bool usable = m_stream && pa_sample_spec_equal(&format, &m_format) && PA_STREAM_IS_GOOD(pa_stream_get_state(m_stream));
    if (!usable)
        openStreamLocked(format);
    m_connection->waitForAnswer([this] { return !m_stream || pa_stream_get_state(m_stream) != PA_STREAM_CREATING; });
    if (m_stream && pa_stream_get_state(m_stream) == PA_STREAM_READY)
        return true;
    closeStreamLocked();
    return false;
}

void PulseAudioBackend::openStreamLocked(const pa_sample_spec &format)
{
    closeStreamLocked();
    // Desktops set the volume of short event sounds like these apart.
    pa_proplist *properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "event");
    m_stream = m_connection->newStream("Pops", format, properties);
    pa_proplist_free(properties);
    if (!m_stream)
        return;
    m_format = format;
    pa_stream_set_state_callback(m_stream, &PulseAudioBackend::onStreamState, this);
    const pa_buffer_attr attr = lowLatency(format);
    if (pa_stream_connect_playback(m_stream, nullptr, &attr, PA_STREAM_ADJUST_LATENCY, nullptr, nullptr) < 0)
        closeStreamLocked();
}

void PulseAudioBackend::closeStreamLocked()
{
    stopLocked();
    if (pa_stream *stream = m_stream) {
        pa_stream_set_state_callback(stream, nullptr, nullptr);
        if (PA_STREAM_IS_GOOD(pa_stream_get_state(stream)))
            pa_stream_disconnect(stream);
        pa_stream_unref(stream);
    }
    m_stream = nullptr;
    m_connection->freeTimer(m_idleTimer);
    m_connection->freeTimer(m_progressTimer);
    if (m_progressAsked) {
        pa_operation_cancel(m_progressAsked);
        pa_operation_unref(m_progressAsked);
    }
    m_progressAsked = nullptr;
    m_readIndexSeen = -1;
}

void PulseAudioBackend::stopLocked()
{
    // What is queued is dropped; the next clip goes where the server reads.
    // After a drain, too: PipeWire now and then let the write that followed
    // one go unplayed, and a flush sets the stream going again.
    if ((m_playback.sounding || m_playback.drained) && m_stream && pa_stream_get_state(m_stream) == PA_STREAM_READY) {
        if (pa_operation *flush = pa_stream_flush(m_stream, nullptr, nullptr))
            pa_operation_unref(flush);
    }
    dropTimersLocked();
    m_playback = {};
}

void PulseAudioBackend::dropTimersLocked()
{
    for (pa_operation **operation : {&m_playback.answer, &m_playback.pending}) {
        if (*operation) {
            pa_operation_cancel(*operation);
            pa_operation_unref(*operation);
        }
        *operation = nullptr;
    }
    m_connection->freeTimer(m_playback.heardTimer);
}

void PulseAudioBackend::askWhenHeardLocked(bool drain)
{
    // The server acknowledges the drain once its sink has taken the last
    // sample; the sink's own latency after that is when it is heard. A pop
    // asks for none: on a busy machine PipeWire lost pops ten times as
    // often with a drain asked for each. Its end is reckoned from the
    // latency the server gives for what was written.
    m_playback.answer = pa_stream_update_timing_info(m_stream, &PulseAudioBackend::onAnswered, this);
    m_playback.drained = drain;
    m_playback.pending = drain ? pa_stream_drain(m_stream, &PulseAudioBackend::onDrained, this)
                               : pa_stream_update_timing_info(m_stream, &PulseAudioBackend::onTimingUpdated, this);
    if (!m_playback.pending)
        heardAfterLocked(0);
}

void PulseAudioBackend::heardAfterLocked(pa_usec_t delayUs)
{
    m_playback.heardAt = Clock::now() + std::chrono::microseconds(delayUs);
    m_connection->wake();
    if (!m_playback.heardTimer)
        m_playback.heardTimer = m_connection->newTimer(delayUs, &PulseAudioBackend::onHeard, this);
    if (!m_playback.heardTimer)
        heardLocked();
}

void PulseAudioBackend::waitHeardLocked(Clock::time_point deadline)
{
    if (!m_playback.sounding)
        return;
    // A server that does not answer within a second is not waited for again
    // until it does.
    if (!m_connection->waitForAnswer([this] { return !m_playback.sounding || !m_playback.answer; }, deadline)) {
        stopLocked();
        return;
    }
    // The loop's timer for the moment it is heard may be late by up to a
    // millisecond; the wait for it is not.
    m_connection->waitUntil(deadline, [this] { return !m_playback.sounding || m_playback.heardAt; });
    if (!m_playback.sounding || !m_playback.heardAt)
        return;
    m_connection->sleepUntil(std::min(*m_playback.heardAt, deadline));
    // Whatever sounds now (the loop may have let the clip go meanwhile) and
    // is due to have been heard, has been.
    if (m_playback.sounding && m_playback.heardAt && *m_playback.heardAt <= Clock::now())
        heardLocked();
}

void PulseAudioBackend::heardLocked()
{
    dropTimersLocked();
    m_playback.sounding = false;
    if (m_stream && !m_idleTimer)
        m_idleTimer = m_connection->newTimer(kIdleUs, &PulseAudioBackend::onIdle, this);
    m_connection->wake();
}

void PulseAudioBackend::onStreamState(pa_stream *stream, void *self)
{
    auto *backend = static_cast<PulseAudioBackend *>(self);
    if (stream != backend->m_stream)
        return;
    backend->m_connection->answered();
    // A stream that fails (with its server) has nothing more to be heard.
    if (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream)))
        backend->m_playback.sounding = false;
    backend->m_connection->wake();
}

// Takes the operation a callback reports on off the clip; false if it is
// not the clip's any more.
static bool finished(pa_operation *&operation, pa_stream *stream, pa_stream *kept)
{
    if (stream != kept || !operation)
        return false;
    pa_operation_unref(operation);
    operation = nullptr;
    return true;
}

void PulseAudioBackend::onAnswered(pa_stream *stream, int, void *self)
{
    auto *backend = static_cast<PulseAudioBackend *>(self);
    if (finished(backend->m_playback.answer, stream, backend->m_stream))
        backend->m_connection->answered();
    backend->m_connection->wake();
}

void PulseAudioBackend::onDrained(pa_stream *stream, int, void *self)
{
    auto *backend = static_cast<PulseAudioBackend *>(self);
    if (!finished(backend->m_playback.pending, stream, backend->m_stream))
        return;
    backend->m_playback.pending = pa_stream_update_timing_info(stream, &PulseAudioBackend::onTimingUpdated, self);
    if (!backend->m_playback.pending)
        backend->heardAfterLocked(0);
}

void PulseAudioBackend::onTimingUpdated(pa_stream *stream, int success, void *self)
{
    auto *backend = static_cast<PulseAudioBackend *>(self);
    if (!finished(backend->m_playback.pending, stream, backend->m_stream))
        return;
    pa_usec_t latency = 0;
    int negative = 0;
    if (!success || pa_stream_get_latency(stream, &latency, &negative) < 0 || negative)
        latency = 0;
    backend->heardAfterLocked(std::min(latency, kMaxTailUs) + (backend->m_format.rate < kCardRates ? kResamplerDelayUs : 0));
}

void PulseAudioBackend::onHeard(pa_mainloop_api *, pa_time_event *, const struct timeval *, void *self)
{
    static_cast<PulseAudioBackend *>(self)->heardLocked();
}

void PulseAudioBackend::onIdle(pa_mainloop_api *, pa_time_event *, const struct timeval *, void *self)
{
    auto *backend = static_cast<PulseAudioBackend *>(self);
    backend->m_connection->freeTimer(backend->m_idleTimer);
    if (backend->m_playback.sounding || !backend->m_stream || pa_stream_get_state(backend->m_stream) != PA_STREAM_READY)
        return;
    if (pa_operation *cork = pa_stream_cork(backend->m_stream, 1, nullptr, nullptr))
        pa_operation_unref(cork);
}

void PulseAudioBackend::watchProgressLocked()
{
    if (!m_progressTimer && !m_progressAsked)
        m_progressTimer = m_connection->newTimer(kProgressCheckUs, &PulseAudioBackend::onProgressCheck, this);
}

void PulseAudioBackend::onProgressCheck(pa_mainloop_api *, pa_time_event *, const struct timeval *, void *self)
{
    auto *backend = static_cast<PulseAudioBackend *>(self);
    backend->m_connection->freeTimer(backend->m_progressTimer);
    if (backend->m_stream && pa_stream_get_state(backend->m_stream) == PA_STREAM_READY && !pa_stream_is_corked(backend->m_stream))
        backend->m_progressAsked = pa_stream_update_timing_info(backend->m_stream, &PulseAudioBackend::onProgress, self);
}

void PulseAudioBackend::onProgress(pa_stream *stream, int success, void *self)
{
    auto *backend = static_cast<PulseAudioBackend *>(self);
    if (!finished(backend->m_progressAsked, stream, backend->m_stream))
        return;
    const pa_timing_info *timing = success ? pa_stream_get_timing_info(stream) : nullptr;
    if (!timing || timing->write_index <= timing->read_index) {
        backend->m_readIndexSeen = -1; // nothing waits: nothing to watch until the next play
        return;
    }
    if (timing->read_index != backend->m_readIndexSeen) {
        backend->m_readIndexSeen = timing->read_index;
        backend->watchProgressLocked();
        return;
    }
    // Samples wait and the server has read none of them since it was last
    // asked: the stream is let go and a new one made, so that the next pop
    // is heard rather than every pop from now on lost.
    qCDebug(lcSound) << "the server read nothing of the pops' stream for" << kProgressCheckUs / 1000
                     << "ms: a new stream replaces it";
    const pa_sample_spec format = backend->m_format;
    backend->closeStreamLocked();
    backend->openStreamLocked(format);
    backend->m_connection->wake();
}
