// Plays the program's own clips through the Windows sound back end, for the
// tests that listen to it under Wine. One command a run:
//   wasapi_probe [--convert-here] whole ID        ID, synchronously
//   wasapi_probe [--convert-here] sync-then A B   A synchronously, then B
//   wasapi_probe cut A MS B                       A, and MS ms later B
//   wasapi_probe pops ID COUNT MS                 ID COUNT times, MS ms apart
//   wasapi_probe greeting                         103 three times in a row
// Asynchronous plays but the first of sync-then; every command ends waiting
// until silent. "--convert-here" converts to the device's mix format in the
// back end, as where Windows will not. Each play prints "play ID" as it is
// called and "returned" when it returns, at once, so that a test reading
// the output can time them; also the milliseconds since the start.
#include "platform/Resources.h"
#include "sound/WasapiBackend.h"

#include <QByteArrayView>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using Mode = AudioBackend::Mode;
const Clock::time_point started = Clock::now();

void say(const char *what, int id = 0)
{
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
    if (id)
        std::printf("%.1f %s %d\n", ms, what, id);
    else
        std::printf("%.1f %s\n", ms, what);
    std::fflush(stdout);
}

void play(AudioBackend &backend, int id, Mode mode)
{
    const QByteArray clip = Resources::LoadResData(qint16(id));
    say("play", id);
    backend.play(clip, mode);
    say("returned");
}

int usage()
{
    std::fputs("usage: wasapi_probe [--convert-here] whole ID | sync-then A B | cut A MS B | pops ID COUNT MS | greeting\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    int first = 1;
    auto conversion = WasapiBackend::Conversion::ByWindows;
    if (argc > 1 && QByteArrayView(argv[1]) == "--convert-here") {
        conversion = WasapiBackend::Conversion::Here;
        ++first;
    }
    if (argc <= first)
        return usage();
    const QByteArrayView command(argv[first]);
    const int arguments = argc - first - 1;
    const auto number = [&](int i) { return std::atoi(argv[first + 1 + i]); };

    WasapiBackend backend(conversion);
    if (command == "whole" && arguments == 1) {
        play(backend, number(0), Mode::Synchronous);
    } else if (command == "sync-then" && arguments == 2) {
        play(backend, number(0), Mode::Synchronous);
        play(backend, number(1), Mode::Asynchronous);
    } else if (command == "cut" && arguments == 3) {
        // The device opened first, so that what is cut has really sounded
        // however long Wine takes to open it on a busy machine.
        backend.prepare(Resources::LoadResData(qint16(number(0))));
        std::this_thread::sleep_for(std::chrono::seconds(1));
        play(backend, number(0), Mode::Asynchronous);
        std::this_thread::sleep_for(std::chrono::milliseconds(number(1)));
        play(backend, number(2), Mode::Asynchronous);
    } else if (command == "pops" && arguments == 3) {
        for (int i = 0; i < number(1); ++i) {
            if (i > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(number(2)));
            play(backend, number(0), Mode::Asynchronous);
        }
    } else if (command == "greeting" && arguments == 0) {
        const QByteArray pop = Resources::LoadResData(103);
        backend.prepare(pop);
        say("play", 103);
        // As the program does, with work of its own beside the pops.
        backend.playInARow(pop, 3, [] { std::this_thread::sleep_for(std::chrono::milliseconds(60)); });
        say("returned");
    } else {
        return usage();
    }
    backend.waitUntilSilent(10000);
    say("silent");
    return 0;
}
