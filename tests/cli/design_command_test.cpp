// marlek-lotto-cli design: a proven wheel file and one summary line; bad requests change nothing.

#include "run_cli.h"
#include "temp_dir.h"

#include "wheel_file.h"
#include "wheel_verify.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <mutex>
#include <sstream>
#include <streambuf>
#include <thread>

namespace marlek {
namespace {

using test::runCli;

PlainWheel wheelFrom(const std::string &text) {
    std::istringstream in(text);
    return readWheelFile(in);
}

TEST(DesignCommand, WritesAProvenWheelFileAndOneSummaryLine) {
    test::TempDir dir;
    const std::string path = (dir / "wheel.txt").string();
    // The catalogue's 3 of 5 over 11 numbers is already at the best known (5): it ends at once.
    const auto result = runCli({"design", "--kind", "5", "--numbers", "11", "--guarantee", "3/5",
                                "--seed", "7", "--out", path});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(result.out.starts_with("5 tickets for 3 of 5 over 11 numbers, 5 a ticket, "
                                       "proven; best known 5; catalogue 5; lower bound 3; "))
        << result.out;
    const std::string bytes = test::readFileBytes(path);
    EXPECT_TRUE(bytes.starts_with("5 11 3 5\r\n")) << bytes;
    const PlainWheel wheel = wheelFrom(bytes);
    EXPECT_EQ(wheel.tickets.size(), 5u);
    EXPECT_TRUE(meetsGuarantee(wheel));
    EXPECT_EQ(runCli({"verify", "--wheel-file", path}).status, 0);
}

TEST(DesignCommand, PutsKeyNumbersInEveryTicketAndComparesTheWheelWithoutThem) {
    // With key 1, "4 of 6" over 12 numbers is "3 of 5" over 11: the catalogue has it at the
    // best known, 5 tickets, so it ends at once.
    test::TempDir dir;
    const std::string path = (dir / "wheel.txt").string();
    const auto result = runCli({"design", "--kind", "6", "--numbers", "12", "--guarantee", "4/6",
                                "--keys", "1", "--out", path});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(result.out.starts_with(
        "5 tickets for 4 of 6 over 12 numbers, 6 a ticket, key number 1 in every ticket, proven "
        "for the draws that hold the keys; without the keys 3 of 5 over 11 numbers, 5 a ticket: "
        "best known 5; catalogue 5; "))
        << result.out;
    const PlainWheel wheel = wheelFrom(test::readFileBytes(path));
    EXPECT_EQ(wheel.keys, 1);
    EXPECT_TRUE(test::readFileBytes(path).starts_with("6 12 4 6 1\r\n"));
    EXPECT_TRUE(meetsGuarantee(wheel));
    EXPECT_GT(countUncovered(wheel.tickets, 12, 4, 6), 0u); // only with the key drawn

    const auto verified = runCli({"verify", "--wheel-file", path});
    EXPECT_EQ(verified.status, 0) << verified.out;
    EXPECT_TRUE(verified.out.ends_with("6\t4\t4\tok\n")) << verified.out;
}

TEST(DesignCommand, PrintsTheWheelAndPutsTheSummaryOnStandardError) {
    const auto result = runCli({"design", "--kind", "6", "--numbers", "8", "--guarantee", "5/6",
                                "--seconds", "5", "--threads", "2"});
    EXPECT_EQ(result.status, 0) << result.err;
    const PlainWheel wheel = wheelFrom(result.out);
    EXPECT_EQ(wheel.tickets.size(), 4u); // four missed pairs touching seven numbers: the optimum
    EXPECT_TRUE(meetsGuarantee(wheel));
    EXPECT_TRUE(result.err.starts_with("4 tickets for 5 of 6 over 8 numbers, 6 a ticket, proven; "
                                       "best known 4; catalogue 8; lower bound 3; "))
        << result.err;

    // Schönheim's bound for every pair of 8 numbers in tickets of six is 3, and 3 are found.
    const auto pairs = runCli({"design", "--kind", "6", "--numbers", "8", "--guarantee", "2/2"});
    EXPECT_EQ(pairs.status, 0) << pairs.err;
    EXPECT_NE(pairs.err.find("; lower bound 3 (met: no wheel is smaller); "), std::string::npos)
        << pairs.err;
}

TEST(DesignCommand, OrbitSearchesOnlyWheelsWithATurnSymmetry) {
    test::TempDir dir;
    const std::string path = (dir / "wheel.txt").string();
    const auto found = runCli({"design", "--kind", "6", "--numbers", "20", "--guarantee", "3/6",
                               "--orbit", "10/1", "--out", path});
    EXPECT_EQ(found.status, 0) << found.err;
    EXPECT_TRUE(found.out.starts_with("10 tickets for 3 of 6 over 20 numbers, 6 a ticket, "
                                      "proven; best known 10; catalogue 17; "))
        << found.out;
    EXPECT_EQ(runCli({"verify", "--wheel-file", path}).status, 0);

    // A third figure adds still tickets: here three tickets of two whole rings of three.
    const auto still = runCli(
        {"design", "--kind", "6", "--numbers", "12", "--guarantee", "4/6", "--orbit", "3/1/3"});
    EXPECT_EQ(still.status, 0) << still.err;
    EXPECT_TRUE(still.err.starts_with("6 tickets for 4 of 6 over 12 numbers")) << still.err;

    // Too few base tickets for the guarantee: nothing found, nothing written.
    const auto missed = runCli({"design", "--kind", "6", "--numbers", "14", "--guarantee", "4/6",
                                "--orbit", "7/1", "--seconds", "1", "--out", path + "2"});
    EXPECT_EQ(missed.status, 1);
    EXPECT_TRUE(missed.err.starts_with("marlek-lotto-cli: design: no wheel found in "))
        << missed.err;
    EXPECT_TRUE(missed.err.ends_with(" s; give it more --seconds or another --orbit\n"))
        << missed.err;
    EXPECT_FALSE(std::filesystem::exists(path + "2"));
}

TEST(DesignCommand, AFreshStartLeavesTheKnownWheelsOut) {
    // The program's table holds 3 of 6 over 20 numbers in 10 tickets, which a design returns at
    // once; from a greedy start, one second of the free search ends far above it.
    const auto known = runCli({"design", "--kind", "6", "--numbers", "20", "--guarantee", "3/6"});
    EXPECT_EQ(wheelFrom(known.out).tickets.size(), 10u);
    const auto fresh = runCli({"design", "--kind", "6", "--numbers", "20", "--guarantee", "3/6",
                               "--fresh-start", "--seconds", "1"});
    EXPECT_EQ(fresh.status, 0) << fresh.err;
    const PlainWheel wheel = wheelFrom(fresh.out);
    EXPECT_GT(wheel.tickets.size(), 10u);
    EXPECT_TRUE(meetsGuarantee(wheel));
}

TEST(DesignCommand, KeepsToTheTicketBudgetAndSaysTheShareOfDrawsItMeets) {
    // Each ticket of six out of eight misses a pair of numbers, and a drawn pair that touches
    // both missed pairs meets no ticket: two tickets missing disjoint pairs leave 4 of the 28
    // pairs out, the fewest two tickets can.
    test::TempDir dir;
    const std::string path = (dir / "wheel.txt").string();
    const auto result = runCli({"design", "--kind", "6", "--numbers", "8", "--guarantee", "2/2",
                                "--tickets", "2", "--seconds", "1", "--out", path});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(
        result.out.starts_with("2 tickets for 2 of 2 over 8 numbers, 6 a ticket: meets "
                               "the guarantee for 24 of 28 draws of 2 (85.7%); best known "))
        << result.out;
    const PlainWheel wheel = wheelFrom(test::readFileBytes(path));
    EXPECT_EQ(wheel.tickets.size(), 2u);
    EXPECT_EQ(countUncovered(wheel.tickets, 8, 2, 2), 4u);
    // The file still names the guarantee it falls short of, and the proof says so.
    EXPECT_EQ(runCli({"verify", "--wheel-file", path}).status, 1);
}

// Standard error as a terminal sees it, read while the command runs: the test waits for the
// progress line to name a wheel before it presses Ctrl-C.
class WatchedStream : public std::streambuf {
public:
    bool saw(const std::string &text) {
        const std::lock_guard lock(m_mutex);
        return m_text.find(text) != std::string::npos;
    }

protected:
    int_type overflow(int_type c) override {
        if (c != traits_type::eof()) {
            const std::lock_guard lock(m_mutex);
            m_text += static_cast<char>(c);
        }
        return c;
    }

private:
    std::mutex m_mutex;
    std::string m_text;
};

TEST(DesignCommand, CtrlCEndsTheSearchAndStillWritesTheProvenWheel) {
    test::TempDir dir;
    const std::string path = (dir / "wheel.txt").string();
    std::ostringstream out;
    WatchedStream watched;
    std::ostream err(&watched);
    std::atomic<bool> done{false};
    std::jthread interrupter([&] {
        while (!done && !watched.saw(" tickets   "))
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!done)
            std::raise(SIGINT);
    });
    // No best known is listed for this shape, so nothing but the interrupt ends the search.
    const int status = cli::run({"design", "--kind", "6", "--numbers", "31", "--guarantee", "3/6",
                                 "--seconds", "86400", "--out", path},
                                {out, err, true});
    done = true;
    interrupter.join();
    ASSERT_EQ(status, 0);
    EXPECT_TRUE(out.str().ends_with("(stopped early)\n")) << out.str();
    EXPECT_TRUE(meetsGuarantee(wheelFrom(test::readFileBytes(path))));
}

TEST(DesignCommand, RefusesABadRequestWritingNothing) {
    test::TempDir dir;
    const std::string path = (dir / "wheel.txt").string();
    struct Case {
        std::vector<std::string> args;
        const char *says;
    };
    const std::vector<Case> cases = {
        {{"--numbers", "20", "--guarantee", "3/6"}, "--kind is required"},
        {{"--kind", "6", "--guarantee", "3/6"}, "--numbers is required"},
        {{"--kind", "6", "--numbers", "20"}, "--guarantee is required"},
        {{"--kind", "6", "--numbers", "50", "--guarantee", "3/6"}, "from 1 to 49"},
        {{"--kind", "6", "--numbers", "5", "--guarantee", "3/6"},
         "design: a wheel of 6 numbers a ticket plays 6 to 49 numbers, not 5"},
        {{"--kind", "6", "--numbers", "20", "--guarantee", "3"}, "give it as T/M"},
        {{"--kind", "6", "--numbers", "20", "--guarantee", "3/-6"}, "not \"3/-6\""},
        {{"--kind", "6", "--numbers", "20", "--guarantee", "4/3"},
         "the guarantee's drawn numbers (m) must be from 4 to 20, not 3"},
        {{"--kind", "5", "--numbers", "49", "--guarantee", "3/9"},
         "design: the guarantee's drawn numbers (m) must be from 3 to 5, not 9: a draw holds no "
         "more numbers than the 5 of a ticket"},
        {{"--kind", "6", "--numbers", "20", "--guarantee", "3/10"},
         "design: the guarantee's drawn numbers (m) must be from 3 to 6, not 10"},
        // Every set of 5 of 26 numbers as a ticket: more tickets than a wheel may hold.
        {{"--kind", "5", "--numbers", "26", "--guarantee", "5/5"},
         "design: no wheel of at most 65,535 tickets keeps 5 of 5 over 26 numbers, 5 a ticket: it "
         "needs at least 65,780 tickets (Schönheim's bound)"},
        {{"--kind", "6", "--numbers", "20", "--guarantee", "3/7", "--orbit", "10/1"},
         "design: the guarantee's drawn numbers (m) must be from 3 to 6, not 7"},
        {{"--kind", "6", "--numbers", "20", "--guarantee", "3/6", "--seconds", "0"}, "--seconds"},
        {{"--kind", "6", "--numbers", "20", "--guarantee", "3/6", "--threads", "x"}, "--threads"},
        {{"--kind", "6", "--numbers", "20", "--guarantee", "3/6", "--tickets", "0"}, "--tickets"},
        {{"--kind", "6", "--numbers", "20", "--guarantee", "3/6", "--tickets", "x"}, "--tickets"},
        {{"--kind", "6", "--numbers", "20", "--guarantee", "3/6", "--keys", "3"},
         "design: the key numbers (c) must be from 0 to 2, fewer than the guarantee's matches "
         "(t), not 3"},
        {{"--kind", "6", "--numbers", "20", "--guarantee", "3/6", "--keys", "-1"}, "--keys"},
        {{"--kind", "6", "--numbers", "20", "--guarantee", "3/6", "--orbit", "10"},
         "give it as H/B or H/B/S"},
        {{"--kind", "6", "--numbers", "20", "--guarantee", "3/6", "--orbit", "10/1/x"},
         "give it as H/B or H/B/S"},
        {{"--kind", "5", "--numbers", "9", "--guarantee", "4/5", "--orbit", "3/2/1"},
         "design: no ticket of 5 numbers stays as it is when 9 numbers turn in rings of 3"},
        {{"--kind", "6", "--numbers", "20", "--guarantee", "3/6", "--orbit", "21/1"},
         "design: the turn must be 2 to 20 numbers long, not 21"},
        {{"--kind", "6", "--numbers", "20", "--guarantee", "3/6", "--orbit", "10/1", "--tickets",
          "9"},
         "--orbit and --tickets cannot be given together"},
        {{"--kind", "6", "--numbers", "20", "--guarantee", "3/6", "--orbit", "10/1", "--keys", "1"},
         "--orbit and --keys cannot be given together"},
        {{"--kind", "6", "--numbers", "20", "--guarantee", "3/6", "--orbit", "10/1",
          "--fresh-start"},
         "--orbit and --fresh-start cannot be given together"},
    };
    for (const Case &c : cases) {
        std::vector<std::string> args{"design"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.insert(args.end(), {"--out", path});
        const auto result = runCli(args);
        EXPECT_EQ(result.status, 2) << c.says;
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
        EXPECT_FALSE(std::filesystem::exists(path)) << c.says;
    }
}

TEST(DesignCommand, SaysAnUnwritableOutBeforeTheSearch) {
    test::TempDir dir;
    const std::string path = (dir / "no-such-folder" / "wheel.txt").string();
    const auto begin = std::chrono::steady_clock::now();
    const auto result = runCli({"design", "--kind", "6", "--numbers", "20", "--guarantee", "3/6",
                                "--seconds", "600", "--out", path});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("No such file or directory"), std::string::npos) << result.err;
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(60)); // no search
}

} // namespace
} // namespace marlek
