#pragma once
// The road of one wheel as values. A chooser (a catalogue row, a generator's "Yes", a designed
// wheel's "Play") hands on a WheelChoice: what to play, with its kind, N and T. The number picker
// adds the player's numbers and hands on a ReportRequest, which a document keeps: its lines, its
// caption and its ticket count never follow anything that happens later.

#include "plain_wheel.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace marlek {

// The player's numbers a request can hold: positions 1 to 500.
inline constexpr int kMostPlayerNumbers = 500;

struct WheelChoice {
    // 5 or 6: a catalogued wheel of that kind's table; 7 or 8: every combination of the N numbers,
    // Pick 5 or Pick 6; 0: no wheel chosen. A designed wheel has its kind, 5 or 6.
    std::int16_t wheelMode = 0;
    // The table wheel of a catalogued choice. A full wheel carries the index the catalogue records
    // with it (N for a Pick 6 row, -1 from the generator) or none (a Pick 5 row); a designed wheel
    // none. What is recorded matters only to a catalogue opened later and closed without a choice.
    std::optional<std::int16_t> wheelIndex;
    // N and T as the chooser states them; a table wheel brings its own to the report.
    std::int16_t pickCount = 0;
    std::int32_t ticketCount = 0;
    // A wheel from the designer, played over the first N numbers, its keys first: its report
    // takes the place of the catalogue's.
    std::optional<PlainWheel> designedWheel;
    // A designed wheel held to a ticket budget below what its guarantee needs: the draws of m it
    // keeps the guarantee for, and all of them. Its report states that coverage, never the full
    // guarantee.
    struct Coverage {
        std::uint64_t covered = 0;
        std::uint64_t all = 0;
        bool operator==(const Coverage &) const = default;
    };
    std::optional<Coverage> coverage;

    bool operator==(const WheelChoice &) const = default;
};

struct ReportRequest {
    WheelChoice wheel;
    // The player's numbers, position 1 first: the N played and every position a table wheel names.
    std::vector<std::int16_t> numbers;
    // What a report whose wheel names none prints as its match count: the kind a combination-files
    // run left, else 0.
    std::int16_t matchCount = 0;

    bool operator==(const ReportRequest &) const = default;
};

// The lotto kind of a wheel mode: 5 for modes 5 and 7, 6 for modes 6 and 8, 0 for any other mode.
int lottoKindOfMode(int wheelMode);

// A wheel of the kind's table, with N and T as its catalogue row states them.
WheelChoice cataloguedWheelChoice(int kind, int index, int numbers, std::int32_t tickets);
// Every kind-number combination of N numbers: T is their count.
WheelChoice fullWheelChoice(int kind, int numbers, std::optional<std::int16_t> recordedIndex);
// A designed wheel (kind 5 or 6), its keys included; with its coverage when it meets its guarantee
// for only `covered` of `all` draws.
WheelChoice designedWheelChoice(const PlainWheel &wheel);
WheelChoice designedWheelChoice(const PlainWheel &wheel, std::uint64_t covered, std::uint64_t all);

// The request of a choice played over `numbers` (the player's numbers, position 1 first): it takes
// as many as the report reads.
ReportRequest reportRequestFor(const WheelChoice &choice, std::span<const std::int16_t> numbers,
                               std::int16_t matchCount = 0);

} // namespace marlek
