#include "PulseConnection.h"

#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/operation.h>
#include <pulse/proplist.h>
#include <pulse/rtclock.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>
#include <pulse/timeval.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// A connection made this recently may still be finding its server; a play
// waits that long for it, so that the greeting is not lost at start-up.
constexpr auto kJustMade = 10ms;
// Where no connection waits for the server by itself, a new one is tried
// this often; a refused one costs a fraction of a millisecond.
constexpr auto kRetryDelay = 250ms;
// A connection that waits for the server's announcement on the session bus
// is made anew this often, in case the announcement came before the server
// accepted clients.
constexpr auto kAnnouncementWait = 2000ms;

bool isGood(pa_context_state_t state)
{
    return PA_CONTEXT_IS_GOOD(state);
}

// libpulse waits for a server to appear by watching for its name on the
// session bus; without a session bus it fails at once instead, or might
// even start one.
bool sessionBusReachable()
{
    if (const char *address = std::getenv("DBUS_SESSION_BUS_ADDRESS"); address && *address)
        return true;
    const char *runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime && *runtime && ::access((std::string(runtime) + "/bus").c_str(), F_OK) == 0;
}

struct timeval after(std::chrono::microseconds delay)
{
    struct timeval when {};
    pa_gettimeofday(&when);
    pa_timeval_add(&when, pa_usec_t(std::max<std::int64_t>(delay.count(), 0)));
    return when;
}

void wakeWaiter(pa_mainloop_api *, pa_time_event *, const struct timeval *, void *loop)
{
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop *>(loop), 0);
}

} // namespace

LoopLock::LoopLock(const PulseConnection &connection)
    : m_loop(connection.m_loop)
{
    pa_threaded_mainloop_lock(m_loop);
}

LoopLock::~LoopLock()
{
    pa_threaded_mainloop_unlock(m_loop);
}

PulseConnection::PulseConnection(std::function<void()> onReady, std::function<void()> onLost)
    : m_loop(pa_threaded_mainloop_new())
    , m_onReady(std::move(onReady))
    , m_onLost(std::move(onLost))
{
    if (!m_loop)
        return;
    pa_threaded_mainloop_set_name(m_loop, "plinkety-sound");
    if (pa_threaded_mainloop_start(m_loop) < 0) {
        pa_threaded_mainloop_free(m_loop);
        m_loop = nullptr;
    }
}

void PulseConnection::start()
{
    if (!m_loop)
        return;
    // Reading the client's configuration is left to the loop's thread too.
    LoopLock lock(*this);
    m_connectedAt = Clock::now();
    retryAfter(0ms);
}

PulseConnection::~PulseConnection()
{
    if (!m_loop)
        return;
    {
        LoopLock lock(*this);
        freeTimer(m_retry);
        drop();
    }
    pa_threaded_mainloop_stop(m_loop);
    pa_threaded_mainloop_free(m_loop);
}

pa_mainloop_api *PulseConnection::api() const
{
    return pa_threaded_mainloop_get_api(m_loop);
}

void PulseConnection::connect()
{
    // The names desktops show for us and the icon beside them.
    pa_proplist *properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, "Plinkety");
    pa_proplist_sets(properties, PA_PROP_APPLICATION_ID, "example.veltrano.Plinkety");
    pa_proplist_sets(properties, PA_PROP_APPLICATION_ICON_NAME, "example.veltrano.Plinkety");
    m_context = pa_context_new_with_proplist(api(), nullptr, properties);
    pa_proplist_free(properties);
    if (!m_context) {
        retryAfter(kRetryDelay);
        return;
    }
    m_connectedAt = Clock::now();
    m_wasReady = false;
    pa_context_set_state_callback(m_context, &PulseConnection::onState, this);
    // Never start a server: a desktop without one stays silent. Where the
    // session bus can tell us, wait for the server to appear.
    const bool waitsByItself = sessionBusReachable();
    const auto flags = pa_context_flags_t(PA_CONTEXT_NOAUTOSPAWN | (waitsByItself ? PA_CONTEXT_NOFAIL : 0));
    if (pa_context_connect(m_context, nullptr, flags, nullptr) < 0) {
        drop();
        retryAfter(kRetryDelay);
        return;
    }
    if (waitsByItself)
        retryAfter(kAnnouncementWait);
}

void PulseConnection::drop()
{
    if (m_probe) {
        pa_operation_cancel(m_probe);
        pa_operation_unref(m_probe);
        m_probe = nullptr;
    }
    if (!m_context)
        return;
    pa_context_set_state_callback(m_context, nullptr, nullptr);
    pa_context_disconnect(m_context);
    pa_context_unref(m_context);
    m_context = nullptr;
}

void PulseConnection::retryAfter(std::chrono::milliseconds delay)
{
    const struct timeval when = after(delay);
    if (m_retry)
        api()->time_restart(m_retry, &when);
    else
        m_retry = api()->time_new(api(), &when, &PulseConnection::onRetry, this);
}

bool PulseConnection::ready()
{
    if (m_unanswered)
        return false;
    // The context may be made anew while we wait.
    const auto state = [this] { return m_context ? pa_context_get_state(m_context) : PA_CONTEXT_FAILED; };
    // A connection just begun may still be finding its server...
    const auto finding = [&] { return !m_context || state() == PA_CONTEXT_CONNECTING; };
    if (finding())
        waitUntil(m_connectedAt + kJustMade, [&] { return !finding(); });
    // ...and a server that has taken it is waited for, as long as it answers.
    if (state() == PA_CONTEXT_AUTHORIZING || state() == PA_CONTEXT_SETTING_NAME)
        waitForAnswer([&] { return state() == PA_CONTEXT_READY || !isGood(state()); });
    return state() == PA_CONTEXT_READY;
}

bool PulseConnection::isReady() const
{
    return m_context && pa_context_get_state(m_context) == PA_CONTEXT_READY;
}

pa_stream *PulseConnection::newStream(const char *name, const pa_sample_spec &format, pa_proplist *properties)
{
    return m_context ? pa_stream_new_with_proplist(m_context, name, &format, nullptr, properties) : nullptr;
}

pa_time_event *PulseConnection::newTimer(pa_usec_t delayUs, pa_time_event_cb_t callback, void *userdata)
{
    return m_context ? pa_context_rttime_new(m_context, pa_rtclock_now() + delayUs, callback, userdata) : nullptr;
}

void PulseConnection::freeTimer(pa_time_event *&timer)
{
    if (timer)
        api()->time_free(timer);
    timer = nullptr;
}

bool PulseConnection::waitUntil(Clock::time_point deadline, const std::function<bool()> &done)
{
    while (!done()) {
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        // The loop's wait has no timeout of its own: a timer wakes us.
        const struct timeval when = after(left);
        pa_time_event *timer = api()->time_new(api(), &when, &wakeWaiter, m_loop);
        pa_threaded_mainloop_wait(m_loop);
        if (timer)
            api()->time_free(timer);
    }
    return true;
}

bool PulseConnection::waitForAnswer(const std::function<bool()> &done, Clock::time_point deadline)
{
    if (waitUntil(std::min(deadline, Clock::now() + serverTimeout), done))
        return true;
    unanswered();
    return false;
}

void PulseConnection::sleepUntil(Clock::time_point when)
{
    pa_threaded_mainloop_unlock(m_loop);
    std::this_thread::sleep_until(when);
    pa_threaded_mainloop_lock(m_loop);
}

void PulseConnection::unanswered()
{
    m_unanswered = true;
    // The first answer to this tells us the server is back.
    if (!m_probe && m_context && pa_context_get_state(m_context) == PA_CONTEXT_READY)
        m_probe = pa_context_get_server_info(m_context, &PulseConnection::onProbeAnswered, this);
}

void PulseConnection::onProbeAnswered(pa_context *context, const pa_server_info *info, void *self)
{
    auto *connection = static_cast<PulseConnection *>(self);
    pa_operation_unref(connection->m_probe);
    connection->m_probe = nullptr;
    if (info)
        connection->answered();
    else if (connection->m_unanswered && pa_context_get_state(context) == PA_CONTEXT_READY)
        connection->unanswered(); // timed out: ask again
    connection->wake();
}

void PulseConnection::wake()
{
    pa_threaded_mainloop_signal(m_loop, 0);
}

void PulseConnection::onState(pa_context *context, void *self)
{
    auto *connection = static_cast<PulseConnection *>(self);
    const pa_context_state_t state = pa_context_get_state(context);
    if (state == PA_CONTEXT_READY) {
        connection->answered();
        connection->m_wasReady = true;
        if (connection->m_onReady)
            connection->m_onReady();
    } else if (!isGood(state)) {
        // Its streams fail right after this; they are let go, and a new
        // connection made, once libpulse is done with them.
        connection->retryAfter(0ms);
    }
    connection->wake();
}

void PulseConnection::onRetry(pa_mainloop_api *api, pa_time_event *timer, const struct timeval *, void *self)
{
    auto *connection = static_cast<PulseConnection *>(self);
    api->time_free(timer);
    connection->m_retry = nullptr;
    pa_context *context = connection->m_context;
    if (context && pa_context_get_state(context) == PA_CONTEXT_READY)
        return;
    const bool wasReady = connection->m_wasReady;
    const bool failed = context && !isGood(pa_context_get_state(context));
    // A failed connection is let go, and so is one still waiting for the
    // server's announcement, to ask again afresh.
    if (context) {
        connection->drop();
        if (failed && wasReady && connection->m_onLost)
            connection->m_onLost();
    }
    if (failed && !wasReady)
        connection->retryAfter(kRetryDelay);
    else
        connection->connect();
    connection->wake();
}
