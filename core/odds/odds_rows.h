#pragma once
// The rows of the Pick 5 and Pick 6 total-odds tables: for every field size n from the kind up to
// 60, the count of different tickets C(n, kind), padded with spaces so that the two columns line up
// under the header in a proportional font (a space and a comma half as wide as a digit).

#include <string>
#include <vector>

namespace marlek {

inline constexpr int kOddsLastFieldSize = 60;

// The header over the two columns (ten spaces between the words).
inline constexpr const char *kOddsHeader = "Numbers          Combinations";

// The first item of the Pick 5 list: its notes name only some of the lottos.
inline constexpr const char *kOddsPick5NoteLine = "Not all Lottos Listed";

// The window caption: "Pick 5 Total Odds" or "Pick 6 Total Odds".
std::string oddsCaption(int kind);

// The spaces between n and a count whose text (digits and commas) is `countWidth` long; 0 for a
// width no table row has.
int oddsSeparatingSpaces(int kind, int countWidth);

// The lottos of the Pick 5 table that use a field of n numbers ("  Arizona Fantasy 5-35"); empty
// for every other field and for Pick 6.
std::string oddsNote(int kind, int n);

// The row of field size n, kind <= n <= 60. Throws std::out_of_range for any other n or kind.
std::string oddsRow(int kind, int n);

// Every item of the list in order: the Pick 5 note line, then the rows of n = kind to 60.
std::vector<std::string> oddsListItems(int kind);

} // namespace marlek
