#include "WasapiBackend.h"

#include "WasapiRenderer.h"
#include "WaveImage.h"

#include <cstring>

namespace {

using namespace std::chrono_literals;

// How long the render thread may take to start a clip before a synchronous
// play stops waiting for it: a device that hangs.
constexpr auto kAnswerTimeout = 1000ms;

// The clip's samples, `times` over, as 16-bit ones; none where the image
// cannot be played.
std::optional<Pcm16> samplesOf(const QByteArray &image, int times)
{
    const auto wave = WaveImage::parse(image);
    if (!wave || wave->frames() == 0 || times <= 0)
        return std::nullopt;
    Pcm16 clip {{}, wave->sampleRate, wave->channels};
    const size_t count = size_t(wave->frames()) * wave->channels;
    const char *data = image.constData() + wave->dataOffset;
    clip.samples.resize(count * size_t(times));
    std::int16_t *out = clip.samples.data();
    if (wave->bitsPerSample == 16) {
        // Little-endian, as Windows is.
        std::memcpy(out, data, count * 2);
    } else {
        // 8-bit samples are unsigned, 128 being silence.
        for (size_t i = 0; i < count; ++i)
            out[i] = std::int16_t((static_cast<unsigned char>(data[i]) ^ 0x80) << 8);
    }
    for (int copy = 1; copy < times; ++copy)
        std::memcpy(out + copy * count, out, count * 2);
    return clip;
}

} // namespace

WasapiBackend::WasapiBackend(Conversion conversion)
    : m_shared(std::make_shared<Shared>())
{
    m_shared->wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!m_shared->wake)
        return;
    m_thread = std::thread([shared = m_shared, convertHere = conversion == Conversion::Here] {
        Renderer(shared, convertHere).run();
        std::lock_guard lock(shared->mutex);
        shared->finished = true;
        shared->changed.notify_all();
    });
}

WasapiBackend::~WasapiBackend()
{
    if (!m_thread.joinable())
        return;
    std::unique_lock lock(m_shared->mutex);
    m_shared->quitting = true;
    m_shared->wakeRenderer();
    // The program's end is not held up by a device that does not answer.
    const bool finished = m_shared->changed.wait_for(lock, kAnswerTimeout, [this] { return m_shared->finished; });
    lock.unlock();
    if (finished)
        m_thread.join();
    else
        m_thread.detach();
}

WasapiBackend::Shared::~Shared()
{
    if (wake)
        CloseHandle(HANDLE(wake));
}

void WasapiBackend::Shared::wakeRenderer()
{
    SetEvent(HANDLE(wake));
}

void WasapiBackend::play(const QByteArray &waveImage, Mode mode)
{
    start(waveImage, 1, mode == Mode::Synchronous);
}

void WasapiBackend::playInARow(const QByteArray &waveImage, int times, const std::function<void()> &meanwhile)
{
    // One run of samples, so that each copy follows the one before without a gap.
    if (times > 0)
        start(waveImage, times, true, meanwhile);
    else if (meanwhile)
        meanwhile();
}

void WasapiBackend::prepare(const QByteArray &waveImage)
{
    const auto wave = WaveImage::parse(waveImage);
    if (!wave)
        return;
    std::lock_guard lock(m_shared->mutex);
    m_shared->prepared = Pcm16 {{}, wave->sampleRate, wave->channels};
    m_shared->wakeRenderer();
}

void WasapiBackend::waitUntilSilent(int timeoutMs)
{
    std::unique_lock lock(m_shared->mutex);
    const auto deadline = std::min(Clock::now() + std::chrono::milliseconds(timeoutMs), m_shared->endsBy);
    waitHeardLocked(lock, m_shared->issued, deadline);
}

void WasapiBackend::start(const QByteArray &waveImage, int times, bool wait, const std::function<void()> &meanwhile)
{
    std::optional<Pcm16> clip = samplesOf(waveImage, times);
    const auto length = clip ? clip->length() : 0us;
    std::unique_lock lock(m_shared->mutex);
    // An image that cannot be played still stops what sounds.
    const std::uint64_t id = postLocked(clip ? std::move(*clip) : Pcm16 {}, length);
    const auto deadline = Clock::now() + length + kEndMargin;
    if (meanwhile) {
        lock.unlock();
        meanwhile();
        lock.lock();
    }
    if (clip && wait && waitStartedLocked(lock, id, deadline))
        waitHeardLocked(lock, id, deadline);
}

std::uint64_t WasapiBackend::postLocked(Pcm16 clip, Clock::duration length)
{
    if (!m_thread.joinable())
        return 0;
    // A later request replaces one not yet taken: only the last play sounds.
    const std::uint64_t id = ++m_shared->issued;
    m_shared->endsBy = Clock::now() + length + kEndMargin;
    m_shared->request = Request {std::move(clip), id};
    m_shared->wakeRenderer();
    return id;
}

bool WasapiBackend::waitStartedLocked(std::unique_lock<std::mutex> &lock, std::uint64_t id, Clock::time_point deadline)
{
    // A render thread held up by a device that does not answer is waited
    // for once, until it answers again.
    if (m_shared->unanswered)
        return false;
    const auto answerBy = std::min(deadline, Clock::now() + kAnswerTimeout);
    if (m_shared->changed.wait_until(lock, answerBy, [&] { return m_shared->started >= id; }))
        return true;
    m_shared->unanswered = true;
    return false;
}

void WasapiBackend::waitHeardLocked(std::unique_lock<std::mutex> &lock, std::uint64_t id, Clock::time_point deadline)
{
    while (m_shared->settled < id && Clock::now() < deadline) {
        // The render thread learns when the end will be heard; the wait
        // for that moment is ours.
        const bool endKnown = m_shared->heardId == id;
        if (endKnown && Clock::now() >= m_shared->heardAt)
            return;
        m_shared->changed.wait_until(lock, endKnown ? std::min(m_shared->heardAt, deadline) : deadline);
    }
}
