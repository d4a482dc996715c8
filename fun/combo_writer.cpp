#include "combo_writer.h"

#include "number_text.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace marlek {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// Large enough that the system call per megabyte costs nothing next to the copying; small enough
// that the whole run, with two of them, stays a few megabytes.
constexpr std::size_t kBufferBytes = std::size_t{1} << 20;
// Room for any one line: 11 + 19 digits + 4 + 22 + 2 bytes.
constexpr std::size_t kMaxLineBytes = 64;

std::string guaranteeLabel(int kind) {
    return kind == 6 ? " 6 of 6" : " 5 of 5";
}

std::string errorText(int error) {
    return std::generic_category().message(error);
}

struct WriteFailure {
    int error;
};

// Writes all of a buffer with plain system calls; returns 0 or the errno of the failure.
int writeAll(int fd, const char *data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return 0;
}

// Writes one buffer at a time on a thread of its own, so that making the next megabyte of text
// and handing the last one to the system overlap: the run then takes little longer than the
// writing alone.
class BackgroundWriter {
public:
    BackgroundWriter() : m_thread([this] { run(); }) {}
    ~BackgroundWriter() {
        {
            const std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }
    BackgroundWriter(const BackgroundWriter &) = delete;
    BackgroundWriter &operator=(const BackgroundWriter &) = delete;

    // Starts writing the bytes to the file and returns at once; they must stay put until wait().
    // The write before must have been waited for.
    void start(int fd, const char *data, std::size_t size) {
        {
            const std::lock_guard lock(m_mutex);
            m_fd = fd;
            m_data = data;
            m_size = size;
            m_pending = true;
        }
        m_changed.notify_all();
    }

    // Waits until the write under way is done; its failure is thrown here.
    void wait() {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_pending; });
        if (const int error = std::exchange(m_error, 0))
            throw WriteFailure{error};
    }

private:
    void run() {
        std::unique_lock lock(m_mutex);
        while (true) {
            m_changed.wait(lock, [this] { return m_pending || m_stop; });
            if (!m_pending)
                return;
            const int fd = m_fd;
            const char *data = m_data;
            const std::size_t size = m_size;
            lock.unlock();
            const int error = writeAll(fd, data, size);
            lock.lock();
            m_error = error;
            m_pending = false;
            m_changed.notify_all();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_pending = false;
    bool m_stop = false;
    int m_fd = -1;
    const char *m_data = nullptr;
    std::size_t m_size = 0;
    int m_error = 0;
    std::thread m_thread; // last: it starts once everything it uses is in place
};

// One output file written through two fixed buffers: one fills while the other is written.
// Failures carry errno.
class OutputFile {
public:
    OutputFile()
        : m_buffers{std::make_unique<char[]>(kBufferBytes),
                    std::make_unique<char[]>(kBufferBytes)} {}
    ~OutputFile() { discard(); }
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    void open(const std::string &path) {
        m_path = path;
        m_used = 0;
        m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (m_fd < 0)
            throw WriteFailure{errno};
        struct stat info {};
        m_regular = ::fstat(m_fd, &info) == 0 && S_ISREG(info.st_mode);
    }

    // A line, or a few, that fits the room kept free for one line.
    void append(const char *bytes, std::size_t size) {
        if (kBufferBytes - m_used < kMaxLineBytes)
            flush();
        std::memcpy(buffer() + m_used, bytes, size);
        m_used += size;
    }

    // A ticket line: the copy is always of the whole line buffer, a fixed size the compiler turns
    // into a few moves, and only `size` bytes of it count.
    void appendTicket(const char (&line)[kMaxLineBytes], std::size_t size) {
        if (kBufferBytes - m_used < kMaxLineBytes)
            flush();
        std::memcpy(buffer() + m_used, line, kMaxLineBytes);
        m_used += size;
    }

    void appendText(std::string_view text) {
        while (!text.empty()) {
            const std::size_t part = std::min(text.size(), kMaxLineBytes);
            append(text.data(), part);
            text.remove_prefix(part);
        }
    }

    void appendLine(std::string_view line) {
        appendText(line);
        append(kCrLf.data(), kCrLf.size());
    }

    void close() {
        flush();
        m_writer.wait();
        const int fd = std::exchange(m_fd, -1);
        if (::close(fd) != 0 && errno != EINTR) {
            // Late write errors (a full quota, a network file system) show up only here.
            const int error = errno;
            removeIfRegular();
            throw WriteFailure{error};
        }
    }

    // After a failure: closes the file and removes it when it is a regular file that this run
    // created or replaced, so no half-written file is left behind. Devices are left alone.
    void discard() {
        try {
            m_writer.wait(); // nothing may still be writing into the file
        } catch (const WriteFailure &) {
            // the failure is the one being handled
        }
        if (m_fd < 0)
            return;
        ::close(std::exchange(m_fd, -1));
        removeIfRegular();
    }

private:
    char *buffer() { return m_buffers[m_current].get(); }

    void removeIfRegular() {
        if (m_regular)
            ::unlink(m_path.c_str());
        m_regular = false;
    }

    // Hands the filled buffer to the writer and goes on in the other one, once that one's bytes
    // are out.
    void flush() {
        if (m_used == 0)
            return;
        m_writer.wait();
        m_writer.start(m_fd, buffer(), m_used);
        m_current ^= 1;
        m_used = 0;
    }

    std::unique_ptr<char[]> m_buffers[2];
    std::size_t m_current = 0;
    std::size_t m_used = 0;
    int m_fd = -1;
    bool m_regular = false; // a file of its own, not a device such as /dev/full
    std::string m_path;
    BackgroundWriter m_writer;
};

// The text of one ticket line, kept in place from one ticket to the next: the ticket number is
// counted up digit by digit and only the numbers of the combination that change are rewritten.
class TicketLine {
public:
    TicketLine(int kind, int fieldSize) : m_kind(kind), m_fieldSize(fieldSize) {
        constexpr std::string_view first = "  Ticket   1    ";
        std::memcpy(m_line, first.data(), first.size());
        m_ticketEnd = kTicketStart + 1;
        for (int j = 0; j < m_kind; ++j)
            m_numbers[j] = j + 1;
        m_numberAt[0] = m_ticketEnd + 4;
        writeNumbersFrom(0);
    }

    const char (&data() const)[kMaxLineBytes] { return m_line; }
    std::size_t size() const { return m_size; }

    // The next ticket; the caller knows that there is one.
    void next() {
        countTicketUp();
        int changed = m_kind - 1;
        while (m_numbers[changed] == m_fieldSize - (m_kind - 1 - changed))
            --changed;
        ++m_numbers[changed];
        for (int j = changed + 1; j < m_kind; ++j)
            m_numbers[j] = m_numbers[j - 1] + 1;
        writeNumbersFrom(changed);
    }

private:
    static constexpr std::size_t kTicketStart = 11; // after "  Ticket   "

    void countTicketUp() {
        std::size_t p = m_ticketEnd;
        while (p > kTicketStart) {
            --p;
            if (m_line[p] != '9') {
                ++m_line[p];
                return;
            }
            m_line[p] = '0';
        }
        // 9...9 became 0...0: one digit more, and everything after it moves right by one.
        std::memmove(m_line + kTicketStart + 1, m_line + kTicketStart, m_size - kTicketStart);
        m_line[kTicketStart] = '1';
        ++m_ticketEnd;
        ++m_size;
        for (int j = 0; j < m_kind; ++j)
            ++m_numberAt[j];
    }

    // Pick 6 writes every number with two digits ("01"), Pick 5 in plain decimal ("1").
    void writeNumbersFrom(int first) {
        std::size_t pos = m_numberAt[first];
        for (int j = first; j < m_kind; ++j) {
            m_numberAt[j] = pos;
            const int number = m_numbers[j];
            if (number >= 10 || m_kind == 6)
                m_line[pos++] = static_cast<char>('0' + number / 10);
            m_line[pos++] = static_cast<char>('0' + number % 10);
            if (j + 1 < m_kind) {
                m_line[pos++] = ' ';
                m_line[pos++] = ' ';
            }
        }
        m_line[pos++] = '\r';
        m_line[pos++] = '\n';
        m_size = pos;
    }

    int m_kind;
    int m_fieldSize;
    char m_line[kMaxLineBytes]{};
    std::size_t m_size = 0;
    std::size_t m_ticketEnd = 0;
    int m_numbers[6]{};
    std::size_t m_numberAt[6]{};
};

void appendHeader(OutputFile &out, int kind, int n, std::int64_t total) {
    out.appendLine("Marlek's Lotto");
    out.appendLine(kind == 6 ? "Pick 6 Lotto" : "Pick 5 Lotto");
    out.appendLine(" $" + grouped(total) + "  " + grouped(total) + " Tickets  " + plain(n) +
                   " Numbers " + guaranteeLabel(kind) + " Guarantee");
    out.appendLine("");
    out.appendLine("The " + plain(n) + " Numbers you've Selected to Play");
    std::string numbers;
    for (int j = 1; j <= n; ++j)
        numbers += "  " + plain(j);
    out.appendLine(numbers);
    out.appendLine("");
    out.appendLine("Play these " + grouped(total) + " Tickets");
}

void appendTrailer(OutputFile &out, int kind, int n, std::int64_t ticketsWritten) {
    out.appendLine(""); // the run's copyText, emptied at its start
    out.appendLine("Ticket Cost based on $1 US");
    out.appendLine("");
    out.appendLine("Does this Wheel Work?  It's Easy to Prove.");
    out.appendLine("Pick Any " + plain(kind) + " of the " + plain(n) + " Numbers you've Selected");
    out.appendLine("Check All  " + grouped(ticketsWritten) +
                   " Tickets. At Least 1 Ticket will have " + plain(kind) + " Numbers");
    out.appendLine(kind == 6 ? "Thats Your 6 Guarantee"
                             : "Thats Your " + guaranteeLabel(5) + " Guarantee");
    out.appendLine("Good Luck in All Your Lotto Pursuits");
}

void appendFooter(OutputFile &out, std::int64_t ordinal, std::int64_t fileCount) {
    out.appendLine("");
    out.appendLine("");
    std::string footer = " ";
    footer += plain(ordinal);
    footer += "  out of ";
    footer += plain(fileCount);
    out.appendLine(footer);
}

// The ordinal of a later file of the run whose name the first file already has ("3.txt" in the
// numbered files' folder), or 0. Writing that later file would replace the first one.
std::int64_t laterFileNamedLikeFirst(const std::string &firstPath, std::int64_t fileCount) {
    const std::string name = std::filesystem::path(firstPath).filename().string();
    if (name.size() < 5 || name.compare(name.size() - 4, 4, ".txt") != 0 || name[0] == '0')
        return 0;
    std::int64_t number = 0;
    for (std::size_t i = 0; i + 4 < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9' || number > fileCount)
            return 0;
        number = number * 10 + (name[i] - '0');
    }
    return number >= 1 && number <= fileCount - 1 ? number + 1 : 0;
}

} // namespace

std::int64_t ComboFilePlan::lastTicket(std::int64_t ordinal) const {
    return std::min(ordinal * perFile, total);
}

ComboFilePlan planComboFiles(int kind, int fieldSize, std::int64_t perFile) {
    if (kind != 5 && kind != 6)
        throw std::invalid_argument("lotto kind must be 5 or 6");
    if (fieldSize < 0 || fieldSize > 60)
        throw std::invalid_argument("field size must be 0 to 60");
    if (perFile < 1)
        throw std::invalid_argument("combinations per file must be at least 1");
    ComboFilePlan plan;
    plan.total = combinations(fieldSize, kind);
    plan.perFile = perFile;
    plan.fileCount = filesNeeded(plan.total, perFile);
    return plan;
}

std::string savedFileName(const std::string &firstPath, std::int64_t ordinal) {
    return ordinal <= 1 ? firstPath : plain(ordinal - 1) + ".txt";
}

std::string comboFilePath(const std::string &firstPath, std::int64_t ordinal) {
    if (ordinal <= 1)
        return firstPath;
    return (std::filesystem::path(firstPath).parent_path() / savedFileName(firstPath, ordinal))
        .string();
}

std::string savedFilesMessage(const std::string &firstPath, std::int64_t fileCount) {
    std::string text = plain(fileCount) + " Files Saved" + std::string(kCrLf) + firstPath;
    for (std::int64_t ordinal = 2; ordinal <= fileCount; ++ordinal)
        text += std::string(kCrLf) + savedFileName(firstPath, ordinal);
    return text;
}

void setPicksOneToSixty(SharedState &state) {
    for (int j = 1; j <= 60; ++j)
        state.picks[static_cast<std::size_t>(j)] = static_cast<std::int16_t>(j);
}

void beginComboRun(SharedState &state, const ComboRequest &request) {
    setPicksOneToSixty(state);
    state.matchCount = static_cast<std::int16_t>(request.kind);
    state.copyText.clear();
    state.genFieldSize = request.fieldSize;
    state.genCombos = static_cast<double>(combinations(request.fieldSize, request.kind));
    state.counter = 1;
}

void endComboRun(SharedState &state, const ComboOutcome &outcome) {
    state.counter = static_cast<std::int32_t>(outcome.ticketsWritten + 1);
}

ComboOutcome writeComboFiles(const ComboRequest &request, const ComboProgress &progress,
                             std::chrono::milliseconds progressInterval) {
    ComboOutcome outcome;
    outcome.plan = planComboFiles(request.kind, request.fieldSize, request.perFile);
    const ComboFilePlan &plan = outcome.plan;

    if (const std::int64_t later = laterFileNamedLikeFirst(request.firstPath, plan.fileCount)) {
        outcome.failedPath = request.firstPath;
        outcome.reason = "It would be replaced by \"" + savedFileName(request.firstPath, later) +
                         "\", a later file of the same run";
        return outcome;
    }

    using Clock = std::chrono::steady_clock;
    Clock::time_point lastReport = Clock::now();
    OutputFile out;
    TicketLine line(request.kind, request.fieldSize);
    std::int64_t ticket = 1;
    std::int64_t ordinal = 1;
    try {
        for (; ordinal <= plan.filesWritten(); ++ordinal) {
            out.open(comboFilePath(request.firstPath, ordinal));
            if (ordinal == 1)
                appendHeader(out, request.kind, request.fieldSize, plan.total);
            const std::int64_t last = plan.lastTicket(ordinal);
            for (; ticket <= last; ++ticket) {
                out.appendTicket(line.data(), line.size());
                if (ticket < plan.total)
                    line.next();
                // The clock is read once in a few thousand tickets only.
                if (progress && (ticket & 0x1fff) == 0) {
                    const Clock::time_point now = Clock::now();
                    if (now - lastReport >= progressInterval) {
                        lastReport = now;
                        progress(ticket);
                    }
                }
            }
            // The last file, the one that holds the last ticket, ends with the trailer.
            if (ordinal < plan.fileCount)
                appendFooter(out, ordinal, plan.fileCount);
            else
                appendTrailer(out, request.kind, request.fieldSize, ticket - 1);
            out.close();
            ++outcome.filesCompleted;
        }
    } catch (const WriteFailure &failure) {
        out.discard();
        outcome.failedPath = comboFilePath(request.firstPath, ordinal);
        outcome.reason = errorText(failure.error);
        outcome.ticketsWritten =
            plan.lastTicket(ordinal - 1); // the removed file's tickets do not count
        return outcome;
    }
    outcome.ok = true;
    outcome.ticketsWritten = plan.total;
    if (progress)
        progress(plan.total);
    return outcome;
}

ComboOutcome runComboFiles(const ComboRequest &request, SharedState &state,
                           const ComboProgress &progress) {
    beginComboRun(state, request);
    ComboOutcome outcome = writeComboFiles(request, progress);
    endComboRun(state, outcome);
    return outcome;
}

std::string comboFailureMessage(const ComboOutcome &outcome) {
    const std::string crLf(kCrLf);
    std::string kept;
    if (outcome.filesCompleted == 0)
        kept = "No file of this run was saved.";
    else if (outcome.filesCompleted == 1)
        kept = "The file saved before it is kept.";
    else
        kept = "The " + groupedOrZero(outcome.filesCompleted) + " files saved before it are kept.";
    return "Cannot write file " + outcome.failedPath + ":" + crLf + outcome.reason + "." + crLf +
           crLf + "The writing stopped there. " + kept + crLf +
           "Free some disk space or choose another folder or name, then try again.";
}

} // namespace marlek
