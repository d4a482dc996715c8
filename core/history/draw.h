#pragma once
// One past draw of a game: its date, the lottery's draw number when known, the main numbers and
// the bonus numbers, each in the order they were drawn. Two records of a draw are compared as
// sets: one source lists the balls as drawn, another sorted.

#include "game.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace marlek {

struct Draw {
    Date date;
    std::optional<std::int64_t> number; // the lottery's own count of its draws
    std::vector<int> main;              // in draw order
    std::vector<int> bonus;             // in draw order; empty when the source gives none
    friend bool operator==(const Draw &, const Draw &) = default;
};

// "3 11 17 25 33", with " + 4 9" when there are bonus numbers.
std::string drawNumbersText(const Draw &draw);

// "2020-09-26", with " (draw 1234)" when the number is known.
std::string drawNameText(const Draw &draw);

// Whether two records hold the same numbers: the main numbers as a set, and the bonus numbers as
// a set where both records give them.
bool sameNumbers(const Draw &a, const Draw &b);

// What makes the draw impossible under `rules`, as a sentence; nothing when it fits: the count of
// main numbers, each from 1 to the field, none twice; bonus numbers, where given, in their count,
// from the bonus pool or (bonus balls) from the field and none of the main numbers.
std::optional<std::string> drawProblem(const Draw &draw, const GameRules &rules);

// Numbers written with spaces or commas, as drawNumbersText writes the main numbers ("3 11 17").
std::optional<std::vector<int>> parseNumberWords(std::string_view text);

} // namespace marlek
