#include "WasapiStream.h"

#include <mmreg.h>

#include <algorithm>
#include <cstring>

namespace {

// The buffer we ask for, in 100 ns units. Only its start is played first, so
// its size adds no delay; it lets a pop go in whole and a long clip go in a
// tenth of a second at a time.
constexpr REFERENCE_TIME kBufferDuration = 1000000;
// Windows converts our 16-bit samples to the device's format and rate.
constexpr DWORD kWindowsConverts = AUDCLNT_STREAMFLAGS_AUTOCONVERTPCM | AUDCLNT_STREAMFLAGS_SRC_DEFAULT_QUALITY;

WAVEFORMATEX pcm16(const WasapiStream::ClipFormat &format)
{
    WAVEFORMATEX wave {};
    wave.wFormatTag = WAVE_FORMAT_PCM;
    wave.nChannels = format.channels;
    wave.nSamplesPerSec = format.rate;
    wave.wBitsPerSample = 16;
    wave.nBlockAlign = WORD(format.channels * 2);
    wave.nAvgBytesPerSec = format.rate * wave.nBlockAlign;
    return wave;
}

// The mix format as far as we can convert to it; an empty one where we cannot.
MixFormat mixFormatOf(const WAVEFORMATEX &wave)
{
    WORD tag = wave.wFormatTag;
    WORD validBits = wave.wBitsPerSample;
    if (tag == WAVE_FORMAT_EXTENSIBLE && wave.cbSize >= sizeof(WAVEFORMATEXTENSIBLE) - sizeof(WAVEFORMATEX)) {
        const auto &extensible = reinterpret_cast<const WAVEFORMATEXTENSIBLE &>(wave);
        // The sub-formats of plain wave formats are their tags in a fixed GUID.
        tag = WORD(extensible.SubFormat.Data1);
        validBits = extensible.Samples.wValidBitsPerSample ? extensible.Samples.wValidBitsPerSample : validBits;
    }
    if ((tag != WAVE_FORMAT_PCM && tag != WAVE_FORMAT_IEEE_FLOAT) || wave.nChannels == 0
        || wave.nBlockAlign != wave.nChannels * wave.wBitsPerSample / 8)
        return {};
    return MixFormat {std::uint32_t(wave.nSamplesPerSec), wave.nChannels, wave.wBitsPerSample, validBits,
                      tag == WAVE_FORMAT_IEEE_FLOAT};
}

} // namespace

WasapiStream::WasapiStream(const ClipFormat &format)
    : m_clipFormat(format)
{
}

WasapiStream::~WasapiStream()
{
    if (m_client && m_running)
        m_client->Stop();
}

std::unique_ptr<WasapiStream> WasapiStream::open(IMMDeviceEnumerator *devices, const ClipFormat &format, HANDLE event,
                                                 bool convertHere, HRESULT *error)
{
    std::unique_ptr<WasapiStream> stream(new WasapiStream(format));
    *error = stream->connect(devices, event, convertHere);
    if (FAILED(*error))
        stream.reset();
    return stream;
}

HRESULT WasapiStream::connect(IMMDeviceEnumerator *devices, HANDLE event, bool convertHere)
{
    Microsoft::WRL::ComPtr<IMMDevice> device;
    HRESULT result = devices->GetDefaultAudioEndpoint(eRender, eConsole, &device);
    if (FAILED(result))
        return result;
    LPWSTR id = nullptr;
    if (SUCCEEDED(device->GetId(&id))) {
        m_deviceId = id;
        CoTaskMemFree(id);
    }
    const WAVEFORMATEX clipWave = pcm16(m_clipFormat);
    result = convertHere ? AUDCLNT_E_UNSUPPORTED_FORMAT : initialise(device.Get(), clipWave, kWindowsConverts);
    m_rate = m_clipFormat.rate;
    m_frameBytes = clipWave.nBlockAlign;
    // Older Windows know no conversion flags, and a driver may refuse.
    if (FAILED(result) && result != AUDCLNT_E_DEVICE_INVALIDATED)
        result = initialiseInMixFormat(device.Get());
    if (SUCCEEDED(result))
        result = m_client->SetEventHandle(event);
    if (SUCCEEDED(result))
        result = m_client->GetBufferSize(&m_bufferFrames);
    if (SUCCEEDED(result))
        result = m_client->GetService(__uuidof(IAudioRenderClient), reinterpret_cast<void **>(m_render.GetAddressOf()));
    if (SUCCEEDED(result))
        result = m_client->GetService(__uuidof(IAudioClock), reinterpret_cast<void **>(m_clock.GetAddressOf()));
    if (SUCCEEDED(result))
        result = m_clock->GetFrequency(&m_clockFrequency);
    REFERENCE_TIME latency = 0;
    if (SUCCEEDED(result) && SUCCEEDED(m_client->GetStreamLatency(&latency)))
        m_latency = std::chrono::microseconds(std::clamp<REFERENCE_TIME>(latency, 0, 2000000) / 10);
    return SUCCEEDED(result) && m_clockFrequency == 0 ? E_UNEXPECTED : result;
}

HRESULT WasapiStream::initialise(IMMDevice *device, const WAVEFORMATEX &format, DWORD flags)
{
    // A client whose initialisation failed cannot be tried again.
    m_client.Reset();
    const HRESULT result = device->Activate(__uuidof(IAudioClient), CLSCTX_ALL, nullptr,
                                            reinterpret_cast<void **>(m_client.GetAddressOf()));
    if (FAILED(result))
        return result;
    return m_client->Initialize(AUDCLNT_SHAREMODE_SHARED, AUDCLNT_STREAMFLAGS_EVENTCALLBACK | flags, kBufferDuration, 0,
                                &format, nullptr);
}

HRESULT WasapiStream::initialiseInMixFormat(IMMDevice *device)
{
    m_client.Reset();
    HRESULT result = device->Activate(__uuidof(IAudioClient), CLSCTX_ALL, nullptr,
                                      reinterpret_cast<void **>(m_client.GetAddressOf()));
    WAVEFORMATEX *mix = nullptr;
    if (SUCCEEDED(result))
        result = m_client->GetMixFormat(&mix);
    if (FAILED(result))
        return result;
    const MixFormat format = mixFormatOf(*mix);
    if (format.isSupported())
        result = initialise(device, *mix, 0);
    else
        result = AUDCLNT_E_UNSUPPORTED_FORMAT;
    CoTaskMemFree(mix);
    if (SUCCEEDED(result)) {
        m_mixFormat = format;
        m_rate = format.rate;
        m_frameBytes = format.frameBytes();
    }
    return result;
}

std::vector<char> WasapiStream::streamSamples(const Pcm16 &clip) const
{
    if (m_mixFormat)
        return toMixFormat(clip, *m_mixFormat);
    const auto *bytes = reinterpret_cast<const char *>(clip.samples.data());
    return std::vector<char>(bytes, bytes + clip.samples.size() * sizeof(std::int16_t));
}

HRESULT WasapiStream::write(const char *samples, std::int64_t frames, std::int64_t *written)
{
    *written = 0;
    UINT32 padding = 0;
    HRESULT result = m_client->GetCurrentPadding(&padding);
    if (FAILED(result))
        return result;
    const UINT32 count = UINT32(std::min<std::int64_t>(frames, m_bufferFrames - std::min(padding, m_bufferFrames)));
    if (count == 0)
        return S_OK;
    BYTE *buffer = nullptr;
    result = m_render->GetBuffer(count, &buffer);
    if (FAILED(result))
        return result;
    std::memcpy(buffer, samples, size_t(count) * m_frameBytes);
    result = m_render->ReleaseBuffer(count, 0);
    if (SUCCEEDED(result))
        *written = count;
    return result;
}

HRESULT WasapiStream::queued(std::int64_t *frames) const
{
    UINT32 padding = 0;
    const HRESULT result = m_client->GetCurrentPadding(&padding);
    *frames = padding;
    return result;
}

HRESULT WasapiStream::played(std::int64_t *frames) const
{
    UINT64 position = 0;
    const HRESULT result = m_clock->GetPosition(&position, nullptr);
    // In units of the clock's frequency: bytes, or 100 ns, or frames.
    *frames = std::int64_t(position / m_clockFrequency * m_rate + position % m_clockFrequency * m_rate / m_clockFrequency);
    return result;
}

HRESULT WasapiStream::start()
{
    const HRESULT result = m_client->Start();
    m_running = SUCCEEDED(result);
    return result;
}

HRESULT WasapiStream::stop()
{
    HRESULT result = m_client->Stop();
    m_running = false;
    if (SUCCEEDED(result))
        result = m_client->Reset();
    return result;
}
