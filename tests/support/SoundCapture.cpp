#include "SoundCapture.h"

#include "sound/WaveImage.h"

#include <QtEndian>

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

constexpr qint64 kFrameBytes = 4;

SoundCapture::Clock::duration framesToDuration(qint64 frames)
{
    return std::chrono::duration_cast<SoundCapture::Clock::duration>(
        std::chrono::nanoseconds(frames * 1000000000 / SoundCapture::kRate));
}

} // namespace

SoundCapture::SoundCapture(const QString &fifoPath)
{
    // The sink holds the FIFO open for writing, so opening it never blocks.
    m_fd = ::open(fifoPath.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd >= 0)
        m_thread = std::thread(&SoundCapture::run, this);
}

SoundCapture::~SoundCapture()
{
    m_stopping = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_fd >= 0)
        ::close(m_fd);
}

void SoundCapture::run()
{
    std::vector<char> chunk(1 << 16);
    while (!m_stopping) {
        pollfd poller {m_fd, POLLIN, 0};
        if (::poll(&poller, 1, 50) <= 0)
            continue;
        const ssize_t got = ::read(m_fd, chunk.data(), chunk.size());
        const auto at = Clock::now();
        if (got <= 0) {
            // The server has gone and closed its end; wait for the test to stop us.
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        std::lock_guard lock(m_mutex);
        m_reads.push_back({qint64(m_bytes.size()) / kFrameBytes, at});
        m_bytes.insert(m_bytes.end(), chunk.begin(), chunk.begin() + got);
        m_arrived.notify_all();
    }
}

qint64 SoundCapture::frameCount() const
{
    std::lock_guard lock(m_mutex);
    return qint64(m_bytes.size()) / kFrameBytes;
}

bool SoundCapture::waitForFrames(qint64 frames, int timeoutMs) const
{
    std::unique_lock lock(m_mutex);
    return m_arrived.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return qint64(m_bytes.size()) / kFrameBytes >= frames; });
}

bool SoundCapture::waitForSinkTime(int ms, int timeoutMs) const
{
    return waitForFrames(frameCount() + qint64(ms) * kRate / 1000, timeoutMs);
}

std::vector<qint16> SoundCapture::samples(qint64 from, qint64 to) const
{
    std::lock_guard lock(m_mutex);
    to = std::min(to, qint64(m_bytes.size()) / kFrameBytes);
    std::vector<qint16> result;
    for (qint64 at = from * kFrameBytes; at < to * kFrameBytes; at += 2)
        result.push_back(qFromLittleEndian<qint16>(m_bytes.data() + at));
    return result;
}

std::pair<qint64, qint64> loudSpan(const std::vector<qint16> &samples, int threshold)
{
    constexpr qint64 frameSamples = kFrameBytes / 2;
    qint64 first = -1, last = -1;
    for (qint64 i = 0; i < qint64(samples.size()); ++i) {
        if (std::abs(int(samples[size_t(i)])) > threshold) {
            if (first < 0)
                first = i / frameSamples;
            last = i / frameSamples;
        }
    }
    return {first, last};
}

qint64 SoundCapture::firstSoundLocked(qint64 from, int threshold) const
{
    for (qint64 at = std::max<qint64>(from, 0) * kFrameBytes; at + 1 < qint64(m_bytes.size()); at += 2) {
        if (std::abs(int(qFromLittleEndian<qint16>(m_bytes.data() + at))) > threshold)
            return at / kFrameBytes;
    }
    return -1;
}

qint64 SoundCapture::firstSoundFrom(qint64 from, int threshold) const
{
    std::lock_guard lock(m_mutex);
    return firstSoundLocked(from, threshold);
}

qint64 SoundCapture::waitForSound(qint64 from, int timeoutMs, int threshold) const
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::unique_lock lock(m_mutex);
    qint64 searched = from;
    while (true) {
        const qint64 found = firstSoundLocked(searched, threshold);
        if (found >= 0)
            return found;
        searched = std::max(searched, qint64(m_bytes.size()) / kFrameBytes);
        if (m_arrived.wait_until(lock, deadline) == std::cv_status::timeout)
            return firstSoundLocked(searched, threshold);
    }
}

const SoundCapture::Read *SoundCapture::readOfLocked(qint64 frame) const
{
    const auto read = std::upper_bound(m_reads.begin(), m_reads.end(), frame,
                                       [](qint64 f, const Read &r) { return f < r.firstFrame; });
    return read == m_reads.begin() ? nullptr : &*std::prev(read);
}

SoundCapture::Clock::time_point SoundCapture::arrivalOf(qint64 frame) const
{
    std::lock_guard lock(m_mutex);
    const Read *read = readOfLocked(frame);
    return read ? read->at : Clock::time_point {};
}

SoundCapture::Clock::time_point SoundCapture::heardAt(qint64 frame) const
{
    // The sink writes at its clock's pace, so the frame count is a clock.
    // Its start is estimated from the reads of the second around the frame;
    // the median ignores reads that came late or held more than one block.
    std::lock_guard lock(m_mutex);
    std::vector<Clock::time_point> starts;
    for (const Read &read : m_reads) {
        if (std::abs(read.firstFrame - frame) <= kRate)
            starts.push_back(read.at - framesToDuration(read.firstFrame));
    }
    if (starts.empty())
        return {};
    std::nth_element(starts.begin(), starts.begin() + starts.size() / 2, starts.end());
    return starts[starts.size() / 2] + framesToDuration(frame);
}

std::vector<qint16> sinkSamples(const QByteArray &image)
{
    const auto wave = WaveImage::parse(image);
    Q_ASSERT(wave);
    std::vector<qint16> samples;
    const char *data = image.constData() + wave->dataOffset;
    for (qsizetype frame = 0; frame < wave->frames(); ++frame) {
        for (int channel = 0; channel < kFrameSamples; ++channel) {
            const qsizetype at = frame * wave->blockAlign + (wave->channels == 2 ? channel : 0) * (wave->bitsPerSample / 8);
            samples.push_back(wave->bitsPerSample == 8 ? qint16((quint8(data[at]) - 128) * 256)
                                                       : qFromLittleEndian<qint16>(data + at));
        }
    }
    return samples;
}

double partedAtMs(const std::vector<qint16> &heard, qint64 at, const std::vector<qint16> &clip, qint64 count)
{
    const auto msOf = [](qint64 sampleCount) { return 1000.0 * double(sampleCount) / kFrameSamples / SoundCapture::kRate; };
    if (at < 0 || at + count > frames(heard))
        return msOf(qint64(clip.size()));
    const auto end = clip.begin() + count * kFrameSamples;
    const auto differs = std::mismatch(clip.begin(), end, heard.begin() + at * kFrameSamples).first;
    return differs == end ? -1.0 : msOf(differs - clip.begin());
}

QString partingOf(const std::vector<qint16> &heard, qint64 at, const std::vector<qint16> &clip, qint64 count)
{
    const double ms = partedAtMs(heard, at, clip, count);
    if (ms < 0)
        return {};
    return QStringLiteral("heard otherwise from %1 ms into the clip's %2 ms; %3 ms heard from its start")
        .arg(ms)
        .arg(1000.0 * double(count) / SoundCapture::kRate)
        .arg(1000.0 * double(frames(heard) - at) / SoundCapture::kRate);
}
