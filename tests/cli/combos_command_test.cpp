// marlek-lotto-cli combos: the same files as the generator window's "Save As", the list of saved
// files on standard output, usage errors, write failures and the progress bar on a terminal; and
// what is on disk after a failure, a signal, links, and two runs at once.

#include "combo_writer.h"
#include "commands.h"
#include "file_output.h"
#include "run_cli.h"
#include "stop_signals.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace marlek {
namespace {

namespace fs = std::filesystem;
using test::filesIn;
using test::readFileBytes;
using test::runCli;
using test::TempDir;
using test::writeFileBytes;

bool endsWith(const std::string &text, const std::string &end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The files of a run folder that has no other files: `first`, then 1.txt, 2.txt, ... each whole
// (ending in its footer " k  out of F"), and no temporary file. Returns the count of files.
std::size_t expectWholeFilesOnly(const fs::path &dir, const std::string &first,
                                 std::int64_t fileCount) {
    const std::vector<std::string> names = filesIn(dir);
    std::size_t count = 0;
    for (std::int64_t ordinal = 1; ordinal <= fileCount; ++ordinal) {
        const std::string name = savedFileName(first, ordinal);
        if (!fs::exists(dir / name))
            break;
        ++count;
        const std::string bytes = readFileBytes(dir / name);
        const std::string footer =
            " " + std::to_string(ordinal) + "  out of " + std::to_string(fileCount) + "\r\n";
        EXPECT_TRUE(endsWith(
            bytes, ordinal < fileCount ? footer : "Good Luck in All Your Lotto Pursuits\r\n"))
            << name << " is not whole";
    }
    EXPECT_EQ(names.size(), count) << "more than the whole files of the run: " << names.size();
    return count;
}

TEST(CombosCommand, WritesTheWindowsFilesAndListsThem) {
    TempDir dir;
    TempDir reference;
    const std::string first = (dir / "c.txt").string();
    const test::CliResult result =
        runCli({"combos", "--kind", "5", "--field", "8", "--per-file", "20", "--out", first});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, ""); // not a terminal: no progress bar
    EXPECT_EQ(result.out, "3 Files Saved\n" + first + "\n1.txt\n2.txt\n");

    ASSERT_TRUE(writeComboFiles({5, 8, 20, (reference / "c.txt").string()}).ok);
    for (const char *name : {"c.txt", "1.txt", "2.txt"})
        EXPECT_EQ(readFileBytes(dir / name), readFileBytes(reference / name)) << name;
}

TEST(CombosCommand, PerFileDefaultsTo400000) {
    TempDir dir;
    const test::CliResult result =
        runCli({"combos", "--kind", "5", "--field", "37", "--out", (dir / "p5").string()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "2 Files Saved\n" + (dir / "p5").string() + "\n1.txt\n"); // 435,897
    EXPECT_EQ(readFileBytes(dir / "1.txt").substr(0, 17), "  Ticket   400001");
}

TEST(CombosCommand, FieldBelowTheKindSavesHeaderAndTrailerAndNoFileCount) {
    TempDir dir;
    const std::string first = (dir / "none.txt").string();
    const test::CliResult result =
        runCli({"combos", "--kind", "6", "--field", "5", "--out", first});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "0 Files Saved\n" + first + "\n");
    EXPECT_NE(readFileBytes(first).find("Play these  Tickets\r\n\r\nTicket Cost based on $1 US"),
              std::string::npos);
}

TEST(CombosCommand, BadInputIsAUsageErrorAndWritesNothing) {
    TempDir dir;
    const std::string out = (dir / "c.txt").string();
    const std::vector<std::vector<std::string>> cases{
        {"combos", "--kind", "6", "--field", "61", "--out", out},
        {"combos", "--kind", "6", "--field", "-1", "--out", out},
        {"combos", "--kind", "6", "--field", "ten", "--out", out},
        {"combos", "--kind", "4", "--field", "10", "--out", out},
        {"combos", "--kind", "6", "--field", "10", "--per-file", "0", "--out", out},
        {"combos", "--kind", "6", "--field", "10", "--per-file", "2147483648", "--out", out},
        {"combos", "--kind", "6", "--field", "10"},
        {"combos", "--kind", "6", "--out", out},
        {"combos", "--kind", "6", "--field", "10", "--out", ""},
    };
    for (const auto &args : cases) {
        const test::CliResult result = runCli(args);
        EXPECT_EQ(result.status, 2) << args[4];
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err, "");
    }
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(CombosCommand, WriteFailureExitsWithTheFileAndReasonAndKeepsEarlierFiles) {
    TempDir dir;
    fs::create_directory(dir / "1.txt");
    const std::string first = (dir / "c.txt").string();
    const test::CliResult result =
        runCli({"combos", "--kind", "6", "--field", "9", "--per-file", "30", "--out", first});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("cannot write \"" + (dir / "1.txt").string() + "\": Is a directory"),
              std::string::npos);
    EXPECT_NE(readFileBytes(first).find(" 1  out of 3\r\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "2.txt"));
}

TEST(CombosCommand, ProgressBarGoesToATerminalOnly) {
    TempDir dir;
    std::ostringstream out;
    std::ostringstream err;
    const int status =
        cli::run({"combos", "--kind", "6", "--field", "24", "--out", (dir / "c.txt").string()},
                 {out, err, true});
    EXPECT_EQ(status, 0);
    EXPECT_NE(err.str().find("Writing combinations ["), std::string::npos);
    EXPECT_NE(err.str().find("100%"), std::string::npos);
    EXPECT_EQ(out.str().find("Writing"), std::string::npos);
}

// A run whose first file is a link to a file, on a disk that fills up (a file size limit): the
// file the link points to keeps its old content, the link stays, and no temporary file is left.
TEST(CombosCommandFaults, AFailedRunLeavesALinkedFirstFileAndItsTargetAsTheyWere) {
    TempDir dir;
    TempDir elsewhere;
    TempDir logs;
    writeFileBytes(elsewhere / "mine.txt", "my old numbers\r\n");
    fs::create_symlink(elsewhere / "mine.txt", dir / "link.txt");
    const std::string first = (dir / "link.txt").string();
    const test::CliResult result = test::runCliProcess(
        {"combos", "--kind", "6", "--field", "9", "--per-file", "30", "--out", first}, logs.path(),
        test::withFileSizeLimit(512));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "marlek-lotto-cli: cannot write \"" + first +
                              "\": File too large (no file of this run was saved)\n");
    EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
    EXPECT_EQ(readFileBytes(elsewhere / "mine.txt"), "my old numbers\r\n");
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"link.txt"});
    EXPECT_EQ(filesIn(elsewhere.path()), std::vector<std::string>{"mine.txt"});
}

// The first file fits under the limit, the larger last one does not: the first stays whole and
// the player's own 1.txt is neither deleted nor altered.
TEST(CombosCommandFaults, AFailedRunKeepsTheFilesBeforeAndNeverTouchesAnOldNumberedFile) {
    TempDir reference;
    ASSERT_TRUE(writeComboFiles({6, 9, 42, (reference / "c.txt").string()}).ok);
    const auto firstSize = static_cast<rlim_t>(fs::file_size(reference / "c.txt"));
    ASSERT_GT(fs::file_size(reference / "1.txt"), firstSize); // it carries the trailer

    TempDir dir;
    TempDir logs;
    writeFileBytes(dir / "1.txt", "my own 1.txt");
    const std::string first = (dir / "c.txt").string();
    const test::CliResult result = test::runCliProcess(
        {"combos", "--kind", "6", "--field", "9", "--per-file", "42", "--out", first}, logs.path(),
        test::withFileSizeLimit(firstSize));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "marlek-lotto-cli: cannot write \"" + (dir / "1.txt").string() +
                              "\": File too large (the file saved before it is kept)\n");
    EXPECT_EQ(readFileBytes(dir / "c.txt"), readFileBytes(reference / "c.txt"));
    EXPECT_EQ(readFileBytes(dir / "1.txt"), "my own 1.txt");
    EXPECT_EQ(filesIn(dir.path()), (std::vector<std::string>{"1.txt", "c.txt"}));
}

// A first path that a later file of the run would replace, by name, by a link or by a hard link:
// bad input, refused before anything is written.
TEST(CombosCommandFaults, AFirstPathThatIsALaterFileIsRefusedBeforeAnythingIsWritten) {
    struct Case {
        const char *name;
        void (*prepare)(const fs::path &dir);
        const char *out;
    };
    const Case cases[] = {
        {"by name", [](const fs::path &) {}, "3.txt"},
        {"a link", [](const fs::path &dir) { fs::create_symlink("3.txt", dir / "first.txt"); },
         "first.txt"},
        {"a hard link",
         [](const fs::path &dir) { fs::create_hard_link(dir / "3.txt", dir / "first.txt"); },
         "first.txt"},
    };
    for (const Case &c : cases) {
        TempDir dir;
        writeFileBytes(dir / "3.txt", "my own 3.txt");
        c.prepare(dir.path());
        const std::vector<std::string> before = filesIn(dir.path());
        const std::string out = (dir / c.out).string();
        const test::CliResult result =
            runCli({"combos", "--kind", "6", "--field", "10", "--per-file", "30", "--out", out});
        EXPECT_EQ(result.status, 2) << c.name;
        EXPECT_EQ(result.out, "") << c.name;
        EXPECT_EQ(result.err, "marlek-lotto-cli: --out \"" + out +
                                  "\": It is the same file as \"3.txt\", a later file of this "
                                  "run, which would replace it; choose another name (bad input, "
                                  "nothing was written)\n")
            << c.name;
        EXPECT_EQ(filesIn(dir.path()), before) << c.name;
        EXPECT_EQ(readFileBytes(dir / "3.txt"), "my own 3.txt") << c.name;
    }
}

// The real program as it is and, when the tests run as root, as the user nobody too.
std::vector<test::CliProcessOptions> asRootAndAsAUser() {
    std::vector<test::CliProcessOptions> users(1);
    if (::geteuid() == 0 && std::system("setpriv --version > /dev/null 2>&1") == 0) {
        users.emplace_back().wrapper = {"setpriv", "--reuid=nobody", "--regid=nogroup",
                                        "--clear-groups"};
    }
    return users;
}

// A first path that is a device or a pipe (or a link to one) cannot have the numbered files
// beside it: a run of several files is refused before anything is written, by root and by a
// user alike, and nothing lands in /dev.
TEST(CombosCommandFaults, AFirstPathThatIsNoFileIsRefusedForARunOfSeveralFiles) {
    TempDir dir;
    TempDir logs;
    fs::permissions(dir.path(), fs::perms::all); // the user nobody looks in too
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0666), 0);
    fs::create_symlink("/dev/null", dir / "null-link");
    const bool devHadNumberedFiles = fs::exists("/dev/1.txt") || fs::exists("/dev/2.txt");
    struct Case {
        std::string out;
        const char *kind;
    };
    for (const test::CliProcessOptions &user : asRootAndAsAUser()) {
        for (const Case &c :
             {Case{"/dev/null", "a device"}, Case{(dir / "pipe").string(), "a pipe"},
              Case{(dir / "null-link").string(), "a device"}}) {
            const std::string who = user.wrapper.empty() ? "as is" : "as nobody";
            const test::CliResult result = test::runCliProcess(
                {"combos", "--kind", "6", "--field", "8", "--per-file", "10", "--out", c.out},
                logs.path(), user);
            EXPECT_EQ(result.status, 2) << c.out << " " << who;
            EXPECT_EQ(result.out, "") << c.out << " " << who;
            EXPECT_EQ(result.err, "marlek-lotto-cli: --out \"" + c.out + "\": It is " + c.kind +
                                      ", not a file, and the other 2 files of this run would go "
                                      "beside it; choose another name (bad input, nothing was "
                                      "written)\n")
                << who;
        }
    }
    EXPECT_EQ(filesIn(dir.path()), (std::vector<std::string>{"null-link", "pipe"}));
    if (!devHadNumberedFiles) {
        EXPECT_FALSE(fs::exists("/dev/1.txt") || fs::exists("/dev/2.txt"));
    }
}

// A run of one file writes into a device or a pipe, and takes no lock on its folder: another
// run holding /dev does not keep it waiting.
TEST(CombosCommandFaults, ARunOfOneFileWritesIntoADeviceOrAPipe) {
    const FolderLock otherRun("/dev");
    const test::CliResult toNull =
        runCli({"combos", "--kind", "5", "--field", "8", "--out", "/dev/null"});
    EXPECT_EQ(toNull.status, 0) << toNull.err;
    EXPECT_EQ(toNull.out, "1 Files Saved\n/dev/null\n");

    TempDir dir;
    TempDir reference;
    const fs::path pipe = dir / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
    std::string piped;
    std::thread reader([&] { piped = readFileBytes(pipe); });
    const test::CliResult toPipe =
        runCli({"combos", "--kind", "5", "--field", "8", "--out", pipe.string()});
    // A run that failed before it opened the pipe leaves the reader waiting: let it go.
    if (const int unblock = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK); unblock >= 0)
        ::close(unblock);
    reader.join();
    EXPECT_EQ(toPipe.status, 0) << toPipe.err;
    ASSERT_TRUE(writeComboFiles({5, 8, 400000, (reference / "c.txt").string()}).ok);
    EXPECT_EQ(piped, readFileBytes(reference / "c.txt"));
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"pipe"});
}

// A numbered file planted as a link to a file elsewhere: the link is replaced, the file elsewhere
// is left alone.
TEST(CombosCommandFaults, NumberedFilesNeverFollowALink) {
    TempDir dir;
    TempDir elsewhere;
    writeFileBytes(elsewhere / "theirs.txt", "not for the lotto");
    fs::create_symlink(elsewhere / "theirs.txt", dir / "2.txt");
    const test::CliResult result = runCli({"combos", "--kind", "6", "--field", "10", "--per-file",
                                           "30", "--out", (dir / "c.txt").string()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(readFileBytes(elsewhere / "theirs.txt"), "not for the lotto");
    EXPECT_FALSE(fs::is_symlink(dir / "2.txt"));
    EXPECT_TRUE(readFileBytes(dir / "2.txt").starts_with("  Ticket   61    "));
}

TEST(CombosCommandFaults, ALinkToNothingIsRefused) {
    TempDir dir;
    fs::create_symlink(dir / "gone" / "c.txt", dir / "link.txt");
    const std::string first = (dir / "link.txt").string();
    const test::CliResult result =
        runCli({"combos", "--kind", "6", "--field", "10", "--per-file", "30", "--out", first});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "marlek-lotto-cli: cannot write \"" + first + "\": It is a link to \"" +
                              (dir / "gone" / "c.txt").string() +
                              "\", which does not exist (no file of this run was saved)\n");
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"link.txt"});
}

// A run long enough to be stopped part-way: 39 files of 100,000 tickets.
std::vector<std::string> longRun(const fs::path &first) {
    return {"combos",     "--kind", "6",     "--field",     "40",
            "--per-file", "100000", "--out", first.string()};
}
constexpr std::int64_t kLongRunFiles = 39;

// Ctrl+C, SIGTERM and SIGHUP sent by the test part-way through a run: the files finished before
// stay whole, the one being written never appears, no temporary file is left, the message says
// what was kept and the status is 128 + the signal. After SIGKILL at most the temporary file
// remains.
TEST(CombosCommandFaults, ASignalPartWayLeavesWholeFilesOnly) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGKILL}) {
        TempDir dir;
        TempDir logs;
        test::CliProcess run(longRun(dir / "c.txt"), logs.path());
        ASSERT_TRUE(test::waitUntil([&] { return fs::exists(dir / "2.txt"); }));
        ::kill(run.pid(), signal);
        const test::CliResult result = run.wait();
        EXPECT_EQ(result.status, 128 + signal);
        if (signal == SIGKILL) {
            std::size_t temporary = 0;
            for (const std::string &name : filesIn(dir.path())) {
                if (name.starts_with(".marlek-")) {
                    fs::remove(dir / name);
                    ++temporary;
                }
            }
            EXPECT_LE(temporary, 1u);
        }
        const std::size_t kept = expectWholeFilesOnly(dir.path(), "c.txt", kLongRunFiles);
        EXPECT_GE(kept, 3u);
        if (signal != SIGKILL) {
            EXPECT_EQ(
                result.err,
                "marlek-lotto-cli: stopped by " + signalName(signal) + " while writing \"" +
                    comboFilePath((dir / "c.txt").string(), static_cast<std::int64_t>(kept) + 1) +
                    "\" (the " + std::to_string(kept) + " files saved before it are kept)\n");
        }
    }
}

// Two runs into one folder at once: the second is refused at once, nothing of it is written, and
// the first one's files are not mixed with anything. Once the first has ended, the folder is free.
TEST(CombosCommandFaults, ASecondRunIntoTheSameFolderIsRefusedWhileTheFirstWrites) {
    TempDir dir;
    TempDir logs;
    test::CliProcess first(longRun(dir / "a.txt"), logs.path());
    ASSERT_TRUE(test::waitUntil([&] { return fs::exists(dir / "1.txt"); }));
    const test::CliResult second = runCli({"combos", "--kind", "5", "--field", "20", "--per-file",
                                           "1000", "--out", (dir / "b.txt").string()});
    EXPECT_EQ(second.status, 1);
    EXPECT_EQ(second.out, "");
    EXPECT_EQ(second.err, "marlek-lotto-cli: cannot write into \"" + dir.path().string() +
                              "\": Another run is writing its files into this folder (nothing "
                              "was written; wait until that run has ended or choose another "
                              "folder)\n");
    ::kill(first.pid(), SIGTERM);
    EXPECT_EQ(first.wait().status, 128 + SIGTERM);
    expectWholeFilesOnly(dir.path(), "a.txt", kLongRunFiles);

    const test::CliResult after = runCli({"combos", "--kind", "5", "--field", "20", "--per-file",
                                          "10000", "--out", (dir / "b.txt").string()});
    EXPECT_EQ(after.status, 0) << after.err;
}

// Every file is synced before it is renamed into place, and the folder after the last rename, so
// the files announced as saved are on disk after a power loss. Seen from outside, with strace.
TEST(CombosCommandFaults, EveryFileIsSyncedBeforeItsRenameAndTheFolderAfterTheLast) {
    if (std::system("strace -V > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "strace is not installed";
    TempDir dir;
    TempDir logs;
    const fs::path trace = logs / "trace";
    test::CliProcessOptions traced;
    traced.hideLeaks = true;
    traced.wrapper = {"strace", "-f",          "-qq", "-e", "trace=fsync,rename,renameat,renameat2",
                      "-o",     trace.string()};
    const test::CliResult result =
        test::runCliProcess({"combos", "--kind", "6", "--field", "10", "--per-file", "30", "--out",
                             (dir / "c.txt").string()},
                            logs.path(), traced);
    if (result.status != 0 && !fs::exists(trace))
        GTEST_SKIP() << "strace cannot trace here: " << result.err;
    ASSERT_EQ(result.status, 0) << result.err;
    std::vector<std::string> calls; // "fsync" or "rename" per traced call, in order
    std::istringstream lines(readFileBytes(trace));
    for (std::string line; std::getline(lines, line);)
        calls.push_back(line.find(" fsync(") != std::string::npos ? "fsync" : "rename");
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "rename"), 7);
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (calls[i] == "rename") {
            EXPECT_TRUE(i > 0 && calls[i - 1] == "fsync")
                << "rename " << i << " of an unsynced file";
        }
    }
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[calls.size() - 2], "rename");
    EXPECT_EQ(calls.back(), "fsync") << "the folder is not synced after the last rename";
}

} // namespace
} // namespace marlek
