#include "draw_check.h"

#include "number_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>

namespace marlek {
namespace {

constexpr std::string_view kTicketLabel = "Lotto Ticket   "; // a full wheel's, and from ticket 10
constexpr std::string_view kTicketCost = "Ticket Cost based on $1 US";

bool isSeparator(char c) {
    return c == ' ' || c == ',';
}

std::string drawText(const std::vector<int> &draw) {
    std::string text;
    for (int number : draw)
        text += "  " + plain(number);
    return text;
}

std::string countOf(std::int64_t count, std::string_view one, std::string_view many) {
    return plain(count) + ' ' + std::string(count == 1 ? one : many);
}

// A report line as a message can show it: short, and only printable ASCII.
std::string shown(std::string_view line) {
    constexpr std::size_t kLongest = 60;
    std::string text;
    for (char c : line.substr(0, kLongest))
        text += (c >= ' ' && c <= '~') ? c : '?';
    if (line.size() > kLongest)
        text += "...";
    return '"' + text + '"';
}

// Reads a line piece by piece; every step fails (returns false) unless the text is exactly there.
struct Cursor {
    std::string_view rest;

    bool literal(std::string_view text) {
        if (!rest.starts_with(text))
            return false;
        rest.remove_prefix(text.size());
        return true;
    }
    // Plain digits as the report writes a number: no sign, no leading zero.
    bool number(std::int64_t &value) {
        std::size_t digits = 0;
        while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9')
            ++digits;
        if (digits == 0 || digits > 18 || (digits > 1 && rest[0] == '0'))
            return false;
        std::from_chars(rest.data(), rest.data() + digits, value);
        rest.remove_prefix(digits);
        return true;
    }
    bool atEnd() const { return rest.empty(); }
};

// The label of ticket `number`: "Lotto Ticket     1    " (a catalogued wheel below ticket 10) or
// "Lotto Ticket   1    " (a full wheel, and every ticket from 10 on).
std::string ticketLabel(std::int64_t number, bool fullWheel) {
    return std::string(number < 10 && !fullWheel ? "Lotto Ticket     " : kTicketLabel) +
           plain(number) + "    ";
}

// " for 37,506 of 38,760 Draws" as the Check All line says it: "For 37,506 of the 38,760 ways, ".
std::string coverageWays(std::string_view coverage) {
    const std::size_t of = coverage.find(" of ");
    const std::string_view covered = coverage.substr(5, of - 5);
    const std::string_view all = coverage.substr(of + 4, coverage.size() - of - 4 - 6);
    return "For " + std::string(covered) + " of the " + std::string(all) + " ways, ";
}

bool allDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A count as the report groups it ("38,760"), into `value`; false for any other text.
bool readGrouped(std::string_view text, std::uint64_t &value) {
    std::string digits;
    for (char c : text)
        if (c != ',')
            digits += c;
    if (!allDigits(digits) || digits.size() > 18)
        return false;
    value = std::stoull(digits);
    return groupedOrZero(static_cast<std::int64_t>(value)) == text;
}

std::string grouped(std::uint64_t count) {
    return groupedOrZero(static_cast<std::int64_t>(count));
}

// The digits of the ticket number at `at` ("07"), without a check: the ticket was checked.
int ticketNumberAt(const char *at) {
    return (at[0] - '0') * 10 + (at[1] - '0');
}

// What is wrong with a typed word that is not plain digits, with an example of the kind's count.
std::string notADrawnNumber(std::string_view word, int kind) {
    const std::string shownWord = shown(word);
    if (word.starts_with('-') && allDigits(word.substr(1)))
        return shownWord + " is below 1: each drawn number is from 1 to " +
               plain(kHighestDrawnNumber);
    if (word.starts_with('+') && allDigits(word.substr(1)))
        return shownWord + " has a sign: write the number alone, e.g. " +
               std::string(word.substr(1));
    if (const std::size_t point = word.find('.'); point != std::string_view::npos &&
                                                  allDigits(word.substr(0, point)) &&
                                                  allDigits(word.substr(point + 1)))
        return shownWord + " has a decimal point: write whole numbers, e.g. " +
               std::string(word.substr(0, point));
    const std::string example = kind == 6 ? "3 11 17 25 33 40" : "3 11 17 25 33";
    return shownWord +
           " is not a whole number: give the drawn numbers separated by spaces or "
           "commas, e.g. " +
           example;
}

} // namespace

// --- The draw -----------------------------------------------------------------------------------

std::vector<int> parseDraw(std::string_view text, int kind) {
    std::vector<int> draw;
    std::size_t at = 0;
    while (true) {
        while (at < text.size() && isSeparator(text[at]))
            ++at;
        if (at == text.size())
            break;
        std::size_t end = at;
        while (end < text.size() && !isSeparator(text[end]))
            ++end;
        const std::string_view word = text.substr(at, end - at);
        at = end;

        if (!std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; }))
            throw DrawError(notADrawnNumber(word, kind));
        const std::size_t significant = std::min(word.find_first_not_of('0'), word.size());
        if (word.size() - significant > 2 || std::stoi(std::string(word)) == 0)
            throw DrawError(std::string(word) +
                            " is not a lotto number: each drawn number is "
                            "from 1 to " +
                            plain(kHighestDrawnNumber));
        const int number = std::stoi(std::string(word));
        if (std::find(draw.begin(), draw.end(), number) != draw.end())
            throw DrawError(plain(number) + " is given twice: the drawn numbers are all different");
        draw.push_back(number);
    }
    if (kind != 0)
        checkDrawCount(draw, kind);
    std::sort(draw.begin(), draw.end());
    return draw;
}

void checkDrawCount(const std::vector<int> &draw, int kind) {
    if (static_cast<int>(draw.size()) == kind)
        return;
    const std::string given = draw.empty() ? std::string("no numbers given")
                                           : countOf(static_cast<std::int64_t>(draw.size()),
                                                     "number given", "numbers given");
    throw DrawError(given + ": a Pick " + plain(kind) + " draw has " + plain(kind) + " numbers");
}

// --- The checker --------------------------------------------------------------------------------

ReportLineError::ReportLineError(std::int64_t lineNumber, const std::string &reason)
    : std::runtime_error("line " + plain(lineNumber) + ": " + reason), lineNumber(lineNumber) {}

DrawChecker::DrawChecker(std::vector<int> draw, ReportSink sink, GuaranteeProof proof, int threads)
    : m_draw(std::move(draw)), m_sink(std::move(sink)), m_proof(proof),
      m_threads(std::max(threads, 1)) {
    for (int number : m_draw) {
        if (number < 1 || number > kHighestDrawnNumber)
            throw DrawError(plain(number) +
                            " is not a lotto number: each drawn number is from 1 "
                            "to " +
                            plain(kHighestDrawnNumber));
        m_drawn[static_cast<std::size_t>(number)] = true;
    }
}

void DrawChecker::refuse(const std::string &reason) const {
    throw ReportLineError(m_lineNumber, reason);
}

void DrawChecker::feed(std::string_view line) {
    ++m_lineNumber;
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    switch (m_expect) {
    case Expect::Tickets:
        if (line != kTicketCost) {
            readTicket(line);
        } else {
            if (m_ticketsRead != m_ticketCount)
                refuse("the report lists " + countOf(m_ticketCount, "ticket", "tickets") +
                       ", but only " + plain(m_ticketsRead) + " come before " + shown(line));
            m_expect = Expect::BlankAfterCost;
        }
        return;
    case Expect::Title:
        return readTitle(line);
    case Expect::Header:
        return readHeader(line);
    case Expect::BlankAfterHeader:
        return expectExactly(line, "", Expect::NumbersHeading);
    case Expect::NumbersHeading:
        return expectExactly(line, "The " + m_numbers + " Numbers you've Selected to Play",
                             Expect::Numbers);
    case Expect::Numbers:
        return readNumbers(line);
    case Expect::BlankAfterNumbers:
        return expectExactly(line, "", Expect::PlayThese);
    case Expect::PlayThese:
        expectExactly(line, "Play these " + m_tickets + " Tickets", Expect::Tickets);
        m_sink("Check these " + m_tickets + " Tickets");
        return;
    case Expect::BlankAfterCost:
        return expectExactly(line, "", Expect::DoesItWork);
    case Expect::DoesItWork:
        return expectExactly(line, "Does this Wheel Work?  It's Easy to Prove.", Expect::PickAny);
    case Expect::PickAny:
        return readPickAny(line);
    case Expect::CheckAll:
        return readCheckAll(line);
    case Expect::ThatsYour:
        return expectExactly(line, "Thats your " + m_guarantee + " Guarantee" + m_coverage,
                             m_keyCount > 0 ? Expect::GoodLuck : Expect::KeysOrGoodLuck);
    case Expect::KeysOrGoodLuck:
        if (line.starts_with("Key Number"))
            return readKeyNumbers(line);
        [[fallthrough]];
    case Expect::GoodLuck:
        return expectExactly(line, "Good Luck in All your Lotto Pursuits", Expect::End);
    case Expect::End:
        refuse(shown(line) + " comes after the report's last line");
    }
}

void DrawChecker::expectExactly(std::string_view line, std::string_view wanted, Expect next) {
    if (line != wanted)
        refuse(shown(line) + " where the report has " + shown(wanted));
    m_expect = next;
}

void DrawChecker::readTitle(std::string_view line) {
    if (line == "Marlek's Pick 5 Lotto")
        m_kind = 5;
    else if (line == "Marlek's Pick 6 Lotto")
        m_kind = 6;
    else if (line == "Marlek's ")
        refuse("this report was written before a wheel was chosen: it has no tickets to check");
    else
        refuse(shown(line) + " is not the first line of a Pick 5 or Pick 6 wheel report");
    checkDrawCount(m_draw, m_kind);
    m_title = std::string(line);
    m_expect = Expect::Header;
}

// " $5  5 Tickets  7 Numbers  4 of 5 Guarantee"
void DrawChecker::readHeader(std::string_view line) {
    Cursor cursor{line};
    std::int64_t tickets = 0;
    std::int64_t again = -1;
    std::int64_t numbers = 0;
    constexpr std::string_view kEnd = " Guarantee";
    if (!cursor.literal(" $") || !cursor.number(tickets) || !cursor.literal("  ") ||
        !cursor.number(again) || again != tickets || !cursor.literal(" Tickets  ") ||
        !cursor.number(numbers) || !cursor.literal(" Numbers "))
        refuse(shown(line) + " is not the report's line \" $T  T Tickets  N Numbers ... "
                             "Guarantee\"");
    // A wheel short of its guarantee says the draws it keeps it for: " for 37,506 of 38,760 Draws".
    if (const std::size_t coverage = cursor.rest.rfind(" Guarantee for ");
        coverage != std::string_view::npos && cursor.rest.ends_with(" Draws") &&
        cursor.rest.find(" of ", coverage) != std::string_view::npos) {
        m_coverage = std::string(cursor.rest.substr(coverage + kEnd.size()));
        cursor.rest = cursor.rest.substr(0, coverage + kEnd.size());
    }
    if (!cursor.rest.ends_with(kEnd))
        refuse(shown(line) + " is not the report's line \" $T  T Tickets  N Numbers ... "
                             "Guarantee\"");
    m_ticketCount = tickets;
    m_numberCount = numbers;
    m_tickets = plain(tickets);
    m_numbers = plain(numbers);
    m_guarantee = std::string(cursor.rest.substr(0, cursor.rest.size() - kEnd.size()));
    readGuarantee(line);
    if (!m_coverage.empty())
        readCoverage(line);

    // The heading names the report as its document's caption does.
    m_sink(m_title + " Draw Check");
    m_sink("Report  $" + m_tickets + "   " + m_tickets + "  Tickets  " + m_numbers +
           " Numbers  Pick " + plain(m_kind) + " Wheel");
    m_sink("The Draw" + drawText(m_draw));
    m_sink("");
    m_expect = Expect::BlankAfterHeader;
}

// The label " 4 of 5" (t of m), or "  6" (t of the kind: a full wheel's): a ticket wins 1 to m
// numbers, and a draw has no more numbers than a ticket.
void DrawChecker::readGuarantee(std::string_view line) {
    Cursor cursor{m_guarantee};
    std::int64_t matches = 0;
    std::int64_t drawn = m_kind;
    while (cursor.rest.starts_with("  ")) // a full wheel's label has two
        cursor.literal(" ");
    if (!cursor.literal(" ") || !cursor.number(matches) ||
        (!cursor.atEnd() && (!cursor.literal(" of ") || !cursor.number(drawn) || !cursor.atEnd())))
        refuse(shown(line) + " states no guarantee \"T of M\" before \"Guarantee\"");
    const std::string stated = "the guarantee \"" + plain(matches) + " of " + plain(drawn) + "\"";
    if (drawn > m_kind)
        refuse(stated + " counts " + plain(drawn) + " numbers drawn, but a Pick " + plain(m_kind) +
               " draw has " + plain(m_kind));
    if (matches < 1 || matches > drawn)
        refuse(stated + " promises " + plain(matches) + " numbers won of " + plain(drawn) +
               " drawn: a ticket can win 1 to " + plain(drawn) + " of them");
    m_labelMatches = static_cast<int>(matches);
    m_labelDrawn = static_cast<int>(drawn);
}

// " for 37,506 of 38,760 Draws": no more draws kept than there are.
void DrawChecker::readCoverage(std::string_view line) {
    const std::string_view coverage(m_coverage);
    const std::size_t of = coverage.find(" of ");
    constexpr std::string_view kFor = " for ";
    constexpr std::string_view kDraws = " Draws";
    if (!readGrouped(coverage.substr(kFor.size(), of - kFor.size()), m_claimedCovered) ||
        !readGrouped(coverage.substr(of + 4, coverage.size() - of - 4 - kDraws.size()),
                     m_claimedDraws))
        refuse(shown(line) + " does not end in \"Guarantee for K of D Draws\" with two counts");
    if (m_claimedCovered > m_claimedDraws)
        refuse("the guarantee is kept for " + grouped(m_claimedCovered) + " of " +
               grouped(m_claimedDraws) + " Draws: more draws than there are");
}

// "  3  11  17  25  33  40  42"
void DrawChecker::readNumbers(std::string_view line) {
    Cursor cursor{line};
    std::int64_t count = 0;
    while (!cursor.atEnd()) {
        std::int64_t number = 0;
        if (!cursor.literal("  ") || !cursor.number(number))
            refuse(shown(line) + " is not the numbers played, each after two spaces");
        if (number < 1 || number > kHighestDrawnNumber)
            refuse(plain(number) + " is not a lotto number from 1 to " +
                   plain(kHighestDrawnNumber));
        if (m_played[static_cast<std::size_t>(number)])
            refuse(plain(number) + " is played twice");
        m_played[static_cast<std::size_t>(number)] = true;
        m_place[static_cast<std::size_t>(number)] = static_cast<std::uint8_t>(count + 1);
        if (m_drawn[static_cast<std::size_t>(number)])
            ++m_playedDrawn;
        ++count;
    }
    if (count != m_numberCount)
        refuse("the report plays " + countOf(m_numberCount, "number", "numbers") + ", but " +
               plain(count) + " are on this line");
    if (m_proof == GuaranteeProof::Proven) {
        if (count > kMostProvenNumbers)
            refuse("the report plays " + plain(count) + " numbers: a report plays at most " +
                   plain(kMostProvenNumbers));
        m_tally.emplace(static_cast<int>(count), m_labelMatches);
    }
    m_sink("The " + m_numbers + " Numbers you've Selected to Play");
    m_sink(std::string(line));
    m_sink("");
    m_expect = Expect::BlankAfterNumbers;
}

// The label of the next ticket, counted up in place: this runs once for each of millions of
// tickets.
void DrawChecker::advanceLabel() {
    std::size_t digit = m_label.size() - 4;
    while (digit > kTicketLabel.size() && m_label[digit - 1] == '9')
        m_label[--digit] = '0';
    if (digit > kTicketLabel.size() && m_label[digit - 1] != ' ')
        ++m_label[digit - 1];
    else // 9 -> 10, 99 -> 100, ...
        m_label = ticketLabel(m_ticketsRead + 1, m_fullWheelLabels);
}

// The drawn numbers of a ticket's `Kind` numbers ("03  11  17  25  33"), into `hit`; -1 when any of
// them is not a played number written 01 to 99, or one is drawn twice. Millions of tickets pass
// here: everything is checked at once, without a branch per number.
template <int Kind> int DrawChecker::hitsOf(const char *numbers, std::array<int, 6> &hit) const {
    unsigned wrong = 0;
    int hits = 0;
    // Every number of the ticket, drawn or not, is looked for twice: a repeated number is refused
    // whatever the draw.
    std::array<std::uint64_t, kNumberTableSize / 64> seen{};
    for (int j = 0; j < Kind; ++j) {
        const char *at = numbers + 4 * j;
        const unsigned tens = static_cast<unsigned char>(at[0]) - unsigned{'0'};
        const unsigned ones = static_cast<unsigned char>(at[1]) - unsigned{'0'};
        const unsigned value = (tens * 10 + ones) % kNumberTableSize;
        wrong |= static_cast<unsigned>(tens > 9) | static_cast<unsigned>(ones > 9) |
                 static_cast<unsigned>(!m_played[value]); // 0 is never played
        if (j > 0)
            wrong |= static_cast<unsigned>(at[-2] != ' ') | static_cast<unsigned>(at[-1] != ' ');
        const std::uint64_t bit = std::uint64_t{1} << (value % 64);
        std::uint64_t &word = seen[value / 64];
        wrong |= static_cast<unsigned>((word & bit) != 0);
        word |= bit;
        hit[static_cast<std::size_t>(hits)] = static_cast<int>(value);
        hits += m_drawn[value] ? 1 : 0;
    }
    return wrong ? -1 : hits;
}

// Says what is wrong with the numbers of a ticket that hitsOf refused.
void DrawChecker::refuseTicketNumbers(std::string_view line, std::int64_t ticket) const {
    std::array<bool, kNumberTableSize> seen{};
    for (int j = 0; j < m_kind; ++j) {
        const std::size_t at = m_label.size() + static_cast<std::size_t>(j) * 4;
        const bool digits = std::isdigit(static_cast<unsigned char>(line[at])) &&
                            std::isdigit(static_cast<unsigned char>(line[at + 1]));
        const int value = digits ? (line[at] - '0') * 10 + (line[at + 1] - '0') : 0;
        if (value == 0 || (j > 0 && line.substr(at - 2, 2) != "  "))
            refuse(shown(line) + " does not hold " + plain(m_kind) + " numbers written 01 to 99");
        if (!m_played[static_cast<std::size_t>(value)])
            refuse("ticket " + plain(ticket) + " holds " + plain(value) +
                   ", which is not one of the numbers played");
        if (seen[static_cast<std::size_t>(value)])
            refuse("ticket " + plain(ticket) + " holds " + plain(value) + " twice");
        seen[static_cast<std::size_t>(value)] = true;
    }
    refuse(shown(line) + " is not the line of ticket " + plain(ticket));
}

void DrawChecker::readTicket(std::string_view line) {
    const std::int64_t expected = m_ticketsRead + 1;
    if (expected > m_ticketCount)
        refuse(shown(line) + " where the report has \"" + std::string(kTicketCost) +
               "\" after its " + countOf(m_ticketCount, "ticket", "tickets"));
    if (expected == 1) { // the first ticket shows which labels the report writes
        m_fullWheelLabels = line.starts_with(ticketLabel(1, true));
        m_label = ticketLabel(1, m_fullWheelLabels);
    } else {
        advanceLabel();
    }
    const std::size_t numbersSize = static_cast<std::size_t>(m_kind) * 4 - 2;
    if (line.size() != m_label.size() + numbersSize ||
        std::memcmp(line.data(), m_label.data(), m_label.size()) != 0)
        refuse(shown(line) + " is not the line of ticket " + plain(expected) + " with " +
               plain(m_kind) + " numbers");

    std::array<int, 6> hit{};
    const char *numbers = line.data() + m_label.size();
    const int hits = m_kind == 5 ? hitsOf<5>(numbers, hit) : hitsOf<6>(numbers, hit);
    if (hits < 0)
        refuseTicketNumbers(line, expected);

    if (m_tally) {
        NumberSet places = 0;
        for (int j = 0; j < m_kind; ++j)
            places |= bitOf(m_place[static_cast<std::size_t>(ticketNumberAt(numbers + 4 * j))]);
        m_tally->add(places);
    }

    m_ticketsRead = expected;
    ++m_ticketsWithHits[static_cast<std::size_t>(hits)];
    m_bestHits = std::max(m_bestHits, hits);

    // The ticket's line and its hits, built in a buffer that never grows: the line's length is
    // known by now.
    constexpr std::string_view kHits = "    Hits ";
    char *out = m_out.data();
    std::memcpy(out, line.data(), line.size());
    out += line.size();
    std::memcpy(out, kHits.data(), kHits.size());
    out += kHits.size();
    *out++ = static_cast<char>('0' + hits);
    for (int j = 0; j < hits; ++j) {
        if (j == 0)
            *out++ = ':';
        *out++ = ' ';
        *out++ = ' ';
        const int value = hit[static_cast<std::size_t>(j)];
        *out++ = static_cast<char>('0' + value / 10);
        *out++ = static_cast<char>('0' + value % 10);
    }
    m_sink(std::string_view(m_out.data(), static_cast<std::size_t>(out - m_out.data())));
}

// "Pick Any 5 of the 7 Numbers you've Selected": the guarantee holds when that many drawn
// numbers are among the player's. A catalogued or full wheel names its kind; a designed wheel
// "t of m" names its m, which may be less.
void DrawChecker::readPickAny(std::string_view line) {
    Cursor cursor{line};
    std::int64_t condition = 0;
    if (!cursor.literal("Pick Any ") || !cursor.number(condition) || condition < 1 ||
        condition > m_kind || !cursor.literal(" of the " + m_numbers + " Numbers you've Selected"))
        refuse(shown(line) + " where the report has \"Pick Any M of the " + m_numbers +
               " Numbers you've Selected\" (M from 1 to " + plain(m_kind) + ")");
    if (condition != m_labelDrawn)
        refuse(shown(line) + " counts " + plain(condition) +
               " numbers drawn, but the guarantee of line 2, \"" + plain(m_labelMatches) + " of " +
               plain(m_labelDrawn) + "\", counts " + plain(m_labelDrawn));
    // A key wheel says its keys in the same line: ", Key Numbers 7 12 among them".
    if (!cursor.atEnd()) {
        const bool one = !cursor.rest.starts_with(", Key Numbers ");
        if (!cursor.literal(one ? ", Key Number" : ", Key Numbers"))
            refuse(shown(line) + " where the report has \"Pick Any M of the " + m_numbers +
                   " Numbers you've Selected\", its key numbers after a comma");
        readKeys(cursor.rest, line);
        if (!cursor.literal(" among them") || !cursor.atEnd() || (one && m_keyCount > 1))
            refuse(shown(line) + " does not end in \"among them\" after its key numbers");
    }
    m_condition = static_cast<int>(condition);
    m_expect = Expect::CheckAll;
}

// "Check All  5 Tickets. At Least 1 Ticket will have 4 Numbers"
void DrawChecker::readCheckAll(std::string_view line) {
    Cursor cursor{line};
    std::int64_t matches = 0;
    const std::string ways = m_coverage.empty() ? std::string() : coverageWays(m_coverage);
    if (!cursor.literal("Check All  " + m_tickets + " Tickets. " + ways +
                        "At Least 1 Ticket will have ") ||
        !cursor.number(matches) || !cursor.literal(" Numbers") || !cursor.atEnd())
        refuse(shown(line) + " where the report has \"Check All  " + m_tickets +
               " Tickets. At Least 1 Ticket will have M Numbers\"");
    if (matches != m_labelMatches)
        refuse(shown(line) + " promises " + plain(matches) +
               " numbers, but the guarantee of line 2, \"" + plain(m_labelMatches) + " of " +
               plain(m_labelDrawn) + "\", promises " + plain(m_labelMatches));
    m_matchCount = matches;
    m_expect = Expect::ThatsYour;
}

// A key wheel's condition: "Key Numbers 7 12 are on Every Ticket: the Guarantee holds when All
// of them are Drawn", or "Key Number 7 is on Every Ticket: the Guarantee holds when it is Drawn".
void DrawChecker::readKeyNumbers(std::string_view line) {
    Cursor cursor{line};
    const bool one = !line.starts_with("Key Numbers ");
    cursor.literal(one ? "Key Number" : "Key Numbers");
    readKeys(cursor.rest, line);
    const std::string_view end =
        one ? " is on Every Ticket: the Guarantee holds when it is Drawn"
            : " are on Every Ticket: the Guarantee holds when All of them are Drawn";
    if ((one && m_keyCount > 1) || !cursor.literal(end) || !cursor.atEnd())
        refuse(shown(line) + " where the report has \"Key Numbers ... are on Every Ticket: the "
                             "Guarantee holds when All of them are Drawn\" or \"Good Luck in "
                             "All your Lotto Pursuits\"");
    m_expect = Expect::GoodLuck;
}

// The key numbers " 7 12" at the start of `rest`, each one of the numbers played; `rest` is left
// at the space before the next word.
void DrawChecker::readKeys(std::string_view &rest, std::string_view line) {
    Cursor cursor{rest};
    std::int64_t number = 0;
    while (cursor.literal(" ") && cursor.number(number)) {
        if (number > kHighestDrawnNumber || !m_played[static_cast<std::size_t>(number)])
            refuse(plain(number) + " is a key number, but not one of the numbers played");
        if (m_isKey[static_cast<std::size_t>(number)])
            refuse(plain(number) + " is named twice as a key number");
        m_isKey[static_cast<std::size_t>(number)] = true;
        if (m_tally)
            m_keyPlaces |= bitOf(m_place[static_cast<std::size_t>(number)]);
        m_keyNumbers += " " + plain(number);
        ++m_keyCount;
        m_keysDrawn = m_keysDrawn && m_drawn[static_cast<std::size_t>(number)];
        rest = cursor.rest;
    }
    if (m_keyCount == 0)
        refuse(shown(line) + " names no key number");
    // Keys are on every ticket and drawn: as many keys as the guarantee's matches would make it
    // hold by the keys alone.
    if (m_keyCount >= m_labelMatches)
        refuse(shown(line) + " names " + plain(m_keyCount) + " key numbers, but the guarantee \"" +
               plain(m_labelMatches) + " of " + plain(m_labelDrawn) + "\" has room for at most " +
               plain(m_labelMatches - 1));
}

void DrawChecker::finish() {
    if (m_expect != Expect::End) {
        ++m_lineNumber;
        refuse(m_lineNumber == 1 ? std::string("the report is empty")
                                 : std::string("the report ends here, before its last line "
                                               "\"Good Luck in All your Lotto Pursuits\""));
    }
    if (m_tally)
        proveGuarantee();
    writeSummary();
}

// Every draw of m of the numbers played (holding the keys) against the tickets read: the
// guarantee holds when no draw the report promises it for leaves every ticket short.
void DrawChecker::proveGuarantee() {
    m_allDraws = m_tally->draws(m_labelDrawn, m_keyPlaces);
    if (!m_coverage.empty() && m_claimedDraws != m_allDraws)
        throw ReportLineError(
            2, "the guarantee is stated for " + grouped(m_claimedCovered) + " of " +
                   grouped(m_claimedDraws) + " Draws, but " + plain(m_labelDrawn) + " of the " +
                   m_numbers + " numbers played" +
                   (m_keyCount > 0 ? ", the key numbers among them," : "") + " can be drawn in " +
                   grouped(m_allDraws) + (m_allDraws == 1 ? " way" : " ways"));
    m_keptDraws = m_allDraws - m_tally->uncovered(m_labelDrawn, m_keyPlaces, m_threads);
    m_guaranteeKept = m_keptDraws >= (m_coverage.empty() ? m_allDraws : m_claimedCovered);
}

void DrawChecker::writeSummary() {
    m_sink("");
    for (int hits = m_kind; hits >= 0; --hits)
        m_sink("Tickets with " + plain(hits) + (hits == 1 ? " Hit   " : " Hits  ") +
               plain(m_ticketsWithHits[static_cast<std::size_t>(hits)]));
    m_sink("");
    if (m_bestHits >= 0)
        m_sink("Your best Ticket has " + countOf(m_bestHits, "Hit", "Hits"));
    m_sink("Your " + m_numbers + " Numbers hold " + plain(m_playedDrawn) + " of the " +
           plain(static_cast<std::int64_t>(m_draw.size())) + " Drawn");
    std::string condition = ", when " + plain(m_condition) + " of your Numbers are Drawn";
    if (m_keyCount > 0)
        condition += std::string(m_keyCount == 1 ? ", Key Number" : ", Key Numbers") +
                     m_keyNumbers + " among them";
    if (m_guaranteeKept) {
        m_sink("Thats your " + m_guarantee + " Guarantee" + m_coverage + condition);
    } else {
        const std::size_t label = m_guarantee.find_first_not_of(' ');
        m_sink("These Tickets do not keep the guarantee the report states: " +
               m_guarantee.substr(label) + m_coverage + condition);
        m_sink("They keep it for " + grouped(m_keptDraws) + " of the " + grouped(m_allDraws) +
               " such Draws");
    }
    const std::string promised = plain(m_matchCount) + " Numbers";
    if (m_playedDrawn < m_condition || !m_keysDrawn)
        m_sink("This Draw: it does not apply");
    else if (!m_guaranteeKept)
        m_sink(m_bestHits >= m_matchCount
                   ? "This Draw: it is one these Tickets cover, and At Least 1 Ticket has " +
                         promised
                   : "This Draw: it is not one these Tickets cover: NO Ticket has " + promised);
    else if (!m_coverage.empty())
        m_sink(m_bestHits >= m_matchCount
                   ? "This Draw: it is one the wheel covers, and At Least 1 Ticket has " + promised
                   : "This Draw: it is not one the wheel covers: NO Ticket has " + promised);
    else if (m_bestHits >= m_matchCount)
        m_sink("This Draw: it applies, and At Least 1 Ticket has " + promised);
    else
        m_sink("This Draw: it applies, but NO Ticket has " + promised);
    m_sink("Good Luck in All your Lotto Pursuits");
}

void writeDrawCheck(const ReportRequest &request, const std::vector<int> &draw,
                    const ReportSink &sink) {
    DrawChecker checker(draw, sink);
    writeReport(request, [&checker](std::string_view line) { checker.feed(line); });
    checker.finish();
}

std::vector<std::string> drawCheckLines(const ReportRequest &request,
                                        const std::vector<int> &draw) {
    std::vector<std::string> lines;
    writeDrawCheck(request, draw, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

std::string drawPrompt(const ReportRequest &request) {
    const int kind = lottoKindOfMode(request.wheel.wheelMode);
    return "Type the " + plain(kind) + " numbers drawn, each from 1 to " +
           plain(kHighestDrawnNumber) + ", separated by spaces or commas.\n" +
           "They are checked against the tickets of this report:\n" + documentCaption(request);
}

std::string drawCheckCaption(const ReportRequest &request, const std::vector<int> &draw) {
    return "Draw" + drawText(draw) + "  against" + documentCaption(request);
}

std::string noReportToCheckMessage() {
    return "There is no report on screen to check a draw against.\n"
           "Choose a wheel from Pick 6 Lotto or Pick 5 Lotto, play its numbers, and then check "
           "the draw.";
}

std::string noWheelToCheckMessage() {
    return "This report was written before a wheel was chosen: it has no tickets to check.\n"
           "Choose a wheel from Pick 6 Lotto or Pick 5 Lotto, play its numbers, and then check "
           "the draw.";
}

std::string drawRefusedMessage(std::string_view reason) {
    return "This draw cannot be checked: " + std::string(reason) +
           ".\nPress Try Again to correct the numbers, or Cancel to check no draw.";
}

std::string checkFailedMessage(std::string_view reason) {
    return "The report cannot be checked: " + std::string(reason) + ".";
}

} // namespace marlek
