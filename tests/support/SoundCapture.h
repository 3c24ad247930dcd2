#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

// Reads what the test sound server's sink plays (16-bit stereo at 44100 Hz)
// from its FIFO, and remembers when each frame arrived.
class SoundCapture
{
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kRate = 44100;

    explicit SoundCapture(const QString &fifoPath);
    ~SoundCapture();
    SoundCapture(const SoundCapture &) = delete;
    SoundCapture &operator=(const SoundCapture &) = delete;

    bool isOpen() const { return m_fd >= 0; }

    // Frames read so far; a play started now cannot sound before this one.
    qint64 frameCount() const;
    // Waits until at least `frames` frames have arrived.
    bool waitForFrames(qint64 frames, int timeoutMs) const;
    // Waits for `ms` of the sink's own time to pass, counted in frames.
    bool waitForSinkTime(int ms, int timeoutMs) const;

    // The left and right samples of frames [from, to).
    std::vector<qint16> samples(qint64 from, qint64 to) const;
    // The first frame at or after `from` with a sample louder than
    // `threshold`, or -1.
    qint64 firstSoundFrom(qint64 from, int threshold = 0) const;
    // Waits for such a frame to arrive; -1 if none came in time.
    qint64 waitForSound(qint64 from, int timeoutMs, int threshold = 0) const;
    // When the read that brought the frame returned.
    Clock::time_point arrivalOf(qint64 frame) const;
    // When the frame sounds: the sink writes each block as its first frame
    // is due, and its frames follow one another at the sink's rate.
    Clock::time_point heardAt(qint64 frame) const;

private:
    struct Read
    {
        qint64 firstFrame;
        Clock::time_point at;
    };

    void run();

    qint64 firstSoundLocked(qint64 from, int threshold) const;
    const Read *readOfLocked(qint64 frame) const;

    int m_fd = -1;
    std::atomic<bool> m_stopping {false};
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_arrived;
    std::vector<char> m_bytes;
    std::vector<Read> m_reads;
    std::thread m_thread;
};

// Samples of a frame as the sink plays them: stereo.
constexpr int kFrameSamples = 2;

// A wave image's samples as the sink plays them: 16-bit stereo at the
// clip's own rate (8-bit widened, mono on both sides).
std::vector<qint16> sinkSamples(const QByteArray &image);

inline qint64 frames(const std::vector<qint16> &samples)
{
    return qint64(samples.size()) / kFrameSamples;
}

// Where `heard` stops holding the first `count` frames of `clip` from frame
// `at` on, in ms into the clip; -1 where it holds them all, and the clip's
// length where they are not all there to compare.
double partedAtMs(const std::vector<qint16> &heard, qint64 at, const std::vector<qint16> &clip, qint64 count);

// Whether `heard` holds `clip` unchanged from frame `at` on.
inline bool holdsAt(const std::vector<qint16> &heard, qint64 at, const std::vector<qint16> &clip, qint64 count)
{
    return partedAtMs(heard, at, clip, count) < 0;
}

// Where and how `heard` stops holding the clip, for a failure's message;
// empty where it holds it all.
QString partingOf(const std::vector<qint16> &heard, qint64 at, const std::vector<qint16> &clip, qint64 count);

// The first and last frame of `samples` (16-bit stereo, as
// SoundCapture::samples() gives them) with a sample louder than
// `threshold`, or {-1, -1}.
std::pair<qint64, qint64> loudSpan(const std::vector<qint16> &samples, int threshold = 0);
