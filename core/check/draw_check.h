#pragma once
// Checking a draw against a wheel report: every ticket with its hits, how many tickets hit how
// many numbers, and whether the wheel's guarantee applied and held. The checker reads the report
// one line at a time, exactly as the report writer emits it or as a saved report holds it, and
// writes the check's lines as it goes, so a full wheel of millions of tickets is never held.

#include "cover_tally.h"
#include "report_request.h"
#include "wheel_report.h"

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace marlek {

// The numbers of a lotto draw range from 1 to this.
inline constexpr int kHighestDrawnNumber = 99;

// Typed draw numbers that cannot be a draw; what() says what is wrong in a sentence for the player.
struct DrawError : std::invalid_argument {
    using std::invalid_argument::invalid_argument;
};

// The drawn numbers typed with spaces or commas ("3 11 17 25 33", "3,11,17,25,33"), ascending.
// Each must be a whole number from 1 to 99, all different, exactly `kind` of them (5 or 6); with
// kind 0 any count is taken and checkDrawCount decides later. Throws DrawError.
std::vector<int> parseDraw(std::string_view text, int kind);

// Throws DrawError unless the draw has `kind` numbers.
void checkDrawCount(const std::vector<int> &draw, int kind);

// A report line that is not what the report writer writes at that place; what() names the line
// ("line 12: ...").
struct ReportLineError : std::runtime_error {
    ReportLineError(std::int64_t lineNumber, const std::string &reason);
    std::int64_t lineNumber;
};

// Whether the checker proves the guarantee a report states over the report's own tickets. A
// report the program writes from a request keeps it by construction; a saved report read back
// may have been edited: its tickets decide, and the check says plainly when they do not keep it.
enum class GuaranteeProof { Trusted, Proven };

// The most numbers a report read back may play: the largest field any report is written for.
inline constexpr int kMostProvenNumbers = 60;

class DrawChecker {
public:
    // `draw`: distinct numbers from 1 to 99, ascending (parseDraw's result). The check's lines go
    // to `sink`, one call a line, the view valid only during the call. A proof runs on `threads`
    // threads.
    DrawChecker(std::vector<int> draw, ReportSink sink,
                GuaranteeProof proof = GuaranteeProof::Trusted, int threads = 1);

    // The next line of the report, without its line end (a trailing CR is taken off). Throws
    // ReportLineError for a line that does not belong there, DrawError when the report's kind
    // needs another count of numbers than the draw has.
    void feed(std::string_view line);

    // The report has ended: proves the guarantee if asked to, then writes the summary. Throws
    // ReportLineError if lines are missing or the report's counts of draws do not add up.
    void finish();

    std::int64_t linesRead() const { return m_lineNumber; }

private:
    enum class Expect {
        Title,
        Header,
        BlankAfterHeader,
        NumbersHeading,
        Numbers,
        BlankAfterNumbers,
        PlayThese,
        Tickets,
        BlankAfterCost,
        DoesItWork,
        PickAny,
        CheckAll,
        ThatsYour,
        KeysOrGoodLuck,
        GoodLuck,
        End,
    };

    [[noreturn]] void refuse(const std::string &reason) const;
    void readTitle(std::string_view line);
    void readHeader(std::string_view line);
    void readGuarantee(std::string_view line);
    void readCoverage(std::string_view line);
    void readNumbers(std::string_view line);
    void readTicket(std::string_view line);
    void advanceLabel();
    template <int Kind> int hitsOf(const char *numbers, std::array<int, 6> &hit) const;
    [[noreturn]] void refuseTicketNumbers(std::string_view line, std::int64_t ticket) const;
    void readPickAny(std::string_view line);
    void readCheckAll(std::string_view line);
    void readKeyNumbers(std::string_view line);
    void readKeys(std::string_view &rest, std::string_view line);
    void expectExactly(std::string_view line, std::string_view wanted, Expect next);
    void proveGuarantee();
    void writeSummary();

    std::vector<int> m_draw;
    // Whether a number was drawn, and played, by number; the room beyond 99 lets a ticket's
    // numbers be looked up before they are known to be valid.
    static constexpr std::size_t kNumberTableSize = 128;
    std::array<bool, kNumberTableSize> m_drawn{};
    ReportSink m_sink;
    GuaranteeProof m_proof;
    int m_threads;

    Expect m_expect = Expect::Title;
    std::int64_t m_lineNumber = 0;

    // What the report has said so far.
    int m_kind = 0; // 5 or 6 from the title
    std::string m_title;
    std::string m_tickets; // T and N as the report writes them
    std::int64_t m_ticketCount = 0;
    std::string m_numbers;
    std::int64_t m_numberCount = 0;
    std::string m_guarantee; // the label, leading spaces included
    int m_labelMatches = 0;  // t and m of the label "t of m"
    int m_labelDrawn = 0;
    std::array<bool, kNumberTableSize> m_played{};
    int m_playedDrawn = 0;         // m: the player's numbers that were drawn
    int m_condition = 0;           // numbers drawn among the player's that the guarantee needs
    std::int64_t m_matchCount = 0; // hits the guarantee promises then
    std::string m_coverage;        // " for 37,506 of 38,760 Draws": a wheel short of its guarantee
    std::uint64_t m_claimedCovered = 0; // 37,506 and 38,760 of that
    std::uint64_t m_claimedDraws = 0;
    std::string m_keyNumbers; // " 7 12": numbers the guarantee needs drawn too, if any
    int m_keyCount = 0;
    bool m_keysDrawn = true;

    // The proof over the tickets read: each number played by its place on the numbers line
    // (from 1), the tickets' t-sets, the key numbers by place, and what the proof found.
    std::array<std::uint8_t, kNumberTableSize> m_place{};
    std::optional<CoverTally> m_tally;
    std::array<bool, kNumberTableSize> m_isKey{};
    NumberSet m_keyPlaces = 0;
    bool m_guaranteeKept = true;
    std::uint64_t m_keptDraws = 0;
    std::uint64_t m_allDraws = 0;

    // The tickets.
    std::int64_t m_ticketsRead = 0;
    bool m_fullWheelLabels = false; // "Lotto Ticket   1" (full wheel), not "Lotto Ticket     1"
    std::string m_label;            // the label the ticket being read must have
    std::array<std::int64_t, 7> m_ticketsWithHits{};
    int m_bestHits = -1;
    // A ticket line being written: the longest label, 6 numbers and 6 hits fit with room to spare.
    std::array<char, 128> m_out{};
};

// The check of a request's report against `draw`: the report's lines go straight into a checker.
// Throws DrawError when the draw does not fit the wheel's kind, ReportLineError for a request
// whose report has nothing to check (no wheel chosen yet).
void writeDrawCheck(const ReportRequest &request, const std::vector<int> &draw,
                    const ReportSink &sink);

// Every line of that check, in order.
std::vector<std::string> drawCheckLines(const ReportRequest &request, const std::vector<int> &draw);

// Texts of the window's "Check a Draw...": the question for the draw, the caption of the check's
// document, and the messages when there is nothing to check or the typed draw is refused.
std::string drawPrompt(const ReportRequest &request);
std::string drawCheckCaption(const ReportRequest &request, const std::vector<int> &draw);
std::string noReportToCheckMessage();
std::string noWheelToCheckMessage();
std::string drawRefusedMessage(std::string_view reason);
std::string checkFailedMessage(std::string_view reason);

} // namespace marlek
