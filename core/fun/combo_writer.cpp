#include "combo_writer.h"

#include "file_output.h"
#include "number_text.h"
#include "stop_signals.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <utility>

#include <sys/stat.h>

namespace marlek {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// Room for any one line and the wide copies that make it: 11 + 8 digits + 4 + 22 + 2 bytes, and
// the last copy of up to 32 bytes that starts after the 8 digits and 11 bytes.
constexpr std::size_t kMaxLineBytes = 64;

std::string guaranteeLabel(int kind) {
    return kind == 6 ? " 6 of 6" : " 5 of 5";
}

// The text of one ticket line, from parts that are each written with a few wide copies: the
// head "  Ticket   ", the ticket number's digits (kept as characters in one 64-bit word and
// counted up there), the numbers before the last one (rewritten only when one of them changes,
// once in a few lines) and the last number with its CR LF (from a table). So writing a line never
// reads back bytes that were just changed one at a time, which would stall the processor on every
// line of a run of fifty million.
class TicketLine {
public:
    TicketLine(int kind, int fieldSize) : m_kind(kind), m_fieldSize(fieldSize) {
        for (int j = 0; j < m_kind; ++j)
            m_numbers[j] = j + 1;
        for (int number = 1; number <= 60; ++number) {
            char text[4] = {};
            std::size_t length = 0;
            if (number >= 10 || m_kind == 6)
                text[length++] = static_cast<char>('0' + number / 10);
            text[length++] = static_cast<char>('0' + number % 10);
            text[length++] = '\r';
            text[length++] = '\n';
            std::memcpy(&m_lastText[number], text, 4);
            m_lastLength[number] = static_cast<std::uint8_t>(length);
        }
        setTicket(1);
        writePrefix();
    }

    // Writes the line at `to`, which has room for kMaxLineBytes, and returns its length.
    std::size_t writeTo(char *to) const {
        static constexpr char kHead[16] = {' ', ' ', 'T', 'i', 'c', 'k', 'e', 't',
                                           ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
        std::memcpy(to, kHead, sizeof kHead);
        std::memcpy(to + kTicketStart, &m_digits, sizeof m_digits);
        char *numbers = to + kTicketStart + m_digitCount;
        std::memcpy(numbers, m_prefix, sizeof m_prefix);
        char *last = numbers + m_prefixLength;
        const int lastNumber = m_numbers[m_kind - 1];
        std::memcpy(last, &m_lastText[lastNumber], sizeof m_lastText[0]);
        return static_cast<std::size_t>(last - to) + m_lastLength[lastNumber];
    }

    // The next ticket; the caller knows that there is one.
    void next() {
        countTicketUp();
        if (m_numbers[m_kind - 1] < m_fieldSize) { // most tickets: only the last number moves
            ++m_numbers[m_kind - 1];
            return;
        }
        int changed = m_kind - 1;
        while (m_numbers[changed] == m_fieldSize - (m_kind - 1 - changed))
            --changed;
        ++m_numbers[changed];
        for (int j = changed + 1; j < m_kind; ++j)
            m_numbers[j] = m_numbers[j - 1] + 1;
        writePrefix();
    }

private:
    static constexpr std::size_t kTicketStart = 11; // after "  Ticket   "

    void setTicket(std::int64_t ticket) {
        char text[20];
        const auto end = std::to_chars(text, text + sizeof text, ticket).ptr;
        m_digitCount = static_cast<std::size_t>(end - text);
        if (m_digitCount > sizeof m_digits) // fields of up to 60 numbers have 8 digits at most
            throw std::invalid_argument("ticket numbers above 8 digits");
        m_digits = 0;
        std::memcpy(&m_digits, text, m_digitCount);
        m_ticket = ticket;
    }

    // Counts the ticket number up in its characters: the last digit is the highest byte in use.
    void countTicketUp() {
        ++m_ticket;
        for (std::size_t digit = m_digitCount; digit-- > 0;) {
            const unsigned shift = static_cast<unsigned>(8 * digit);
            if (((m_digits >> shift) & 0xff) != '9') {
                m_digits += std::uint64_t{1} << shift;
                return;
            }
            m_digits -= std::uint64_t{9} << shift; // '9' becomes '0', and one is carried
        }
        setTicket(m_ticket); // 9...9 became 10...0: one digit more
    }

    // Four spaces, then every number but the last followed by two spaces. Pick 6 writes every
    // number with two digits ("01"), Pick 5 in plain decimal ("1").
    void writePrefix() {
        std::size_t pos = 0;
        for (int i = 0; i < 4; ++i)
            m_prefix[pos++] = ' ';
        for (int j = 0; j + 1 < m_kind; ++j) {
            const int number = m_numbers[j];
            if (number >= 10 || m_kind == 6)
                m_prefix[pos++] = static_cast<char>('0' + number / 10);
            m_prefix[pos++] = static_cast<char>('0' + number % 10);
            m_prefix[pos++] = ' ';
            m_prefix[pos++] = ' ';
        }
        m_prefixLength = pos;
    }

    int m_kind;
    int m_fieldSize;
    std::int64_t m_ticket = 0;
    std::uint64_t m_digits = 0; // the ticket number's characters, first digit in the lowest byte
    std::size_t m_digitCount = 0;
    int m_numbers[6]{};
    char m_prefix[32]{};
    std::size_t m_prefixLength = 0;
    std::uint32_t m_lastText[61]{}; // the last number's characters and CR LF, by number
    std::uint8_t m_lastLength[61]{};
};

void appendHeader(OutputFile &out, int kind, int n, std::int64_t total) {
    out.writeLine("Marlek's Lotto");
    out.writeLine(kind == 6 ? "Pick 6 Lotto" : "Pick 5 Lotto");
    out.writeLine(" $" + grouped(total) + "  " + grouped(total) + " Tickets  " + plain(n) +
                  " Numbers " + guaranteeLabel(kind) + " Guarantee");
    out.writeLine("");
    out.writeLine("The " + plain(n) + " Numbers you've Selected to Play");
    std::string numbers;
    for (int j = 1; j <= n; ++j)
        numbers += "  " + plain(j);
    out.writeLine(numbers);
    out.writeLine("");
    out.writeLine("Play these " + grouped(total) + " Tickets");
}

void appendTrailer(OutputFile &out, int kind, int n, std::int64_t ticketsWritten) {
    out.writeLine(""); // the run's copyText, emptied at its start
    out.writeLine("Ticket Cost based on $1 US");
    out.writeLine("");
    out.writeLine("Does this Wheel Work?  It's Easy to Prove.");
    out.writeLine("Pick Any " + plain(kind) + " of the " + plain(n) + " Numbers you've Selected");
    out.writeLine("Check All  " + grouped(ticketsWritten) +
                  " Tickets. At Least 1 Ticket will have " + plain(kind) + " Numbers");
    out.writeLine(kind == 6 ? "Thats Your 6 Guarantee"
                            : "Thats Your " + guaranteeLabel(5) + " Guarantee");
    out.writeLine("Good Luck in All Your Lotto Pursuits");
}

void appendFooter(OutputFile &out, std::int64_t ordinal, std::int64_t fileCount) {
    out.writeLine("");
    out.writeLine("");
    std::string footer = " ";
    footer += plain(ordinal);
    footer += "  out of ";
    footer += plain(fileCount);
    out.writeLine(footer);
}

// The number k of a file named "k.txt" (no leading zero) with 1 <= k < fileCount, or 0.
std::int64_t numberedFileNumber(const std::string &name, std::int64_t fileCount) {
    if (name.size() < 5 || name.compare(name.size() - 4, 4, ".txt") != 0 || name[0] == '0')
        return 0;
    std::int64_t number = 0;
    for (std::size_t i = 0; i + 4 < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9' || number > fileCount)
            return 0;
        number = number * 10 + (name[i] - '0');
    }
    return number >= 1 && number <= fileCount - 1 ? number : 0;
}

// The ordinal of a later file of the run that is the same file as the first one, or 0: writing it
// would replace the first file. Files are compared by folder and name, and by device and inode
// for another name of the same file (a hard link).
std::int64_t laterFileSameAsFirst(const SaveTarget &first, const std::string &numberedFolder,
                                  std::int64_t fileCount) {
    if (first.inPlace || fileCount < 2)
        return 0;
    const std::optional<FileIdentity> folder = fileIdentity(numberedFolder);
    if (!folder)
        return 0; // no folder: the first file cannot be created either
    const std::filesystem::path finalPath(first.finalPath);
    if (fileIdentity(folderOf(first.finalPath)) == folder) {
        if (const std::int64_t number =
                numberedFileNumber(finalPath.filename().string(), fileCount))
            return number + 1;
    }
    struct stat info {};
    if (::stat(first.finalPath.c_str(), &info) != 0 || info.st_nlink < 2)
        return 0;
    const FileIdentity firstFile{info.st_dev, info.st_ino};
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator(numberedFolder, error)) {
        const std::int64_t number = numberedFileNumber(entry.path().filename().string(), fileCount);
        if (number != 0 && fileIdentity(entry.path().string(), false) == firstFile)
            return number + 1;
    }
    return 0;
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

namespace {

// Puts the renames of a run's finished files on disk: the first file's folder (a followed link
// may lead elsewhere) and the numbered files' folder.
void syncFoldersOfRun(const SaveTarget &first, const std::string &numberedFolder,
                      std::int64_t filesCompleted) {
    if (filesCompleted == 0)
        return;
    const std::string firstFolder = folderOf(first.finalPath);
    // A device or a pipe written into renamed nothing in its folder.
    if (first.inPlace)
        return;
    if (const int error = syncFolder(firstFolder))
        throw FileError("sync the folder of", first.shownPath, error);
    if (filesCompleted > 1 && fileIdentity(numberedFolder) != fileIdentity(firstFolder)) {
        if (const int error = syncFolder(numberedFolder))
            throw FileError("sync the folder", numberedFolder, error);
    }
}

// "a device", "a pipe" or "a socket": what a path written into in place is.
std::string specialFileKind(const std::string &path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
        return "a device";
    return S_ISFIFO(info.st_mode) ? "a pipe" : "a socket";
}

ComboOutcome failedBeforeWriting(ComboOutcome outcome, ComboFailure failure, std::string path,
                                 std::string reason) {
    outcome.failure = failure;
    outcome.failedPath = std::move(path);
    outcome.reason = std::move(reason);
    return outcome;
}

} // namespace

ComboOutcome writeComboFiles(const ComboRequest &request, const ComboProgress &progress,
                             std::chrono::milliseconds progressInterval) {
    ComboOutcome outcome;
    outcome.plan = planComboFiles(request.kind, request.fieldSize, request.perFile);
    const ComboFilePlan &plan = outcome.plan;

    // Everything that refuses the run is found before the first byte is written.
    SaveTarget firstTarget;
    try {
        firstTarget = resolveSaveTarget(request.firstPath, LinkRule::follow);
    } catch (const FileError &error) {
        return failedBeforeWriting(outcome, ComboFailure::writeFailed, request.firstPath,
                                   error.reason());
    }
    // A device or a pipe is written into, and no file goes beside it: the numbered files would
    // land in its folder (/dev), and a lock there would keep other runs waiting for nothing.
    if (firstTarget.inPlace && plan.filesWritten() > 1)
        return failedBeforeWriting(outcome, ComboFailure::notAFile, request.firstPath,
                                   "It is " + specialFileKind(firstTarget.finalPath) +
                                       ", not a file, and the other " +
                                       counted(plan.filesWritten() - 1, "file", "files") +
                                       " of this run would go beside it");
    const std::string folder = folderOf(request.firstPath);
    std::optional<FolderLock> lock;
    if (!firstTarget.inPlace)
        lock.emplace(folder);
    if (lock && lock->isBusy())
        return failedBeforeWriting(outcome, ComboFailure::folderBusy,
                                   std::filesystem::absolute(folder).lexically_normal().string(),
                                   "Another run is writing its files into this folder");
    if (const std::int64_t later = laterFileSameAsFirst(firstTarget, folder, plan.fileCount))
        return failedBeforeWriting(outcome, ComboFailure::sameFile, request.firstPath,
                                   "It is the same file as \"" +
                                       savedFileName(request.firstPath, later) +
                                       "\", a later file of this run, which would replace it");

    using Clock = std::chrono::steady_clock;
    Clock::time_point lastReport = Clock::now();
    OutputFile out;
    TicketLine line(request.kind, request.fieldSize);
    std::int64_t ticket = 1;
    std::int64_t ordinal = 1;
    try {
        for (; ordinal <= plan.filesWritten(); ++ordinal) {
            // The numbered files never follow a link: one planted in a shared folder would
            // send the tickets over a file elsewhere.
            out.open(ordinal == 1 ? firstTarget
                                  : resolveSaveTarget(comboFilePath(request.firstPath, ordinal),
                                                      LinkRule::replaceLink));
            if (ordinal == 1)
                appendHeader(out, request.kind, request.fieldSize, plan.total);
            const std::int64_t last = plan.lastTicket(ordinal);
            for (; ticket <= last; ++ticket) {
                out.advance(line.writeTo(out.reserve(kMaxLineBytes)));
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
            // One sync of the folders after the last file, not one per file: a run of one
            // ticket per file writes fifty million of them.
            out.commit(OutputFile::FolderSync::byCaller);
            ++outcome.filesCompleted;
        }
        syncFoldersOfRun(firstTarget, folder, outcome.filesCompleted);
    } catch (const FileError &error) {
        outcome.failure = ComboFailure::writeFailed;
        outcome.failedPath = error.path();
        outcome.reason = error.reason();
    } catch (const StopRequested &stop) {
        outcome.failure = ComboFailure::stopped;
        outcome.failedPath = comboFilePath(request.firstPath, ordinal);
        outcome.signal = stop.signal();
        outcome.reason = "Stopped by " + signalName(stop.signal());
    }
    if (outcome.failure != ComboFailure::none) {
        try {
            syncFoldersOfRun(firstTarget, folder, outcome.filesCompleted); // the files kept
        } catch (const FileError &) {
            // the failure that stopped the run is the one to report
        }
        // the unfinished file is gone, its tickets do not count
        outcome.ticketsWritten = plan.lastTicket(ordinal - 1);
        return outcome;
    }
    outcome.ok = true;
    outcome.ticketsWritten = plan.total;
    if (progress)
        progress(plan.total);
    return outcome;
}

std::string filesKeptText(std::int64_t filesCompleted) {
    if (filesCompleted == 0)
        return "no file of this run was saved";
    if (filesCompleted == 1)
        return "the file saved before it is kept";
    return "the " + groupedOrZero(filesCompleted) + " files saved before it are kept";
}

std::string comboFailureMessage(const ComboOutcome &outcome) {
    const std::string crLf(kCrLf);
    switch (outcome.failure) {
    case ComboFailure::sameFile:
    case ComboFailure::notAFile:
        return "Cannot write file " + outcome.failedPath + ":" + crLf + outcome.reason + "." +
               crLf + crLf + "Nothing was written. Choose another name or folder, then try again.";
    case ComboFailure::folderBusy:
        return "Cannot write into the folder " + outcome.failedPath + ":" + crLf + outcome.reason +
               "." + crLf + crLf +
               "Nothing was written. Wait until that run has ended or choose another folder, "
               "then try again.";
    default:
        break;
    }
    std::string kept = filesKeptText(outcome.filesCompleted) + ".";
    kept[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(kept[0])));
    return "Cannot write file " + outcome.failedPath + ":" + crLf + outcome.reason + "." + crLf +
           crLf + "The writing stopped there. " + kept + crLf +
           "Free some disk space or choose another folder or name, then try again.";
}

} // namespace marlek
