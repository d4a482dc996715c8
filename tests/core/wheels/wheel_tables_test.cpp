// The catalogued wheels against the published lists: record fields, an independent fingerprint of
// every ticket list, and a brute-force proof of every guarantee that shares no code with verify.

#include "wheel_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace marlek {
namespace {

struct Expected {
    int kind;
    int index;
    int numbers;
    int tickets;
    std::string_view label;
    int matchCount;
    int provenMatches; // what the tickets truly guarantee (a few wheels meet more than the label)
    std::uint64_t fingerprint; // FNV-1a over the positions of the published list, in stored order
};

// Written from the published wheel lists (full wheels: every combination, lexicographic).
constexpr Expected kWheels[] = {
    {5, 0, 7, 5, " 4 of 5", 4, 4, 0xc73f07f2b6228207ULL},
    {5, 1, 11, 5, " 3 of 5", 3, 3, 0xf1ef1274807d6d3dULL},
    {5, 2, 6, 6, " 5 of 5", 5, 5, 0xe1f775ac60dd8812ULL},
    {5, 3, 8, 7, " 4 of 5", 4, 4, 0x47ec50810a63d2b9ULL},
    {5, 4, 12, 8, " 3 of 5", 3, 3, 0x3ac397da228c9eddULL},
    {5, 5, 9, 9, " 4 of 5", 4, 4, 0xaf164e262c251a4cULL},
    {5, 6, 10, 14, " 4 of 5", 4, 4, 0x0d1d39e27a70b780ULL},
    {5, 7, 15, 17, " 3 of 5", 3, 3, 0x7740e582f123c883ULL},
    {5, 8, 7, 21, " 5 of 5", 5, 5, 0x0d72a38ddacd1163ULL},
    {5, 9, 18, 35, " 3 of 5", 3, 3, 0x9c0ff36f59049f8fULL},
    {5, 10, 12, 49, " 4 of 5", 4, 4, 0x81887582c7a453aaULL},
    {5, 11, 8, 56, " 5 of 5", 5, 5, 0x016f8218874ff71dULL},
    {5, 12, 14, 102, " 4 of 5", 4, 4, 0x04e5f92fa1bab261ULL},
    {5, 13, 9, 126, " 5 of 5", 5, 5, 0x61b95c7a1183d467ULL},
    {5, 14, 26, 150, " 3 of 5", 3, 3, 0xcd0a88d4f41f44c5ULL},
    {5, 25, 11, 26, " 4 of 5", 4, 4, 0x758de4891a78c397ULL},
    {5, 26, 17, 26, " 3 of 5", 3, 3, 0x8dd4eca6d325a49aULL},
    {5, 27, 20, 36, " 3 of 5", 3, 3, 0xa39ffcb534b3d33eULL},
    {5, 28, 10, 4, " 3 of 5", 3, 3, 0x951c1186c49a782fULL},
    {5, 29, 9, 3, " 3 of 5", 3, 3, 0xe0f3e89d3a6af1c5ULL},
    {5, 30, 8, 2, " 3 of 5", 3, 3, 0x9d701fa9ec29dda5ULL},
    {5, 31, 5, 1, " 3 of 5", 3, 5, 0x0f66dcbf4f6b7d88ULL},
    {5, 32, 6, 2, " 3 of 5", 3, 4, 0x762921f1ee559f36ULL},
    {5, 33, 7, 2, " 3 of 5", 3, 3, 0x99f5594615afcc9dULL},
    {6, 0, 14, 5, " 3 of 6", 3, 3, 0x40c7886cb30bde86ULL},
    {6, 1, 7, 7, " 6 of 6", 6, 6, 0x7d4c4337bea8f5edULL},
    {6, 2, 8, 8, " 5 of 6", 5, 5, 0x3ce6b34387f18153ULL},
    {6, 3, 17, 8, " 3 of 6", 3, 3, 0xa8fdb8303ce95b94ULL},
    {6, 4, 12, 9, " 4 of 6", 4, 4, 0x400bb98bdf07c52fULL},
    {6, 5, 9, 10, " 5 of 6", 5, 5, 0xce678b57cdd4b4d3ULL},
    {6, 6, 10, 14, " 5 of 6", 5, 5, 0x216e3324b6c3a2d5ULL},
    {6, 7, 20, 17, " 3 of 6", 3, 3, 0x9d14745f7e240a34ULL},
    {6, 8, 14, 20, " 4 of 6", 4, 4, 0x31cb07a2483cb20eULL},
    {6, 9, 8, 28, "  6", 6, 6, 0x3d7090619d011cadULL},
    {6, 10, 23, 30, " 3 of 6", 3, 3, 0x0a14fdb5f76c09ccULL},
    {6, 11, 16, 35, " 4 of 6", 4, 4, 0x7e2d9b50c9a1780aULL},
    {6, 12, 17, 40, " 4 of 6", 4, 4, 0xb6f88e86272e2b4fULL},
    {6, 13, 9, 84, " 6", 6, 6, 0xeecb52783f3680b1ULL},
    {6, 14, 10, 210, " 6", 6, 6, 0xb707ebf984d6dd8dULL},
    {6, 25, 11, 26, " 5 of 6", 5, 5, 0x97230e4d922ceea1ULL},
    {6, 26, 7, 4, " 5 of 6", 5, 5, 0x42732879757f78bdULL},
    {6, 27, 7, 3, " 4 of 6", 4, 5, 0xcb464c4b71f6de8aULL},
    {6, 28, 7, 2, " 3 of 6", 3, 5, 0xbc0af4e86445490dULL},
    {6, 29, 8, 5, " 4 of 6", 4, 5, 0x07662de766271b48ULL},
    {6, 30, 8, 4, " 3 of 6", 3, 4, 0x780625ed29d71084ULL},
    {6, 31, 9, 6, " 4 of 6", 4, 4, 0x9b69cc72d4d49750ULL},
    {6, 32, 9, 4, " 3 of 6", 3, 4, 0xbbc23631b71df21aULL},
    {6, 33, 18, 42, " 4 of 6", 4, 4, 0xa6779217e5add6efULL},
    {6, 34, 10, 7, " 4 of 6", 4, 4, 0xad40df133ae69f38ULL},
    {6, 35, 10, 5, " 3 of 6", 3, 3, 0xf166fa7c315c55a5ULL},
    {6, 36, 11, 10, " 4 of 6", 4, 4, 0x8c79f4c5979113ddULL},
    {6, 37, 11, 6, " 3 of 6", 3, 4, 0x6f0660d413323448ULL},
};

std::uint64_t fingerprint(const Wheel &wheel) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const std::int16_t position : wheel.positions) {
        hash ^= static_cast<std::uint64_t>(position);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

// Brute force: every `kind`-subset of 1..N as a list, matched against each ticket position by
// position. Yields the fewest best matches over all subsets.
int fewestBestMatches(const Wheel &wheel) {
    std::vector<bool> chosen(static_cast<std::size_t>(wheel.numbers), false);
    std::fill(chosen.end() - wheel.kind, chosen.end(), true);
    int fewest = wheel.kind;
    do {
        int best = 0;
        for (std::size_t t = 0; t < wheel.positions.size(); t += wheel.kind) {
            int matches = 0;
            for (int j = 0; j < wheel.kind; ++j)
                matches += chosen[static_cast<std::size_t>(wheel.positions[t + j] - 1)] ? 1 : 0;
            best = std::max(best, matches);
        }
        fewest = std::min(fewest, best);
    } while (std::next_permutation(chosen.begin(), chosen.end()));
    return fewest;
}

class CataloguedWheel : public ::testing::TestWithParam<Expected> {};

TEST_P(CataloguedWheel, MatchesThePublishedRecordAndTickets) {
    const Expected &expected = GetParam();
    const std::optional<Wheel> wheel = findWheel(expected.kind, expected.index);
    ASSERT_TRUE(wheel.has_value());
    EXPECT_EQ(wheel->kind, expected.kind);
    EXPECT_EQ(wheel->index, expected.index);
    EXPECT_EQ(wheel->numbers, expected.numbers);
    EXPECT_EQ(wheel->tickets, expected.tickets);
    EXPECT_EQ(wheel->label, expected.label);
    EXPECT_EQ(wheel->matchCount, expected.matchCount);
    ASSERT_EQ(wheel->positions.size(), static_cast<std::size_t>(expected.tickets * expected.kind));
    EXPECT_EQ(fingerprint(*wheel), expected.fingerprint) << "a ticket differs from the list";

    for (std::size_t t = 0; t < wheel->positions.size(); t += expected.kind) {
        std::vector<int> ticket(wheel->positions.begin() + t,
                                wheel->positions.begin() + t + expected.kind);
        for (const int p : ticket)
            EXPECT_TRUE(p >= 1 && p <= expected.numbers) << "ticket " << t / expected.kind + 1;
        std::sort(ticket.begin(), ticket.end());
        EXPECT_EQ(std::adjacent_find(ticket.begin(), ticket.end()), ticket.end())
            << "repeated position in ticket " << t / expected.kind + 1;
    }
}

TEST_P(CataloguedWheel, KeepsItsGuaranteeOverEverySetOfWinningPositions) {
    const Expected &expected = GetParam();
    const std::optional<Wheel> wheel = findWheel(expected.kind, expected.index);
    ASSERT_TRUE(wheel.has_value());
    EXPECT_EQ(fewestBestMatches(*wheel), expected.provenMatches);
    EXPECT_GE(expected.provenMatches, expected.matchCount);
}

INSTANTIATE_TEST_SUITE_P(Tables, CataloguedWheel, ::testing::ValuesIn(kWheels),
                         [](const ::testing::TestParamInfo<Expected> &info) {
                             return "Pick" + std::to_string(info.param.kind) + "Wheel" +
                                    std::to_string(info.param.index);
                         });

TEST(WheelLookup, ListsEveryCataloguedIndexAscendingAndNothingElse) {
    const std::vector<int> pick5(wheelIndexes(5).begin(), wheelIndexes(5).end());
    const std::vector<int> pick6(wheelIndexes(6).begin(), wheelIndexes(6).end());
    std::vector<int> expected5, expected6;
    for (const Expected &wheel : kWheels)
        (wheel.kind == 5 ? expected5 : expected6).push_back(wheel.index);
    EXPECT_EQ(pick5, expected5);
    EXPECT_EQ(pick6, expected6);
    EXPECT_EQ(pick5.size(), 24u);
    EXPECT_EQ(pick6.size(), 28u);
    EXPECT_TRUE(wheelIndexes(7).empty());
}

TEST(WheelLookup, FindsNoWheelOutsideTheCatalogue) {
    for (const int kind : {5, 6}) {
        for (int index = 15; index <= 24; ++index)
            EXPECT_FALSE(findWheel(kind, index)) << kind << " " << index;
        EXPECT_FALSE(findWheel(kind, -1));
        EXPECT_FALSE(findWheel(kind, 38));
        EXPECT_FALSE(findWheel(kind, 32767));
    }
    EXPECT_FALSE(findWheel(5, 34));
    EXPECT_TRUE(findWheel(6, 34));
    EXPECT_FALSE(findWheel(0, 0));
    EXPECT_FALSE(findWheel(7, 0));
}

TEST(WheelLookup, KeepsTheStoredOrderOfPick5Wheel29sThirdTicket) {
    const std::optional<Wheel> wheel = findWheel(5, 29);
    ASSERT_TRUE(wheel.has_value());
    const std::vector<int> third(wheel->positions.begin() + 10, wheel->positions.begin() + 15);
    EXPECT_EQ(third, (std::vector<int>{3, 4, 5, 8, 7}));
}

} // namespace
} // namespace marlek
