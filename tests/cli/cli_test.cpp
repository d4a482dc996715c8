// The rules every command keeps: help, usage errors, I/O failures, and the files behind --out.

#include "run_cli.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace marlek {
namespace {

using test::filesIn;
using test::runCli;
using test::TempDir;

TEST(CliHelp, PrintsUsageOnStandardOutputAloneOrAfterACommand) {
    struct Case {
        std::vector<std::string> args;
        const char *shows;
    };
    for (const Case &c : {Case{{"--help"}, "report"}, Case{{"-h"}, "verify"},
                          Case{{"report", "--help"}, "--numbers"},
                          Case{{"report", "--kind", "9", "--help"}, "--numbers"},
                          Case{{"verify", "-h"}, "verify --kind 6"}}) {
        const auto result = runCli(c.args);
        EXPECT_EQ(result.status, 0) << c.args.front();
        EXPECT_NE(result.out.find(c.shows), std::string::npos) << result.out;
        EXPECT_NE(result.out.find("xample"), std::string::npos) << result.out;
        EXPECT_EQ(result.err, "");
    }
}

TEST(CliUsageErrors, ExitWithTwoAndOneMessageAndWriteNothing) {
    TempDir dir;
    const std::string out = (dir / "report.txt").string();
    struct Case {
        std::vector<std::string> args;
        const char *says;
    };
    const std::vector<Case> cases = {
        {{}, "no command given"},
        {{"frob"}, "unknown command \"frob\""},
        {{"-x"}, "unknown option \"-x\""},
        {{"report", "--kind", "5", "--wheel", "0", "--bogus", "--out", out}, "--bogus"},
        {{"report", "--wheel", "0", "--out", out}, "--kind is required"},
        {{"report", "--kind", "--wheel", "0", "--out", out}, "--kind"},
        {{"report", "--kind", "7", "--wheel", "0", "--out", out}, "5 (Pick 5) or 6 (Pick 6)"},
        {{"report", "--kind", "five", "--wheel", "0", "--out", out}, "not \"five\""},
        {{"report", "--kind", "5", "--out", out}, "--wheel I"},
        {{"report", "--kind", "5", "--wheel", "x1", "--out", out}, "--wheel: must be a whole"},
        {{"report", "--kind", "5", "--wheel", "99999999999999999999", "--out", out}, "--wheel"},
        {{"report", "--kind", "5", "--wheel", "15", "--out", out}, "Pick 5 has no wheel 15"},
        {{"report", "--kind", "5", "--wheel", "34", "--out", out}, "Pick 5 has no wheel 34"},
        {{"report", "--kind", "6", "--wheel", "-1", "--out", out}, "--wheel"},
        {{"report", "--kind", "5", "--wheel", "0", "--full", "7", "--out", out}, "excludes"},
        {{"report", "--kind", "6", "--full", "5", "--out", out}, "6 to 60 numbers, not 5"},
        {{"report", "--kind", "5", "--full", "61", "--out", out}, "from 5 to 60"},
        {{"report", "--kind", "5", "--wheel", "0", "--numbers", "1,2,3", "--out", out},
         "7 numbers needed, 3 given"},
        {{"report", "--kind", "5", "--wheel", "0", "--numbers", "1,2,3,4,5,6,3", "--out", out},
         "3 is given twice"},
        {{"report", "--kind", "5", "--wheel", "0", "--numbers", "1,2,3,4,5,6,100", "--out", out},
         "100 is not a number from 1 to 99"},
        {{"report", "--kind", "5", "--wheel", "0", "--numbers", "1,2,,4,5,6,7", "--out", out},
         "\"\" is not a whole number"},
        {{"report", "--kind", "5", "--wheel", "0", "--numbers", "0,2,3,4,5,6,7", "--out", out},
         "0 is not a number"},
        {{"report", "--kind", "5", "--wheel", "0", "--out", ""}, "--out: the file name is empty"},
        {{"verify", "--kind", "4"}, "--kind"},
        {{"verify", "extra"}, "extra"},
    };
    for (const Case &c : cases) {
        const auto result = runCli(c.args);
        const std::string shown = c.args.empty() ? "(none)" : c.args.back();
        EXPECT_EQ(result.status, 2) << c.says;
        EXPECT_EQ(result.out, "") << c.says;
        EXPECT_TRUE(result.err.starts_with("marlek-lotto-cli: ")) << result.err;
        EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    EXPECT_TRUE(filesIn(dir.path()).empty());
}

struct IoCase {
    const char *name;
    std::string path;
    const char *reason;
};

TEST(CliIoFailures, ExitWithOneNamingThePathAndTheReason) {
    TempDir dir;
    test::writeFileBytes(dir / "plain-file", "x");
    const std::vector<IoCase> cases = {
        {"missing folder", (dir / "no-such-folder" / "r.txt").string(),
         "No such file or directory"},
        {"parent is a file", (dir / "plain-file" / "r.txt").string(), "Not a directory"},
        {"a folder", dir.path().string(), "Is a directory"},
        {"full device", "/dev/full", "No space left on device"},
    };
    for (const IoCase &c : cases) {
        const auto result = runCli({"report", "--kind", "6", "--wheel", "14", "--out", c.path});
        EXPECT_EQ(result.status, 1) << c.name;
        EXPECT_EQ(result.out, "") << c.name;
        EXPECT_EQ(
            result.err,
            "marlek-lotto-cli: cannot " +
                std::string(c.path == "/dev/full" || c.path == dir.path() ? "write" : "create") +
                " \"" + c.path + "\": " + c.reason + "\n")
            << c.name;
    }
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"plain-file"});
    EXPECT_EQ(test::readFileBytes(dir / "plain-file"), "x");
}

// Runs the command in a child whose file size limit stops the write part-way.
int runWithFileSizeLimit(const std::vector<std::string> &args, rlim_t limit) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &small);
        std::_Exit(test::runCli(args).status);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CliIoFailures, LeaveAnExistingFileAsItWasWhenTheNewOneCannotBeWritten) {
    TempDir dir;
    const auto target = dir / "report.txt";
    test::writeFileBytes(target, "the report saved yesterday\r\n");
    // A full wheel of 27,132 lines is far beyond 1 MiB: the buffer is written out and fails.
    EXPECT_EQ(runWithFileSizeLimit(
                  {"report", "--kind", "6", "--full", "19", "--out", target.string()}, 4096),
              1);
    EXPECT_EQ(test::readFileBytes(target), "the report saved yesterday\r\n");
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"report.txt"}); // no temporary left
}

// A standard output that refuses every byte, as a full disk behind a redirection would.
struct RefusingBuffer : std::streambuf {
    int overflow(int) override { return traits_type::eof(); }
    std::streamsize xsputn(const char *, std::streamsize) override { return 0; }
};

TEST(CliIoFailures, StopAtTheFirstLineStandardOutputRefuses) {
    RefusingBuffer refusing;
    std::ostream out(&refusing);
    std::ostringstream err;
    const int status = cli::run({"report", "--kind", "6", "--full", "60"}, {out, err, false});
    EXPECT_EQ(status, 1); // at once, not after 50 million lines
    EXPECT_EQ(err.str(), "marlek-lotto-cli: cannot write to standard output\n");
}

// Values are shown with their control characters escaped, so a message stays one line and cannot
// steer the terminal; unexpected words are listed in the order given.
TEST(CliMessages, ShowValuesEscapedAndInTheirOrder) {
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"odds", "--kind", "5\x1b[2J"},
         "--kind: must be 5 (Pick 5) or 6 (Pick 6), not \"5\\x1b[2J\""},
        {{"report", "--kind", "6", "--wheel", "9", "--out", "/no-such-folder/a\nb\t\x7f"},
         "cannot create \"/no-such-folder/a\\nb\\t\\x7f\": No such file or directory"},
        {{"combos", "--kind", "6", "--field", "49", "--out", "x", "--foo", "bar"},
         "The following arguments were not expected: --foo bar"},
        {{"odds", "--kind", "5", "extra"}, "The following argument was not expected: extra"},
        // C1 controls, as UTF-8 and as bare bytes, and a byte-order mark.
        {{"odds", "--kind",
          "5\xc2\x9b"
          "2J"},
         "--kind: must be 5 (Pick 5) or 6 (Pick 6), not \"5\\u009b2J\""},
        {{"odds", "--kind",
          "5\x9b"
          "2J"},
         "--kind: must be 5 (Pick 5) or 6 (Pick 6), not \"5\\x9b2J\""},
        {{"report", "--kind", "5", "--wheel", "0", "--numbers",
          "\xef\xbb\xbf"
          "3,11,17,25,33,40,42"},
         "--numbers: \"<byte-order mark U+FEFF>3\" is not a whole number (give the numbers "
         "separated by commas, e.g. 3,11,17)"},
    };
    for (const Case &c : cases) {
        const auto result = runCli(c.args);
        EXPECT_EQ(result.err, "marlek-lotto-cli: " + c.message + "\n");
    }
}

// Bytes of a wheel file in a message: a NUL no longer cuts it short, a byte-order mark is named,
// C1 controls never reach the terminal; and a file the system cannot read says the system's
// reason (exit 1), as check says it. Seen on the real program's standard error.
TEST(CliMessages, ShowTheBytesOfAFileAndTheSystemsReasonForAReadError) {
    TempDir dir;
    TempDir logs;
    const std::string wheel = (dir / "wheel.txt").string();
    struct Case {
        std::string bytes;
        std::string message;
    };
    const Case cases[] = {
        {std::string("6 20 3 6\n1 2 3 4 5 6\0 and the rest\n", 33),
         "line 2: \"6\\x00\" is not a whole number"},
        {"\xef\xbb\xbf"
         "6 20 3 6\n1 2 3 4 5 6\n",
         "line 1: the file begins with a byte-order mark (U+FEFF), which a wheel file does not "
         "have; save it as plain text without one"},
        {"6 20 3 6\n1 2 3 4 5 \xc2\x9b"
         "6\n",
         "line 2: \"\\u009b6\" is not a whole number"},
    };
    for (const Case &c : cases) {
        test::writeFileBytes(wheel, c.bytes);
        for (const char *command : {"verify", "report"}) {
            const auto result = test::runCliProcess({command, "--wheel-file", wheel}, logs.path());
            EXPECT_EQ(result.status, 2) << command;
            EXPECT_EQ(result.err, "marlek-lotto-cli: --wheel-file: \"" + wheel +
                                      "\" is no wheel file: " + c.message + "\n")
                << command;
        }
    }
    // Reading this process's memory at address 0 fails with EIO.
    for (const char *command : {"verify", "report", "check"}) {
        std::vector<std::string> args{command};
        if (std::string(command) == "check")
            args.insert(args.end(), {"--report", "/proc/self/mem", "--draw", "1,2,3,4,5"});
        else
            args.insert(args.end(), {"--wheel-file", "/proc/self/mem"});
        const auto result = test::runCliProcess(args, logs.path());
        EXPECT_EQ(result.status, 1) << command;
        EXPECT_EQ(result.err,
                  "marlek-lotto-cli: cannot read \"/proc/self/mem\": Input/output error\n")
            << command;
    }
}

// A count of one is said in the singular.
TEST(CliMessages, SayOneThingInTheSingular) {
    TempDir dir;
    const std::string wheel = (dir / "wheel.txt").string();
    test::writeFileBytes(wheel, "1 1 1 1\n1\n");
    const auto report = runCli({"report", "--wheel-file", wheel});
    EXPECT_EQ(report.err, "marlek-lotto-cli: --wheel-file: reports are for Pick 5 and Pick 6 "
                          "wheels, and this wheel has 1 number a ticket\n");
    test::writeFileBytes(wheel, "1 1 1 1\n1 1\n");
    EXPECT_NE(
        runCli({"verify", "--wheel-file", wheel}).err.find("line 2: 1 number needed, 2 given"),
        std::string::npos);
    const auto design = runCli({"design", "--kind", "6", "--numbers", "6", "--guarantee", "6/6"});
    EXPECT_EQ(design.status, 0) << design.err;
    EXPECT_TRUE(design.err.starts_with("1 ticket for 6 of 6 over 6 numbers")) << design.err;
}

// Standard output on a full device: the system's reason, for a command's lines and for --help.
TEST(CliIoFailures, AFullStandardOutputSaysWhy) {
    TempDir logs;
    test::CliProcessOptions full;
    full.stdoutPath = "/dev/full";
    for (const std::vector<std::string> &args :
         {std::vector<std::string>{"odds", "--kind", "5"}, std::vector<std::string>{"--help"},
          std::vector<std::string>{"combos", "--help"}}) {
        const auto result = test::runCliProcess(args, logs.path(), full);
        EXPECT_EQ(result.status, 1) << args.front();
        EXPECT_EQ(result.err,
                  "marlek-lotto-cli: cannot write to standard output: No space left on device\n")
            << args.front();
    }
}

} // namespace
} // namespace marlek
