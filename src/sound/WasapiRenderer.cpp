#include "WasapiRenderer.h"

#include <atomic>

using Microsoft::WRL::ComPtr;

namespace {

using namespace std::chrono_literals;

// Silence after which the stream is stopped, so that the device can go idle.
constexpr auto kIdleAfter = 1000ms;
// While a clip sounds its stream is looked at this often, whether the
// device's event comes or not.
constexpr auto kPoll = 10ms;
// A clock that has stood still this long with nothing queued has played all
// it will.
constexpr auto kClockStalled = 20ms;

} // namespace

// Notes that the default output device may have changed (a device came,
// went, was switched on or off, or made the default), and wakes the render
// thread. Windows calls it on threads of its own.
class DeviceListener final : public IMMNotificationClient
{
public:
    explicit DeviceListener(HANDLE wake)
        : m_wake(wake)
    {
    }

    bool takeChange() { return m_changed.exchange(false); }

    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override
    {
        if (iid != __uuidof(IUnknown) && iid != __uuidof(IMMNotificationClient)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IMMNotificationClient *>(this);
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnDefaultDeviceChanged(EDataFlow flow, ERole role, LPCWSTR) override
    {
        if (flow == eRender && role == eConsole)
            changed();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnDeviceAdded(LPCWSTR) override { return changed(); }
    HRESULT STDMETHODCALLTYPE OnDeviceRemoved(LPCWSTR) override { return changed(); }
    HRESULT STDMETHODCALLTYPE OnDeviceStateChanged(LPCWSTR, DWORD) override { return changed(); }
    HRESULT STDMETHODCALLTYPE OnPropertyValueChanged(LPCWSTR, const PROPERTYKEY) override { return S_OK; }

private:
    HRESULT changed()
    {
        m_changed = true;
        SetEvent(m_wake);
        return S_OK;
    }

    std::atomic<ULONG> m_references {1};
    std::atomic<bool> m_changed {false};
    HANDLE m_wake;
};

WasapiBackend::Renderer::Renderer(std::shared_ptr<Shared> shared, bool convertHere)
    : m_shared(std::move(shared))
    , m_convertHere(convertHere)
{
    m_com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    m_audioEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!m_com || !m_audioEvent
        || FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL, __uuidof(IMMDeviceEnumerator),
                                   reinterpret_cast<void **>(m_devices.GetAddressOf()))))
        return;
    m_listener.Attach(new DeviceListener(HANDLE(m_shared->wake)));
    if (FAILED(m_devices->RegisterEndpointNotificationCallback(m_listener.Get())))
        m_listener.Reset();
}

WasapiBackend::Renderer::~Renderer()
{
    m_stream.reset();
    if (m_listener)
        m_devices->UnregisterEndpointNotificationCallback(m_listener.Get());
    m_listener.Reset();
    m_devices.Reset();
    if (m_audioEvent)
        CloseHandle(m_audioEvent);
    if (m_com)
        CoUninitialize();
}

void WasapiBackend::Renderer::run()
{
    while (true) {
        const HANDLE events[] = {HANDLE(m_shared->wake), m_audioEvent};
        WaitForMultipleObjects(m_audioEvent ? 2 : 1, events, FALSE, timeoutMs());
        std::optional<Request> request;
        std::optional<Pcm16> prepared;
        {
            std::lock_guard lock(m_shared->mutex);
            if (m_shared->quitting)
                return;
            request.swap(m_shared->request);
            prepared.swap(m_shared->prepared);
        }
        if (m_listener && m_listener->takeChange())
            followDefaultDevice();
        if (prepared)
            prepare(*prepared);
        if (request)
            play(*request);
        service();
    }
}

void WasapiBackend::Renderer::play(const Request &request)
{
    cutOff();
    if (request.clip.frames() > 0 && startPlayback(request) == AUDCLNT_E_DEVICE_INVALIDATED)
        startPlayback(request); // once more, on the device that is now the default
    publish(request.id, m_playback.id == request.id ? 0 : request.id);
}

HRESULT WasapiBackend::Renderer::startPlayback(const Request &request)
{
    const WasapiStream::ClipFormat format {request.clip.rate, request.clip.channels};
    m_kept = format;
    HRESULT result = ensureStream(format);
    Playback playback;
    playback.id = request.id;
    std::int64_t queued = 0;
    if (SUCCEEDED(result)) {
        playback.samples = m_stream->streamSamples(request.clip);
        playback.frames = std::int64_t(playback.samples.size()) / m_stream->frameBytes();
        result = playback.frames > 0 ? m_stream->played(&playback.endsAt) : E_FAIL;
    }
    if (SUCCEEDED(result))
        result = m_stream->queued(&queued);
    if (SUCCEEDED(result)) {
        // Counted from where the clock stands: it may or may not run on
        // through silence.
        playback.endsAt += queued + playback.frames;
        playback.giveUpAt = Clock::now() + request.clip.length() + kEndMargin;
        m_playback = std::move(playback);
        // As much as the buffer takes goes in before the stream starts.
        result = feed();
    }
    if (SUCCEEDED(result) && !m_stream->isRunning())
        result = m_stream->start();
    if (FAILED(result)) {
        m_playback = {};
        m_stream.reset();
    }
    m_idleAt.reset();
    return result;
}

void WasapiBackend::Renderer::prepare(const Pcm16 &format)
{
    m_kept = WasapiStream::ClipFormat {format.rate, format.channels};
    if (!m_stream)
        ensureStream(*m_kept);
}

void WasapiBackend::Renderer::service()
{
    if (!m_playback.id) {
        if (m_idleAt && Clock::now() >= *m_idleAt) {
            m_idleAt.reset();
            if (m_stream && m_stream->isRunning() && FAILED(m_stream->stop()))
                m_stream.reset();
        }
        return;
    }
    HRESULT result = feed();
    if (SUCCEEDED(result))
        result = checkHeard();
    const bool heard = m_playback.heardAt && Clock::now() >= *m_playback.heardAt;
    if (SUCCEEDED(result) && !heard && Clock::now() < m_playback.giveUpAt)
        return;
    publish(0, m_playback.id);
    m_playback = {};
    m_idleAt = Clock::now() + kIdleAfter;
    // A device that fails, or stopped playing, is opened afresh next time.
    if (!heard)
        m_stream.reset();
}

HRESULT WasapiBackend::Renderer::feed()
{
    if (m_playback.written == m_playback.frames)
        return S_OK;
    std::int64_t written = 0;
    const HRESULT result = m_stream->write(m_playback.samples.data() + m_playback.written * m_stream->frameBytes(),
                                           m_playback.frames - m_playback.written, &written);
    m_playback.written += written;
    return result;
}

HRESULT WasapiBackend::Renderer::checkHeard()
{
    if (m_playback.heardAt || m_playback.written < m_playback.frames)
        return S_OK;
    std::int64_t queued = 0;
    std::int64_t position = 0;
    HRESULT result = m_stream->queued(&queued);
    if (SUCCEEDED(result))
        result = m_stream->played(&position);
    if (FAILED(result) || queued > 0)
        return result;
    const auto now = Clock::now();
    if (position != m_playback.lastPosition) {
        m_playback.lastPosition = position;
        m_playback.movedAt = now;
    }
    // The device has taken the last frame. Its clock may count what it has
    // handed on rather than played (Wine's counts what the sound server was
    // given), so the last frame is heard one stream latency later.
    if (position >= m_playback.endsAt || now - m_playback.movedAt >= kClockStalled) {
        m_playback.heardAt = now + m_stream->latency();
        publishHeard(m_playback.id, *m_playback.heardAt);
    }
    return S_OK;
}

void WasapiBackend::Renderer::cutOff()
{
    if (!m_playback.id)
        return;
    // A clip the device has taken whole is left to end: stopping would only
    // cost the next one its start.
    if (m_stream && !m_playback.heardAt && FAILED(m_stream->stop()))
        m_stream.reset();
    publish(0, m_playback.id);
    m_playback = {};
}

void WasapiBackend::Renderer::followDefaultDevice()
{
    std::wstring id;
    ComPtr<IMMDevice> device;
    LPWSTR raw = nullptr;
    if (SUCCEEDED(m_devices->GetDefaultAudioEndpoint(eRender, eConsole, &device)) && SUCCEEDED(device->GetId(&raw))) {
        id = raw;
        CoTaskMemFree(raw);
    }
    std::int64_t queued = 0;
    if (m_stream && m_stream->deviceId() == id && SUCCEEDED(m_stream->queued(&queued)))
        return;
    // What sounds goes with the device it sounds on.
    if (m_playback.id)
        publish(0, m_playback.id);
    m_playback = {};
    m_stream.reset();
    // The next pop need not wait for the new device.
    if (m_kept && !id.empty())
        ensureStream(*m_kept);
}

HRESULT WasapiBackend::Renderer::ensureStream(const WasapiStream::ClipFormat &format)
{
    if (m_stream && m_stream->clipFormat() == format)
        return S_OK;
    m_stream.reset();
    if (!m_devices)
        return E_FAIL;
    HRESULT result = S_OK;
    m_stream = WasapiStream::open(m_devices.Get(), format, m_audioEvent, m_convertHere, &result);
    return result;
}

DWORD WasapiBackend::Renderer::timeoutMs() const
{
    const auto now = Clock::now();
    std::optional<Clock::time_point> next;
    if (m_playback.id)
        next = m_playback.heardAt ? *m_playback.heardAt : std::min(m_playback.giveUpAt, now + kPoll);
    else if (m_idleAt)
        next = *m_idleAt;
    if (!next)
        return INFINITE;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(*next - now).count();
    return DWORD(std::max<std::int64_t>(left, 0));
}

void WasapiBackend::Renderer::publish(std::uint64_t started, std::uint64_t settled)
{
    std::lock_guard lock(m_shared->mutex);
    m_shared->started = std::max({m_shared->started, started, settled});
    m_shared->settled = std::max(m_shared->settled, settled);
    m_shared->unanswered = false;
    m_shared->changed.notify_all();
}

void WasapiBackend::Renderer::publishHeard(std::uint64_t id, Clock::time_point at)
{
    std::lock_guard lock(m_shared->mutex);
    m_shared->heardId = id;
    m_shared->heardAt = at;
    m_shared->changed.notify_all();
}
