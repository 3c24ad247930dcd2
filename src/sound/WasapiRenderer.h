#pragma once

#include "WasapiBackend.h"
#include "WasapiStream.h"

#include <memory>
#include <optional>
#include <vector>

class DeviceListener;

// The back end's render thread: it alone touches the device, through COM
// objects that live and die on it. It takes the latest request, keeps the
// stream fed, and reports when each clip has been heard.
class WasapiBackend::Renderer
{
public:
    Renderer(std::shared_ptr<Shared> shared, bool convertHere);
    ~Renderer();
    Renderer(const Renderer &) = delete;
    Renderer &operator=(const Renderer &) = delete;

    // Serves requests until the back end quits.
    void run();

private:
    // The clip now sounding, as the stream takes it.
    struct Playback
    {
        std::uint64_t id = 0; // 0: nothing sounds
        std::vector<char> samples;
        std::int64_t frames = 0;
        std::int64_t written = 0;
        std::int64_t endsAt = 0; // the stream's clock once its last frame has been played
        Clock::time_point giveUpAt {};
        std::int64_t lastPosition = -1;
        Clock::time_point movedAt {};
        std::optional<Clock::time_point> heardAt;
    };

    void play(const Request &request);
    HRESULT startPlayback(const Request &request);
    void prepare(const Pcm16 &format);
    void service();
    HRESULT feed();
    HRESULT checkHeard();
    void cutOff();
    void followDefaultDevice();
    HRESULT ensureStream(const WasapiStream::ClipFormat &format);
    DWORD timeoutMs() const;
    // Tells the waiting callers.
    void publish(std::uint64_t started, std::uint64_t settled);
    void publishHeard(std::uint64_t id, Clock::time_point at);

    const std::shared_ptr<Shared> m_shared;
    const bool m_convertHere;
    bool m_com = false;
    HANDLE m_audioEvent = nullptr;
    Microsoft::WRL::ComPtr<IMMDeviceEnumerator> m_devices;
    Microsoft::WRL::ComPtr<DeviceListener> m_listener;
    std::unique_ptr<WasapiStream> m_stream;
    std::optional<WasapiStream::ClipFormat> m_kept; // the format to keep a stream open in
    Playback m_playback;
    std::optional<Clock::time_point> m_idleAt;
};
