#include "odds_rows.h"

#include "number_text.h"

#include <stdexcept>

namespace marlek {
namespace {

void checkKind(int kind) {
    if (kind != 5 && kind != 6)
        throw std::out_of_range("lotto kind " + std::to_string(kind) + " is not 5 or 6");
}

} // namespace

std::string oddsCaption(int kind) {
    checkKind(kind);
    return "Pick " + plain(kind) + " Total Odds";
}

int oddsSeparatingSpaces(int kind, int countWidth) {
    switch (countWidth) {
    case 1:
        return 37;
    case 2:
        return kind == 5 ? 35 : 34; // the one place where the two tables differ
    case 3:
        return 32;
    case 5:
        return 29;
    case 6:
        return 26;
    case 7:
        return 24;
    case 9:
        return 21;
    case 10:
        return 18;
    default:
        return 0;
    }
}

std::string oddsNote(int kind, int n) {
    if (kind != 5)
        return {};
    switch (n) {
    case 35:
        return "  Arizona Fantasy 5-35";
    case 36:
        return "  Florida Fantasy 5-36";
    case 38:
        return "  New Jersey Cash 5 5-38";
    case 39:
        return std::string("  Hot Lotto 5-39 + 1-19 ") + "8 States Play" +
               ",  California Fantasy 5-39";
    case 47:
        return "  California Super LottoPlus 5-47 + 1-27";
    case 52:
        return std::string("  MegaMillions 5-52 + 1-52 ") + "11 States Play";
    case 53:
        return std::string("  PowerBall 5-53 + 1-42 ") + "20 States Play";
    default:
        return {};
    }
}

std::string oddsRow(int kind, int n) {
    checkKind(kind);
    if (n < kind || n > kOddsLastFieldSize)
        throw std::out_of_range("field size " + std::to_string(n) + " is not from " +
                                std::to_string(kind) + " to 60");
    const std::string count = grouped(combinations(n, kind));
    std::string row(n < 10 ? 8 : 6, ' ');
    row += plain(n);
    row.append(static_cast<std::size_t>(oddsSeparatingSpaces(kind, static_cast<int>(count.size()))),
               ' ');
    row += count;
    row += oddsNote(kind, n);
    return row;
}

std::vector<std::string> oddsListItems(int kind) {
    checkKind(kind);
    std::vector<std::string> items;
    items.reserve(kOddsLastFieldSize - kind + 2);
    if (kind == 5)
        items.emplace_back(kOddsPick5NoteLine);
    for (int n = kind; n <= kOddsLastFieldSize; ++n)
        items.push_back(oddsRow(kind, n));
    return items;
}

} // namespace marlek
