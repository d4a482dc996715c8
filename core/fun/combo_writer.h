#pragma once
// The combination files writer: every k-number combination of 1..n, in lexicographic order, one
// ticket per line, into a series of text files. The first file is the path the player chose and
// opens with a header in the layout of a wheel report; the others are "1.txt", "2.txt", ... in the
// same folder; the last one closes with the report's trailer. No widgets here: the generator
// windows and marlek-lotto-cli both drive it.
//
// A Pick 6 run over 60 numbers is 50,063,860 lines (about 2.3 GB), so the lines are streamed
// through one large buffer and never held in memory; progress reaches the caller a few dozen times
// a second at most.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

namespace marlek {

// What one run writes.
struct ComboRequest {
    int kind = 6;                  // k: 5 (Pick 5) or 6 (Pick 6)
    int fieldSize = 0;             // n: the numbers 1 to n, 0 to 60
    std::int64_t perFile = 400000; // P: tickets per file, at least 1
    std::string firstPath;         // the first file, exactly as chosen (no extension added)
};

// How the tickets fall into files, known before anything is written.
struct ComboFilePlan {
    std::int64_t total = 0;     // T, every k-number combination of 1..n
    std::int64_t perFile = 1;   // P
    std::int64_t fileCount = 0; // F: T / P rounded up; 0 when T is 0 (one file, no tickets)

    // The first and last ticket number of file `ordinal` (1 is the first file). A file that holds
    // no ticket has last < first.
    std::int64_t firstTicket(std::int64_t ordinal) const { return (ordinal - 1) * perFile + 1; }
    std::int64_t lastTicket(std::int64_t ordinal) const;
    // Files opened by a run: F, but at least the first file that carries header and trailer.
    std::int64_t filesWritten() const { return fileCount > 0 ? fileCount : 1; }
};

ComboFilePlan planComboFiles(int kind, int fieldSize, std::int64_t perFile);

// The name of file `ordinal` as the final message lists it: the first path as chosen, then
// "1.txt", "2.txt", ... without a folder part.
std::string savedFileName(const std::string &firstPath, std::int64_t ordinal);

// Where file `ordinal` is written: the first path, then "1.txt", ... in the first file's folder
// (whatever the process's current folder is).
std::string comboFilePath(const std::string &firstPath, std::int64_t ordinal);

// The final message: "F Files Saved", then the saved names, each line after a CR LF.
std::string savedFilesMessage(const std::string &firstPath, std::int64_t fileCount);

// Why a run did not complete.
enum class ComboFailure {
    none,
    sameFile,    // the first path is a later file of the run: refused, nothing written
    notAFile,    // the first path is a device or a pipe and the run writes more files beside
                 // it: refused, nothing written
    folderBusy,  // another run writes into the folder: refused, nothing written
    writeFailed, // a file could not be created or written
    stopped,     // a stop signal (Ctrl+C, SIGTERM, SIGHUP) ended the run
};

struct ComboOutcome {
    bool ok = false;
    ComboFailure failure = ComboFailure::none;
    int signal = 0; // the stop signal, for ComboFailure::stopped
    ComboFilePlan plan;
    std::int64_t ticketsWritten = 0; // ticket lines that reached a file
    std::int64_t filesCompleted = 0; // files closed with their footer or trailer
    std::string failedPath;          // when !ok: the file that could not be written (the folder
                                     // when it is busy)
    std::string reason;              // when !ok: the operating system's reason
};

// Receives the count of ticket lines written so far; called from the thread that writes.
using ComboProgress = std::function<void(std::int64_t ticketsWritten)>;

// The shortest time between two progress calls (the last call, with the total, always comes).
inline constexpr std::chrono::milliseconds kProgressInterval{40};

// Writes the files. Touches nothing but the files, so it may run on a worker thread. Every file is
// written under a temporary name and put in place only when complete (file_output.h). The run
// takes a lock on the folder of the numbered files, and is refused before anything is written when
// another run holds it, when the first path is one of the numbered files, or when it is a device
// or a pipe (/dev/null) and the run has numbered files to put beside it. A run of one file into a
// device or a pipe writes into it and takes no lock on its folder. A file that cannot be
// created or written, or a stop signal, stops the run: the files finished before stay as they
// are, the unfinished one never replaces its target, and the outcome names the file and the
// reason.
ComboOutcome writeComboFiles(const ComboRequest &request, const ComboProgress &progress = {},
                             std::chrono::milliseconds progressInterval = kProgressInterval);

// What a failed run kept: "no file of this run was saved", "the file saved before it is kept" or
// "the N files saved before it are kept".
std::string filesKeptText(std::int64_t filesCompleted);

// The message for a failed run, naming the file and the reason and what was kept.
std::string comboFailureMessage(const ComboOutcome &outcome);

} // namespace marlek
