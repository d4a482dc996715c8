#include "catalogue_rows.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace marlek {
namespace {

// Every row of a catalogue once, with its text as the Cost/Tickets order shows it. Rows are known
// by their number: row 1 is the first entry of the table. The table's own order is the Cost/Tickets
// order, and the generator row comes last.
constexpr CatalogueRow kPick5Rows[] = {
    {31, 5, 1, "    $     1          1    Ticket        5  Numbers        3 of 5"},
    {31, 5, 1, "    $     1          1    Ticket        5  Numbers        4 of 5"},
    {31, 5, 1, "    $     1          1    Ticket        5  Numbers                5"},
    {32, 6, 2, "    $     2          2    Tickets      6  Numbers        3 of 5"},
    {32, 6, 2, "    $     2          2    Tickets      6  Numbers        4 of 5"},
    {33, 7, 2, "    $     2          2    Tickets      7  Numbers        3 of 5"},
    {30, 8, 2, "    $     2          2    Tickets      8  Numbers        3 of 5"},
    {29, 9, 3, "    $     3          3    Tickets      9  Numbers        3 of 5"},
    {28, 10, 4, "    $     4          4    Tickets    10  Numbers        3 of 5"},
    {0, 7, 5, "    $     5          5    Tickets      7  Numbers        4 of 5"},
    {1, 11, 5, "    $     5          5    Tickets    11  Numbers        3 of 5"},
    {2, 6, 6, "    $     6          6    Tickets      6  Numbers                5"},
    {3, 8, 7, "    $     7          7    Tickets      8  Numbers        4 of 5"},
    {4, 12, 8, "    $     8          8    Tickets    12  Numbers        3 of 5"},
    {5, 9, 9, "    $     9          9    Tickets      9  Numbers        4 of 5"},
    {6, 10, 14, "    $   14        14    Tickets   10  Numbers        4 of 5"},
    {7, 15, 17, "    $   17        17    Tickets   15  Numbers        3 of 5"},
    {8, 7, 21, "    $   21        21    Tickets     7  Numbers                5"},
    {25, 11, 26, "    $   26        26    Tickets   11  Numbers        4 of 5"},
    {26, 17, 26, "    $   26        26    Tickets   17  Numbers        3 of 5"},
    {9, 18, 35, "    $   35        35    Tickets   18  Numbers        3 of 5"},
    {27, 20, 36, "    $   36        36    Tickets   20  Numbers        3 of 5"},
    {10, 12, 49, "    $   49        49    Tickets   12  Numbers        4 of 5"},
    {11, 8, 56, "    $   56        56    Tickets     8  Numbers                5"},
    {12, 14, 102, "    $ 102     102    Tickets   14  Numbers        4 of 5"},
    {13, 9, 126, "    $ 126     126    Tickets     9  Numbers                5"},
    {14, 26, 150, "    $ 150     150    Tickets   26  Numbers        3 of 5"},
    {15, 10, 252, "    $ 252     252    Tickets   10  Numbers                5"},
    {16, 11, 462, "    $ 462     462    Tickets   11  Numbers                5"},
    {17, 12, 792, "    $ 792      792    Tickets   12  Numbers                5"},
    {18, 13, 1287, "    $1287   1287   Tickets   13  Numbers                5"},
    {19, 14, 2002, "    $2002   2002   Tickets   14  Numbers                5"},
    {21, 0, 0, "Play More Numbers Click Here"},
};

constexpr CatalogueRow kPick6Rows[] = {
    {19, 6, 1, "    $      1        1    Ticket       6  Numbers         3 of 6"},
    {19, 6, 1, "    $      1        1    Ticket       6  Numbers         4 of 6"},
    {19, 6, 1, "    $      1        1    Ticket       6  Numbers         5 of 6"},
    {19, 6, 1, "    $      1        1    Ticket       6  Numbers                 6"},
    {28, 7, 2, "    $      2        2    Tickets     7  Numbers         3 of 6"},
    {27, 7, 3, "    $      3        3    Tickets     7  Numbers         4 of 6"},
    {32, 9, 4, "    $      4        4    Tickets     9  Numbers         3 of 6"},
    {26, 7, 4, "    $      4        4    Tickets     7  Numbers         5 of 6"},
    {30, 8, 4, "    $      4        4    Tickets     8  Numbers         3 of 6"},
    {29, 8, 5, "    $      5        5    Tickets     8  Numbers         4 of 6"},
    {35, 10, 5, "    $      5        5    Tickets   10  Numbers         3 of 6"},
    {0, 14, 5, "    $      5        5    Tickets   14  Numbers         3 of 6"},
    {31, 9, 6, "    $      6        6    Tickets     9  Numbers         4 of 6"},
    {37, 11, 6, "    $      6        6    Tickets   11  Numbers         3 of 6"},
    {1, 7, 7, "    $      7        7    Tickets     7  Numbers                 6"},
    {34, 10, 7, "    $      7        7   Tickets    10  Numbers         4 of 6"},
    {2, 8, 8, "    $      8        8    Tickets     8  Numbers          5 of 6"},
    {3, 17, 8, "    $      8        8    Tickets  17  Numbers           3 of 6"},
    {4, 12, 9, "    $      9        9    Tickets  12  Numbers           4 of 6"},
    {5, 9, 10, "    $    10      10    Tickets    9  Numbers          5 of 6"},
    {36, 11, 10, "    $    10      10    Tickets   11  Numbers         4 of 6"},
    {6, 10, 14, "    $    14      14    Tickets  10  Numbers          5 of 6"},
    {7, 20, 17, "    $    17      17    Tickets  20  Numbers          3 of 6"},
    {8, 14, 20, "    $    20      20    Tickets  14  Numbers          4 of 6"},
    {25, 11, 26, "    $    26      26    Tickets  11  Numbers          5 of 6"},
    {9, 8, 28, "    $    28      28    Tickets    8  Numbers                  6"},
    {10, 23, 30, "    $    30      30    Tickets  23  Numbers          3 of 6"},
    {11, 16, 35, "    $    35      35    Tickets  16  Numbers          4 of 6"},
    {12, 17, 40, "    $    40      40    Tickets  17  Numbers          4 of 6"},
    {33, 18, 42, "    $    42      42    Tickets  18  Numbers          4 of 6"},
    {13, 9, 84, "    $    84      84    Tickets    9  Numbers                  6"},
    {14, 10, 210, "    $  210    210    Tickets 10  Numbers                  6"},
    {15, 11, 462, "    $  462    462    Tickets 11  Numbers                  6"},
    {16, 12, 924, "    $  924    924    Tickets 12  Numbers                  6"},
    {17, 13, 1716, "    $1716  1716    Tickets 13  Numbers                  6"},
    {18, 14, 3003, "    $3003  3003    Tickets 14  Numbers                  6"},
    {21, 0, 0, "Play More Numbers Click Here"},
};

// The other orders as lists of row numbers; each ends with the generator row. The Pick 5 catalogue
// opens on its Cost/Tickets rows without row 5, the second two-ticket six-number row.
using RowNumber = std::uint8_t;

constexpr RowNumber kPick5Initial[] = {1,  2,  3,  4,  6,  7,  8,  9,  10, 11, 12,
                                       13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23,
                                       24, 25, 26, 27, 28, 29, 30, 31, 32, 33};
constexpr RowNumber kPick5ByNumbers[] = {1,  2,  3,  4,  12, 6,  10, 18, 7,  13, 24,
                                         8,  15, 26, 9,  16, 28, 11, 19, 29, 14, 23,
                                         30, 31, 25, 32, 17, 20, 21, 22, 27, 33};
constexpr RowNumber kPick5ByGuarantee[] = {1,  4,  6,  7,  8,  9,  11, 14, 17, 20, 21,
                                           22, 27, 2,  5,  10, 13, 15, 16, 19, 23, 25,
                                           3,  12, 18, 24, 26, 28, 29, 30, 31, 32, 33};

constexpr RowNumber kPick6ByNumbers[] = {1,  2,  3,  4,  5,  6,  8,  15, 9,  10, 17, 26, 7,
                                         13, 20, 31, 11, 16, 22, 32, 14, 21, 25, 33, 19, 34,
                                         35, 12, 24, 36, 28, 18, 29, 30, 23, 27, 37};
constexpr RowNumber kPick6ByGuarantee[] = {1,  5,  9,  7,  11, 14, 12, 18, 23, 27, 2,  6,  10,
                                           13, 16, 21, 19, 24, 28, 29, 30, 3,  8,  17, 20, 22,
                                           25, 4,  15, 26, 31, 32, 33, 34, 35, 36, 37};

// A row that one order shows with other spacing than the table gives it.
struct TextVariant {
    CatalogueOrder order;
    RowNumber row;
    std::string_view text;
};

constexpr TextVariant kPick5Variants[] = {
    {CatalogueOrder::Numbers, 26, "    $ 126     126    Tickets      9  Numbers                5"},
    {CatalogueOrder::Numbers, 16, "    $   14        14    Tickets    10 Numbers        4 of 5"},
    {CatalogueOrder::Numbers, 28, "    $ 252     252    Tickets    10  Numbers                5"},
    {CatalogueOrder::Numbers, 29, "    $ 462     462    Tickets    11  Numbers                5"},
    {CatalogueOrder::Guarantee, 27, "    $ 150      150    Tickets   26  Numbers        3 of 5"},
    {CatalogueOrder::Guarantee, 25, "    $ 102      102    Tickets   14  Numbers        4 of 5"},
    {CatalogueOrder::Guarantee, 18,
     "    $   21        21    Tickets     7  Numbers                 5"},
    {CatalogueOrder::Guarantee, 24,
     "    $   56        56    Tickets     8  Numbers                 5"},
    {CatalogueOrder::Guarantee, 26,
     "    $ 126      126    Tickets     9  Numbers                5"},
    {CatalogueOrder::Guarantee, 28, "    $ 252      252    Tickets   10  Numbers                5"},
    {CatalogueOrder::Guarantee, 29, "    $ 462      462    Tickets   11  Numbers                5"},
};

constexpr TextVariant kPick6Variants[] = {
    {CatalogueOrder::Numbers, 11, "    $      5        5    Tickets  10  Numbers          3 of 6"},
    {CatalogueOrder::Numbers, 16, "    $      7        7    Tickets  10  Numbers          4 of 6"},
    {CatalogueOrder::Numbers, 14, "    $      6         6    Tickets  11  Numbers          3 of 6"},
    {CatalogueOrder::Numbers, 21, "    $    10       10    Tickets  11  Numbers          4 of 6"},
    {CatalogueOrder::Guarantee, 1,
     "    $      1        1    Ticket        6  Numbers          3 of 6"},
    {CatalogueOrder::Guarantee, 5,
     "    $      2        2    Tickets      7  Numbers         3 of 6"},
    {CatalogueOrder::Guarantee, 9,
     "    $      4        4    Tickets      8  Numbers         3 of 6"},
    {CatalogueOrder::Guarantee, 7,
     "    $      4        4    Tickets      9  Numbers         3 of 6"},
    {CatalogueOrder::Guarantee, 11,
     "    $      5        5    Tickets    10  Numbers         3 of 6"},
    {CatalogueOrder::Guarantee, 14,
     "    $      6        6    Tickets    11  Numbers         3 of 6"},
    {CatalogueOrder::Guarantee, 12,
     "    $      5        5    Tickets   14  Numbers          3 of 6"},
    {CatalogueOrder::Guarantee, 18,
     "    $      8        8    Tickets  17   Numbers          3 of 6"},
    {CatalogueOrder::Guarantee, 2,
     "    $      1        1    Ticket       6  Numbers          4 of 6"},
    {CatalogueOrder::Guarantee, 6,
     "    $      3        3    Tickets     7  Numbers          4 of 6"},
    {CatalogueOrder::Guarantee, 10,
     "    $      5        5    Tickets     8  Numbers          4 of 6"},
    {CatalogueOrder::Guarantee, 13,
     "    $      6        6    Tickets     9  Numbers          4 of 6"},
    {CatalogueOrder::Guarantee, 16,
     "    $      7        7    Tickets   10  Numbers         4 of 6"},
    {CatalogueOrder::Guarantee, 21, "    $     10     10    Tickets  11  Numbers          4 of 6"},
    {CatalogueOrder::Guarantee, 3,
     "    $      1        1    Ticket       6  Numbers          5 of 6"},
    {CatalogueOrder::Guarantee, 8,
     "    $      4        4    Tickets     7  Numbers          5 of 6"},
};

// The rows of one order: the numbered rows of the table in turn, each with the text the order
// gives it.
template <std::size_t RowCount, std::size_t Count, std::size_t VariantCount>
constexpr std::array<CatalogueRow, Count>
assemble(const CatalogueRow (&table)[RowCount], const RowNumber (&numbers)[Count],
         CatalogueOrder order, const TextVariant (&variants)[VariantCount]) {
    std::array<CatalogueRow, Count> rows{};
    for (std::size_t i = 0; i < Count; ++i) {
        rows[i] = table[numbers[i] - 1];
        for (const TextVariant &variant : variants)
            if (variant.order == order && variant.row == numbers[i])
                rows[i].text = variant.text;
    }
    return rows;
}

// Every variant names a row that its order lists, so none of them is left unused.
template <std::size_t VariantCount, std::size_t Count>
constexpr bool variantsListed(const TextVariant (&variants)[VariantCount], CatalogueOrder order,
                              const RowNumber (&numbers)[Count]) {
    for (const TextVariant &variant : variants) {
        if (variant.order != order)
            continue;
        bool listed = false;
        for (RowNumber number : numbers)
            listed = listed || number == variant.row;
        if (!listed)
            return false;
    }
    return true;
}

static_assert(variantsListed(kPick5Variants, CatalogueOrder::Numbers, kPick5ByNumbers));
static_assert(variantsListed(kPick5Variants, CatalogueOrder::Guarantee, kPick5ByGuarantee));
static_assert(variantsListed(kPick6Variants, CatalogueOrder::Numbers, kPick6ByNumbers));
static_assert(variantsListed(kPick6Variants, CatalogueOrder::Guarantee, kPick6ByGuarantee));

constexpr auto kPick5InitialRows =
    assemble(kPick5Rows, kPick5Initial, CatalogueOrder::Initial, kPick5Variants);
constexpr auto kPick5NumbersRows =
    assemble(kPick5Rows, kPick5ByNumbers, CatalogueOrder::Numbers, kPick5Variants);
constexpr auto kPick5GuaranteeRows =
    assemble(kPick5Rows, kPick5ByGuarantee, CatalogueOrder::Guarantee, kPick5Variants);
constexpr auto kPick6NumbersRows =
    assemble(kPick6Rows, kPick6ByNumbers, CatalogueOrder::Numbers, kPick6Variants);
constexpr auto kPick6GuaranteeRows =
    assemble(kPick6Rows, kPick6ByGuarantee, CatalogueOrder::Guarantee, kPick6Variants);

// The first row of the code in the kind's table: every row of one code states the same N and T.
const CatalogueRow *rowOfCode(int kind, int code) {
    for (const CatalogueRow &row : catalogueRows(kind, CatalogueOrder::CostTickets))
        if (row.itemData == code)
            return &row;
    return nullptr;
}

bool isTableWheelCode(int kind, int code) {
    const int last = kind == 5 ? 33 : 37;
    return (code >= 0 && code <= 14) || (code >= 25 && code <= last);
}

// Wheels of every combination of N numbers that the report builds instead of the tables.
bool isFullWheelCode(int code) {
    return code >= 15 && code <= 19;
}

} // namespace

std::span<const CatalogueRow> catalogueRows(int kind, CatalogueOrder order) {
    if (kind == 5) {
        switch (order) {
        case CatalogueOrder::Initial:
            return kPick5InitialRows;
        case CatalogueOrder::CostTickets:
            return kPick5Rows;
        case CatalogueOrder::Numbers:
            return kPick5NumbersRows;
        case CatalogueOrder::Guarantee:
            return kPick5GuaranteeRows;
        }
    }
    if (kind == 6) {
        switch (order) {
        case CatalogueOrder::Initial:
        case CatalogueOrder::CostTickets:
            return kPick6Rows;
        case CatalogueOrder::Numbers:
            return kPick6NumbersRows;
        case CatalogueOrder::Guarantee:
            return kPick6GuaranteeRows;
        }
    }
    return {};
}

std::optional<CatalogueOrder> orderOfOption(int index) {
    switch (index) {
    case 0:
        return CatalogueOrder::CostTickets;
    case 1:
        return CatalogueOrder::Numbers;
    case 2:
        return CatalogueOrder::Guarantee;
    default:
        return std::nullopt;
    }
}

std::optional<CatalogueOrder> orderOfName(std::string_view name) {
    if (name == "initial")
        return CatalogueOrder::Initial;
    if (name == "cost")
        return CatalogueOrder::CostTickets;
    if (name == "numbers")
        return CatalogueOrder::Numbers;
    if (name == "guarantee")
        return CatalogueOrder::Guarantee;
    return std::nullopt;
}

CatalogueChoice chooseWheel(int kind, int code) {
    if (kind != 5 && kind != 6)
        return {};
    if (code == kGeneratorCode)
        return {NextWindow::Generator, {}};
    const CatalogueRow *row = rowOfCode(kind, code);
    if (!row)
        return {};
    if (isTableWheelCode(kind, code))
        return {NextWindow::NumberPicker,
                cataloguedWheelChoice(kind, code, row->numbers, row->tickets)};
    if (!isFullWheelCode(code))
        return {};
    // A full Pick 6 wheel records N as its index; a full Pick 5 wheel records none.
    WheelChoice full = fullWheelChoice(
        kind, row->numbers, kind == 6 ? std::optional<std::int16_t>(row->numbers) : std::nullopt);
    full.ticketCount = row->tickets;
    return {NextWindow::NumberPicker, full};
}

std::string_view catalogueCaption(int kind) {
    return kind == 5 ? "Pick 5 Lotto" : kind == 6 ? "Pick 6 Lotto" : "";
}

} // namespace marlek
