#pragma once

#include <pulse/mainloop-api.h>
#include <pulse/sample.h>

#include <chrono>
#include <functional>

struct pa_context;
struct pa_operation;
struct pa_proplist;
struct pa_server_info;
struct pa_stream;
struct pa_threaded_mainloop;

// libpulse's threaded main loop and one connection to the sound server on
// it, which mends itself: when the server goes away (a desktop restarting
// it, or a crash), a new connection is made at once and waits for the
// server to come back, so the first clip after that is heard. Nobody ever
// waits for a server that is not there.
//
// The constructor, the destructor and start() take the loop's lock
// themselves, and hasLoop() needs none; every other member runs with it
// held (LoopLock), on the caller's thread or in a libpulse callback.
class PulseConnection
{
public:
    using Clock = std::chrono::steady_clock;

    // onReady runs on the loop's thread whenever a connection becomes ready;
    // onLost whenever a ready one fails, every stream on it having failed
    // with it. Nothing is connected before start().
    PulseConnection(std::function<void()> onReady, std::function<void()> onLost);
    ~PulseConnection();
    PulseConnection(const PulseConnection &) = delete;
    PulseConnection &operator=(const PulseConnection &) = delete;

    // Starts connecting, on the loop's thread, while the caller goes on.
    void start();

    bool hasLoop() const { return m_loop; }

    // Whether the connection is ready. A handshake under way is waited for,
    // for as long as the server answers within a second; a server that does
    // not is waited for only once, until it answers again.
    bool ready();
    // Whether it is ready at this moment, without waiting.
    bool isReady() const;

    // A new stream on the connection, not yet connected; none without one.
    pa_stream *newStream(const char *name, const pa_sample_spec &format, pa_proplist *properties);
    // A timer of the loop's that fires once, delayUs from now; none without
    // a connection.
    pa_time_event *newTimer(pa_usec_t delayUs, pa_time_event_cb_t callback, void *userdata);
    // Lets a timer go, whether it has fired or not, and forgets it.
    void freeTimer(pa_time_event *&timer);

    // Waits until done() or the deadline, whichever comes first; false at
    // the deadline.
    bool waitUntil(Clock::time_point deadline, const std::function<bool()> &done);
    // Waits for something the server is to answer: until done(), or the
    // deadline, but no longer than a second. Where it does not come the
    // server is taken as not answering, and false returned.
    bool waitForAnswer(const std::function<bool()> &done, Clock::time_point deadline = Clock::time_point::max());
    // Sleeps until then with the loop unlocked: to the microsecond, where the
    // loop's own timers keep whole milliseconds.
    void sleepUntil(Clock::time_point when);
    // The server has answered something: it is alive.
    void answered() { m_unanswered = false; }

    // Wakes whoever waits in waitUntil().
    void wake();

private:
    friend class LoopLock;

    // How long a server may take to answer before we treat it as gone.
    static constexpr std::chrono::milliseconds serverTimeout {1000};

    pa_mainloop_api *api() const;
    void connect();
    void drop();
    void retryAfter(std::chrono::milliseconds delay);
    // The server has not answered within the time it may take. Nothing waits
    // for it again until it answers.
    void unanswered();

    static void onState(pa_context *context, void *self);
    static void onProbeAnswered(pa_context *context, const pa_server_info *info, void *self);
    static void onRetry(pa_mainloop_api *, pa_time_event *, const struct timeval *, void *self);

    pa_threaded_mainloop *m_loop = nullptr;
    pa_context *m_context = nullptr;
    Clock::time_point m_connectedAt {};
    bool m_wasReady = false;
    pa_time_event *m_retry = nullptr;
    pa_operation *m_probe = nullptr; // asks a server that stopped answering whether it is back
    bool m_unanswered = false;
    std::function<void()> m_onReady;
    std::function<void()> m_onLost;
};

// Holds the main loop's lock for a scope.
class LoopLock
{
public:
    explicit LoopLock(const PulseConnection &connection);
    ~LoopLock();
    LoopLock(const LoopLock &) = delete;
    LoopLock &operator=(const LoopLock &) = delete;

private:
    pa_threaded_mainloop *m_loop;
};
