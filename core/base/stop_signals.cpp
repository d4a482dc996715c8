#include "stop_signals.h"

#include <atomic>
#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace marlek {
namespace {

constexpr int kStopSignals[3] = {SIGINT, SIGTERM, SIGHUP};

// A few places, since a window's save and a generator run may write at the same time.
constexpr int kPlaces = 8;
constexpr std::size_t kPathRoom = 4096;

enum PlaceState : int { kFree, kFilling, kRegistered };

struct Place {
    std::atomic<int> state{kFree};
    char path[kPathRoom];
};

Place g_places[kPlaces];
std::atomic<int> g_signal{0};
std::atomic<bool> g_workCancelled{false};
std::atomic<bool> g_ctrlCFinishesEarly{false};

static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free,
              "the handler reads these atomics");

// Only what is safe in a signal handler: atomic loads and unlink().
void removeRegisteredFiles() {
    for (Place &place : g_places)
        if (place.state.load(std::memory_order_acquire) == kRegistered)
            ::unlink(place.path);
}

extern "C" void recordStop(int signal) {
    const int savedErrno = errno; // the interrupted code may be about to read it
    g_workCancelled.store(true);
    if (signal != SIGINT || !g_ctrlCFinishesEarly.load()) {
        removeRegisteredFiles();
        g_signal.store(signal);
    }
    errno = savedErrno;
}

extern "C" void removeAndEnd(int signal) {
    removeRegisteredFiles();
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

void installHandler(void (*handler)(int), struct sigaction *old) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    for (const int signal : kStopSignals)
        sigaddset(&action.sa_mask, signal);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i)
        ::sigaction(kStopSignals[i], &action, old ? &old[i] : nullptr);
}

} // namespace

StopRequested::StopRequested(int signal)
    : std::runtime_error("stopped by " + signalName(signal)), m_signal(signal) {}

StopSignalScope::StopSignalScope(CtrlC ctrlC) {
    g_signal.store(0);
    g_workCancelled.store(false);
    g_ctrlCFinishesEarly.store(ctrlC == CtrlC::finishesEarly);
    installHandler(recordStop, m_old);
}

StopSignalScope::~StopSignalScope() {
    for (int i = 0; i < 3; ++i)
        ::sigaction(kStopSignals[i], &m_old[i], nullptr);
    g_signal.store(0);
    g_workCancelled.store(false);
    g_ctrlCFinishesEarly.store(false);
}

void removeTemporaryFilesOnStopSignals() {
    installHandler(removeAndEnd, nullptr);
}

int stopSignalReceived() {
    return g_signal.load(std::memory_order_relaxed);
}

const std::atomic<bool> &workCancelled() {
    return g_workCancelled;
}

void throwIfStopRequested() {
    if (const int signal = stopSignalReceived())
        throw StopRequested(signal);
}

std::string signalName(int signal) {
    switch (signal) {
    case SIGINT:
        return "SIGINT";
    case SIGTERM:
        return "SIGTERM";
    case SIGHUP:
        return "SIGHUP";
    default:
        return "signal " + std::to_string(signal);
    }
}

void TemporaryFileRegistration::hold(const std::string &path) {
    release();
    if (path.size() >= kPathRoom)
        return;
    for (int i = 0; i < kPlaces; ++i) {
        int expected = kFree;
        if (g_places[i].state.compare_exchange_strong(expected, kFilling)) {
            std::memcpy(g_places[i].path, path.c_str(), path.size() + 1);
            g_places[i].state.store(kRegistered, std::memory_order_release);
            m_place = i;
            return;
        }
    }
}

void TemporaryFileRegistration::release() {
    if (m_place >= 0)
        g_places[m_place].state.store(kFree, std::memory_order_release);
    m_place = -1;
}

} // namespace marlek
