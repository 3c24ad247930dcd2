// Click-to-sound under Wine, the Windows side, driven by bench_wine_latency
// of the Linux build: plays the pop on each line read from standard input,
// so that every press comes the same way through Wine.
//   latency_probe floor       a raw WASAPI client, kept running (the floor)
//   latency_probe plinkety    the program's back end, asynchronously
// Prints "ready" once it takes presses.
#include "platform/Resources.h"
#include "sound/WasapiBackend.h"
#include "sound/WaveImage.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <audioclient.h>
#include <mmdeviceapi.h>
#include <wrl/client.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

// 7 ms, 8-bit stereo at 44100 Hz.
constexpr qint16 kPop = 103;

// Says it is ready, then calls `press` for each line of standard input.
void takePresses(const std::function<void()> &press)
{
    std::puts("ready");
    std::fflush(stdout);
    char line[64];
    while (std::fgets(line, sizeof line, stdin))
        press();
}

// The floor: a shared-mode, event-driven stream of 16-bit samples at the
// pop's rate, started once and kept running. Presses are read on another
// thread and handed over with an event, as the back end hands plays to its
// render thread; each writes the pop at once. Nothing else is written:
// Wine's driver keeps 25 ms queued ahead of a stream fed with silence, and
// a pop would wait behind it; an empty one it pads with less.
int runFloor(const QByteArray &pop)
{
    const auto wave = WaveImage::parse(pop);
    if (!wave || wave->bitsPerSample != 8)
        return 1;
    // Wine pads a stream that ran dry with zero bytes, which in 8-bit
    // samples are no silence; 16-bit ones, as the back end plays, are.
    std::vector<std::int16_t> samples;
    for (qsizetype i = 0; i < wave->dataSize; ++i)
        samples.push_back(std::int16_t((static_cast<unsigned char>(pop[wave->dataOffset + i]) - 128) * 256));
    const WORD channels = wave->channels;
    const WAVEFORMATEX format {WAVE_FORMAT_PCM, channels, wave->sampleRate, wave->sampleRate * channels * 2u,
                               WORD(channels * 2), 16, 0};
    const HANDLE wanted = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    const HANDLE pressed = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    ComPtr<IMMDeviceEnumerator> devices;
    ComPtr<IMMDevice> device;
    ComPtr<IAudioClient> client;
    ComPtr<IAudioRenderClient> render;
    REFERENCE_TIME period = 0;
    UINT32 bufferFrames = 0;
    HRESULT result = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(result))
        result = CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL, __uuidof(IMMDeviceEnumerator),
                                  reinterpret_cast<void **>(devices.GetAddressOf()));
    if (SUCCEEDED(result))
        result = devices->GetDefaultAudioEndpoint(eRender, eConsole, &device);
    if (SUCCEEDED(result))
        result = device->Activate(__uuidof(IAudioClient), CLSCTX_ALL, nullptr,
                                  reinterpret_cast<void **>(client.GetAddressOf()));
    if (SUCCEEDED(result))
        result = client->Initialize(AUDCLNT_SHAREMODE_SHARED,
                                    AUDCLNT_STREAMFLAGS_EVENTCALLBACK | AUDCLNT_STREAMFLAGS_AUTOCONVERTPCM
                                        | AUDCLNT_STREAMFLAGS_SRC_DEFAULT_QUALITY,
                                    0, 0, &format, nullptr);
    if (SUCCEEDED(result))
        result = client->SetEventHandle(wanted);
    if (SUCCEEDED(result))
        result = client->GetDevicePeriod(&period, nullptr);
    if (SUCCEEDED(result))
        result = client->GetBufferSize(&bufferFrames);
    if (SUCCEEDED(result))
        result = client->GetService(__uuidof(IAudioRenderClient), reinterpret_cast<void **>(render.GetAddressOf()));
    // Silence where `from` is null.
    const auto write = [&](UINT32 frames, const std::int16_t *from) {
        UINT32 queued = 0;
        BYTE *buffer = nullptr;
        if (FAILED(client->GetCurrentPadding(&queued)))
            return;
        frames = std::min(frames, bufferFrames - queued);
        if (frames == 0 || FAILED(render->GetBuffer(frames, &buffer)))
            return;
        if (from)
            std::memcpy(buffer, from, size_t(frames) * format.nBlockAlign);
        render->ReleaseBuffer(frames, from ? 0 : AUDCLNT_BUFFERFLAGS_SILENT);
    };
    const UINT32 periodFrames = UINT32(period * format.nSamplesPerSec / 10000000);
    const auto topUp = [&] {
        UINT32 queued = 0;
        if (SUCCEEDED(client->GetCurrentPadding(&queued)) && queued < periodFrames)
            write(periodFrames - queued, nullptr);
    };
    if (SUCCEEDED(result)) {
        topUp();
        result = client->Start();
    }
    if (FAILED(result))
        return 1;
    std::atomic<bool> ended {false};
    std::thread reader([&] {
        takePresses([&] { SetEvent(pressed); });
        ended = true;
        SetEvent(pressed);
    });
    while (!ended) {
        const HANDLE events[] = {pressed, wanted};
        if (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 && !ended)
            write(UINT32(samples.size() / channels), samples.data());
    }
    reader.join();
    client->Stop();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const QByteArrayView mode(argc == 2 ? argv[1] : "");
    const QByteArray pop = Resources::LoadResData(kPop);
    if (mode == "floor") {
        if (runFloor(pop) == 0)
            return 0;
        std::fputs("the floor client cannot play\n", stderr);
        return 1;
    }
    if (mode != "plinkety") {
        std::fputs("usage: latency_probe floor | plinkety\n", stderr);
        return 2;
    }
    WasapiBackend backend;
    // As the program does when it starts.
    backend.prepare(pop);
    takePresses([&] { backend.play(pop, AudioBackend::Mode::Asynchronous); });
    return 0;
}
