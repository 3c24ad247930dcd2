#include "FloorClient.h"

#include <pulse/pulseaudio.h>

#include <vector>

namespace {

bool waitFor(pa_threaded_mainloop *loop, const auto &done)
{
    for (int i = 0; i < 200 && !done(); ++i) {
        pa_threaded_mainloop_unlock(loop);
        pa_msleep(10);
        pa_threaded_mainloop_lock(loop);
    }
    return done();
}

} // namespace

FloorClient::FloorClient()
    : m_loop(pa_threaded_mainloop_new())
{
    pa_threaded_mainloop_start(m_loop);
    pa_threaded_mainloop_lock(m_loop);
    m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), "Floor");
    pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr);
    if (waitFor(m_loop, [this] { return pa_context_get_state(m_context) == PA_CONTEXT_READY; })) {
        const pa_sample_spec format {PA_SAMPLE_U8, 44100, 2};
        pa_buffer_attr attr {};
        attr.maxlength = attr.prebuf = attr.minreq = attr.fragsize = quint32(-1);
        attr.tlength = quint32(pa_usec_to_bytes(2000, &format));
        m_stream = pa_stream_new(m_context, "Floor", &format, nullptr);
        pa_stream_set_write_callback(m_stream, &FloorClient::onWritable, this);
        pa_stream_connect_playback(m_stream, nullptr, &attr, PA_STREAM_ADJUST_LATENCY, nullptr, nullptr);
        m_running = waitFor(m_loop, [this] { return pa_stream_get_state(m_stream) == PA_STREAM_READY; });
    }
    pa_threaded_mainloop_unlock(m_loop);
}

FloorClient::~FloorClient()
{
    pa_threaded_mainloop_lock(m_loop);
    if (m_stream) {
        pa_stream_disconnect(m_stream);
        pa_stream_unref(m_stream);
    }
    pa_context_disconnect(m_context);
    pa_context_unref(m_context);
    pa_threaded_mainloop_unlock(m_loop);
    pa_threaded_mainloop_stop(m_loop);
    pa_threaded_mainloop_free(m_loop);
}

void FloorClient::press(const QByteArray &samples)
{
    pa_threaded_mainloop_lock(m_loop);
    pa_stream_write(m_stream, samples.constData(), size_t(samples.size()), nullptr, 0, PA_SEEK_RELATIVE);
    pa_threaded_mainloop_unlock(m_loop);
}

void FloorClient::onWritable(pa_stream *stream, size_t bytes, void *)
{
    const std::vector<char> silence(bytes, char(0x80));
    pa_stream_write(stream, silence.data(), bytes, nullptr, 0, PA_SEEK_RELATIVE);
}
