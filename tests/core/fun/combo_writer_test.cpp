// The combination files writer: exact bytes, the split into files, names and folders, write
// failures, and the file plan of runs too large to write in a test.

#include "combo_writer.h"
#include "file_output.h"

#include "number_text.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

namespace marlek {
namespace {

namespace fs = std::filesystem;
using test::readFileBytes;
using test::TempDir;

std::string crLfLines(const std::vector<std::string> &lines) {
    std::string text;
    for (const std::string &line : lines)
        text += line + "\r\n";
    return text;
}

ComboOutcome run(int kind, int n, std::int64_t perFile, const fs::path &first) {
    return writeComboFiles({kind, n, perFile, first.string()});
}

// The ticket lines of a run written the slow, obvious way, to hold the fast writer against.
std::string expectedTickets(int kind, int n, std::int64_t from, std::int64_t to) {
    std::string text;
    std::int64_t ticket = 0;
    std::vector<int> c(static_cast<std::size_t>(kind));
    for (int j = 0; j < kind; ++j)
        c[static_cast<std::size_t>(j)] = j + 1;
    if (n < kind)
        return text;
    while (true) {
        ++ticket;
        if (ticket >= from && ticket <= to) {
            char buffer[80];
            std::string line = "  Ticket   " + std::to_string(ticket) + "   ";
            for (int number : c) {
                std::snprintf(buffer, sizeof buffer, kind == 6 ? " %02d " : " %d ", number);
                line += buffer;
            }
            line.pop_back();
            text += line + "\r\n";
        }
        int i = kind - 1;
        while (i >= 0 && c[static_cast<std::size_t>(i)] == n - (kind - 1 - i))
            --i;
        if (i < 0)
            return text;
        ++c[static_cast<std::size_t>(i)];
        for (int j = i + 1; j < kind; ++j)
            c[static_cast<std::size_t>(j)] = c[static_cast<std::size_t>(j - 1)] + 1;
    }
}

std::string footer(std::int64_t ordinal, std::int64_t count) {
    return "\r\n\r\n " + std::to_string(ordinal) + "  out of " + std::to_string(count) + "\r\n";
}

const std::vector<std::string> kPick6Of8Tickets{
    "  Ticket   1    01  02  03  04  05  06",  "  Ticket   2    01  02  03  04  05  07",
    "  Ticket   3    01  02  03  04  05  08",  "  Ticket   4    01  02  03  04  06  07",
    "  Ticket   5    01  02  03  04  06  08",  "  Ticket   6    01  02  03  04  07  08",
    "  Ticket   7    01  02  03  05  06  07",  "  Ticket   8    01  02  03  05  06  08",
    "  Ticket   9    01  02  03  05  07  08",  "  Ticket   10    01  02  03  06  07  08",
    "  Ticket   11    01  02  04  05  06  07", "  Ticket   12    01  02  04  05  06  08",
    "  Ticket   13    01  02  04  05  07  08", "  Ticket   14    01  02  04  06  07  08",
    "  Ticket   15    01  02  05  06  07  08", "  Ticket   16    01  03  04  05  06  07",
    "  Ticket   17    01  03  04  05  06  08", "  Ticket   18    01  03  04  05  07  08",
    "  Ticket   19    01  03  04  06  07  08", "  Ticket   20    01  03  05  06  07  08",
    "  Ticket   21    01  04  05  06  07  08", "  Ticket   22    02  03  04  05  06  07",
    "  Ticket   23    02  03  04  05  06  08", "  Ticket   24    02  03  04  05  07  08",
    "  Ticket   25    02  03  04  06  07  08", "  Ticket   26    02  03  05  06  07  08",
    "  Ticket   27    02  04  05  06  07  08", "  Ticket   28    03  04  05  06  07  08",
};

const std::vector<std::string> kPick5Of7Tickets{
    "  Ticket   1    1  2  3  4  5",  "  Ticket   2    1  2  3  4  6",
    "  Ticket   3    1  2  3  4  7",  "  Ticket   4    1  2  3  5  6",
    "  Ticket   5    1  2  3  5  7",  "  Ticket   6    1  2  3  6  7",
    "  Ticket   7    1  2  4  5  6",  "  Ticket   8    1  2  4  5  7",
    "  Ticket   9    1  2  4  6  7",  "  Ticket   10    1  2  5  6  7",
    "  Ticket   11    1  3  4  5  6", "  Ticket   12    1  3  4  5  7",
    "  Ticket   13    1  3  4  6  7", "  Ticket   14    1  3  5  6  7",
    "  Ticket   15    1  4  5  6  7", "  Ticket   16    2  3  4  5  6",
    "  Ticket   17    2  3  4  5  7", "  Ticket   18    2  3  4  6  7",
    "  Ticket   19    2  3  5  6  7", "  Ticket   20    2  4  5  6  7",
    "  Ticket   21    3  4  5  6  7",
};

TEST(ComboWriter, Pick6OverEightNumbersIsOneFileWithHeaderTicketsAndTrailer) {
    TempDir dir;
    const ComboOutcome outcome = run(6, 8, 400000, dir / "pick6.txt");

    ASSERT_TRUE(outcome.ok) << outcome.reason;
    std::vector<std::string> lines{"Marlek's Lotto",
                                   "Pick 6 Lotto",
                                   " $28  28 Tickets  8 Numbers  6 of 6 Guarantee",
                                   "",
                                   "The 8 Numbers you've Selected to Play",
                                   "  1  2  3  4  5  6  7  8",
                                   "",
                                   "Play these 28 Tickets"};
    lines.insert(lines.end(), kPick6Of8Tickets.begin(), kPick6Of8Tickets.end());
    lines.insert(lines.end(), {"", "Ticket Cost based on $1 US", "",
                               "Does this Wheel Work?  It's Easy to Prove.",
                               "Pick Any 6 of the 8 Numbers you've Selected",
                               "Check All  28 Tickets. At Least 1 Ticket will have 6 Numbers",
                               "Thats Your 6 Guarantee", "Good Luck in All Your Lotto Pursuits"});
    EXPECT_EQ(readFileBytes(dir / "pick6.txt"), crLfLines(lines));
    EXPECT_EQ(outcome.plan.fileCount, 1);
    EXPECT_FALSE(fs::exists(dir / "1.txt"));
    EXPECT_EQ(savedFilesMessage((dir / "pick6.txt").string(), outcome.plan.fileCount),
              "1 Files Saved\r\n" + (dir / "pick6.txt").string());
}

TEST(ComboWriter, Pick5OverSevenNumbersWritesPlainNumbersAndItsOwnTrailer) {
    TempDir dir;
    ASSERT_TRUE(run(5, 7, 400000, dir / "pick5.txt").ok);

    std::vector<std::string> lines{"Marlek's Lotto",
                                   "Pick 5 Lotto",
                                   " $21  21 Tickets  7 Numbers  5 of 5 Guarantee",
                                   "",
                                   "The 7 Numbers you've Selected to Play",
                                   "  1  2  3  4  5  6  7",
                                   "",
                                   "Play these 21 Tickets"};
    lines.insert(lines.end(), kPick5Of7Tickets.begin(), kPick5Of7Tickets.end());
    lines.insert(lines.end(),
                 {"", "Ticket Cost based on $1 US", "",
                  "Does this Wheel Work?  It's Easy to Prove.",
                  "Pick Any 5 of the 7 Numbers you've Selected",
                  "Check All  21 Tickets. At Least 1 Ticket will have 5 Numbers",
                  "Thats Your  5 of 5 Guarantee", "Good Luck in All Your Lotto Pursuits"});
    EXPECT_EQ(readFileBytes(dir / "pick5.txt"), crLfLines(lines));
}

// Every ticket of larger runs, across the widths of the ticket number (9 -> 10 ... 9999 -> 10000)
// and, for Pick 5, of the numbers (9 -> 10).
TEST(ComboWriter, EveryTicketLineMatchesTheSlowWayOfWritingIt) {
    for (const auto &[kind, n] : {std::pair{5, 25}, std::pair{6, 22}, std::pair{6, 6}}) {
        TempDir dir;
        const ComboOutcome outcome = run(kind, n, 1000000, dir / "all.txt");
        ASSERT_TRUE(outcome.ok);
        const std::string bytes = readFileBytes(dir / "all.txt");
        const std::string tickets = expectedTickets(kind, n, 1, outcome.plan.total);
        const std::size_t start = bytes.find("  Ticket   1 ");
        ASSERT_NE(start, std::string::npos);
        EXPECT_EQ(bytes.substr(start, tickets.size()), tickets) << "kind " << kind << ", n " << n;
        EXPECT_EQ(bytes.substr(start + tickets.size(), 2), "\r\n"); // the trailer's empty line
    }
}

TEST(ComboWriter, SmallPerFileSplitsIntoNumberedFilesInTheFirstFilesFolder) {
    TempDir dir;
    TempDir elsewhere;
    const fs::path previous = fs::current_path();
    fs::current_path(elsewhere.path()); // the numbered files must not follow the current folder
    const fs::path first = dir / "combos.txt";
    const ComboOutcome outcome = run(6, 8, 10, first);
    fs::current_path(previous);

    ASSERT_TRUE(outcome.ok) << outcome.reason;
    EXPECT_EQ(outcome.plan.fileCount, 3);
    const std::string one = readFileBytes(first);
    EXPECT_EQ(one.substr(one.size() - expectedTickets(6, 8, 10, 10).size() - footer(1, 3).size()),
              expectedTickets(6, 8, 10, 10) + footer(1, 3));
    EXPECT_EQ(readFileBytes(dir / "1.txt"), expectedTickets(6, 8, 11, 20) + footer(2, 3));
    const std::string last = readFileBytes(dir / "2.txt");
    EXPECT_EQ(last.substr(0, expectedTickets(6, 8, 21, 28).size()), expectedTickets(6, 8, 21, 28));
    EXPECT_NE(last.find("Check All  28 Tickets."), std::string::npos);
    EXPECT_EQ(last.find("out of"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(elsewhere.path()));
    EXPECT_EQ(savedFilesMessage(first.string(), outcome.plan.fileCount),
              "3 Files Saved\r\n" + first.string() + "\r\n1.txt\r\n2.txt");
}

TEST(ComboWriter, FieldOfExactlyKNumbersGivesOneTicket) {
    TempDir dir;
    const ComboOutcome outcome = run(6, 6, 400000, dir / "six");
    ASSERT_TRUE(outcome.ok);
    const std::string bytes = readFileBytes(dir / "six");
    EXPECT_NE(bytes.find("Play these 1 Tickets\r\n  Ticket   1    01  02  03  04  05  06\r\n\r\n"),
              std::string::npos);
    EXPECT_EQ(outcome.plan.fileCount, 1);
}

TEST(ComboWriter, FieldBelowKWritesHeaderAndTrailerOnlyAndSavesNoFileCount) {
    TempDir dir;
    for (const auto &[kind, n] : {std::pair{6, 5}, std::pair{5, 0}}) {
        const fs::path first = dir / ("small" + std::to_string(kind) + ".txt");
        const ComboOutcome outcome = run(kind, n, 400000, first);
        ASSERT_TRUE(outcome.ok);
        EXPECT_EQ(outcome.plan.fileCount, 0);
        const std::string bytes = readFileBytes(first);
        EXPECT_EQ(bytes.find("Ticket   "), std::string::npos);
        EXPECT_NE(bytes.find("Play these  Tickets\r\n\r\nTicket Cost based on $1 US"),
                  std::string::npos);
        EXPECT_NE(bytes.find("Check All   Tickets. At Least 1 Ticket will have " +
                             std::to_string(kind) + " Numbers"),
                  std::string::npos);
        EXPECT_EQ(savedFilesMessage(first.string(), 0), "0 Files Saved\r\n" + first.string());
    }
    EXPECT_NE(readFileBytes(dir / "small5.txt").find("Play\r\n\r\n\r\nPlay these"),
              std::string::npos); // no numbers to list at n = 0
}

TEST(ComboWriter, FirstPathWithoutExtensionIsUsedAsItIs) {
    TempDir dir;
    ASSERT_TRUE(run(5, 7, 20, dir / "combos").ok);
    EXPECT_TRUE(fs::exists(dir / "combos"));
    EXPECT_FALSE(fs::exists(dir / "combos.txt"));
    EXPECT_EQ(readFileBytes(dir / "1.txt").substr(0, 32), "  Ticket   21    3  4  5  6  7\r\n");
}

TEST(ComboWriter, SecondRunReplacesTheNumberedFilesOfTheFirst) {
    TempDir dir;
    ASSERT_TRUE(run(6, 9, 20, dir / "first.txt").ok); // 84 tickets: 1.txt to 4.txt
    test::writeFileBytes(dir / "1.txt", std::string(100000, 'x'));
    ASSERT_TRUE(run(5, 7, 10, dir / "second.txt").ok); // 21 tickets: 1.txt and 2.txt

    EXPECT_EQ(readFileBytes(dir / "1.txt"), expectedTickets(5, 7, 11, 20) + footer(2, 3));
    EXPECT_EQ(readFileBytes(dir / "2.txt").substr(0, 32), "  Ticket   21    3  4  5  6  7\r\n");
    EXPECT_TRUE(fs::exists(dir / "4.txt")); // beyond the second run: left alone
}

// Were T a whole multiple of P, the last file holding tickets carries the trailer, right after its
// last ticket line, and no empty file follows.
TEST(ComboWriter, TotalThatIsAMultipleOfPerFileEndsInTheLastFileWithTickets) {
    for (const std::int64_t perFile : {14, 7, 28, 1}) {
        TempDir dir;
        const ComboOutcome outcome = run(6, 8, perFile, dir / "m.txt");
        ASSERT_TRUE(outcome.ok);
        const std::int64_t count = 28 / perFile;
        EXPECT_EQ(outcome.plan.fileCount, count);
        const fs::path last = comboFilePath((dir / "m.txt").string(), count);
        const std::string bytes = readFileBytes(last);
        const std::string lastTicket = expectedTickets(6, 8, 28, 28);
        EXPECT_NE(bytes.find(lastTicket + "\r\nTicket Cost based on $1 US\r\n"), std::string::npos)
            << "P = " << perFile;
        EXPECT_EQ(bytes.find("out of"), std::string::npos);
        EXPECT_FALSE(fs::exists(comboFilePath((dir / "m.txt").string(), count + 1)));
        if (count > 1) {
            EXPECT_NE(readFileBytes(comboFilePath((dir / "m.txt").string(), count - 1))
                          .find(footer(count - 1, count)),
                      std::string::npos);
        }
    }
}

TEST(ComboWriter, FileThatCannotBeCreatedStopsTheRunAndKeepsTheFilesBeforeIt) {
    TempDir dir;
    TempDir reference;
    ASSERT_TRUE(run(6, 9, 20, reference / "c.txt").ok);
    fs::create_directory(dir / "2.txt"); // the third file cannot be opened

    const ComboOutcome outcome = run(6, 9, 20, dir / "c.txt");
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.failedPath, (dir / "2.txt").string());
    EXPECT_EQ(outcome.reason, "Is a directory");
    EXPECT_EQ(outcome.filesCompleted, 2);
    EXPECT_EQ(readFileBytes(dir / "c.txt"), readFileBytes(reference / "c.txt"));
    EXPECT_EQ(readFileBytes(dir / "1.txt"), readFileBytes(reference / "1.txt"));
    EXPECT_FALSE(fs::exists(dir / "3.txt"));
    const std::string message = comboFailureMessage(outcome);
    EXPECT_NE(
        message.find("Cannot write file " + (dir / "2.txt").string() + ":\r\nIs a directory."),
        std::string::npos);
    EXPECT_NE(message.find("The 2 files saved before it are kept."), std::string::npos);
}

TEST(ComboWriter, FolderThatDoesNotExistFailsWithTheReason) {
    TempDir dir;
    const ComboOutcome outcome = run(6, 8, 400000, dir / "missing" / "c.txt");
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.reason, "No such file or directory");
    EXPECT_EQ(outcome.filesCompleted, 0);
    EXPECT_NE(comboFailureMessage(outcome).find("No file of this run was saved."),
              std::string::npos);
}

TEST(ComboWriter, FullDeviceFailsAndIsLeftInPlace) {
    const ComboOutcome outcome = run(6, 30, 1000000, "/dev/full"); // one file, 593,775 lines
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.failedPath, "/dev/full");
    EXPECT_EQ(outcome.reason, "No space left on device");
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

// The size limit of the process lets the first file through and stops the second part-way.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_savedHandler);
    }

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int);
};

TEST(ComboWriter, WriteFailurePartWayRemovesOnlyTheIncompleteFile) {
    // 84 tickets, 42 a file: the second file carries the trailer and is the larger one.
    TempDir reference;
    ASSERT_TRUE(run(6, 9, 42, reference / "c.txt").ok);
    const auto firstSize = fs::file_size(reference / "c.txt");
    const auto secondSize = fs::file_size(reference / "1.txt");
    ASSERT_GT(secondSize, firstSize);

    TempDir dir;
    ComboOutcome outcome;
    {
        const FileSizeLimit limit((firstSize + secondSize) / 2);
        outcome = run(6, 9, 42, dir / "c.txt");
    }
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.failedPath, (dir / "1.txt").string());
    EXPECT_EQ(outcome.reason, "File too large");
    EXPECT_EQ(outcome.ticketsWritten, 42);
    EXPECT_EQ(readFileBytes(dir / "c.txt"), readFileBytes(reference / "c.txt"));
    EXPECT_FALSE(fs::exists(dir / "1.txt"));
}

TEST(ComboWriter, FirstFileNamedLikeALaterOneIsRefusedBeforeWriting) {
    TempDir dir;
    const ComboOutcome outcome = run(6, 8, 10, dir / "2.txt"); // files: 2.txt, 1.txt, 2.txt
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.failure, ComboFailure::sameFile);
    EXPECT_EQ(outcome.failedPath, (dir / "2.txt").string());
    EXPECT_EQ(comboFailureMessage(outcome),
              "Cannot write file " + (dir / "2.txt").string() +
                  ":\r\nIt is the same file as \"2.txt\", a later file of this run, which would "
                  "replace it.\r\n\r\nNothing was written. Choose another name or folder, then "
                  "try again.");
    EXPECT_TRUE(fs::is_empty(dir.path()));

    EXPECT_TRUE(run(6, 8, 10, dir / "3.txt").ok); // 3.txt is not among the numbered files
    EXPECT_TRUE(run(6, 8, 10, dir / "02.txt").ok);
}

TEST(ComboWriter, ADeviceAsTheFirstFileOfSeveralIsRefusedBeforeWriting) {
    const ComboOutcome outcome = run(6, 8, 10, "/dev/null"); // three files
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.failure, ComboFailure::notAFile);
    EXPECT_EQ(comboFailureMessage(outcome),
              "Cannot write file /dev/null:\r\nIt is a device, not a file, and the other 2 files "
              "of this run would go beside it.\r\n\r\nNothing was written. Choose another name "
              "or folder, then try again.");
    EXPECT_TRUE(run(6, 8, 30, "/dev/null").ok); // one file: written into
}

TEST(ComboWriter, FolderThatAnotherRunWritesIntoIsRefusedBeforeWriting) {
    TempDir dir;
    ComboOutcome outcome;
    {
        const FolderLock otherRun(dir.path().string());
        outcome = run(6, 8, 10, dir / "c.txt");
    }
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.failure, ComboFailure::folderBusy);
    EXPECT_EQ(comboFailureMessage(outcome),
              "Cannot write into the folder " + dir.path().string() +
                  ":\r\nAnother run is writing its files into this folder.\r\n\r\nNothing was "
                  "written. Wait until that run has ended or choose another folder, then try "
                  "again.");
    EXPECT_TRUE(fs::is_empty(dir.path()));
    EXPECT_TRUE(run(6, 8, 10, dir / "c.txt").ok); // the lock has gone with the other run
}

TEST(ComboFilePlan, LargeRunsSplitAsTheMessageListsThem) {
    const ComboFilePlan pick6Of49 = planComboFiles(6, 49, 400000);
    EXPECT_EQ(pick6Of49.total, 13983816);
    EXPECT_EQ(pick6Of49.fileCount, 35);
    EXPECT_EQ(pick6Of49.lastTicket(1), 400000);
    EXPECT_EQ(pick6Of49.firstTicket(2), 400001);
    EXPECT_EQ(pick6Of49.firstTicket(35), 13600001);
    EXPECT_EQ(pick6Of49.lastTicket(35), 13983816);
    EXPECT_EQ(savedFileName("/home/p/all.txt", 35), "34.txt");
    EXPECT_EQ(comboFilePath("/home/p/all.txt", 35), "/home/p/34.txt");
    EXPECT_EQ(comboFilePath("all.txt", 2), "1.txt");

    const ComboFilePlan pick6Of60 = planComboFiles(6, 60, 200000);
    EXPECT_EQ(pick6Of60.total, 50063860);
    EXPECT_EQ(pick6Of60.fileCount, 251);
    const std::string message = savedFilesMessage("C.txt", pick6Of60.fileCount);
    EXPECT_EQ(message.substr(0, 21), "251 Files Saved\r\nC.tx");
    EXPECT_EQ(message.substr(message.size() - 16), "249.txt\r\n250.txt");

    EXPECT_EQ(planComboFiles(6, 60, 1).fileCount, 50063860); // one file a ticket
    EXPECT_EQ(planComboFiles(5, 60, 2147483647).fileCount, 1);
    EXPECT_EQ(planComboFiles(5, 39, 200000).fileCount, 3);
}

TEST(ComboFilePlan, RefusesValuesNoCallerMayPass) {
    EXPECT_THROW(planComboFiles(7, 10, 10), std::invalid_argument);
    EXPECT_THROW(planComboFiles(6, 61, 10), std::invalid_argument);
    EXPECT_THROW(planComboFiles(6, -1, 10), std::invalid_argument);
    EXPECT_THROW(planComboFiles(6, 10, 0), std::invalid_argument);
}

TEST(ComboWriter, ProgressComesAtABoundedRateAndEndsWithTheTotal) {
    TempDir dir;
    std::vector<std::int64_t> reports;
    const auto start = std::chrono::steady_clock::now();
    const ComboOutcome outcome = writeComboFiles(
        {6, 30, 400000, (dir / "p.txt").string()},
        [&reports](std::int64_t written) { reports.push_back(written); },
        std::chrono::milliseconds(20));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(outcome.ok);
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back(), 593775);
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
    EXPECT_LE(static_cast<std::int64_t>(reports.size()),
              std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() / 20 + 2);
}

} // namespace
} // namespace marlek
