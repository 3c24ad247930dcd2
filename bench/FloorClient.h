#pragma once

#include <QByteArray>

struct pa_context;
struct pa_stream;
struct pa_threaded_mainloop;

// The floor for click-to-sound on a server and sink: a client that keeps
// one stream running, fed with silence at a 2 ms target length, and writes
// a clip's samples into it on a press. 8-bit stereo at 44100 Hz, the pops'
// format.
class FloorClient
{
public:
    FloorClient();
    ~FloorClient();
    FloorClient(const FloorClient &) = delete;
    FloorClient &operator=(const FloorClient &) = delete;

    bool isRunning() const { return m_running; }
    // Writes the samples of a wave image's data chunk behind the silence
    // already queued.
    void press(const QByteArray &samples);

private:
    static void onWritable(pa_stream *stream, size_t bytes, void *self);

    pa_threaded_mainloop *m_loop = nullptr;
    pa_context *m_context = nullptr;
    pa_stream *m_stream = nullptr;
    bool m_running = false;
};
