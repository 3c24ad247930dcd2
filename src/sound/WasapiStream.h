#pragma once

#include "MixFormat.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Windows' min and max macros would stand in for std::min and std::max.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <audioclient.h>
#include <mmdeviceapi.h>
#include <wrl/client.h>

// One shared-mode, event-driven output stream on the default output device,
// for clips of one rate and channel count. Windows converts their 16-bit
// samples to what the device mixes where it can; where it will not, they
// are converted here, to the device's mix format. Every call, and the
// stream's COM objects, stay on the thread that opened it (COM's
// multithreaded apartment). A failed call means the stream is of no more
// use: AUDCLNT_E_DEVICE_INVALIDATED, for one, when its device has gone.
class WasapiStream
{
public:
    struct ClipFormat
    {
        std::uint32_t rate = 0;
        std::uint16_t channels = 0;
        bool operator==(const ClipFormat &) const = default;
    };

    // A stopped stream on the default output device (ERole eConsole, the
    // role of short sounds), which sets `event` as it takes samples; or
    // nullptr and the reason, E_NOTFOUND where there is no device.
    // convertHere skips asking Windows to convert.
    static std::unique_ptr<WasapiStream> open(IMMDeviceEnumerator *devices, const ClipFormat &format, HANDLE event,
                                              bool convertHere, HRESULT *error);
    ~WasapiStream();
    WasapiStream(const WasapiStream &) = delete;
    WasapiStream &operator=(const WasapiStream &) = delete;

    const ClipFormat &clipFormat() const { return m_clipFormat; }
    const std::wstring &deviceId() const { return m_deviceId; }
    // The device's time from taking a sample to sounding it.
    std::chrono::microseconds latency() const { return m_latency; }

    // A clip of this stream's format as the stream takes it; its frames are
    // the ones the calls below count.
    std::vector<char> streamSamples(const Pcm16 &clip) const;
    int frameBytes() const { return m_frameBytes; }

    // Queues as many of `frames` frames as the buffer has room for.
    HRESULT write(const char *samples, std::int64_t frames, std::int64_t *written);
    // Frames queued and not yet taken by the device.
    HRESULT queued(std::int64_t *frames) const;
    // Frames the device has played since the stream was last stopped.
    HRESULT played(std::int64_t *frames) const;
    HRESULT start();
    // Stops the stream and drops what it still holds.
    HRESULT stop();
    bool isRunning() const { return m_running; }

private:
    explicit WasapiStream(const ClipFormat &format);
    HRESULT connect(IMMDeviceEnumerator *devices, HANDLE event, bool convertHere);
    HRESULT initialise(IMMDevice *device, const WAVEFORMATEX &format, DWORD flags);
    HRESULT initialiseInMixFormat(IMMDevice *device);

    ClipFormat m_clipFormat;
    std::optional<MixFormat> m_mixFormat; // set where the samples are converted here
    std::wstring m_deviceId;
    Microsoft::WRL::ComPtr<IAudioClient> m_client;
    Microsoft::WRL::ComPtr<IAudioRenderClient> m_render;
    Microsoft::WRL::ComPtr<IAudioClock> m_clock;
    UINT32 m_bufferFrames = 0;
    std::uint32_t m_rate = 0; // of the samples the stream takes
    int m_frameBytes = 0;
    UINT64 m_clockFrequency = 0;
    std::chrono::microseconds m_latency {0};
    bool m_running = false;
};
