#pragma once
// Ctrl+C, SIGTERM and SIGHUP while files are written. The temporary files being written are
// registered here; the handler removes them at once (unlink is safe in a signal handler), records
// the signal, and the writing stops at its next buffer with StopRequested. So whatever ends a run,
// no temporary file stays behind and no target is left half written.

#include <atomic>
#include <csignal>
#include <stdexcept>
#include <string>

namespace marlek {

// Thrown by the file writer once a stop signal has arrived.
class StopRequested : public std::runtime_error {
public:
    explicit StopRequested(int signal);
    int signal() const { return m_signal; }

private:
    int m_signal;
};

// While one lives, SIGINT, SIGTERM and SIGHUP no longer end the process: they remove the
// registered temporary files and are recorded for stopSignalReceived(). The old handlers come back
// when it ends.
class StopSignalScope {
public:
    // What Ctrl+C (SIGINT) asks for inside the scope.
    enum class CtrlC {
        stops,         // the same as SIGTERM and SIGHUP
        finishesEarly, // only work watching workCancelled(): a search ends and its result is
                       // still written; the files and stopSignalReceived() are left alone
    };

    explicit StopSignalScope(CtrlC ctrlC = CtrlC::stops);
    ~StopSignalScope();
    StopSignalScope(const StopSignalScope &) = delete;
    StopSignalScope &operator=(const StopSignalScope &) = delete;

private:
    struct sigaction m_old[3];
};

// For a program that has no scope of its own (the desktop program): the three signals remove the
// registered temporary files and then end the process as they would have.
void removeTemporaryFilesOnStopSignals();

// The stop signal received inside a scope, or 0.
int stopSignalReceived();

// Set by every stop signal inside a scope, Ctrl+C that finishes early too: long work (a search, a
// proof) watches it to end within moments.
const std::atomic<bool> &workCancelled();

// Throws StopRequested when a stop signal has arrived.
void throwIfStopRequested();

// "SIGINT", "SIGTERM", "SIGHUP", else "signal N".
std::string signalName(int signal);

// A temporary file's path, registered while it exists so a stop signal can remove it. Paths too
// long for the fixed room (or more files at once than there are places) are not registered.
class TemporaryFileRegistration {
public:
    TemporaryFileRegistration() = default;
    ~TemporaryFileRegistration() { release(); }
    TemporaryFileRegistration(const TemporaryFileRegistration &) = delete;
    TemporaryFileRegistration &operator=(const TemporaryFileRegistration &) = delete;

    // Registers the path of a file just created (in place of the one registered before).
    void hold(const std::string &path);
    // The file is gone or renamed: forget it.
    void release();

private:
    int m_place = -1;
};

} // namespace marlek
