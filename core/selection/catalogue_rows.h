#pragma once
// The rows of the Pick 5 and Pick 6 wheel catalogues: fixed texts with the wheel code they stand
// for, in each order the catalogues can show, and the wheel choosing a code hands on. The windows
// and the command-line tool read the same rows.

#include "report_request.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace marlek {

// One entry of a catalogue list. The text is shown as it stands and never parsed: a choice acts on
// the item data alone.
struct CatalogueRow {
    std::int32_t itemData; // the wheel code
    std::int16_t numbers;  // N the text states (0 on the generator row)
    std::int32_t tickets;  // T the text states, also the cost in dollars (0 on the generator row)
    std::string_view text;
};

// The orders a catalogue can show. Initial is what the Pick 5 catalogue opens with (its
// Cost/Tickets order without the second two-ticket six-number row); Pick 6 opens with Cost/Tickets.
enum class CatalogueOrder { Initial, CostTickets, Numbers, Guarantee };

// The rows of the kind's catalogue (5 or 6) in that order; empty for any other kind. For Pick 6,
// Initial gives the Cost/Tickets rows.
std::span<const CatalogueRow> catalogueRows(int kind, CatalogueOrder order);

// The order of the sort button with that index (0 Cost/Tickets, 1 Numbers, 2 Guarantee).
std::optional<CatalogueOrder> orderOfOption(int index);

// The order of a command-line name: "initial", "cost", "numbers" or "guarantee".
std::optional<CatalogueOrder> orderOfName(std::string_view name);

// The code of the last row of every catalogue, which leads to the all-combinations generator.
inline constexpr std::int32_t kGeneratorCode = 21;

// What follows a choice in the catalogue.
enum class NextWindow { None, NumberPicker, Generator };

struct CatalogueChoice {
    NextWindow next = NextWindow::None;
    // The wheel the number picker plays: a table wheel with the row's N and T, or (mode 7 or 8) a
    // wheel of every combination that the report builds.
    WheelChoice wheel;
};

// A choice of the code in the kind's catalogue: the window that comes next and the wheel it plays.
// Codes that name nothing lead nowhere.
CatalogueChoice chooseWheel(int kind, int code);

// Texts of the catalogue windows.
inline constexpr std::string_view kCatalogueHeading =
    "         Cost/Tickets                   Numbers                    Guarantee";
inline constexpr std::string_view kCatalogueListToolTip = "Click on Any Lotto"; // Pick 5 only
inline constexpr std::string_view kSortFrameCaption = "SORT by";
inline constexpr std::string_view kSortOptionCaptions[] = {" Cost/Tickets", " Numbers",
                                                           " Guarantee"};

// Status-bar hints, shown while the mouse is over an element.
inline constexpr std::string_view kHintBackground = "Play Any Ticket ";
inline constexpr std::string_view kHintList = "Pick Any Lotto"; // also the text on opening
inline constexpr std::string_view kHintHeading = "Win Some Money";
inline constexpr std::string_view kHintSortFrame = "Sort by Cost/Tickets Numbers or Guarantee";
inline constexpr std::string_view kHintOk = "Click on Any Lotto";
inline constexpr std::string_view kHintCancel = "Go Back to Menu";

// "Pick 5 Lotto" or "Pick 6 Lotto".
std::string_view catalogueCaption(int kind);

} // namespace marlek
